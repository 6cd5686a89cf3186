// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace krnz::gui {

class Session;

enum class SaveUserInfo {
    WhenEdited,  // leaving an event: texts nobody changed stay where they are, or absent
    Always,      // the menu's "Save userinfo"
};

// `saveUserInfo`: remembers the current texts as the previous event's and stores them for the
// current event file. A KRN event file that has gone asks "fileExistError" (Yes tries again);
// a failed write is shown ("Error writeing extra info " for a Tremolog file). True when the
// texts were stored.
bool saveUserInfo(Session& session, SaveUserInfo when);

}  // namespace krnz::gui
