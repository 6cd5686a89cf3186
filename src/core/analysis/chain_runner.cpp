// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/chain_runner.h"

#include <algorithm>
#include <array>
#include <exception>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/analysis/apply_operator.h"
#include "core/analysis/operator_messages.h"
#include "core/common/parallel.h"

namespace krnz::analysis {
namespace {

class ChainRun {
  public:
    ChainRun(Event& event, const OperatorLists& opInt, const TextLookup& texts, Reporter& reporter)
        : m_event(event), m_opInt(opInt), m_texts(texts), m_reporter(reporter) {}

    void run() {
        for (;;) {
            runRowsUpToResultants();
            std::vector<std::int64_t> candidates;
            for (int r = 0; r < kSlots; ++r) {
                if (atEnd(r)) continue;
                const std::int64_t group = current(r).group;
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
    const Operator& current(int r) const { return m_opInt[r][m_progress[r]]; }

    struct Done {
        OperatorOutcome outcome;
        OperatorKind kind;
    };

    // Each row up to its next resultant entry. The rows touch only their own samples until
    // then, so they run side by side; what they have to say is worded and told afterwards,
    // row by row, as a run one row after another would tell it.
    void runRowsUpToResultants() {
        std::array<std::vector<Done>, kSlots> done;
        std::array<std::exception_ptr, kSlots> failures;
        static_assert(kSlots % 2 == 0);
        parallelFor(kSlots / 2, [&](int pair) {
            const int a = 2 * pair, b = a + 1;
            try {
                runPairUpToResultants(a, b, done);
            } catch (...) {
                failures[static_cast<std::size_t>(a)] = std::current_exception();
            }
        });
        for (int r = 0; r < kSlots; ++r) {
            for (const Done& d : done[static_cast<std::size_t>(r)])
                if (const std::optional<std::string> text =
                        outcomeMessage(d.outcome, d.kind, r, m_texts))
                    m_reporter.message(*text);
            if (failures[static_cast<std::size_t>(r)])
                std::rethrow_exception(failures[static_cast<std::size_t>(r)]);
        }
    }

    // Whether row r stands at an entry to run now (not at its end or a resultant entry of a
    // group still to run); resultant entries of skipped groups are passed over.
    bool hasEntryToRun(int r) {
        for (; !atEnd(r); ++m_progress[r]) {
            const Operator& op = current(r);
            if (op.kind != OperatorKind::Resultant) return true;
            if (!m_skipped.contains(op.group)) return false;
        }
        return false;
    }

    // Rows a and b each up to their next resultant entry. Where both stand at the same
    // operator it works both rows at once; each row still takes its own entries in its order.
    void runPairUpToResultants(int a, int b, std::array<std::vector<Done>, kSlots>& done) {
        for (;;) {
            const bool runA = hasEntryToRun(a), runB = hasEntryToRun(b);
            if (!runA && !runB) return;
            if (runA && runB && current(a) == current(b)) {
                const std::array<OperatorOutcome, 2> outcomes =
                    applyOperatorPair(m_event, current(a), a, b);
                done[static_cast<std::size_t>(a)].push_back({outcomes[0], current(a).kind});
                done[static_cast<std::size_t>(b)].push_back({outcomes[1], current(b).kind});
                ++m_progress[a];
                ++m_progress[b];
                continue;
            }
            for (const int r : {a, b}) {
                if (!(r == a ? runA : runB)) continue;
                done[static_cast<std::size_t>(r)].push_back(
                    {applyOperator(m_event, current(r), r), current(r).kind});
                ++m_progress[r];
            }
        }
    }

    bool isGroupEntry(const Operator& op, std::int64_t group) const {
        return op.kind == OperatorKind::Resultant && op.group == group;
    }

    // Ready when, in every row, the group's remaining entries are the ones the row stands at.
    bool isReady(std::int64_t group) const {
        for (int r = 0; r < kSlots; ++r) {
            std::size_t i = m_progress[r];
            const std::size_t n = m_opInt[r].size();
            while (i < n && isGroupEntry(m_opInt[r][i], group)) ++i;
            for (; i < n; ++i)
                if (isGroupEntry(m_opInt[r][i], group)) return false;
        }
        return true;
    }

    void runGroup(std::int64_t group) {
        std::vector<int> sources;
        std::vector<int> destinations;
        for (int r = 0; r < kSlots; ++r) {
            for (; !atEnd(r) && isGroupEntry(current(r), group); ++m_progress[r])
                (current(r).role == ResultantRole::Source ? sources : destinations).push_back(r);
        }
        const bool distinctSources =
            std::adjacent_find(sources.begin(), sources.end()) == sources.end();
        if (destinations.size() != 1 || sources.size() < 2 || sources.size() > 3 ||
            !distinctSources) {
            reportSkipped(group);
            return;
        }
        applyResultant(m_event, sources, destinations.front());
    }

    void reportSkipped(std::int64_t group) {
        m_reporter.message(resultantSkippedMessage(group, m_texts));
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
