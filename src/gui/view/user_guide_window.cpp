// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/user_guide_window.h"

#include <QKeyEvent>
#include <QRect>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/view/screen_fit.h"
#include "gui/view/session.h"
#include "gui/view/texts.h"

namespace krnz::gui {

UserGuideWindow::UserGuideWindow(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window), m_session(session) {
    setObjectName(QStringLiteral("userGuide"));
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("guideText"));
    // Links to the web open in the desktop's browser; the guide's own pages stay here.
    m_browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(760, 720);
    connect(&m_session, &Session::languageChanged, this, [this] {
        if (isVisible()) load();
    });
}

void UserGuideWindow::showGuide() {
    load();
    // The first time over the middle of the main window, where the reader is looking; after
    // that wherever the user put it.
    if (!m_placed && parentWidget()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(parentWidget()->frameGeometry().center());
        move(frame.topLeft());
        m_placed = true;
    }
    show();
    keepOnScreen(*this);
    raise();
    activateWindow();
}

// Escape puts the guide away, as it does a dialog; the text browser passes the key on.
void UserGuideWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void UserGuideWindow::load() {
    setWindowTitle(qtext(m_session.texts(), "krn", "guideTitle"));
    m_file = m_session.paths().guideFile(m_session.texts().languageFile());
    // As a resource of its folder, so the pictures it names are found beside it.
    m_browser->setSource(QUrl::fromLocalFile(qstr(m_file.string())),
                         QTextDocument::MarkdownResource);
}

}  // namespace krnz::gui
