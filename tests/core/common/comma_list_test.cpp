// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/common/comma_list.h"
#include "support/param_name.h"

namespace krnz {
namespace {

struct CommaCase {
    std::string list;
    std::vector<std::string> elements;  // read until the first empty element
    std::string rest;                   // the list after the loop
};

class CommaList : public testing::TestWithParam<CommaCase> {};

TEST_P(CommaList, ReadsUpToFirstEmptyElement) {
    std::string list = GetParam().list;
    std::string element = "stale";
    std::vector<std::string> read;
    while (extractCommaElem(list, element)) read.push_back(element);
    EXPECT_EQ(read, GetParam().elements);
    EXPECT_EQ(element, "");
    EXPECT_EQ(list, GetParam().rest);
}

INSTANTIATE_TEST_SUITE_P(Table, CommaList,
                         testing::Values(CommaCase{"1,2,3,", {"1", "2", "3"}, ""},
                                         CommaCase{"1,2,3", {"1", "2", "3"}, ""},
                                         CommaCase{"1,,2", {"1"}, "2"}, CommaCase{",1", {}, "1"},
                                         CommaCase{"", {}, ""},
                                         CommaCase{" a b ,c", {" a b ", "c"}, ""}),
                         [](const auto& info) {
                             return test::numberedName(info.index, info.param.list);
                         });

TEST(CommaList, SingleStepTakesTextBeforeFirstComma) {
    std::string list = "10.5,20,";
    std::string element;
    EXPECT_TRUE(extractCommaElem(list, element));
    EXPECT_EQ(element, "10.5");
    EXPECT_EQ(list, "20,");
}

}  // namespace
}  // namespace krnz
