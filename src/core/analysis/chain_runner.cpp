// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/chain_runner.h"

#include <algorithm>
#include <optional>
#include <set>
#include <string_view>

#include "core/analysis/apply_operator.h"
#include "core/analysis/operator_codes.h"

namespace krnz::analysis {
namespace {

class ChainRun {
  public:
    ChainRun(Event& event, const OperatorLists& opInt, const TextLookup& texts, Reporter& reporter)
        : m_event(event), m_opInt(opInt), m_texts(texts), m_reporter(reporter) {}

    void run() {
        for (;;) {
            for (int r = 0; r < kSlots; ++r) runUpToResultant(r);
            std::vector<std::int64_t> candidates;
            for (int r = 0; r < kSlots; ++r) {
                if (atEnd(r)) continue;
                const std::int64_t group = parseResultantEntry(current(r))->group;
                if (std::find(candidates.begin(), candidates.end(), group) == candidates.end())
                    candidates.push_back(group);
            }
            if (candidates.empty()) return;
            const auto ready = std::find_if(candidates.begin(), candidates.end(),
                                            [this](std::int64_t group) { return isReady(group); });
            if (ready != candidates.end()) {
                runGroup(*ready);
            } else {
                // Every waiting group waits for another: give up the first so the rest can go on.
                m_skipped.insert(candidates.front());
                reportSkipped(candidates.front());
            }
        }
    }

  private:
    bool atEnd(int r) const { return m_progress[r] >= m_opInt[r].size(); }
    std::string_view current(int r) const { return m_opInt[r][m_progress[r]]; }

    // Runs row r's entries up to its next resultant entry of a group still to run; malformed
    // resultant entries and those of skipped groups are passed over.
    void runUpToResultant(int r) {
        for (; !atEnd(r); ++m_progress[r]) {
            const std::string_view entry = current(r);
            if (operatorNumber(entry) != kOpResultant) {
                applyOperator(m_event, entry, r, m_texts, m_reporter);
                continue;
            }
            const std::optional<ResultantEntry> resultant = parseResultantEntry(entry);
            if (!resultant) {
                m_reporter.message(m_texts.text(kToolboxSection, "illegalOperator"));
                continue;
            }
            if (!m_skipped.contains(resultant->group)) return;
        }
    }

    bool isGroupEntry(int r, std::size_t i, std::int64_t group) const {
        const std::optional<ResultantEntry> entry = parseResultantEntry(m_opInt[r][i]);
        return entry && entry->group == group;
    }

    // Ready when, in every row, the group's remaining entries are the ones the row stands at.
    bool isReady(std::int64_t group) const {
        for (int r = 0; r < kSlots; ++r) {
            std::size_t i = m_progress[r];
            const std::size_t n = m_opInt[r].size();
            while (i < n && isGroupEntry(r, i, group)) ++i;
            for (; i < n; ++i)
                if (isGroupEntry(r, i, group)) return false;
        }
        return true;
    }

    void runGroup(std::int64_t group) {
        std::vector<int> sources;
        std::vector<int> destinations;
        for (int r = 0; r < kSlots; ++r) {
            for (; !atEnd(r); ++m_progress[r]) {
                const std::optional<ResultantEntry> entry = parseResultantEntry(current(r));
                if (!entry || entry->group != group) break;
                (entry->source ? sources : destinations).push_back(r);
            }
        }
        const bool distinctSources =
            std::adjacent_find(sources.begin(), sources.end()) == sources.end();
        if (destinations.size() != 1 || sources.size() < 2 || sources.size() > 3 ||
            !distinctSources) {
            reportSkipped(group);
            return;
        }
        std::string op = std::to_string(kOpResultant) + " ";
        for (const int source : sources) op += std::to_string(source) + " ";
        applyOperator(m_event, op, destinations.front(), m_texts, m_reporter);
    }

    void reportSkipped(std::int64_t group) {
        m_reporter.message(m_texts.text(kToolboxSection, "resultantSkipped") + std::string(kCrLf) +
                           "f = " + opCaption(kOpResultant, m_texts) + std::string(kCrLf) +
                           "N = " + std::to_string(group));
    }

    Event& m_event;
    const OperatorLists& m_opInt;
    const TextLookup& m_texts;
    Reporter& m_reporter;
    std::array<std::size_t, kSlots> m_progress{};
    std::set<std::int64_t> m_skipped;
};

}  // namespace

void runOperatorLists(Event& event, const OperatorLists& opInt, const TextLookup& texts,
                      Reporter& reporter) {
    ChainRun(event, opInt, texts, reporter).run();
}

}  // namespace krnz::analysis
