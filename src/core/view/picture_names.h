// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/event/event.h"
#include "core/settings/options.h"

// File names of the channel pictures (File > Save whole sample as picture) and the image format
// a chosen name asks for. Names are UTF-8 paths as the save dialog returns them.
namespace krnz::view {

enum class PictureFormat { Bmp, Png };

// A name ending in ".png" (in any letter case) asks for PNG; every other name gets a bitmap.
PictureFormat pictureFormatOf(std::string_view name);

// name with the slot's digit (0..3, the display slot whatever channel group is loaded) inserted
// before its last four characters: "C:/pics/ev.bmp" -> "C:/pics/ev0.bmp". Characters, not bytes:
// a name ending in non-ASCII letters is never split inside one. Throws krnz::Error
// (kErrInvalidProcedureCall) for a name of fewer than four characters, kErrSubscript for a slot
// outside 0..3.
std::string channelPictureName(std::string_view name, int slot);

struct ChannelPicture {
    int slot;
    std::string fileName;
};

// One picture per active slot, in slot order. Throws as channelPictureName does.
std::vector<ChannelPicture> wholeSamplePictures(std::string_view name,
                                                const std::array<bool, kSlots>& active);
// Active: the slot's "channelOn" box is checked.
std::vector<ChannelPicture> wholeSamplePictures(std::string_view name,
                                                const settings::Options& options);

}  // namespace krnz::view
