// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/event/user_info_carry.h"

#include <gtest/gtest.h>

namespace krnz {
namespace {

TEST(UserInfoCarry, ClientQuestionIgnoresTheOperator) {
    struct Case {
        UserInfo current;
        UserInfo previous;
        bool asked;
    };
    UserInfo filled;
    filled.client = "Skanska";
    UserInfo operatorOnly;
    operatorOnly.operatorName = "K. Berg";
    UserInfo notesOnly;
    notesOnly.notes = "n";
    UserInfo extrasOnly;
    extrasOnly.company = "Vibra AB";
    const Case cases[] = {
        {{}, filled, true},           {{}, notesOnly, true},
        {{}, operatorOnly, false},     // the operator alone is not worth asking for
        {operatorOnly, filled, true},  // nor does it count as information of the new event
        {notesOnly, filled, false},   {{}, {}, false},
        {{}, extrasOnly, false},
    };
    for (const Case& c : cases) EXPECT_EQ(offerClientCarryOver(c.current, c.previous), c.asked);
}

TEST(UserInfoCarry, ExtraQuestionLooksAtTheThreePrintTexts) {
    UserInfo previous;
    previous.freeText = "a\r\nb";
    UserInfo current;
    EXPECT_TRUE(offerExtraCarryOver(current, previous));
    current.supplement = "x";
    EXPECT_FALSE(offerExtraCarryOver(current, previous));
    current = {};
    current.client = "c";
    EXPECT_TRUE(offerExtraCarryOver(current, previous)) << "client texts do not count";
    EXPECT_FALSE(offerExtraCarryOver({}, current));
}

TEST(UserInfoCarry, CopiesTakeTheirOwnHalfOnly) {
    const UserInfo previous{"c", "op", "loc", "who", "n", "co", "sup", "free"};
    UserInfo current;
    current.company = "mine";
    copyClientInfo(current, previous);
    EXPECT_EQ(current, (UserInfo{"c", "op", "loc", "who", "n", "mine", "", ""}));
    copyExtraInfo(current, previous);
    EXPECT_EQ(current, previous);
}

}  // namespace
}  // namespace krnz
