// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/event/save_user_info.h"

#include "core/common/error.h"
#include "core/event/user_info_store.h"
#include "gui/view/session.h"
#include "platform/prompter.h"

namespace krnz::gui {
namespace {

bool isEmpty(const UserInfo& info) {
    return info == UserInfo{};
}

}  // namespace

bool saveUserInfo(Session& session, SaveUserInfo when) {
    if (!session.hasEvent()) return false;
    session.rememberUserInfo();
    if (when == SaveUserInfo::WhenEdited && !session.workspace().userInfoEdited()) return false;
    const int format = session.event().sample.fileFormat;
    for (;;) {
        try {
            const auto result = storeUserInfo(session.currentFile(), format, session.userInfo());
            if (result == UserInfoStoreResult::Stored) session.userInfoStored();
            if (result != UserInfoStoreResult::EventFileMissing)
                return result == UserInfoStoreResult::Stored;
            if (!platform::prompter().question(session.texts().text("krn", "fileExistError")))
                return false;
        } catch (const Error& e) {
            if (format == kFormatTremolog) {
                platform::prompter().message(
                    "Error writeing extra info " + std::to_string(e.number()) + "\r\n" + e.text(),
                    platform::Severity::Error);
            } else if (!isEmpty(session.userInfo())) {
                // Losing typed texts silently would be worse than a message; an empty set that
                // cannot be stored (a read-only folder) is not worth one.
                platform::prompter().message(
                    "The user information could not be saved.\r\n" + e.text(),
                    platform::Severity::Error);
            }
            return false;
        }
    }
}

}  // namespace krnz::gui
