// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;

namespace krnz::gui {

// The start picture (`startPicture`) that covers the window while no event is shown:
// "Welcome to KRNZ" (`welcomeLabel`) at start, "Loading, please wait..." (`loadingLabel`)
// while an event is being opened.
class StartScreen : public QWidget {
    Q_OBJECT
  public:
    explicit StartScreen(QWidget* parent = nullptr);

    void setTexts(const QString& welcome, const QString& loading);
    void showWelcome();
    void showLoading();
    bool isLoading() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void centreLabels();

    QLabel* m_welcome;
    QLabel* m_loading;
};

}  // namespace krnz::gui
