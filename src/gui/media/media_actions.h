// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include "gui/media/debug_exports.h"
#include "gui/media/event_export_action.h"
#include "gui/media/picture_export.h"
#include "gui/media/sound_output.h"

namespace krnz::gui {

struct MainActions;
class Session;
class WindowPictures;

// What the main window hands to other programs and to the developer: pictures, the window on
// the printer, a channel on the clipboard or the loudspeaker, and the debug dumps. Connects the
// window's menu items on construction.
class MediaActions : public QObject {
    Q_OBJECT
  public:
    // `window`: the main window, parent of the dialogs; `actions`: its menu items.
    MediaActions(Session& session, WindowPictures& pictures, QWidget& window,
                 const MainActions& actions);

    // `copyChannelToClipboard`: the slot's current samples as text, one line per sample.
    void copyChannelToClipboard(int slot);

    PictureExport& pictures() { return m_pictures; }
    SoundOutput& sound() { return m_sound; }
    DebugExports& debugExports() { return m_debug; }
    EventExportAction& exports() { return m_export; }

  private:
    Session& m_session;
    PictureExport m_pictures;
    SoundOutput m_sound;
    DebugExports m_debug;
    EventExportAction m_export;
};

}  // namespace krnz::gui
