// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/analysis/measurements.h"
#include "core/event/event.h"
#include "core/settings/text_lookup.h"

namespace krnz {

// What the panels need beyond the event: the view's state and the toolbox's choices.
struct PanelInputs {
    bool processed = false;
    std::array<int, kSlots> sourceChannel = {1, 2, 3, 4};  // toolbox row c takes this channel
    std::array<bool, kSlots> channelOn = {true, true, true, true};
    double timeScaleS = 1.0;  // seconds per time-grid division
};

// The main window's two panels as label and value lines (the window joins them with CR LF).
struct PanelTexts {
    std::vector<std::string> sampleLabels;
    std::vector<std::string> sampleValues;
    std::array<std::vector<std::string>, kSlots> channelLabels;
    std::array<std::vector<std::string>, kSlots> channelValues;
};

// The channel/input caption of a slot: its sensor and file channel, "Geo 1".
std::string channelCaption(const Event& event, int slot);

// Whether the sample panel shows the vector maximum: slots 0..2 shown and in one unit.
bool showsVectorMax(const Event& event, const PanelInputs& inputs);

// Value column of the sample-info panel.
std::vector<std::string> set_sample_texts(Event& event, const PanelInputs& inputs);

// Both panels; measures the event (vector maximum time is written back to it).
PanelTexts setMainWindowTexts(Event& event, const PanelInputs& inputs, const TextLookup& texts);

// The same from measures already taken (measureChannels).
PanelTexts setMainWindowTexts(Event& event, const PanelInputs& inputs, const TextLookup& texts,
                              const std::array<ChannelMeasures, kSlots>& measures);

std::string joinLines(const std::vector<std::string>& lines, const std::string& separator);

}  // namespace krnz
