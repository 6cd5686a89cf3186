// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/apply_operator.h"

#include <cassert>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis/filter2.h"
#include "core/analysis/integration.h"
#include "core/analysis/operator_codes.h"
#include "core/analysis/resultant.h"
#include "core/analysis/unit_bookkeeping.h"
#include "core/analysis/weightings.h"
#include "core/common/error.h"
#include "core/common/leading_number.h"
#include "core/common/value_format.h"

namespace krnz::analysis {
namespace {

// "f = " and "c = " lines that say which operator of which row a message is about.
std::string operatorLines(int op, int row, const TextLookup& texts) {
    return std::string(kCrLf) + "f = " + opCaption(op, texts) + std::string(kCrLf) +
           "c = " + std::to_string(row + 1);
}

void reportIllegalOperator(const TextLookup& texts, Reporter& reporter) {
    reporter.message(texts.text(kToolboxSection, "illegalOperator"));
}

// Source rows of an applied resultant: two or three rows 0..3, the split ending in an empty field.
std::optional<std::vector<int>> resultantSources(const std::vector<std::string_view>& fields) {
    if ((fields.size() != 4 && fields.size() != 5) || !fields.back().empty()) return std::nullopt;
    std::vector<int> rows;
    for (std::size_t i = 1; i + 1 < fields.size(); ++i) {
        const std::optional<double> value = leadingNumber(fields[i]);
        if (!value) return std::nullopt;
        const double rowValue = roundHalfEven(*value);
        if (!(rowValue >= 0 && rowValue < kSlots)) return std::nullopt;
        rows.push_back(static_cast<int>(rowValue));
    }
    return rows;
}

// Integration or differentiation with the unit bookkeeping around it.
void applyCalculus(Event& event, int op, int row, double dt, const TextLookup& texts,
                   Reporter& reporter) {
    SampleRecord& rec = event.sample;
    const std::optional<UnitChange> change = op == kOpIntegrate
                                                 ? integratedUnit(rec.curUnit[row])
                                                 : differentiatedUnit(rec.curUnit[row]);
    if (!change) {
        genIllegalUnit(op, row, texts, reporter);
        return;
    }
    const std::span<float> x = rec.sampleData.row(row);
    if (op == kOpIntegrate) {
        integrate(x, dt, change->factor);
    } else {
        differentiate(x, dt, change->factor);
    }
    rec.curUnit[row] = static_cast<std::int16_t>(change->unit);
    rec.rmsFlag[row] = false;
}

void applyFilter(Event& event, int op, const std::vector<std::string_view>& fields, int row,
                 double dt, const TextLookup& texts, Reporter& reporter) {
    SampleRecord& rec = event.sample;
    const double fc = fields.size() > 1 ? val(fields[1]) : 0.0;
    if (!isUsableCutOff(fc, dt)) {
        // The whole frequencies that lie strictly between 0 and half the sampling frequency.
        const double highest = std::ceil(0.5 / dt) - 1.0;
        reporter.message(texts.text(kToolboxSection, "badfrq") + " 1 - " + textOf(highest) +
                         operatorLines(op, row, texts));
        return;
    }
    filter2(rec.sampleData.row(row), dt, fc, op == kOpLowPass);
    rec.rmsFlag[row] = false;
}

void applyWeighting(Event& event, int op, int row, const TextLookup& texts, Reporter& reporter) {
    SampleRecord& rec = event.sample;
    const std::span<float> x = rec.sampleData.row(row);
    try {
        if (op == kOpComfortDin) {
            comfortDin(x, rec.frq);
        } else if (op == kOpComfortScand) {
            comfortScand(x, rec.frq);
        } else {
            swedishStandard(x, rec.frq);
        }
    } catch (const Error& e) {
        reporter.message(e.text() + operatorLines(op, row, texts));
        return;
    }
    rec.rmsFlag[row] = op != kOpSwedishStandard;
}

void applyResultant(Event& event, const std::vector<std::string_view>& fields, int row,
                    const TextLookup& texts, Reporter& reporter) {
    SampleRecord& rec = event.sample;
    const std::optional<std::vector<int>> sources = resultantSources(fields);
    if (!sources) {
        reportIllegalOperator(texts, reporter);
        return;
    }
    const std::vector<int>& s = *sources;
    std::vector<int> units;
    for (const int source : s) units.push_back(rec.curUnit[source]);
    resultant(rec.sampleData, row, s[0], s[1],
              s.size() == 3 ? std::optional<int>(s[2]) : std::nullopt);
    rec.curUnit[row] = static_cast<std::int16_t>(resultantUnit(units));
    rec.rmsFlag[row] = false;
}

}  // namespace

void applyOperator(Event& event, std::string_view op, int row, const TextLookup& texts,
                   Reporter& reporter) {
    if (row < 0 || row >= kSlots) throwSubscript();
    const std::optional<int> number = operatorNumber(op);
    if (!number) {
        reportIllegalOperator(texts, reporter);
        return;
    }
    const SampleRecord& rec = event.sample;
    const double dt = static_cast<double>(rec.nSecPerChannel) / rec.nSamplesPerChannel;
    const std::vector<std::string_view> fields = splitFields(op);
    switch (*number) {
        case kOpIntegrate:
        case kOpDiff:
            applyCalculus(event, *number, row, dt, texts, reporter);
            break;
        case kOpLowPass:
        case kOpHiPass:
            applyFilter(event, *number, fields, row, dt, texts, reporter);
            break;
        case kOpComfortDin:
        case kOpComfortScand:
        case kOpSwedishStandard:
            applyWeighting(event, *number, row, texts, reporter);
            break;
        case kOpResultant:
            applyResultant(event, fields, row, texts, reporter);
            break;
        default:
            assert(false);
    }
}

}  // namespace krnz::analysis
