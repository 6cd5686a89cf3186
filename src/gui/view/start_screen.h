// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;

namespace krnz::gui {

// The start picture (`startPicture`) that covers the window while no event is shown:
// "Welcome to KRNZ" (`welcomeLabel`) at start with what to do (`hintLabel`) and the recent
// files as links (`recentLabel`); "Loading, please wait..." (`loadingLabel`) while an event is
// being opened.
class StartScreen : public QWidget {
    Q_OBJECT
  public:
    explicit StartScreen(QWidget* parent = nullptr);

    void setTexts(const QString& welcome, const QString& loading, const QString& hint,
                  const QString& recentHeading);
    // The recent files, newest first; each is shown by its name and opened by a click.
    void setRecentFiles(const QStringList& paths);
    void showWelcome();
    void showLoading();
    bool isLoading() const;

  Q_SIGNALS:
    void recentFileClicked(const QString& path);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void centreLabels();

    void showRecentFiles();

    QLabel* m_welcome;
    QLabel* m_loading;
    QLabel* m_hint;
    QLabel* m_recent;
    QString m_recentHeading;
    QStringList m_recentFiles;
};

}  // namespace krnz::gui
