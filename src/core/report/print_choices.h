// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/event/event.h"

namespace krnz::report {

// What the print dialog asks the page to hold.
struct PrintChoices {
    bool spectrumPrint = false;  // the spectrum window asked for the print: landscape graphs
    bool fftAll = false;         // `fft_all`: all four graphs, else the one chosen in `fft_sel`
    int fftSel = 0;
    bool samples = true;  // the channel strips
    // The event frame's three option buttons. The first two lay out the page alike; the
    // include boxes below decide what it holds.
    bool samplesOnly = true;
    bool samplesAndInfo = false;
    bool onlyPpvzx = false;  // `only_ppv_zx`: the diagram alone under the header
    bool ppvzx = false;      // the diagram beside the information box
    std::array<bool, kSlots> channelOn{true, true, true, true};
    bool bold = false;
    double printPenWidth = 20.0;  // twips, the trace pen with `bold`
    bool cursor = false;
    bool printzoom = false;
    bool printHeader = true;  // the company block
    bool userInfo = true;     // the user information in the information box
    bool channelInfo = true;  // a line of channel measures above each strip
    bool sampleInfo = true;   // the sample information in the information box
    bool sensor = true;       // the sensor and channel number in that line
};

// `printChannelOn`: the slot's `channelOn` box is ticked.
bool printChannelOn(const PrintChoices& choices, int slot);
// `countPrintChannelsBefore`: ticked slots among 0..slot-1, the strip position of `slot`.
int countPrintChannelsBefore(const PrintChoices& choices, int slot);
int countPrintChannels(const PrintChoices& choices);

// A cursor line of the main window carried onto the page.
struct PrintCursor {
    double fraction = 0.0;  // position along the record: 0 its first sample, 1 its end
    std::string caption;    // the readout shown beside it
};

// What the page takes from the main window.
struct PrintView {
    std::vector<std::string> sampleLabels;  // the sample-information panel
    std::vector<std::string> sampleValues;
    std::array<std::vector<std::string>, kSlots> channelLabels;  // the channel panel
    std::array<std::vector<std::string>, kSlots> channelValues;
    std::array<std::string, 5> userCaptions{"Client", "Operation", "Location", "Operator", "Notes"};
    std::string channelText = "Channel";  // names a strip when the sensor is not printed
    bool processed = false;               // the toolbox's rows are shown: their units apply
    // The part of the record scrolled into view, as fractions of it; the whole record unzoomed.
    double visibleStart = 0.0;
    double visibleEnd = 1.0;
    std::vector<PrintCursor> cursors;  // the cursor and the reference while they are shown
};

// The part of the record a zoomed main window shows: zoom factor and the scroll bar's value and
// maximum, its strips zoom times the window's height.
struct VisiblePart {
    double start = 0.0;
    double end = 1.0;
};
VisiblePart visiblePart(int zoom, int scrollValue, int scrollMax);

// The samples from `start` to `end` (fractions of the record) of a record of n samples: at least
// one sample when n > 0.
struct SampleRange {
    std::int32_t first = 0;
    std::int32_t last = -1;
};
SampleRange sampleRangeOf(double start, double end, std::int32_t n);

}  // namespace krnz::report
