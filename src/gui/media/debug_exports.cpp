// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/media/debug_exports.h"

#include <QFileDialog>
#include <new>

#include "core/common/error.h"
#include "core/event/debug_dump.h"
#include "core/event/event_reader.h"
#include "core/event/k100_channel_dump.h"
#include "core/report/error_report.h"
#include "core/settings/atomic_file.h"
#include "gui/media/decimal_separator.h"
#include "gui/report/prompter_reporter.h"
#include "gui/view/session.h"
#include "gui/view/texts.h"
#include "platform/prompter.h"

namespace krnz::gui {
namespace {

void reportCommonError(const Error& e) {
    PrompterReporter reporter(platform::Severity::Error);
    report::reportError(reporter, e);
}

}  // namespace

DebugExports::DebugExports(Session& session, QWidget& dialogParent) : m_session(session) {
    m_chooseFile = [&dialogParent](const QString& startDir) -> std::optional<QString> {
        // "?" "?" ")" would be a trigraph; the pattern is pasted together instead.
        const QString pattern = QStringLiteral("KRN*.") + QString(3, QLatin1Char('?'));
        QFileDialog dialog(&dialogParent, QStringLiteral("Open KRN File"), startDir);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters({QStringLiteral("Files(%1) (%1 %2)").arg(pattern, pattern.toLower()),
                               QStringLiteral("All Files(*.*) (*)")});
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().front();
    };
}

std::filesystem::path DebugExports::eventDumpFile() const {
    return m_session.paths().settingsDir() / kEventDumpFileName;
}

std::filesystem::path DebugExports::channelDumpFile() const {
    return m_session.paths().settingsDir() / kChannelDumpFileName;
}

void DebugExports::print2ascii() {
    const WaitCursor wait;
    try {
        settings::writeFileAtomically(
            eventDumpFile(), withDecimalSeparator(currentEventDump(m_session.event().sample),
                                                  userDecimalSeparator()));
    } catch (const Error& e) {
        reportCommonError(e);
    } catch (const std::bad_alloc&) {
        reportCommonError(Error(kErrOutOfMemory, "Out of memory"));
    }
}

void DebugExports::c2ascii() {
    const auto chosen = m_chooseFile(qstr(m_session.general().workDir));
    if (!chosen || chosen->isEmpty()) return;
    // The check reads another file than the current event's; taking over its name or header
    // fields would make the shown event's user information land beside the wrong file.
    const std::filesystem::path file(stdstr(*chosen));
    try {
        const std::string dump = k100ChannelDump(
            file, [](const std::string& text) { platform::prompter().message(text); });
        const WaitCursor wait;
        settings::writeFileAtomically(channelDumpFile(),
                                      withDecimalSeparator(dump, userDecimalSeparator()));
    } catch (const ReadRejected& rejected) {
        for (const std::string& message : rejected.messages())
            platform::prompter().message(message);
    } catch (const Error& e) {
        reportCommonError(e);
    } catch (const std::bad_alloc&) {
        reportCommonError(Error(kErrOutOfMemory, "Out of memory"));
    }
}

}  // namespace krnz::gui
