// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/text_lookup.h"

#include <map>
#include <utility>

namespace krnz {
namespace {

// The texts the panels and the command line need before any language file is at hand. They
// match data/language/english.txt.
class BuiltinEnglish final : public TextLookup {
  public:
    std::string text(std::string_view section, std::string_view key) const override {
        const auto it = m_texts.find({std::string(section), std::string(key)});
        return it != m_texts.end() ? it->second : std::string(key);
    }

  private:
    std::map<std::pair<std::string, std::string>, std::string> m_texts = {
        {{"krn", "instrumentSN"}, "Instrument SN"},
        {{"krn", "eventNumber"}, "Event no."},
        {{"krn", "DateTime"}, "Date/time"},
        {{"krn", "regLength"}, "Record length"},
        {{"krn", "vectorMax"}, "Vector max"},
        {{"krn", "timeScale"}, "Time scale"},
        {{"krn", "channel"}, "Channel"},
        {{"krn", "input"}, "Input"},
        {{"krn", "unit"}, "Unit"},
        {{"krn", "trigLevel"}, "Trigger level"},
        {{"krn", "peak"}, "Peak"},
        {{"krn", "dB"}, "dB"},
        {{"krn", "diff"}, "Diff"},
        {{"krn", "integ"}, "Integ"},
        {{"krn", "frq"}, "Frq"},
        {{"krn", "truncated"},
         "file holds {held} of {total} samples per channel; the rest is shown as 0"},
        {{"verdict", "method"},
         "{standard}: each half-wave's peak against the limit at its zero-crossing frequency; "
         "the limit is interpolated {interpolation} between the line's vertices and held at the "
         "first vertex's value below them and at the last vertex's value above them. A line is "
         "exceeded when the largest ratio of peak to limit is greater than 1."},
        {{"verdict", "logLog"}, "log-log"},
        {{"verdict", "linLin"}, "linearly"},
        {{"verdict", "logLin"}, "on a log frequency and a linear velocity axis"},
        {{"verdict", "linLog"}, "on a linear frequency and a log velocity axis"},
        {{"verdict", "channel"}, "Channel"},
        {{"verdict", "line"}, "Line"},
        {{"verdict", "worstRatio"}, "Worst ratio"},
        {{"verdict", "amplitude"}, "Peak"},
        {{"verdict", "frequency"}, "Frequency"},
        {{"verdict", "limit"}, "Limit"},
        {{"verdict", "exceeds"}, "exceeds"},
        {{"verdict", "below"}, "below"},
        {{"verdict", "none"}, "no half-wave"},
    };
};

}  // namespace

const TextLookup& builtinEnglish() {
    static const BuiltinEnglish texts;
    return texts;
}

}  // namespace krnz
