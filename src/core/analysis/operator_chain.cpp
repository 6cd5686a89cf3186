// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/operator_chain.h"

#include <algorithm>

#include "core/analysis/peak_interpolation.h"
#include "core/common/error.h"

namespace krnz::analysis {
namespace {

void checkRow(int row) {
    if (row < 0 || row >= kSlots) throwSubscript();
}

}  // namespace

OperatorChain::OperatorChain(const TextLookup& texts, Reporter& reporter)
    : m_texts(texts), m_reporter(reporter) {
    for (int r = 0; r < kSlots; ++r) m_rows[r].sourceChannel = r + 1;
}

const OperatorChain::Row& OperatorChain::rowAt(int row) const {
    checkRow(row);
    return m_rows[row];
}

OperatorChain::Row& OperatorChain::rowAt(int row) {
    checkRow(row);
    return m_rows[row];
}

const std::vector<Operator>& OperatorChain::opInt(int row) const {
    checkRow(row);
    return m_opInt[row];
}

void OperatorChain::select(int row, int index) {
    Row& r = rowAt(row);
    if (index < -1 || index >= static_cast<int>(r.opGrid.size())) throwSubscript();
    r.selected = index;
}

void OperatorChain::setCurrentRow(int row) {
    checkRow(row);
    m_currentRow = row;
}

void OperatorChain::setSourceChannel(int row, int channel) {
    if (channel < 1 || channel > kSlots) throwSubscript();
    rowAt(row).sourceChannel = channel;
}

std::array<int, kSlots> OperatorChain::sourceChannels() const {
    std::array<int, kSlots> channels{};
    for (int r = 0; r < kSlots; ++r) channels[r] = m_rows[r].sourceChannel;
    return channels;
}

void OperatorChain::setIntOn(int row, bool on) {
    rowAt(row).intOn = on;
}

int OperatorChain::firstActiveRow() const {
    for (int r = 0; r < kSlots; ++r)
        if (m_channelOn[r]) return r;
    return kSlots;
}

int OperatorChain::insertPosition(int row) const {
    const Row& r = rowAt(row);
    if (!r.opGrid.empty() && r.selected < 0) return static_cast<int>(r.opGrid.size());
    return r.selected + 1;
}

void OperatorChain::insertEntry(int row, std::string display, Operator op) {
    const int position = insertPosition(row);
    Row& r = m_rows[row];
    r.opGrid.insert(r.opGrid.begin() + position, std::move(display));
    m_opInt[row].insert(m_opInt[row].begin() + position, std::move(op));
    r.selected = position;
}

void OperatorChain::removeEntry(int row, int index) {
    Row& r = m_rows[row];
    r.opGrid.erase(r.opGrid.begin() + index);
    m_opInt[row].erase(m_opInt[row].begin() + index);
    if (r.selected >= index) --r.selected;
}

void OperatorChain::addOperator(int op) {
    if (op < 0 || op >= kOperatorCount || op == kOpLowPass || op == kOpHiPass || op == kOpResultant)
        throw Error(kErrInvalidProcedureCall, "addOperator: operator " + std::to_string(op) +
                                                  " takes parameters or does not exist");
    const Operator entry = plainOperator(static_cast<OperatorKind>(op));
    insertEntry(m_currentRow, displayEntry(entry, m_texts), entry);
}

void OperatorChain::addFilter(int op, int frequencyHz) {
    if (op != kOpLowPass && op != kOpHiPass)
        throw Error(kErrInvalidProcedureCall,
                    "addFilter: operator " + std::to_string(op) + " is no filter");
    const Operator entry = filterOperator(static_cast<OperatorKind>(op), frequencyHz);
    insertEntry(m_currentRow, displayEntry(entry, m_texts), entry);
}

void OperatorChain::addResultant(const ResultantChoice& choice) {
    const auto sources = std::count(choice.source.begin(), choice.source.end(), true);
    if (sources < 2 || sources > 3 || choice.destinationChannel < 1 ||
        choice.destinationChannel > kSlots)
        throw Error(kErrInvalidProcedureCall,
                    "addResultant: 2 or 3 sources and a destination 1..4 needed");
    const std::int64_t group = m_resultantCounter;
    for (int r = 0; r < kSlots; ++r) {
        if (!choice.source[r]) continue;
        const Operator source = resultantOperator(ResultantRole::Source, group);
        insertEntry(r, displayEntry(source, m_texts), source);
    }
    const Operator destination = resultantOperator(ResultantRole::Destination, group);
    insertEntry(choice.destinationChannel - 1, displayEntry(destination, m_texts), destination);
    ++m_resultantCounter;
}

void OperatorChain::deleteSelected() {
    const int row = m_currentRow;
    const int index = m_rows[row].selected;
    if (index < 0) return;
    if (m_opInt[row][index].kind != OperatorKind::Resultant) {
        removeEntry(row, index);
        return;
    }
    const std::int64_t group = m_opInt[row][index].group;
    for (int r = 0; r < kSlots; ++r) {
        for (int i = static_cast<int>(m_opInt[r].size()) - 1; i >= 0; --i) {
            const Operator& entry = m_opInt[r][i];
            if (entry.kind == OperatorKind::Resultant && entry.group == group) removeEntry(r, i);
        }
    }
}

void OperatorChain::clear() {
    for (int r = 0; r < kSlots; ++r) {
        m_rows[r].opGrid.clear();
        m_rows[r].selected = -1;
        m_opInt[r].clear();
    }
}

std::optional<std::string> OperatorChain::filterFrequencyText(int row, int index) const {
    const std::vector<Operator>& list = opInt(row);
    if (index < 0 || index >= static_cast<int>(list.size())) return std::nullopt;
    const OperatorKind kind = list[index].kind;
    if (kind != OperatorKind::LowPass && kind != OperatorKind::HiPass) return std::nullopt;
    return cutOffText(list[index]);
}

bool OperatorChain::editFrequency(int row, int index, int frequencyHz) {
    if (!filterFrequencyText(row, index)) return false;
    const Operator entry = filterOperator(m_opInt[row][index].kind, frequencyHz);
    m_rows[row].opGrid[index] = displayEntry(entry, m_texts);
    m_opInt[row][index] = entry;
    return true;
}

void OperatorChain::setLoadedLists(const EncodedLists& encoded) {
    clear();
    for (int r = 0; r < kSlots; ++r) {
        for (const std::string& text : encoded[r]) {
            const Operator& entry = m_opInt[r].emplace_back(parseEntry(text));
            m_rows[r].opGrid.push_back(displayLoadedEntry(text, m_texts));
            if (entry.kind == OperatorKind::Resultant)
                m_resultantCounter = std::max(m_resultantCounter, entry.group + 1);
        }
    }
}

void OperatorChain::init(const Event& event) {
    m_loadedSamples = event.sample.sampleData;
}

void OperatorChain::restore(Event& event) const {
    SampleRecord& rec = event.sample;
    rec.sampleData = m_loadedSamples;
    calcMinMax(rec);
    for (int c = 0; c < kSlots; ++c) {
        rec.curUnit[c] = event.channels[c].unit;
        rec.rmsFlag[c] = false;
    }
}

void OperatorChain::showChain(Event& event) const {
    SampleRecord& rec = event.sample;
    if (rec.sampleData.samplesPerRow() != m_loadedSamples.samplesPerRow() ||
        rec.sampleData.empty() != m_loadedSamples.empty())
        throw Error(kErrProgram, "The toolbox's copy of the samples does not belong to this event");

    for (int r = 0; r < kSlots; ++r) {
        const int source = m_rows[r].sourceChannel - 1;
        const std::span<const float> from = m_loadedSamples.row(source);
        std::copy(from.begin(), from.end(), rec.sampleData.row(r).begin());
        rec.curUnit[r] = event.channels[source].unit;
        rec.rmsFlag[r] = false;
    }
    runOperatorLists(event, m_opInt, m_texts, m_reporter);
    if (rec.sampleData.empty()) return;

    calcMinMax(rec);
    for (int r = 0; r < kSlots; ++r) {
        if (!m_rows[r].intOn) continue;
        const InterpolatedPeak peak = interpolatePeak(rec.sampleData.row(r));
        rec.chMin[r] = static_cast<float>(-peak.value);
        rec.chMax[r] = static_cast<float>(peak.value);
        rec.chMinIndex[r] = peak.index;
    }
    rec.allMin = *std::min_element(rec.chMin.begin(), rec.chMin.end());
    rec.allMax = *std::max_element(rec.chMax.begin(), rec.chMax.end());
}

}  // namespace krnz::analysis
