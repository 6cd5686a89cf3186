// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <array>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace krnz::gui {

class SpectrumWindow;

// The spectrum settings wizard (`frqPreForm`): the data window and the kind of spectrum, asked
// before the spectrum window opens. Both buttons hide it, so its choices stay for the run.
class SpectrumWizard : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kChoices = 3;

    // Loading reads the window's two choices, clamped to the option buttons.
    SpectrumWizard(SpectrumWindow& window, QWidget* parent);

    void applyCaptions();

    // `next`: the checked options become the window's choices and the stored ones, and the
    // spectrum window opens (and computes) in place of the wizard.
    void next();
    // `back`: the wizard closes; nothing changes.
    void back();

  private:
    SpectrumWindow& m_window;
    QGroupBox* m_weightFrame = nullptr;
    QGroupBox* m_filterFrame = nullptr;
    std::array<QRadioButton*, kChoices> m_weight{};
    std::array<QRadioButton*, kChoices> m_filter{};
    QPushButton* m_back = nullptr;
    QPushButton* m_next = nullptr;
};

}  // namespace krnz::gui
