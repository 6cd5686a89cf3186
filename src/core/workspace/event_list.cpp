// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workspace/event_list.h"

#include <algorithm>

#include "core/common/value_format.h"
#include "core/event/units.h"
#include "core/settings/ini_text.h"
#include "core/workspace/summary_table.h"

namespace krnz {
namespace {

namespace fs = std::filesystem;

bool isVelocity(const std::string& unit) {
    return unit == unitName(kUnitMmPerS) || unit == unitName(kUnitIps);
}

// The vector sum means something only over three geophones of one unit, as the panel shows it.
std::optional<std::string> vectorMaxUnit(const EventSummary& e) {
    if (e.channels.size() < 3) return std::nullopt;
    const std::string& unit = e.channels[0].unit;
    for (std::size_t c = 0; c < 3; ++c)
        if (e.channels[c].sensorKind == 0 || !isVelocity(e.channels[c].unit) ||
            e.channels[c].unit != unit)
            return std::nullopt;
    return unit;
}

std::optional<double> loudest(const EventSummary& e) {
    std::optional<double> db;
    for (const ChannelSummary& c : e.channels)
        if (c.dB && (!db || *c.dB > *db)) db = c.dB;
    return db;
}

}  // namespace

FileStamp stampOf(const fs::path& file) {
    std::error_code error;
    FileStamp stamp;
    stamp.modified = fs::last_write_time(file, error);
    if (error) return {};
    stamp.size = fs::file_size(file, error);
    if (error) return {};
    return stamp;
}

bool cellLess(const EventCell& a, const EventCell& b) {
    if (a.number && b.number) return *a.number < *b.number;
    if (a.number || b.number) return a.number.has_value();
    return a.text < b.text;
}

std::vector<const ChannelSummary*> geophonesOf(const EventSummary& summary) {
    std::vector<const ChannelSummary*> geophones;
    for (const ChannelSummary& c : summary.channels)
        if (c.sensorKind != 0 && isVelocity(c.unit)) geophones.push_back(&c);
    return geophones;
}

EventList::Range EventList::rowsOf(const fs::path& file) const {
    const auto first = std::find_if(m_rows.begin(), m_rows.end(),
                                    [&](const EventSummary& e) { return e.file == file; });
    const auto last =
        std::find_if(first, m_rows.end(), [&](const EventSummary& e) { return e.file != file; });
    return {static_cast<std::size_t>(first - m_rows.begin()),
            static_cast<std::size_t>(last - first)};
}

void EventList::removeFile(const fs::path& file) {
    const Range range = rowsOf(file);
    const auto first = m_rows.begin() + static_cast<std::ptrdiff_t>(range.first);
    m_rows.erase(first, first + static_cast<std::ptrdiff_t>(range.count));
    m_stamps.erase(file);
    update();
}

void EventList::appendFile(const fs::path& file, const FileStamp& stamp,
                           std::vector<EventSummary> summaries) {
    for (EventSummary& e : summaries) {
        e.file = file;
        m_rows.push_back(std::move(e));
    }
    m_stamps[file] = stamp;
    update();
}

void EventList::clear() {
    m_rows.clear();
    m_stamps.clear();
    update();
}

void EventList::update() {
    m_geophones = 0;
    for (const EventSummary& e : m_rows)
        m_geophones = std::max(m_geophones, static_cast<int>(geophonesOf(e).size()));
}

std::vector<EventColumn> eventColumns(int geophones) {
    std::vector<EventColumn> columns = {{EventField::File},         {EventField::DateTime},
                                        {EventField::InstrumentSN}, {EventField::EventNumber},
                                        {EventField::Layout},       {EventField::Unit}};
    for (int g = 0; g < geophones; ++g) {
        columns.push_back({EventField::Peak, g});
        columns.push_back({EventField::PeakFrq, g});
    }
    columns.push_back({EventField::VectorMax});
    columns.push_back({EventField::Db});
    columns.push_back({EventField::WorstRatio});
    return columns;
}

std::string EventList::columnTitle(const EventColumn& column, const TextLookup& texts) {
    const std::string number = std::to_string(column.geophone + 1);
    switch (column.field) {
        case EventField::File:
            return texts.text("events", "file");
        case EventField::DateTime:
            return texts.text("krn", "DateTime");
        case EventField::InstrumentSN:
            return texts.text("events", "instrumentSN");
        case EventField::EventNumber:
            return texts.text("events", "eventNumber");
        case EventField::Layout:
            return texts.text("events", "layout");
        case EventField::Unit:
            return texts.text("krn", "unit");
        case EventField::Peak:
            return texts.text("krn", "peak") + " " + number;
        case EventField::PeakFrq:
            return texts.text("krn", "frq") + " " + number;
        case EventField::VectorMax:
            return texts.text("krn", "vectorMax");
        case EventField::Db:
            return texts.text("krn", "dB");
        case EventField::WorstRatio:
            return texts.text("verdict", "worstRatio");
    }
    return {};
}

EventCell EventList::cell(std::size_t index, const EventColumn& column,
                          const TextLookup& texts) const {
    const EventSummary& e = m_rows[index];
    const bool read = !e.channels.empty();
    switch (column.field) {
        case EventField::File:
            return {e.file.filename().string(), std::nullopt};
        case EventField::DateTime: {
            if (!read) return {e.error.value_or(""), std::nullopt};
            std::string date = e.dateTime;
            std::replace(date.begin(), date.end(), 'T', ' ');
            return {date, std::nullopt};
        }
        case EventField::InstrumentSN:
            if (!read) return {};
            return {std::to_string(e.instrumentSN), e.instrumentSN};
        case EventField::EventNumber:
            if (!read) return {};
            return {std::to_string(e.eventNumber), e.eventNumber};
        case EventField::Layout:
            if (!read) return {};
            // The second channel group of an eight-channel event: its channels 5-8.
            return {e.group == 2 ? e.layout + " (5-8)" : e.layout, std::nullopt};
        case EventField::Unit: {
            const auto geophones = geophonesOf(e);
            if (geophones.empty()) return {};
            return {geophones.front()->unit, std::nullopt};
        }
        case EventField::Peak:
        case EventField::PeakFrq: {
            const auto geophones = geophonesOf(e);
            const auto g = static_cast<std::size_t>(column.geophone);
            if (g >= geophones.size()) return {};
            const ChannelSummary& c = *geophones[g];
            if (column.field == EventField::PeakFrq)
                return {significantText(c.peakFrq, 3), c.peakFrq};
            std::string text = formatNumber(c.peak, "#0.000");
            if (c.unit != geophones.front()->unit) text += " " + c.unit;
            return {text, c.peak};
        }
        case EventField::VectorMax: {
            // In the unit of the row's first geophone, which the unit column names.
            if (!vectorMaxUnit(e)) return {};
            return {formatNumber(e.vectorMax, "#0.00"), e.vectorMax};
        }
        case EventField::Db: {
            const auto db = loudest(e);
            if (!db) return {};
            return {textOf(*db), *db};
        }
        case EventField::WorstRatio: {
            const auto ratio = e.worstRatio();
            if (!ratio) return {};
            std::string text = formatNumber(*ratio, "#0.00");
            if (e.exceeds()) text += " " + texts.text("verdict", "exceeds");
            return {text, *ratio};
        }
    }
    return {};
}

bool EventList::matches(std::size_t index, std::string_view filter, const TextLookup& texts) const {
    std::vector<std::string> cells;
    for (const EventColumn& column : columns())
        cells.push_back(settings::upperText(cell(index, column, texts).text));
    const std::string wanted = settings::upperText(filter);
    std::size_t at = 0;
    while (at < wanted.size()) {
        const std::size_t begin = wanted.find_first_not_of(" \t", at);
        if (begin == std::string::npos) break;
        const std::size_t end = std::min(wanted.find_first_of(" \t", begin), wanted.size());
        const std::string word = wanted.substr(begin, end - begin);
        const bool found = std::any_of(cells.begin(), cells.end(), [&](const std::string& text) {
            return text.find(word) != std::string::npos;
        });
        if (!found) return false;
        at = end;
    }
    return true;
}

std::string summaryCsv(const EventList& list, std::span<const std::size_t> order, bool judged) {
    std::string out = summaryCsvHeader() + "\n";
    for (const std::size_t row : order) appendSummaryCsv(out, list.row(row), judged);
    return out;
}

}  // namespace krnz
