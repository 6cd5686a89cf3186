// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workspace/event_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "core/settings/language_files.h"
#include "core/workspace/summary_table.h"

namespace krnz {
namespace {

namespace fs = std::filesystem;

// The shipped captions: the list's titles come from the language file.
const TextLookup& english() {
    static settings::LanguageFiles files({fs::path(KRNZ_SOURCE_DIR) / "data" / "language"});
    static const bool checked = (files.checkLanguageFile("english.txt"), true);
    (void)checked;
    return files;
}

ChannelSummary geophone(int slot, double peak, double frq, const std::string& unit = "mm/s") {
    ChannelSummary c;
    c.slot = slot;
    c.channel = "Geo " + std::to_string(slot + 1);
    c.sensorKind = 1;
    c.unit = unit;
    c.peak = peak;
    c.peakFrq = frq;
    return c;
}

ChannelSummary microphone(int slot, double db) {
    ChannelSummary c;
    c.slot = slot;
    c.channel = "AC " + std::to_string(slot + 1);
    c.sensorKind = 4;
    c.unit = "Pa";
    c.dB = db;
    return c;
}

// Three geophones and a microphone, as most instruments are set up.
EventSummary usual(const std::string& name, double peak, int eventNumber = 1) {
    EventSummary e;
    e.file = fs::path("/quarry") / name;
    e.layout = "K100";
    e.instrumentSN = 412;
    e.eventNumber = eventNumber;
    e.dateTime = "2026-03-04T05:06:07";
    e.vectorMax = peak * 1.5;
    e.channels = {geophone(0, peak, 12.345), geophone(1, peak / 2, 40.0),
                  geophone(2, peak / 4, 8.0), microphone(3, 120.5)};
    return e;
}

EventSummary unreadable(const std::string& name) {
    EventSummary e;
    e.file = fs::path("/quarry") / name;
    e.error = "bad filetype: ABCDEFGH";
    return e;
}

void add(EventList& list, EventSummary e) {
    const fs::path file = e.file;
    list.appendFile(file, FileStamp{}, {std::move(e)});
}

std::vector<std::string> titles(const EventList& list) {
    std::vector<std::string> out;
    for (const EventColumn& c : list.columns()) out.push_back(list.columnTitle(c, english()));
    return out;
}

std::string text(const EventList& list, std::size_t row, EventColumn column) {
    return list.cell(row, column, english()).text;
}

TEST(EventList, ColumnsFitTheEventWithMostGeophones) {
    EventList list;
    EXPECT_EQ(list.geophoneColumns(), 0);
    EventSummary two = usual("KRN00002.001", 3.0);
    two.group = 2;
    two.layout = "K200";
    two.channels[2].sensorKind = 0;  // a velocity unit without a sensor is no geophone
    add(list, two);
    EXPECT_EQ(list.geophoneColumns(), 2);
    add(list, usual("KRN00001.001", 2.0));
    EXPECT_EQ(titles(list),
              (std::vector<std::string>{"File", "Date/time", "SN", "No.", "Layout", "Unit",
                                        "Peak 1", "Frq 1", "Peak 2", "Frq 2", "Peak 3", "Frq 3",
                                        "Vector max", "dB", "Worst ratio"}));
    // The group-2 row has no third geophone and no vector sum over three of them.
    EXPECT_EQ(text(list, 0, {EventField::Peak, 2}), "");
    EXPECT_EQ(text(list, 0, {EventField::VectorMax}), "");
    EXPECT_EQ(text(list, 0, {EventField::Layout}), "K200 (5-8)");
    EXPECT_EQ(text(list, 1, {EventField::Peak, 2}), "0.500");
    EXPECT_EQ(text(list, 1, {EventField::PeakFrq, 0}), "12.3");
    EXPECT_EQ(text(list, 1, {EventField::VectorMax}), "3.00");
    EXPECT_EQ(text(list, 1, {EventField::Db}), "120.5");
    EXPECT_EQ(text(list, 1, {EventField::DateTime}), "2026-03-04 05:06:07");

    list.removeFile("/quarry/KRN00001.001");
    EXPECT_EQ(list.geophoneColumns(), 2);
    EXPECT_EQ(list.rowCount(), 1u);
}

TEST(EventList, ARowNamesItsVelocityUnitOnce) {
    EventList list;
    add(list, usual("KRN00001.001", 2.0));
    EventSummary inches = usual("KRN00002.001", 0.25);
    for (int g = 0; g < 3; ++g) inches.channels[static_cast<std::size_t>(g)].unit = "ips";
    add(list, inches);
    EventSummary mixed = usual("KRN00003.001", 1.0);
    mixed.channels[1].unit = "ips";
    add(list, mixed);
    EXPECT_EQ(text(list, 0, {EventField::Unit}), "mm/s");
    EXPECT_EQ(text(list, 0, {EventField::Peak, 0}), "2.000");
    EXPECT_EQ(text(list, 1, {EventField::Unit}), "ips");
    EXPECT_EQ(text(list, 1, {EventField::Peak, 0}), "0.250");
    EXPECT_EQ(text(list, 1, {EventField::VectorMax}), "0.38");
    // A geophone in another unit than the row's names its own; no vector sum across units.
    EXPECT_EQ(text(list, 2, {EventField::Unit}), "mm/s");
    EXPECT_EQ(text(list, 2, {EventField::Peak, 1}), "0.500 ips");
    EXPECT_EQ(text(list, 2, {EventField::Peak, 2}), "0.250");
    EXPECT_EQ(text(list, 2, {EventField::VectorMax}), "");
}

TEST(EventList, AnUnreadableFileShowsItsMessageAndNoNumbers) {
    EventList list;
    add(list, unreadable("KRN00009.001"));
    EXPECT_EQ(text(list, 0, {EventField::File}), "KRN00009.001");
    EXPECT_EQ(text(list, 0, {EventField::DateTime}), "bad filetype: ABCDEFGH");
    for (const EventColumn& c : list.columns()) {
        if (c.field == EventField::File || c.field == EventField::DateTime) continue;
        const EventCell cell = list.cell(0, c, english());
        EXPECT_EQ(cell.text, "");
        EXPECT_FALSE(cell.number);
    }
}

TEST(EventList, CellsSortNumbersByValueAndThenTheRestByText) {
    const EventCell nine{"9.000", 9.0}, ten{"10.000", 10.0}, minus{"-1", -1.0};
    const EventCell empty{"", std::nullopt}, word{"bad filetype", std::nullopt};
    const EventCell date{"2026-01-01 00:00:00", std::nullopt};
    const std::vector<EventCell> sorted = {minus, nine, ten, empty, date, word};
    for (std::size_t a = 0; a < sorted.size(); ++a)
        for (std::size_t b = 0; b < sorted.size(); ++b)
            EXPECT_EQ(cellLess(sorted[a], sorted[b]), a < b)
                << "'" << sorted[a].text << "' < '" << sorted[b].text << "'";

    // The list's own cells: peaks of 9 and 10 and event numbers 9 and 10 are numbers.
    EventList list;
    add(list, usual("KRN00001.001", 10.0, 10));
    add(list, usual("KRN00002.001", 9.0, 9));
    for (EventColumn c : {EventColumn{EventField::Peak, 0}, EventColumn{EventField::EventNumber}})
        EXPECT_TRUE(cellLess(list.cell(1, c, english()), list.cell(0, c, english())));
}

TEST(EventList, TheWorstRatioSaysWhenTheEventExceeds) {
    EventList list;
    add(list, usual("KRN00001.001", 1.0));
    EXPECT_EQ(text(list, 0, {EventField::WorstRatio}), "");
    EventSummary over = usual("KRN00002.001", 1.0);
    over.channels[1].worstRatio = 1.234;
    over.channels[1].exceeds = true;
    over.channels[0].worstRatio = 0.5;
    add(list, over);
    EventSummary under = usual("KRN00003.001", 1.0);
    under.channels[0].worstRatio = 0.876;
    add(list, under);
    EXPECT_EQ(text(list, 1, {EventField::WorstRatio}), "1.23 exceeds");
    EXPECT_EQ(list.cell(1, {EventField::WorstRatio}, english()).number, 1.234);
    EXPECT_EQ(text(list, 2, {EventField::WorstRatio}), "0.88");
}

TEST(EventList, TheFilterWantsEveryWordInSomeCell) {
    EventList list;
    add(list, usual("KRN00001.001", 1.0, 17));
    EventSummary other = usual("KRN00002.001", 2.0, 18);
    other.layout = "Tremolog";
    add(list, other);
    add(list, unreadable("KRN00003.001"));
    auto kept = [&](std::string_view filter) {
        std::vector<std::size_t> rows;
        for (std::size_t r = 0; r < list.rowCount(); ++r)
            if (list.matches(r, filter, english())) rows.push_back(r);
        return rows;
    };
    EXPECT_EQ(kept(""), (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_EQ(kept("  "), (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_EQ(kept("tremolog"), (std::vector<std::size_t>{1}));
    EXPECT_EQ(kept("krn0000 K100"), (std::vector<std::size_t>{0}));
    EXPECT_EQ(kept("K100 18"), (std::vector<std::size_t>{}));
    EXPECT_EQ(kept("FILETYPE"), (std::vector<std::size_t>{2}));
    EXPECT_EQ(kept("2.000"), (std::vector<std::size_t>{1}));
}

TEST(EventList, AFileReadAgainReplacesItsRows) {
    EventList list;
    add(list, usual("KRN00001.001", 1.0));
    EventSummary g1 = usual("KRN00002.001", 1.0), g2 = usual("KRN00002.001", 2.0);
    g2.group = 2;
    FileStamp stamp;
    stamp.size = 99;
    list.appendFile("/quarry/KRN00002.001", stamp, {g1, g2});
    add(list, usual("KRN00003.001", 1.0));
    const EventList::Range range = list.rowsOf("/quarry/KRN00002.001");
    EXPECT_EQ(range.first, 1u);
    EXPECT_EQ(range.count, 2u);
    EXPECT_EQ(list.stamps().at("/quarry/KRN00002.001").size, 99u);
    list.removeFile("/quarry/KRN00002.001");
    EXPECT_EQ(list.rowCount(), 2u);
    EXPECT_EQ(list.row(1).file, "/quarry/KRN00003.001");
    EXPECT_EQ(list.rowsOf("/quarry/KRN00002.001").count, 0u);
    EXPECT_FALSE(list.stamps().contains("/quarry/KRN00002.001"));
}

TEST(EventList, TheCsvHasTheBatchHeaderAndTheRowsInTheOrderGiven) {
    EventList list;
    add(list, usual("KRN00001.001", 1.0));
    add(list, unreadable("KRN00002.001"));
    add(list, usual("KRN00003.001", 1.0));
    const std::size_t order[] = {2, 1};
    std::istringstream csv(summaryCsv(list, order, false));
    std::string line;
    std::vector<std::string> firstFields;
    std::getline(csv, line);
    EXPECT_EQ(line, summaryCsvHeader());
    while (std::getline(csv, line)) firstFields.push_back(line.substr(0, line.find(',')));
    // One line per slot of a read event, one for the unreadable file.
    EXPECT_EQ(firstFields, (std::vector<std::string>{"/quarry/KRN00003.001", "/quarry/KRN00003.001",
                                                     "/quarry/KRN00003.001", "/quarry/KRN00003.001",
                                                     "/quarry/KRN00002.001"}));
}

}  // namespace
}  // namespace krnz
