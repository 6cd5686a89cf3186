// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <optional>

#include "core/analysis/macro_list.h"
#include "core/analysis/operator_chain.h"
#include "core/analysis/operator_codes.h"
#include "gui/report/prompter_reporter.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace krnz::gui {

class Session;

// The operator toolbox (`toolbox`): per displayed row the source channel, the "channelOn" and
// "intOn" boxes and the operator list; the operator buttons, the macros, "show" and "print".
// While it is open the main window shows what "show" made of the event; closing it puts the
// event back as loaded. Made once and kept, so the lists outlive a close. A tool window of the
// main window, so it stays above it, also after a message box; it follows a new event.
class ToolboxWindow : public QWidget {
    Q_OBJECT
  public:
    ToolboxWindow(Session& session, QWidget* parent);

    // The main window's "toolboxButton": shows the window (modeless), its button caption saying
    // that it is open.
    void openToolbox();
    // `init`: the event as loaded from now on; the opening sequence calls it after each load.
    void init();
    // "showButt": runs every list on the event as loaded and shows the result.
    void showChain();
    // "opButt": adds operator 0..7 to the current row, asking for its parameters first.
    void addOperator(int op);
    // "opGrid" double-click on entry `index` of a row: a filter's frequency dialog.
    void editEntry(int row, int index);
    void deleteSelected();
    // "new": empties every list and clears the macro selection.
    void newChain();
    // "macroList" click and "save".
    void loadMacro(int index);
    void saveMacro();

    void applyCaptions();

    // The chain lives in the workspace; the window shows it.
    const analysis::OperatorChain& chain() const;
    const analysis::MacroList& macros() const { return m_macros; }

    // Tests answer the dialogs: the frequency dialog (given its start text), the resultant
    // dialog and the macro name's input box; nothing means cancelled.
    using FrequencyChooser = std::function<std::optional<int>(const QString& startText)>;
    using ResultantChooser = std::function<std::optional<analysis::ResultantChoice>()>;
    using NameChooser = std::function<std::optional<QString>()>;
    void setFrequencyChooser(FrequencyChooser chooser) { m_chooseFrequency = std::move(chooser); }
    void setResultantChooser(ResultantChooser chooser) { m_chooseResultant = std::move(chooser); }
    void setMacroNameChooser(NameChooser chooser) { m_chooseName = std::move(chooser); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void buildControls();
    void layOutControls();
    void connectControls();
    void refreshLists();
    void refreshMacroList();
    void listMacros();
    void copyChannelOnFromOptions();
    void channelOnClicked(int row);
    void unload();

    Session& m_session;
    PrompterReporter m_reporter;
    analysis::MacroList m_macros;
    bool m_refreshing = false;

    FrequencyChooser m_chooseFrequency;
    ResultantChooser m_chooseResultant;
    NameChooser m_chooseName;

    QGroupBox* m_rowsFrame = nullptr;
    QLabel* m_sourceLabel = nullptr;
    QLabel* m_appliedLabel = nullptr;
    std::array<QComboBox*, kSlots> m_inCh{};
    std::array<QCheckBox*, kSlots> m_channelOn{};
    std::array<QListWidget*, kSlots> m_opGrid{};
    std::array<QCheckBox*, kSlots> m_intOn{};
    QGroupBox* m_operatorsFrame = nullptr;
    std::array<QPushButton*, analysis::kOperatorCount> m_opButt{};
    QGroupBox* m_macroFrame = nullptr;
    QListWidget* m_macroList = nullptr;
    QPushButton* m_new = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_showButt = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_print = nullptr;
};

}  // namespace krnz::gui
