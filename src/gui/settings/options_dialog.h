// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "core/event/event.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace krnz::gui {

class ColorSwatch;
class Session;

// The options dialog (`options`), modeless and made once: three pages (general, graphics,
// scale mode) whose controls edit the session's options as they are clicked. `apply` stores
// them in the options file and asks for a redraw, `ok` does the same and hides the dialog,
// `cancel` reads the options file back into the session (selecting only what the file can
// select), returns to the language of the last opening or Apply, and hides it.
class OptionsDialog : public QDialog {
    Q_OBJECT
  public:
    explicit OptionsDialog(Session& session, QWidget* parent = nullptr);

    // Sets every control from the session's options (also after another window changed them).
    void loadFromModel();
    void applyCaptions();

    void apply();
    void ok();
    void cancel();

  Q_SIGNALS:
    // Apply or OK stored the options: the main window lays itself out again.
    void applied();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape: as Cancel.
    void reject() override;

  private:
    struct SlotControls {
        QGroupBox* channelFrame = nullptr;
        std::array<ColorSwatch*, 5> swatches{};
        QGroupBox* channelScaleFrame = nullptr;
        QCheckBox* channelOn = nullptr;
        QRadioButton* autoScale = nullptr;
        QRadioButton* manual = nullptr;
        QRadioButton* normalize = nullptr;
        QLabel* mainLabel = nullptr;
        QComboBox* manualScale = nullptr;
        QLabel* frqLabel = nullptr;
        QComboBox* manualScaleFrq = nullptr;
    };

    QWidget* buildGeneralPage();
    QWidget* buildGraphicsPage();
    QWidget* buildScalePage();
    void connectSlot(int slot);
    void fillLanguageList();
    void retitleSlotFrames();
    void channelOnClicked(int slot, bool on);
    // A live edit of the session's options, taking effect at once.
    template <typename Edit>
    void change(Edit edit);

    Session& m_session;
    bool m_loading = false;
    // A clicked language takes effect at once; Cancel goes back to this one.
    std::string m_languageToKeep;
    QTabWidget* m_tabs = nullptr;
    QGroupBox* m_printBox = nullptr;
    QCheckBox* m_printInColor = nullptr;
    QLabel* m_dataReductionLabel = nullptr;
    QComboBox* m_printerDataReduction = nullptr;
    QGroupBox* m_languageBox = nullptr;
    QListWidget* m_languageList = nullptr;
    std::array<QLabel*, 5> m_colorHeaders{};
    QPushButton* m_sameColor = nullptr;
    QPushButton* m_defaultColors = nullptr;
    QGroupBox* m_drawStyleBox = nullptr;
    QRadioButton* m_lines = nullptr;
    QRadioButton* m_pixels = nullptr;
    std::array<SlotControls, kSlots> m_slots;
    QPushButton* m_ok = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_cancel = nullptr;
};

}  // namespace krnz::gui
