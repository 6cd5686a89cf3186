// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis/chain_runner.h"
#include "core/analysis/operator_codes.h"
#include "core/analysis/reporter.h"
#include "core/event/event.h"
#include "core/settings/text_lookup.h"

namespace krnz::analysis {

// Rows chosen in the resultant dialog: sources (2 or 3 of the rows 0..3) and the destination
// channel counted from 1.
struct ResultantChoice {
    std::array<bool, kSlots> source{};
    int destinationChannel = 1;
};

// The toolbox's model: per row the operator list (displayed `opGrid` and typed `opInt`, with a
// selected entry), the source channel and the "intOn" box; the copy of the samples as loaded;
// the resultant group counter. The toolbox window drives it, the command line and the tests use
// it without a window. Messages go to the Reporter.
class OperatorChain {
  public:
    OperatorChain(const TextLookup& texts, Reporter& reporter);

    // Row lists. selected() is -1 when no entry is selected.
    const std::vector<std::string>& opGrid(int row) const { return rowAt(row).opGrid; }
    const std::vector<Operator>& opInt(int row) const;
    const OperatorLists& opIntLists() const { return m_opInt; }
    int selected(int row) const { return rowAt(row).selected; }
    // Selects entry `index` of the row (-1: none); throws krnz::Error outside the list.
    void select(int row, int index);

    // The row whose list last had the focus: where the operator buttons and "delete" act.
    int currentRow() const { return m_currentRow; }
    void setCurrentRow(int row);

    // Source channel 1..4 of each row; throws krnz::Error outside 1..4.
    int sourceChannel(int row) const { return rowAt(row).sourceChannel; }
    void setSourceChannel(int row, int channel);
    std::array<int, kSlots> sourceChannels() const;

    bool intOn(int row) const { return rowAt(row).intOn; }
    void setIntOn(int row, bool on);

    // The rows' "channelOn" boxes, copied from the display options; the first row whose box is
    // checked, kSlots when none is.
    void setChannelOn(const std::array<bool, kSlots>& channelOn) { m_channelOn = channelOn; }
    const std::array<bool, kSlots>& channelOn() const { return m_channelOn; }
    int firstActiveRow() const;

    // Number the next resultant group gets.
    std::int64_t resultantCounter() const { return m_resultantCounter; }

    // Where a new entry of the row goes: after the selected entry, at the end when none is
    // selected (0 for an empty list).
    int insertPosition(int row) const;

    // The operator buttons. The new entry goes to insertPosition of the current row and becomes
    // the selected one, so that a series of additions keeps its order. addFilter takes the
    // confirmed frequency of the frequency dialog (op 2 or 3); addResultant the confirmed choice
    // of the resultant dialog: one source entry in each source row, ascending, then the
    // destination entry, all of a new group. Wrong operator numbers throw krnz::Error.
    void addOperator(int op);
    void addFilter(int op, int frequencyHz);
    void addResultant(const ResultantChoice& choice);

    // "delete": removes the selected entry of the current row, the entry before it becoming
    // selected; a resultant entry takes its whole group out of every row. Nothing happens when
    // no entry is selected.
    void deleteSelected();

    // "new": empties every list.
    void clear();

    // The frequency of a low-pass or high-pass entry as its encoded entry writes it (the dialog's
    // start text); nothing for other entries.
    std::optional<std::string> filterFrequencyText(int row, int index) const;
    // Sets a filter entry's frequency; false (nothing changes) when it is no filter entry.
    bool editFrequency(int row, int index, int frequencyHz);

    // Replaces every list with encoded entries read from a macro, each parsed once and displayed
    // as a loaded entry. The group counter moves past the macro's group numbers, so groups added
    // later stay apart.
    void setLoadedLists(const EncodedLists& encoded);

    // The loaded copy: init() after every load of an event; restore() when the toolbox closes
    // (samples back, peak scan, units as read).
    void init(const Event& event);
    void restore(Event& event) const;
    const SampleMatrix& loadedSamples() const { return m_loadedSamples; }

    // "show": rebuilds the rows from the loaded copy and the source channels, runs every list,
    // then the peak scan, the peak interpolation of the "intOn" rows and the extremes over all
    // rows. The caller then rewrites the panels as processed and redraws. Throws krnz::Error when
    // init() was not called for this event.
    void showChain(Event& event) const;

  private:
    struct Row {
        std::vector<std::string> opGrid;
        int selected = -1;
        int sourceChannel = 1;
        bool intOn = false;
    };

    const Row& rowAt(int row) const;
    Row& rowAt(int row);
    void insertEntry(int row, std::string display, Operator op);
    void removeEntry(int row, int index);

    const TextLookup& m_texts;
    Reporter& m_reporter;
    std::array<Row, kSlots> m_rows;
    OperatorLists m_opInt;  // kept apart so that the runner and macros take all four at once
    int m_currentRow = 0;
    std::array<bool, kSlots> m_channelOn = {true, true, true, true};
    std::int64_t m_resultantCounter = 0;
    SampleMatrix m_loadedSamples;
};

}  // namespace krnz::analysis
