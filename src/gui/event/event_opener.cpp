// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/event/event_opener.h"

#include <QApplication>
#include <new>

#include "core/common/error.h"
#include "core/event/byte_source.h"
#include "core/event/event_reader.h"
#include "core/event/user_info_carry.h"
#include "core/event/user_info_limits.h"
#include "core/settings/general_settings.h"
#include "gui/event/save_user_info.h"
#include "gui/view/session.h"
#include "platform/prompter.h"

namespace krnz::gui {
namespace {

// Restores the pointer on every way out.
class BusyPointer {
  public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

int layoutOf(const std::filesystem::path& path) {
    try {
        ByteSource file(path);
        return fileFormatOfTag(file.bytes(0, 8));
    } catch (const Error&) {
        return kFormatNone;  // the read itself reports it
    }
}

void rememberFolder(Session& session, const std::filesystem::path& path) {
    session.setWorkDir(workDirOf(path));
    try {
        settings::rememberWorkDir(session.paths().generalIniPath(), session.general().workDir);
    } catch (const Error& e) {
        session.settingsNotSaved(e);  // the folder is kept for this run
    }
}

void offerCarryOver(Session& session) {
    UserInfo info = session.userInfo();
    // The previous event's file may have held longer texts than this one can.
    UserInfo previous = session.previousUserInfo();
    fitUserInfo(previous, session.event().sample.fileFormat);
    bool changed = false;
    if (offerClientCarryOver(info, previous) &&
        platform::prompter().question(session.texts().text("krn", "copyOldClientInfo"))) {
        copyClientInfo(info, previous);
        changed = true;
    }
    if (offerExtraCarryOver(info, previous) &&
        platform::prompter().question(session.texts().text("krn", "copyOldExtraData"))) {
        copyExtraInfo(info, previous);
        changed = true;
    }
    if (changed) session.setUserInfo(info);
}

}  // namespace

std::string workDirOf(const std::filesystem::path& path) {
    std::string folder = path.parent_path().string();
    if (folder.empty() || folder.back() != std::filesystem::path::preferred_separator)
        folder += std::filesystem::path::preferred_separator;
    return folder;
}

bool loadEvent(Session& session, const std::filesystem::path& requested, OpenHooks& hooks,
               std::optional<int> group) {
    std::error_code ec;
    const std::filesystem::path path = std::filesystem::absolute(requested, ec).lexically_normal();
    saveUserInfo(session, SaveUserInfo::WhenEdited);
    rememberFolder(session, path);

    ReadOptions options;
    options.channelGroup = session.event().sample.channelGroup;
    if (layoutOf(path) == kFormatK200) {
        if (!group) group = hooks.chooseChannelGroup();
        if (group) options.channelGroup = *group;
    }

    std::optional<LoadedEvent> loaded;
    std::vector<std::string> failure;
    {
        BusyPointer busy;
        hooks.showLoadingScreen();
        try {
            loaded = readDatafile(path, options);
        } catch (const ReadRejected& rejected) {
            failure = rejected.messages();
        } catch (const CorruptFile&) {
            failure = {"file corrupt"};
        } catch (const Error& e) {
            failure = {e.text()};  // the file could not be opened: missing, a folder, no access
        } catch (const std::bad_alloc&) {
            failure = {"file corrupt"};  // a declared length beyond any memory
        }
        if (loaded) session.takeEvent(std::move(*loaded), path);
    }
    if (!loaded) {
        hooks.hideLoadingScreen();
        // Every message names the file: which one was turned down is not obvious after a drop
        // or a recent-file click.
        for (const std::string& message : failure) {
            const bool named = message.find(path.string()) != std::string::npos;
            platform::prompter().message(
                named ? message : path.filename().string() + ": " + message,
                platform::Severity::Error);
        }
        return false;
    }
    offerCarryOver(session);
    {
        BusyPointer busy;
        hooks.eventOpened();
        hooks.hideLoadingScreen();
    }
    return true;
}

}  // namespace krnz::gui
