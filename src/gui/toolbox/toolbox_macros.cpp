// SPDX-License-Identifier: GPL-3.0-or-later
// The toolbox's macros: the folder's list, loading a picked macro and saving under a typed name.
#include <QInputDialog>
#include <QListWidget>
#include <filesystem>

#include "core/analysis/macro_file.h"
#include "core/common/error.h"
#include "core/report/error_report.h"
#include "gui/toolbox/toolbox_window.h"
#include "gui/view/session.h"
#include "gui/view/texts.h"
#include "platform/prompter.h"

namespace krnz::gui {

void ToolboxWindow::listMacros() {
    m_macros.fill(analysis::listMacros(m_session.paths().macroDir()));
    refreshMacroList();
}

void ToolboxWindow::refreshMacroList() {
    m_refreshing = true;
    m_macroList->clear();
    for (const std::string& name : m_macros.names()) m_macroList->addItem(qstr(name));
    m_macroList->setCurrentRow(m_macros.selected());
    if (m_macros.selected() < 0) m_macroList->clearSelection();
    m_refreshing = false;
}

void ToolboxWindow::loadMacro(int index) {
    if (index < 0 || index >= static_cast<int>(m_macros.names().size())) return;
    m_macros.select(index);
    try {
        m_session.loadChainMacro(*m_macros.selectedName(), m_reporter);
    } catch (const Error& e) {
        report::reportError(m_reporter, e);
    }
}

void ToolboxWindow::saveMacro() {
    std::optional<QString> name;
    if (m_chooseName) {
        name = m_chooseName();
    } else {
        const TextLookup& texts = m_session.texts();
        bool ok = false;
        const QString typed = QInputDialog::getText(
            this, qtext(texts, analysis::kToolboxSection, "saveTitle"),
            qtext(texts, analysis::kToolboxSection, "enterMacroName"), QLineEdit::Normal,
            qtext(texts, analysis::kToolboxSection, "defaultMacroName"), &ok);
        if (ok) name = typed;
    }
    // A cancelled or empty name saves nothing.
    if (!name || name->isEmpty()) return;
    const std::string macroName = stdstr(*name);
    try {
        std::error_code
            ignored;  // a folder that cannot be made fails the write below, with its message
        std::filesystem::create_directories(m_session.paths().macroDir(), ignored);
        const std::filesystem::path file = m_session.paths().macroDir() / macroName;
        analysis::MacroWrite how = analysis::MacroWrite::Update;
        if (analysis::isValidMacroName(macroName) && std::filesystem::exists(file, ignored)) {
            const TextLookup& texts = m_session.texts();
            if (!platform::prompter().question(
                    texts.text(analysis::kToolboxSection, "replaceMacro") + "\r\n" + macroName))
                return;
            how = analysis::MacroWrite::Anew;
        }
        if (!analysis::saveMacro(chain(), m_session.paths().macroDir(), macroName, how)) return;
    } catch (const Error& e) {
        report::reportError(m_reporter, e);
        return;
    }
    m_macros.insertSaved(macroName);
    refreshMacroList();
}

}  // namespace krnz::gui
