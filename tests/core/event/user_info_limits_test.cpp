// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/event/user_info_limits.h"

#include <gtest/gtest.h>

#include <array>

#include "core/event/event_reader.h"
#include "core/event/user_info_store.h"
#include "support/temp_dir.h"
#include "tremolog_writer.h"

namespace krnz {
namespace {

namespace gen = eventgen;

constexpr std::array<UserInfoField, 8> kFields = {
    UserInfoField::Client,     UserInfoField::Operation, UserInfoField::Location,
    UserInfoField::Operator,   UserInfoField::Notes,     UserInfoField::Company,
    UserInfoField::Supplement, UserInfoField::FreeText};

std::string& textOf(UserInfo& info, UserInfoField field) {
    const std::array<std::string*, 8> all = {&info.client,       &info.operation, &info.location,
                                             &info.operatorName, &info.notes,     &info.company,
                                             &info.supplement,   &info.freeText};
    return *all[static_cast<std::size_t>(field)];
}

// "ö" repeated: one byte each in the file, two in memory.
std::string oes(std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s += "\xC3\xB6";
    return s;
}

TEST(UserTextLimit, TremologFieldsAndUnlimitedKrn) {
    for (const UserInfoField field : kFields) {
        const std::size_t width = field == UserInfoField::FreeText ? 200 : 30;
        EXPECT_EQ(userTextLimit(kFormatTremolog, field), width);
        EXPECT_EQ(userTextLimit(kFormatK100, field), std::nullopt);
        EXPECT_EQ(userTextLimit(kFormatK200, field), std::nullopt);
    }
}

TEST(UserTextLimit, IsTheMostATremologFileGivesBack) {
    // Every field filled to its limit comes back whole; one character more does not.
    test::TempDir dir;
    gen::TremologEvent ev;
    for (auto& s : ev.samples) s.assign(2000, 5);
    const auto path = dir.write("event.tremolog", gen::writeTremolog(ev));
    for (const int extra : {0, 1}) {
        UserInfo info;
        for (const UserInfoField field : kFields)
            textOf(info, field) = oes(*userTextLimit(kFormatTremolog, field) + extra);
        // The free text's line break is stored as one byte, so it counts as one.
        info.freeText = oes(98) + "\r\n" + oes(101 + extra);
        writeTremologTexts(path, info);
        const LoadedEvent back = readDatafile(path);
        ASSERT_TRUE(back.userInfo);
        UserInfo read = *back.userInfo;
        for (const UserInfoField field : kFields) {
            if (extra == 0) {
                EXPECT_EQ(textOf(read, field), textOf(info, field));
            } else {
                EXPECT_NE(textOf(read, field), textOf(info, field));
                EXPECT_EQ(textOf(read, field),
                          fitUserText(textOf(info, field), userTextLimit(kFormatTremolog, field)));
            }
        }
    }
}

TEST(StoredTextLength, CharactersWithALineBreakAsOne) {
    EXPECT_EQ(storedTextLength(""), 0u);
    EXPECT_EQ(storedTextLength("Malm\xC3\xB6"), 5u);
    EXPECT_EQ(storedTextLength("ab\r\ncd"), 5u);
    EXPECT_EQ(storedTextLength("ab\ncd\r"), 6u);      // lone LF and CR: one character each
    EXPECT_EQ(storedTextLength("\xE2\x82\xAC"), 1u);  // euro sign
}

TEST(FitUserText, DropsWhatWindows1252CannotHoldThenCuts) {
    struct Case {
        const char* text;
        std::optional<std::size_t> limit;
        const char* fitted;
    };
    const Case cases[] = {
        {"p \xE2\x89\xA4 5 kPa", std::nullopt, "p  5 kPa"},  // "≤" dropped, no limit
        {"a\xE2\x89\xA4"
         "bc",
         2, "ab"},                                            // dropped before counting
        {"\xC3\xB6\xC3\xB6\xC3\xB6", 2, "\xC3\xB6\xC3\xB6"},  // "ö" counts once
        {"\xE2\x82\xAC"
         "100",
         3,
         "\xE2\x82\xAC"
         "10"},                        // so does the euro sign
        {"abc\r\ndef", 4, "abc\r\n"},  // a line break is one
        {"abc\r\ndef", 3, "abc"},      // and never cut in two
        {"abc", 3, "abc"},
        {"abc", 0, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(fitUserText(c.text, c.limit), c.fitted) << c.text;
}

TEST(FitUserInfo, CutsToTheLayoutsFields) {
    UserInfo info;
    info.operatorName = std::string(57, 'K');
    info.notes = "\xE2\x89\xA4 3 mm/s";
    info.freeText = std::string(150, 'a') + "\r\n" + std::string(100, 'b');

    UserInfo krn = info;
    fitUserInfo(krn, kFormatK100);
    EXPECT_EQ(krn.operatorName, info.operatorName);  // the ".userinfo" file holds any length
    EXPECT_EQ(krn.notes, " 3 mm/s");
    EXPECT_EQ(krn.freeText, info.freeText);

    UserInfo tremolog = info;
    fitUserInfo(tremolog, kFormatTremolog);
    EXPECT_EQ(tremolog.operatorName, std::string(30, 'K'));
    EXPECT_EQ(tremolog.notes, " 3 mm/s");
    EXPECT_EQ(tremolog.freeText, std::string(150, 'a') + "\r\n" + std::string(49, 'b'));
    EXPECT_EQ(tremolog.client, "");
}

}  // namespace
}  // namespace krnz
