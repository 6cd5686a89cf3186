// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/operator_codes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chain_test_support.h"

namespace krnz::analysis {
namespace {

using Kind = OperatorKind;
using Role = ResultantRole;

struct ParseCase {
    std::string encoded;
    Kind kind;
    double cutOffHz = 0.0;
    Role role = Role::Source;
    std::int64_t group = 0;
    bool spelled = false;  // written otherwise than the program writes the operator
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << '"' << c.encoded << '"';
}

class ParseEntry : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseEntry, GivesTheTypedEntryAndItsEncodingBack) {
    const ParseCase& c = GetParam();
    const Operator op = parseEntry(c.encoded);
    EXPECT_EQ(op.kind, c.kind);
    EXPECT_EQ(op.cutOffHz, c.cutOffHz);
    EXPECT_EQ(op.role, c.role);
    EXPECT_EQ(op.group, c.group);
    EXPECT_EQ(!op.spelling.empty(), c.spelled);
    EXPECT_EQ(encodedEntry(op), c.encoded);
}

INSTANTIATE_TEST_SUITE_P(
    AsTheButtonsWriteThem, ParseEntry,
    testing::Values(ParseCase{"0", Kind::Integrate}, ParseCase{"1", Kind::Diff},
                    ParseCase{"2 80", Kind::LowPass, 80}, ParseCase{"3 2", Kind::HiPass, 2},
                    ParseCase{"4", Kind::ComfortDin}, ParseCase{"5", Kind::ComfortScand},
                    ParseCase{"7", Kind::SwedishStandard},
                    ParseCase{"6 s 3", Kind::Resultant, 0, Role::Source, 3},
                    ParseCase{"6 d 0", Kind::Resultant, 0, Role::Destination, 0},
                    ParseCase{"6 d 999999999999999", Kind::Resultant, 0, Role::Destination,
                              999999999999999}));

// Hand-written macros: the number and the cut-off are read as leading numbers, the operator
// number rounded half to even, as they always were. The entry keeps its own text for saving.
INSTANTIATE_TEST_SUITE_P(
    OtherSpellings, ParseEntry,
    testing::Values(ParseCase{"2 80.5", Kind::LowPass, 80.5},  // the shortest text of 80.5
                    ParseCase{"2 80.50", Kind::LowPass, 80.5, Role::Source, 0, true},
                    ParseCase{"3 2Hz", Kind::HiPass, 2, Role::Source, 0, true},
                    ParseCase{"3", Kind::HiPass, 0, Role::Source, 0, true},         // no cut-off: 0
                    ParseCase{"2  80", Kind::LowPass, 0, Role::Source, 0, true},    // field 1 empty
                    ParseCase{"2.5 80", Kind::LowPass, 80, Role::Source, 0, true},  // 2.5 -> 2
                    ParseCase{"3.5", Kind::ComfortDin, 0, Role::Source, 0, true},   // 3.5 -> 4
                    ParseCase{"-0.4", Kind::Integrate, 0, Role::Source, 0, true},
                    ParseCase{"0 x", Kind::Integrate, 0, Role::Source, 0, true},
                    ParseCase{"6.0 s 3", Kind::Resultant, 0, Role::Source, 3, true},
                    ParseCase{"6 d 007", Kind::Resultant, 0, Role::Destination, 7, true}));

// What the chain reports as an illegal operator when it reaches it.
INSTANTIATE_TEST_SUITE_P(
    Refused, ParseEntry,
    testing::Values(ParseCase{"8", Kind::Illegal, 0, Role::Source, 0, true},
                    ParseCase{"7.5", Kind::Illegal, 0, Role::Source, 0, true},  // 7.5 -> 8
                    ParseCase{"-1", Kind::Illegal, 0, Role::Source, 0, true},
                    ParseCase{"x", Kind::Illegal, 0, Role::Source, 0, true},
                    ParseCase{" 0", Kind::Illegal, 0, Role::Source, 0, true},
                    ParseCase{"9 1", Kind::Illegal, 0, Role::Source, 0, true},
                    ParseCase{"", Kind::Illegal},
                    ParseCase{"6", Kind::Illegal, 0, Role::Source, 0, true},
                    ParseCase{"6 s", Kind::Illegal, 0, Role::Source, 0, true},
                    ParseCase{"6 x 2", Kind::Illegal, 0, Role::Source, 0, true},
                    ParseCase{"6 s 3 4", Kind::Illegal, 0, Role::Source, 0, true},
                    ParseCase{"6 s -3", Kind::Illegal, 0, Role::Source, 0, true},
                    ParseCase{"6 s 3.0", Kind::Illegal, 0, Role::Source, 0, true},
                    ParseCase{"6  s 3", Kind::Illegal, 0, Role::Source, 0, true},
                    ParseCase{"6 s 9999999999999999", Kind::Illegal, 0, Role::Source, 0, true}));

// Every text of up to four characters from those that make up entries, junk included: the
// typed entry gives it back unchanged, so a macro file is saved as it was read.
TEST(ParseEntry, EveryShortTextRoundTrips) {
    const std::string alphabet = "0267 .sdx-";
    std::vector<std::string> texts = {""};
    for (std::size_t begin = 0, length = 1; length <= 4; ++length) {
        const std::size_t end = texts.size();
        for (std::size_t i = begin; i < end; ++i)
            for (const char c : alphabet) texts.push_back(texts[i] + c);
        begin = end;
    }
    for (const std::string& text : texts) ASSERT_EQ(encodedEntry(parseEntry(text)), text);
}

// The entries the buttons make are written as before and read back as the same entry.
TEST(ParseEntry, ButtonEntriesRoundTrip) {
    std::vector<std::pair<Operator, std::string>> entries = {
        {plainOperator(Kind::Integrate), "0"},
        {plainOperator(Kind::Diff), "1"},
        {plainOperator(Kind::ComfortDin), "4"},
        {plainOperator(Kind::ComfortScand), "5"},
        {plainOperator(Kind::SwedishStandard), "7"},
        {resultantOperator(Role::Source, 0), "6 s 0"},
        {resultantOperator(Role::Destination, 123456), "6 d 123456"}};
    for (int hz = 1; hz <= 500; ++hz) {
        entries.emplace_back(filterOperator(Kind::LowPass, hz), "2 " + std::to_string(hz));
        entries.emplace_back(filterOperator(Kind::HiPass, hz), "3 " + std::to_string(hz));
    }
    for (const auto& [op, text] : entries) {
        EXPECT_EQ(encodedEntry(op), text);
        EXPECT_EQ(parseEntry(text), op) << text;
    }
}

TEST(ParseLists, KeepRowsAndOrder) {
    const EncodedLists encoded = {
        std::vector<std::string>{"0", "2 80"}, {}, {"6 s 1", "9"}, {"6 d 1"}};
    const OperatorLists lists = parseLists(encoded);
    EXPECT_EQ(lists[0],
              (std::vector{plainOperator(Kind::Integrate), filterOperator(Kind::LowPass, 80)}));
    EXPECT_TRUE(lists[1].empty());
    EXPECT_EQ(lists[3], std::vector{resultantOperator(Role::Destination, 1)});
    EXPECT_EQ(encodedLists(lists), encoded);
}

TEST(CutOffText, AsTheEntryWritesIt) {
    EXPECT_EQ(cutOffText(filterOperator(Kind::HiPass, 120)), "120");
    EXPECT_EQ(cutOffText(parseEntry("2 80.50")), "80.50");
    EXPECT_EQ(cutOffText(parseEntry("2 80 x")), "80");
    EXPECT_EQ(cutOffText(parseEntry("3")), "");
    EXPECT_EQ(cutOffText(plainOperator(Kind::Integrate)), "");
}

}  // namespace
}  // namespace krnz::analysis
