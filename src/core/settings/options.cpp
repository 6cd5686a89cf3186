// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/options.h"

#include "core/settings/ini_document.h"
#include "core/settings/ini_values.h"
#include "core/settings/scale_table.h"

#include <stdexcept>

namespace krnz::settings {
namespace {

constexpr std::string_view kGeneral = "general";
constexpr std::string_view kGraphic = "graphic";
constexpr std::string_view kScale = "scale";
constexpr int kTabPages = 3;
constexpr std::int32_t kMaxColor = 0xFFFFFF;

std::string slotKey(std::string_view name, int slot) {
    return std::string(name) + std::to_string(slot);
}

void readColor(const IniDocument& file, std::string_view key, int slot, std::int32_t& color) {
    const auto value = parseLong(file.get(kGraphic, slotKey(key, slot), std::to_string(color)));
    if (value && *value >= 0 && *value <= kMaxColor) {
        color = *value;
    }
}

void readSlot(const IniDocument& file, int slot, SlotOptions& options) {
    readColor(file, "backColor", slot, options.colors.bkColor);
    readColor(file, "cursorColor", slot, options.colors.cursorColor);
    readColor(file, "gridColor", slot, options.colors.gridColor);
    readColor(file, "sampleColor", slot, options.colors.sampleColor);
    readColor(file, "refColor", slot, options.colors.refColor);

    if (parseBool(file.get(kScale, slotKey("channelOn", slot), "true"))) {
        options.channelOn = CheckState::Checked;
    }
    const std::string ampScale = file.get(kScale, slotKey("ampScale", slot), "normalize");
    if (ampScale == "manual") {
        options.ampScale = AmpScale::Manual;
    } else if (ampScale == "normalize") {
        options.ampScale = AmpScale::Normalize;
    }
    const auto manualScale = parseNumber(file.get(kScale, slotKey("manualScale", slot), "8"));
    options.manualScale = manualScale ? scalePositionOf(*manualScale) : 0;
}

const char* ampScaleText(AmpScale mode) {
    switch (mode) {
        case AmpScale::Auto:
            return "auto";
        case AmpScale::Manual:
            return "manual";
        case AmpScale::Normalize:
            break;
    }
    return "normalize";
}

std::size_t slotIndex(int slot) {
    if (slot < 0 || slot >= kSlots) {
        throw std::out_of_range("slot " + std::to_string(slot));
    }
    return static_cast<std::size_t>(slot);
}

}  // namespace

void readOptions(const std::filesystem::path& path, Options& options) {
    const IniDocument file = IniDocument::load(path);
    if (parseBool(file.get(kGeneral, "printInColor", "false"))) {
        options.printInColor = true;
    }
    if (const auto tab = parseInteger(file.get(kGeneral, "tab", "1"));
        tab && *tab >= 0 && *tab < kTabPages) {
        options.tab = *tab;
    }
    const std::string reduction = file.get(kGeneral, "printerDataReduction", "1");
    const bool oneDigit = reduction.size() == 1 && reduction[0] >= '0' && reduction[0] <= '3';
    options.printerDataReduction = oneDigit ? reduction[0] - '0' : 1;

    for (int slot = 0; slot < kSlots; ++slot) {
        readSlot(file, slot, options.slotOptions[slotIndex(slot)]);
    }
    const std::string drawStyle = file.get(kGraphic, "drawStyle", "line");
    if (drawStyle == "line") {
        options.drawStyle = DrawStyle::Lines;
    } else if (drawStyle == "pixel") {
        options.drawStyle = DrawStyle::Pixels;
    }
}

void writeOptions(const std::filesystem::path& path, const Options& options) {
    IniDocument file = IniDocument::load(path);
    file.set(kGeneral, "printInColor", iniText(options.printInColor));
    file.set(kGeneral, "tab", iniText(options.tab));
    file.set(kGeneral, "printerDataReduction", iniText(options.printerDataReduction));
    for (int slot = 0; slot < kSlots; ++slot) {
        const SlotColors& colors = options.slotOptions[slotIndex(slot)].colors;
        file.set(kGraphic, slotKey("backColor", slot), iniText(colors.bkColor));
        file.set(kGraphic, slotKey("cursorColor", slot), iniText(colors.cursorColor));
        file.set(kGraphic, slotKey("gridColor", slot), iniText(colors.gridColor));
        file.set(kGraphic, slotKey("sampleColor", slot), iniText(colors.sampleColor));
        file.set(kGraphic, slotKey("refColor", slot), iniText(colors.refColor));
    }
    file.set(kGraphic, "drawStyle", options.drawStyle == DrawStyle::Lines ? "line" : "pixel");
    for (int slot = 0; slot < kSlots; ++slot) {
        const SlotOptions& slotOptions = options.slotOptions[slotIndex(slot)];
        file.set(kScale, slotKey("channelOn", slot),
                 iniText(slotOptions.channelOn == CheckState::Checked));
        file.set(kScale, slotKey("ampScale", slot), ampScaleText(slotOptions.ampScale));
        file.set(kScale, slotKey("manualScale", slot), scaleTableText(slotOptions.manualScale));
    }
    if (file.modified()) {
        file.save();
    }
}

double getManualScale(const Options& options, int slot) {
    return scaleTable().at(options.slotOptions[slotIndex(slot)].manualScale);
}

void applySameColors(Options& options) {
    for (auto& slot : options.slotOptions) {
        slot.colors = options.slotOptions[0].colors;
    }
}

void applyDefaultColors(Options& options) {
    for (auto& slot : options.slotOptions) {
        slot.colors = SlotColors{};
    }
}

bool setChannelOn(Options& options, int slot, bool on) {
    const std::size_t index = slotIndex(slot);
    SlotOptions& target = options.slotOptions[index];
    if (!on) {
        bool otherShown = false;
        for (std::size_t other = 0; other < options.slotOptions.size(); ++other) {
            otherShown = otherShown || (other != index && options.slotOptions[other].channelOn ==
                                                              CheckState::Checked);
        }
        if (!otherShown) {
            target.channelOn = CheckState::Checked;
            return false;
        }
    }
    target.channelOn = on ? CheckState::Checked : CheckState::Unchecked;
    return true;
}

std::array<std::string, 4> printerDataReductionTexts(const TextLookup& texts) {
    const std::string deviation = texts.text("option", "deviation");
    return {"Maximal " + texts.text("option", "resolution"), "max 1% " + deviation,
            "max 2% " + deviation, "max 5% " + deviation};
}

}  // namespace krnz::settings
