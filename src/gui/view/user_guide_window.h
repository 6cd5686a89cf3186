// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <filesystem>

class QKeyEvent;
class QTextBrowser;

namespace krnz::gui {

class Session;

// Help > User guide: the guide shipped with the program (share/krnz/doc, Markdown with its
// pictures beside it) in the current language, in a window of its own. Follows a language
// switch while it is open.
class UserGuideWindow : public QWidget {
    Q_OBJECT
  public:
    UserGuideWindow(Session& session, QWidget* parent);

    // Loads the guide of the current language and brings the window forward.
    void showGuide();
    QTextBrowser& browser() { return *m_browser; }
    const std::filesystem::path& file() const { return m_file; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void load();

    Session& m_session;
    bool m_placed = false;
    QTextBrowser* m_browser = nullptr;
    std::filesystem::path m_file;
};

}  // namespace krnz::gui
