// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/slots.h"
#include "core/settings/text_lookup.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace krnz::settings {

// Colours are 24-bit RGB values with red in the low byte.
inline constexpr std::int32_t kDefaultBkColor = 8454143;      // light yellow
inline constexpr std::int32_t kDefaultCursorColor = 4259584;  // green
inline constexpr std::int32_t kDefaultGridColor = 8355711;    // grey
inline constexpr std::int32_t kDefaultSampleColor = 0;        // black
inline constexpr std::int32_t kDefaultRefColor = 255;         // red

// The full-scale position of the stored default "8".
inline constexpr std::size_t kDefaultManualScale = 13;

// A slot's check box: the event readers grey the box of a slot without a sensor.
enum class CheckState { Unchecked, Checked, Greyed };

// Amplitude scaling of a slot: the option buttons `auto`, `manual`, `normalize`.
enum class AmpScale { Auto, Manual, Normalize };

// Waveforms as connected `lines` or as single `pixels`; one choice for all slots.
enum class DrawStyle { Lines, Pixels };

struct SlotColors {
    std::int32_t bkColor = kDefaultBkColor;
    std::int32_t cursorColor = kDefaultCursorColor;
    std::int32_t gridColor = kDefaultGridColor;
    std::int32_t sampleColor = kDefaultSampleColor;
    std::int32_t refColor = kDefaultRefColor;

    bool operator==(const SlotColors&) const = default;
};

struct SlotOptions {
    SlotColors colors;
    CheckState channelOn = CheckState::Checked;
    AmpScale ampScale = AmpScale::Normalize;
    std::size_t manualScale = kDefaultManualScale;  // position in scaleTable()
    std::size_t manualScaleFrq = 0;                 // position in scaleTable(), spectrum window

    bool operator==(const SlotOptions&) const = default;
};

// The display and print preferences of the options dialog, the live copy every window reads.
// A default-constructed Options equals what readOptions makes of a missing file.
struct Options {
    bool printInColor = false;
    int tab = 1;                   // selected page of the dialog: 0 general, 1 graphics, 2 scale
    int printerDataReduction = 1;  // 0 full resolution, 1/2/3: max 1 %, 2 %, 5 % deviation
    DrawStyle drawStyle = DrawStyle::Lines;
    std::array<SlotOptions, kSlots> slotOptions{};

    bool operator==(const Options&) const = default;
};

// Applies the stored preferences of `file` to `options`. Only what the file can select is
// changed: "printInColor" and "channelOn" only ever check a box, "drawStyle" selects lines or
// pixels (a missing key lines, any other value neither), and "ampScale" only selects manual or
// normalize, so a slot stored as "auto" keeps its current mode. "manualScale" selects the first
// position holding the stored value (never one of the repeated positions 42..48), or position 0 for
// any other value. A value that is not a number, or a colour or page out of range, leaves the
// preference as it is.
void readOptions(const std::filesystem::path& file, Options& options);

// Stores every preference in `file` in one atomic write; throws krnz::Error on failure.
void writeOptions(const std::filesystem::path& file, const Options& options);

// The manual full scale of a slot: the scale-table value at its `manualScale` position.
double getManualScale(const Options& options, int slot);

// `sameColor`: every slot takes slot 0's five colours.
void applySameColors(Options& options);
// `defaultColors`: every slot takes the default colours.
void applyDefaultColors(Options& options);

// Checks or unchecks a slot's `channelOn` box. Unchecking when no other slot is checked is
// refused: the box is checked again and false returned, so at least one slot stays shown.
bool setChannelOn(Options& options, int slot, bool on);

// The four entries of the printer data-reduction list in the current language.
std::array<std::string, 4> printerDataReductionTexts(const TextLookup& texts);

}  // namespace krnz::settings
