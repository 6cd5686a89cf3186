// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/event/user_info_carry.h"

namespace krnz {
namespace {

bool clientEmpty(const UserInfo& u) {
    return u.client.empty() && u.operation.empty() && u.location.empty() && u.notes.empty();
}

bool extraEmpty(const UserInfo& u) {
    return u.company.empty() && u.supplement.empty() && u.freeText.empty();
}

}  // namespace

bool offerClientCarryOver(const UserInfo& current, const UserInfo& previous) {
    return clientEmpty(current) && !clientEmpty(previous);
}

void copyClientInfo(UserInfo& current, const UserInfo& previous) {
    current.client = previous.client;
    current.operation = previous.operation;
    current.location = previous.location;
    current.operatorName = previous.operatorName;
    current.notes = previous.notes;
}

bool offerExtraCarryOver(const UserInfo& current, const UserInfo& previous) {
    return extraEmpty(current) && !extraEmpty(previous);
}

void copyExtraInfo(UserInfo& current, const UserInfo& previous) {
    current.company = previous.company;
    current.supplement = previous.supplement;
    current.freeText = previous.freeText;
}

}  // namespace krnz
