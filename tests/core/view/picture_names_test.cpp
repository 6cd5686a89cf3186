// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/common/error.h"
#include "core/view/picture_names.h"

namespace krnz::view {
namespace {

TEST(PictureNames, OneFilePerActiveChannelWithItsDigit) {
    const auto pictures = wholeSamplePictures("/home/op/pics/ev.bmp", {true, false, true, false});
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].slot, 0);
    EXPECT_EQ(pictures[0].fileName, "/home/op/pics/ev0.bmp");
    EXPECT_EQ(pictures[1].slot, 2);
    EXPECT_EQ(pictures[1].fileName, "/home/op/pics/ev2.bmp");
    EXPECT_TRUE(wholeSamplePictures("/p/ev.bmp", {false, false, false, false}).empty());
}

TEST(PictureNames, ActiveMeansTheBoxIsChecked) {
    settings::Options options;
    options.slotOptions[0].channelOn = settings::CheckState::Checked;
    options.slotOptions[1].channelOn = settings::CheckState::Unchecked;
    options.slotOptions[2].channelOn = settings::CheckState::Checked;
    options.slotOptions[3].channelOn = settings::CheckState::Greyed;
    const auto pictures = wholeSamplePictures("ev.png", options);
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].fileName, "ev0.png");
    EXPECT_EQ(pictures[1].fileName, "ev2.png");
}

TEST(PictureNames, DigitGoesBeforeTheLastFourCharacters) {
    struct Row {
        const char* name;
        int slot;
        const char* expected;
    };
    const Row rows[] = {
        {"ev.bmp", 3, "ev3.bmp"},
        {".bmp", 1, "1.bmp"},          // exactly four characters
        {"pic.jpeg", 0, "pic.0jpeg"},  // the last four, whatever the extension
        {"C:\\pics\\ev", 2, "C:\\pic2s\\ev"},
        {"mätning.BMP", 1, "mätning1.BMP"},
        {"x/Grüße", 1, "x/G1rüße"},  // non-ASCII letters count as one character each
        {"ääää", 0, "0ääää"},
    };
    for (const Row& r : rows) EXPECT_EQ(channelPictureName(r.name, r.slot), r.expected) << r.name;
}

TEST(PictureNames, NameTooShortOrSlotOutOfRangeIsAnError) {
    for (const char* name : {"", "a", "bmp", "äöü"}) {
        try {
            channelPictureName(name, 0);
            ADD_FAILURE() << name;
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), kErrInvalidProcedureCall) << name;
        }
    }
    EXPECT_THROW(wholeSamplePictures("bmp", {false, true, false, false}), Error);
    EXPECT_THROW(channelPictureName("ev.bmp", 4), Error);
    EXPECT_THROW(channelPictureName("ev.bmp", -1), Error);
}

TEST(PictureNames, PngOnlyForANameEndingInPng) {
    struct Row {
        const char* name;
        PictureFormat format;
    };
    const Row rows[] = {
        {"/p/ev.png", PictureFormat::Png}, {"EV.PNG", PictureFormat::Png},
        {"ev.Png", PictureFormat::Png},    {".png", PictureFormat::Png},
        {"/p/ev.bmp", PictureFormat::Bmp}, {"ev.png.bmp", PictureFormat::Bmp},
        {"evpng", PictureFormat::Bmp},     {"png", PictureFormat::Bmp},
        {"", PictureFormat::Bmp},
    };
    for (const Row& r : rows) EXPECT_EQ(pictureFormatOf(r.name), r.format) << r.name;
}

}  // namespace
}  // namespace krnz::view
