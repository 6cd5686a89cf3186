// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/media/media_actions.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QWidget>

#include "core/view/clipboard_text.h"
#include "gui/media/decimal_separator.h"
#include "gui/report/prompter_reporter.h"
#include "gui/view/main_actions.h"
#include "gui/view/session.h"

namespace krnz::gui {

MediaActions::MediaActions(Session& session, WindowPictures& pictures, QWidget& window,
                           const MainActions& actions)
    : QObject(&window),
      m_session(session),
      m_pictures(session, pictures, window),
      m_sound(session, window),
      m_debug(session, window),
      m_export(session, window) {
    const MainActions& a = actions;
    connect(a.mSavePicture, &QAction::triggered, this, [this] { m_pictures.savePictures(false); });
    connect(a.mSavePictureZoomed, &QAction::triggered, this,
            [this] { m_pictures.savePictures(true); });
    connect(a.mExport, &QAction::triggered, this, [this] { m_export.exportEvent(); });
    connect(a.mDumpToPrinter, &QAction::triggered, this, [this] { m_pictures.dumpToPrinter(); });
    connect(a.mPlay, &QAction::triggered, this, [this] { m_sound.playChannel(); });
    connect(a.dbgmnu_print2ascii, &QAction::triggered, this, [this] { m_debug.print2ascii(); });
    connect(a.dbgmnu_c2ascii, &QAction::triggered, this, [this] { m_debug.c2ascii(); });
    for (int c = 0; c < kSlots; ++c)
        connect(a.ch[static_cast<std::size_t>(c)], &QAction::triggered, this,
                [this, c] { copyChannelToClipboard(c); });
}

void MediaActions::copyChannelToClipboard(int slot) {
    const WaitCursor wait;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    const view::ClipboardText text =
        view::channelClipboardText(m_session.event().sample, slot, userDecimalSeparator());
    clipboard->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace krnz::gui
