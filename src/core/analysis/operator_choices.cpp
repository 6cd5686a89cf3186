// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/operator_choices.h"

#include <algorithm>
#include <string>

#include "core/analysis/operator_codes.h"
#include "core/common/error.h"
#include "core/common/leading_number.h"
#include "core/common/value_format.h"

namespace krnz::analysis {

std::optional<int> frequencyChoice(std::string_view text, const TextLookup& texts,
                                   Reporter& reporter) {
    const double f = roundHalfEven(val(text));
    if (f >= kMinFilterHz && f <= kMaxFilterHz) return static_cast<int>(f);
    reporter.message(texts.text(kToolboxSection, "badfrq") + " " + std::to_string(kMinFilterHz) +
                     " - " + std::to_string(kMaxFilterHz));
    return std::nullopt;
}

std::optional<ResultantChoice> resultantChoice(const std::array<bool, kSlots>& checked,
                                               int destinationChannel, const TextLookup& texts,
                                               Reporter& reporter) {
    const auto count = std::count(checked.begin(), checked.end(), true);
    if (count < 2 || count > 3) {
        reporter.message(texts.text(kToolboxSection, "selectNchannels") + "!");
        return std::nullopt;
    }
    if (destinationChannel < 1 || destinationChannel > kSlots) throwSubscript();
    return ResultantChoice{checked, destinationChannel};
}

}  // namespace krnz::analysis
