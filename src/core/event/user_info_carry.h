// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/event/event.h"

namespace krnz {

// Opening an event offers to carry the previous event's user texts over when the new one has
// none of its own. Client texts: asked when client, operation, location and notes are all
// empty and the previous event has at least one of them; the operator takes part in neither
// test but is copied with them.
bool offerClientCarryOver(const UserInfo& current, const UserInfo& previous);
void copyClientInfo(UserInfo& current, const UserInfo& previous);

// Print extras (company, supplement, free text): asked when all three are empty and the
// previous event has at least one.
bool offerExtraCarryOver(const UserInfo& current, const UserInfo& previous);
void copyExtraInfo(UserInfo& current, const UserInfo& previous);

}  // namespace krnz
