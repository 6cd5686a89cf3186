// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/event/user_info_store.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "core/common/error.h"
#include "core/event/event_reader.h"
#include "core/event/user_info.h"
#include "core/settings/ini_document.h"
#include "support/temp_dir.h"
#include "tremolog_writer.h"

namespace krnz {
namespace {

namespace gen = eventgen;
namespace fs = std::filesystem;

std::string fileBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

UserInfo sampleInfo() {
    return {"Skanska",  "Tunnel blast 12", "Malmö, Hyllie", "K. Berg",
            "wet rock", "Vibra AB",        "Appendix A",    "line one\r\nline two\r\nline three"};
}

TEST(UserInfoFile, RoundTripWithFreeTextLines) {
    test::TempDir dir;
    const fs::path event = dir.path() / "KRN01234.567";
    std::ofstream(event) << "x";
    writeUserInfoFile(event, sampleInfo());
    EXPECT_TRUE(fs::exists(dir.path() / "KRN01234.567.userinfo"));
    const settings::IniDocument ini = settings::IniDocument::load(userInfoPath(event));
    EXPECT_EQ(ini.get("general", "free", ""), "line one~line two~line three");
    const auto back = readUserInfoFile(event);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, sampleInfo());
}

TEST(UserInfoFile, RewriteKeepsWhatElseTheFileHolds) {
    test::TempDir dir;
    const fs::path event = dir.path() / "KRN00001.001";
    std::ofstream(userInfoPath(event), std::ios::binary)
        << "; made by hand\r\n[general]\r\nclient=Old\r\nproject=7\r\n";
    UserInfo info;
    info.client = "New";
    writeUserInfoFile(event, info);
    const std::string text = fileBytes(userInfoPath(event));
    EXPECT_NE(text.find("; made by hand"), std::string::npos);
    EXPECT_NE(text.find("project=7"), std::string::npos);
    EXPECT_EQ(readUserInfoFile(event)->client, "New");
}

TEST(UserInfoFile, StaysWindows1252) {
    test::TempDir dir;
    const fs::path event = dir.path() / "KRN00001.001";
    std::ofstream(event) << "x";
    UserInfo info;
    info.client = "Malm\xC3\xB6";                // "Malmö": one byte F6 in Windows-1252
    info.operatorName = "p \xE2\x89\xA4 5 kPa";  // "≤" has no Windows-1252 form
    writeUserInfoFile(event, info);
    std::string text = fileBytes(userInfoPath(event));
    EXPECT_NE(text.find("client=Malm\xF6\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("operator=p ? 5 kPa\r\n"), std::string::npos) << text;
    EXPECT_EQ(readUserInfoFile(event)->client, "Malm\xC3\xB6");

    // A file once written as UTF-8 goes back to Windows-1252 with the next save.
    std::ofstream(userInfoPath(event), std::ios::binary)
        << "[general]\r\nlocation=Malm\xC3\xB6\r\n";
    info = {};
    info.client = "Lund";
    info.location = "Malm\xC3\xB6";
    writeUserInfoFile(event, info);
    text = fileBytes(userInfoPath(event));
    EXPECT_NE(text.find("location=Malm\xF6\r\n"), std::string::npos) << text;
    EXPECT_EQ(*readUserInfoFile(event), info);
}

class TremologTextWrite : public ::testing::Test {
  protected:
    // A small Tremolog event whose text fields are padded with 0xAA after their NUL, so that
    // bytes left alone by a write are visible.
    fs::path makeEvent(gen::TremologEvent ev) {
        for (auto& s : ev.samples) s.assign(2000, 5);
        ev.texts.client = "Previous client";
        ev.texts.freeText = "old free";
        ev.textPadding = 0xAA;
        return m_dir.write("event.tremolog", gen::writeTremolog(ev));
    }
    fs::path makeEvent() { return makeEvent(gen::TremologEvent{}); }
    std::string section(const fs::path& p, std::size_t t = gen::kTremologDefaultTextOffset) {
        return fileBytes(p).substr(t, kTremologTextBytes);
    }
    test::TempDir m_dir;
};

TEST_F(TremologTextWrite, LongFieldsAreCutWithoutTerminator) {
    const fs::path p = makeEvent();
    UserInfo info = sampleInfo();
    info.client = std::string(40, 'C');
    info.freeText = std::string(150, 'a') + "\r\n" + std::string(100, 'b');
    writeTremologTexts(p, info);
    const std::string s = section(p);
    EXPECT_EQ(s.substr(0, 30), std::string(30, 'C'));
    // "~" for the line break, then cut to the 200 bytes of the field: no terminator, and no
    // old byte left inside the field to read back as text.
    EXPECT_EQ(s.substr(210, 200), std::string(150, 'a') + "~" + std::string(49, 'b'));

    const LoadedEvent back = readDatafile(p);
    ASSERT_TRUE(back.userInfo);
    EXPECT_EQ(back.userInfo->client, std::string(30, 'C'));
    EXPECT_EQ(back.userInfo->location, "Malmö, Hyllie") << "stored as Windows-1252";
    EXPECT_EQ(back.userInfo->freeText, std::string(150, 'a') + "\r\n" + std::string(49, 'b'));
}

TEST_F(TremologTextWrite, ShortFieldsEndInOneNulAndLeaveTheRestAlone) {
    const fs::path p = makeEvent();
    UserInfo info = sampleInfo();
    info.client = "0123456789";
    writeTremologTexts(p, info);
    const std::string s = section(p);
    EXPECT_EQ(s.substr(0, 11), std::string("0123456789") + '\0');
    // "Previous client" (15 bytes), its NUL and the padding: bytes 11..29 are as they were.
    EXPECT_EQ(s.substr(11, 4), "ient");
    EXPECT_EQ(s[15], '\0');
    EXPECT_EQ(s.substr(16, 14), std::string(14, '\xAA'));
    EXPECT_EQ(s.substr(60, 13), std::string("Malm\xF6, Hyllie"));

    const LoadedEvent back = readDatafile(p);
    ASSERT_TRUE(back.userInfo);
    EXPECT_EQ(*back.userInfo, info);
}

TEST_F(TremologTextWrite, RefusesSectionsThatWouldOverwriteOtherParts) {
    struct Case {
        const char* name;
        std::uint32_t textOffset;
        const char* reason;
    };
    // Samples of 2000 steps at D = 1024 occupy bytes 1024 .. 17023.
    const Case cases[] = {
        {"in the header", 0, "overlaps the header"},
        {"reaching into the header", 100, "overlaps the header"},
        {"inside the samples", 5000, "overlaps the samples"},
        {"ending in the samples", 1024 - 409, "overlaps the samples"},
    };
    for (const Case& c : cases) {
        gen::TremologEvent ev;
        ev.header.textOffset = c.textOffset;
        const fs::path p = makeEvent(ev);
        const std::string before = fileBytes(p);
        try {
            writeTremologTexts(p, sampleInfo());
            ADD_FAILURE() << c.name << ": written";
        } catch (const Error& e) {
            EXPECT_NE(e.text().find(c.reason), std::string::npos) << c.name << ": " << e.text();
        }
        EXPECT_EQ(fileBytes(p), before) << c.name;
    }
}

TEST_F(TremologTextWrite, RefusesASectionCutOffByTheFileEnd) {
    gen::TremologEvent ev;
    ev.header.textPlacement = gen::TextPlacement::AfterSamples;
    const fs::path p = makeEvent(ev);
    std::string bytes = fileBytes(p);
    bytes.resize(bytes.size() - 10);
    std::ofstream(p, std::ios::binary) << bytes;
    try {
        writeTremologTexts(p, sampleInfo());
        ADD_FAILURE() << "written";
    } catch (const Error& e) {
        EXPECT_NE(e.text().find("does not lie inside the file"), std::string::npos) << e.text();
    }
    EXPECT_EQ(fileBytes(p), bytes);
}

TEST_F(TremologTextWrite, SectionRightAfterTheSamplesIsWritten) {
    gen::TremologEvent ev;
    ev.header.textPlacement = gen::TextPlacement::AfterSamples;
    const fs::path p = makeEvent(ev);
    writeTremologTexts(p, sampleInfo());
    const LoadedEvent back = readDatafile(p);
    EXPECT_EQ(*back.userInfo, sampleInfo());
}

TEST_F(TremologTextWrite, AFileThatIsNoLongerTremologIsLeftAlone) {
    const fs::path p = makeEvent();
    std::string bytes = fileBytes(p);
    bytes.replace(0, 8, "KRN05K10");
    std::ofstream(p, std::ios::binary) << bytes;
    EXPECT_THROW(writeTremologTexts(p, sampleInfo()), Error);
    EXPECT_EQ(fileBytes(p), bytes);
}

TEST(StoreUserInfo, ChoosesTheStoreByLayout) {
    test::TempDir dir;
    const fs::path gone = dir.path() / "KRN00001.002";
    EXPECT_EQ(storeUserInfo(gone, kFormatK100, sampleInfo()),
              UserInfoStoreResult::EventFileMissing);
    EXPECT_FALSE(fs::exists(userInfoPath(gone))) << "nothing stored beside a missing event";
    const fs::path krn = dir.path() / "KRN00001.003";
    std::ofstream(krn) << "x";
    EXPECT_EQ(storeUserInfo(krn, kFormatK200, sampleInfo()), UserInfoStoreResult::Stored);
    EXPECT_EQ(*readUserInfoFile(krn), sampleInfo());
    EXPECT_EQ(storeUserInfo(krn, kFormatNone, sampleInfo()), UserInfoStoreResult::NotStored);
    EXPECT_THROW(storeUserInfo(gone, kFormatTremolog, sampleInfo()), Error);
}

}  // namespace
}  // namespace krnz
