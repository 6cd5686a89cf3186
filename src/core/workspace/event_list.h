// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings/text_lookup.h"
#include "core/workspace/event_summary.h"

namespace krnz {

// A file as it was when last read: read again when its time or size differs.
struct FileStamp {
    std::filesystem::file_time_type modified{};
    std::uintmax_t size = 0;

    bool operator==(const FileStamp&) const = default;
};

// The stamp of a file now; the empty stamp when it cannot be looked at.
FileStamp stampOf(const std::filesystem::path& file);

// What a column of the events list shows.
enum class EventField {
    File,
    DateTime,  // a file that could not be read shows its message here
    InstrumentSN,
    EventNumber,
    Layout,
    Unit,  // the velocity unit of the row's geophones
    Peak,
    PeakFrq,
    VectorMax,
    Db,
    WorstRatio
};

struct EventColumn {
    EventField field = EventField::File;
    int geophone = 0;  // Peak and PeakFrq: the row's n-th geophone, from 0

    bool operator==(const EventColumn&) const = default;
};

// The columns of a list with `geophones` geophone columns: file, date/time, SN, event number,
// layout, unit, then peak and frequency of each geophone, then vector max, dB, worst ratio.
std::vector<EventColumn> eventColumns(int geophones);
// The columns before the first geophone's.
inline constexpr int kLeadingEventColumns = 6;

// A cell of the list: its text, and the number it sorts by when it shows one.
struct EventCell {
    std::string text;
    std::optional<double> number;
};

// The order of the list's cells: numbers by value before cells without one, those by text
// (bytes; ISO dates and zero-padded names sort right that way).
bool cellLess(const EventCell& a, const EventCell& b);

// The slots of an event with a sensor whose unit is a velocity, in slot order.
std::vector<const ChannelSummary*> geophonesOf(const EventSummary& summary);

// The events of a folder as the window lists them: one row per summary (per channel group of
// an eight-channel event), the rows of one file together, and columns that fit the rows: the
// peak and frequency of as many geophones as the row with most has. A row names its velocity
// unit once, in its own column, so that peaks stay bare numbers (a geophone in another unit
// than the row's first names its own). Rows keep the order they came in; sorting is the
// view's.
class EventList {
  public:
    std::size_t rowCount() const { return m_rows.size(); }
    const EventSummary& row(std::size_t index) const { return m_rows[index]; }
    const std::map<std::filesystem::path, FileStamp>& stamps() const { return m_stamps; }

    // The rows of `file`: [first, first + count); count 0 when it has none.
    struct Range {
        std::size_t first = 0;
        std::size_t count = 0;
    };
    Range rowsOf(const std::filesystem::path& file) const;
    // Removes the rows and the stamp of `file`.
    void removeFile(const std::filesystem::path& file);
    // Appends the rows of a file just read (its old rows removed first by the caller).
    void appendFile(const std::filesystem::path& file, const FileStamp& stamp,
                    std::vector<EventSummary> summaries);
    void clear();

    // Geophone columns, as many as the row with most geophones has.
    int geophoneColumns() const { return m_geophones; }
    std::vector<EventColumn> columns() const { return eventColumns(geophoneColumns()); }
    // A column's caption.
    static std::string columnTitle(const EventColumn& column, const TextLookup& texts);
    EventCell cell(std::size_t row, const EventColumn& column, const TextLookup& texts) const;

    // Whether every whitespace-separated word of `filter` is found, letter case aside, in some
    // cell of the row; an empty filter keeps every row.
    bool matches(std::size_t row, std::string_view filter, const TextLookup& texts) const;

  private:
    void update();

    std::vector<EventSummary> m_rows;
    std::map<std::filesystem::path, FileStamp> m_stamps;
    int m_geophones = 0;
};

// The summary table of `krnz-cli batch` (its header and the rows of every summary) for the rows
// at `order`; the verdict columns filled when `judged`.
std::string summaryCsv(const EventList& list, std::span<const std::size_t> order, bool judged);

}  // namespace krnz
