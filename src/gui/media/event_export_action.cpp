// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/media/event_export_action.h"

#include <QFileDialog>
#include <algorithm>
#include <array>

#include "core/common/error.h"
#include "core/workspace/event_export.h"
#include "gui/report/prompter_reporter.h"
#include "gui/view/session.h"
#include "gui/view/texts.h"

namespace krnz::gui {
namespace {

struct Filter {
    const char* key;  // its text in section "export"
    const char* suffix;
    ExportFormat format;
};
constexpr std::array<Filter, 3> kFilters{{{"csv", "csv", ExportFormat::Csv},
                                          {"wav4", "wav", ExportFormat::Wav4},
                                          {"mseed", "mseed", ExportFormat::MiniSeed}}};

}  // namespace

EventExportAction::EventExportAction(Session& session, QWidget& parent)
    : m_session(session), m_parent(parent) {
    m_chooseFile = [this](const QString& startDir) -> std::optional<Choice> {
        const TextLookup& texts = m_session.texts();
        QFileDialog dialog(&m_parent, qtext(texts, "export", "title"), startDir);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        QStringList filters;
        for (const Filter& f : kFilters)
            filters << qtext(texts, "export", f.key) + QStringLiteral(" (*.%1)").arg(f.suffix);
        dialog.setNameFilters(filters);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return Choice{dialog.selectedFiles().front(),
                      static_cast<int>(filters.indexOf(dialog.selectedNameFilter()))};
    };
}

void EventExportAction::exportEvent() {
    if (!m_session.hasEvent()) return;
    const std::filesystem::path folder = m_session.currentFile().parent_path();
    const std::optional<Choice> choice = m_chooseFile(qstr(folder.string()));
    if (!choice || choice->file.isEmpty()) return;
    const Filter& filter = kFilters.at(static_cast<std::size_t>(
        std::clamp(choice->filter, 0, static_cast<int>(kFilters.size()) - 1)));
    std::filesystem::path file(stdstr(choice->file));
    // A name of another format's extension keeps it; a bare name gets the chosen filter's.
    std::optional<ExportFormat> format = exportFormatOfName(file);
    if (!format) {
        file += std::string(".") + filter.suffix;
        format = filter.format;
    }
    const WaitCursor wait;
    try {
        writeExport(m_session.workspace(), *format, file,
                    readSeedCodes(m_session.paths().generalIniPath()));
    } catch (const Error& e) {
        PrompterReporter reporter;
        reporter.message(stdstr(qtext(m_session.texts(), "export", "failed")) + "\n" + e.text());
    }
}

}  // namespace krnz::gui
