// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/view/picture_names.h"

#include "core/analysis/active_channels.h"
#include "core/common/error.h"

namespace krnz::view {
namespace {

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

PictureFormat pictureFormatOf(std::string_view name) {
    constexpr std::string_view kPng = ".png";
    if (name.size() < kPng.size()) return PictureFormat::Bmp;
    const std::string_view tail = name.substr(name.size() - kPng.size());
    for (std::size_t i = 0; i < kPng.size(); ++i)
        if (lowerAscii(tail[i]) != kPng[i]) return PictureFormat::Bmp;
    return PictureFormat::Png;
}

std::string channelPictureName(std::string_view name, int slot) {
    if (slot < 0 || slot >= kSlots) throwSubscript();
    // Walk back over four UTF-8 characters: each ends at a byte that starts a sequence.
    std::size_t cut = name.size();
    for (int characters = 0; characters < 4; ++characters) {
        if (cut == 0) throw Error(kErrInvalidProcedureCall, "Invalid procedure call or argument");
        --cut;
        while (cut > 0 && isContinuationByte(name[cut])) --cut;
    }
    std::string result(name.substr(0, cut));
    result += static_cast<char>('0' + slot);
    result += name.substr(cut);
    return result;
}

std::vector<ChannelPicture> wholeSamplePictures(std::string_view name,
                                                const std::array<bool, kSlots>& active) {
    std::vector<ChannelPicture> pictures;
    for (int c = 0; c < kSlots; ++c)
        if (active[static_cast<std::size_t>(c)])
            pictures.push_back({c, channelPictureName(name, c)});
    return pictures;
}

std::vector<ChannelPicture> wholeSamplePictures(std::string_view name,
                                                const settings::Options& options) {
    std::array<bool, kSlots> active{};
    for (int c = 0; c < kSlots; ++c) active[static_cast<std::size_t>(c)] = isActive(options, c);
    return wholeSamplePictures(name, active);
}

}  // namespace krnz::view
