// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/apply_operator.h"

#include <array>
#include <cassert>
#include <cmath>
#include <optional>
#include <vector>

#include "core/analysis/filter2.h"
#include "core/analysis/integration.h"
#include "core/analysis/resultant.h"
#include "core/analysis/unit_bookkeeping.h"
#include "core/analysis/weightings.h"
#include "core/common/error.h"

namespace krnz::analysis {
namespace {

OperatorOutcome refused(OperatorRefusal refusal) {
    OperatorOutcome outcome;
    outcome.refusal = refusal;
    return outcome;
}

// Integration or differentiation with the unit bookkeeping around it.
OperatorOutcome applyCalculus(Event& event, OperatorKind kind, int row, double dt) {
    SampleRecord& rec = event.sample;
    const bool integrating = kind == OperatorKind::Integrate;
    const std::optional<UnitChange> change =
        integrating ? integratedUnit(rec.curUnit[row]) : differentiatedUnit(rec.curUnit[row]);
    if (!change) return refused(OperatorRefusal::IllegalUnit);
    const std::span<float> x = rec.sampleData.row(row);
    if (integrating) {
        integrate(x, dt, change->factor);
    } else {
        differentiate(x, dt, change->factor);
    }
    rec.curUnit[row] = static_cast<std::int16_t>(change->unit);
    rec.rmsFlag[row] = false;
    return {};
}

OperatorOutcome applyFilter(Event& event, const Operator& op, int row, double dt) {
    SampleRecord& rec = event.sample;
    if (!isUsableCutOff(op.cutOffHz, dt)) {
        OperatorOutcome outcome = refused(OperatorRefusal::UnusableCutOff);
        // The whole frequencies that lie strictly between 0 and half the sampling frequency.
        outcome.highestCutOffHz = std::ceil(0.5 / dt) - 1.0;
        return outcome;
    }
    filter2(rec.sampleData.row(row), dt, op.cutOffHz, op.kind == OperatorKind::LowPass);
    rec.rmsFlag[row] = false;
    return {};
}

OperatorOutcome applyWeighting(Event& event, OperatorKind kind, int row) {
    SampleRecord& rec = event.sample;
    const std::span<float> x = rec.sampleData.row(row);
    try {
        if (kind == OperatorKind::ComfortDin) {
            comfortDin(x, rec.frq);
        } else if (kind == OperatorKind::ComfortScand) {
            comfortScand(x, rec.frq);
        } else {
            swedishStandard(x, rec.frq);
        }
    } catch (const Error& e) {
        OperatorOutcome outcome = refused(OperatorRefusal::WeightingRefused);
        outcome.reason = e.text();
        return outcome;
    }
    rec.rmsFlag[row] = kind != OperatorKind::SwedishStandard;
    return {};
}

}  // namespace

OperatorOutcome applyOperator(Event& event, const Operator& op, int row) {
    if (row < 0 || row >= kSlots) throwSubscript();
    const SampleRecord& rec = event.sample;
    const double dt = static_cast<double>(rec.nSecPerChannel) / rec.nSamplesPerChannel;
    switch (op.kind) {
        case OperatorKind::Integrate:
        case OperatorKind::Diff:
            return applyCalculus(event, op.kind, row, dt);
        case OperatorKind::LowPass:
        case OperatorKind::HiPass:
            return applyFilter(event, op, row, dt);
        case OperatorKind::ComfortDin:
        case OperatorKind::ComfortScand:
        case OperatorKind::SwedishStandard:
            return applyWeighting(event, op.kind, row);
        case OperatorKind::Resultant:
        case OperatorKind::Illegal:
            return refused(OperatorRefusal::IllegalOperator);
    }
    assert(false);
    return refused(OperatorRefusal::IllegalOperator);
}

std::array<OperatorOutcome, 2> applyOperatorPair(Event& event, const Operator& op, int rowA,
                                                 int rowB) {
    if (rowA < 0 || rowA >= kSlots || rowB < 0 || rowB >= kSlots) throwSubscript();
    SampleRecord& rec = event.sample;
    const double dt = static_cast<double>(rec.nSecPerChannel) / rec.nSamplesPerChannel;
    const bool filter = op.kind == OperatorKind::LowPass || op.kind == OperatorKind::HiPass;
    const bool comfort =
        op.kind == OperatorKind::ComfortDin || op.kind == OperatorKind::ComfortScand;
    // Whether these refuse depends on the operator and the sampling only, never on the row.
    if (rowA == rowB || (!filter && !comfort) || (filter && !isUsableCutOff(op.cutOffHz, dt)))
        return {applyOperator(event, op, rowA), applyOperator(event, op, rowB)};
    const std::span<float> a = rec.sampleData.row(rowA), b = rec.sampleData.row(rowB);
    if (filter) {
        filter2Pair(a, b, dt, op.cutOffHz, op.kind == OperatorKind::LowPass);
    } else {
        try {
            if (op.kind == OperatorKind::ComfortDin) {
                comfortDinPair(a, b, rec.frq);
            } else {
                comfortScandPair(a, b, rec.frq);
            }
        } catch (const Error& e) {
            OperatorOutcome outcome = refused(OperatorRefusal::WeightingRefused);
            outcome.reason = e.text();
            return {outcome, outcome};
        }
    }
    for (const int row : {rowA, rowB}) rec.rmsFlag[row] = comfort;
    return {};
}

void applyResultant(Event& event, std::span<const int> sources, int row) {
    if (row < 0 || row >= kSlots) throwSubscript();
    if (sources.size() != 2 && sources.size() != 3)
        throw Error(kErrInvalidProcedureCall, "applyResultant: 2 or 3 source rows needed");
    SampleRecord& rec = event.sample;
    std::vector<int> units;
    for (const int source : sources) {
        if (source < 0 || source >= kSlots) throwSubscript();
        units.push_back(rec.curUnit[source]);
    }
    resultant(rec.sampleData, row, sources[0], sources[1],
              sources.size() == 3 ? std::optional<int>(sources[2]) : std::nullopt);
    rec.curUnit[row] = static_cast<std::int16_t>(resultantUnit(units));
    rec.rmsFlag[row] = false;
}

}  // namespace krnz::analysis
