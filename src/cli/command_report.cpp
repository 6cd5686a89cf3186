// SPDX-License-Identifier: GPL-3.0-or-later
// `krnz-cli report`: the printed report page as a PDF file, composed as the print dialog does.
#include <QGuiApplication>
#include <QPrinter>
#include <QPrinterInfo>
#include <QtGlobal>
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

#include "cli/cli_texts.h"
#include "cli/commands.h"
#include "cli/standards.h"
#include "core/analysis/active_channels.h"
#include "core/analysis/reporter.h"
#include "core/common/error.h"
#include "core/report/extra_graph_settings.h"
#include "core/report/page_header.h"
#include "core/report/ppvzx_config.h"
#include "core/report/print_page.h"
#include "core/settings/app_paths.h"
#include "core/settings/options.h"
#include "core/spectrum/fft_texts.h"
#include "krnz_version.h"
#include "platform/painter_page_target.h"
#include "platform/pdf_file.h"

namespace krnz::cli {
namespace {

namespace fs = std::filesystem;

// The page's messages (the diagram's log(0) notes, errors) go to stderr.
class StderrReporter final : public analysis::Reporter {
  public:
    void message(const std::string& text) override {
        std::string line;
        for (const char c : text)
            if (c != '\r') line += c;
        std::cerr << "krnz-cli: " << line << "\n";
    }
};

report::PrintChoices printChoices(const Options& cli, const settings::Options& options) {
    report::PrintChoices choices;
    choices.ppvzx = cli.ppvzx;
    choices.onlyPpvzx = cli.onlyPpvzx;
    choices.samplesOnly = !cli.onlyPpvzx;
    for (int c = 0; c < kSlots; ++c)
        choices.channelOn[static_cast<std::size_t>(c)] = view::isActive(options, c);
    // The print dialog never lets the last channel go.
    if (report::countPrintChannels(choices) == 0) choices.channelOn[0] = true;
    return choices;
}

// With --first and --last the page is the spectrum window's print of those samples.
std::optional<report::PrintSpectrum> spectrumPage(const Options& cli, Workspace& workspace) {
    if (!cli.first && !cli.last) return std::nullopt;
    if (!cli.first || !cli.last)
        throw UsageError("a spectrum page needs both --first I and --last J");
    const long long n = workspace.event().sample.nSamplesPerChannel;
    const long long last = std::min(*cli.last, n - 1);
    if (*cli.first < 0 || *cli.first > last)
        throw UsageError("--first and --last do not select samples of the event");
    SpectrumChoices choices;
    choices.windowType = spectrum::windowTypeOfKey(cli.window);
    choices.spectrumType = spectrum::spectrumTypeOfKey(cli.kind);
    workspace.setSpectrumChoices(choices);
    return workspace.spectrumPage(
        {static_cast<std::int32_t>(*cli.first), static_cast<std::int32_t>(last)});
}

// Qt's start-up chatter about the session it runs without (no runtime folder, no display) is
// no news on the command line; its other messages are.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg ||
        message.startsWith(QStringLiteral("QStandardPaths:")))
        return;
    std::cerr << message.toStdString() << "\n";
}

// Fonts and PDF writing need a GUI application, but never a display. Made on the main thread
// and kept while the returned handle lives.
std::shared_ptr<void> startGuiApplication() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietQtMessages);
    static int argc = 1;
    static char name[] = "krnz-cli";
    static char* argv[] = {name, nullptr};
    return std::shared_ptr<QGuiApplication>(new QGuiApplication(argc, argv));
}

// The display the window would have right after opening an event: the stored options (every
// slot with a sensor shown and normalised, full scales chosen by the layout pass, follow).
settings::Options storedDisplay() {
    settings::Options stored;
    settings::readOptions(cliPaths().optionIniPath(), stored);
    return stored;
}

// Where a page goes: a PDF file, or a system printer (an empty name: the default one).
struct Destination {
    std::optional<fs::path> pdf;
    std::string printer;
};

// The printer of that name, or the default; a name the system does not know is refused with
// the names it does know.
void choosePrinter(QPrinter& printer, const std::string& name) {
    const QStringList known = QPrinterInfo::availablePrinterNames();
    const QString wanted =
        name.empty() ? QPrinterInfo::defaultPrinterName() : QString::fromStdString(name);
    if (known.isEmpty()) throw Error(kErrProgram, "No printer is installed; use -o OUT.pdf");
    if (wanted.isEmpty())
        throw Error(kErrProgram, "there is no default printer; name one of: " +
                                     known.join(QStringLiteral(", ")).toStdString());
    if (!known.contains(wanted))
        throw Error(kErrProgram, "no printer \"" + wanted.toStdString() + "\"; there are: " +
                                     known.join(QStringLiteral(", ")).toStdString());
    printer.setPrinterName(wanted);
    if (!printer.isValid())
        throw Error(kErrProgram, "the printer \"" + wanted.toStdString() + "\" cannot be used");
}

// Draws the workspace's event page (its PPV/ZX choices already made when the page shows the
// diagram) to its destination. False when the page could not be composed whole.
bool writePage(Workspace& workspace, report::PrintChoices choices,
               const report::PrintSpectrum* spectrum, const Destination& out,
               analysis::Reporter& reporter) {
    const TextLookup& texts = cliTexts();
    workspace.autoScaleAll();
    workspace.measurePanels();
    const Event& event = workspace.event();

    report::PrintSources sources;
    sources.event = &event;
    sources.userInfo = &workspace.userInfo();
    sources.options = &workspace.options();
    sources.texts = &texts;
    sources.version = KRNZ_VERSION_STRING;
    sources.view = workspace.printView();
    report::PpvzxDiagram diagram;
    std::optional<report::VerdictTable> verdict;
    if (choices.ppvzx || choices.onlyPpvzx) {
        workspace.updateHalfWaves();
        diagram = workspace.ppvzxDiagram();
        sources.ppvzx = &diagram;
        verdict = workspace.verdictTable();
        if (verdict) sources.verdict = &*verdict;
    }
    if (spectrum) {
        choices.spectrumPrint = true;
        choices.fftAll = true;
        sources.spectrum = spectrum;
    }
    sources.choices = choices;

    bool complete = true;
    const std::string title =
        "KRNZ report, " + report::eventIdentificationLine(event.sample, texts);
    if (out.pdf) {
        platform::writePdfFile(*out.pdf, title, std::string("KRNZ ") + KRNZ_VERSION_STRING,
                               [&](report::PageTarget& target) {
                                   complete = report::printPage(target, sources, target.margins(),
                                                                reporter);
                               });
        return complete;
    }
    // The printer's own margins, as the window's print does.
    QPrinter printer(QPrinter::HighResolution);
    choosePrinter(printer, out.printer);
    printer.setDocName(QString::fromStdString(title));
    platform::PainterPageTarget target(printer);
    complete = report::printPage(target, sources, target.margins(), reporter);
    return complete;
}

// Keeps a page's messages for the batch row that ends up naming them.
class CollectingReporter final : public analysis::Reporter {
  public:
    void message(const std::string& text) override {
        for (const char c : text)
            if (c != '\r') m_text += c == '\n' ? ' ' : c;
        m_text += ' ';
    }
    const std::string& text() const { return m_text; }

  private:
    std::string m_text;
};

}  // namespace

int runReport(const Options& options) {
    if (options.output.has_value() == options.printer.has_value())
        throw UsageError("report needs either -o OUT.pdf or --printer [NAME]");
    if (options.ppvzx && options.onlyPpvzx)
        throw UsageError("--ppvzx and --only-ppvzx exclude each other");
    const std::shared_ptr<void> application = startGuiApplication();
    Workspace workspace = loadWorkspace(options, storedDisplay());
    if (options.ppvzx || options.onlyPpvzx) {
        workspace.setPpvzxTable(loadStandards(options));
        workspace.chooseStandard(chosenStandard(options, workspace.ppvzxTable(), false));
    }
    const std::optional<report::PrintSpectrum> spectrum = spectrumPage(options, workspace);
    StderrReporter reporter;
    const Destination out{options.output ? std::optional<fs::path>(*options.output) : std::nullopt,
                          options.printer.value_or("")};
    const bool complete = writePage(workspace, printChoices(options, workspace.options()),
                                    spectrum ? &*spectrum : nullptr, out, reporter);
    return complete ? 0 : 1;
}

BatchPageWriter reportPageWriter() {
    return [](const Options& options, const report::PpvzxTable& table, int standard) {
        BatchPage page;
        page.application = startGuiApplication();
        page.display = storedDisplay();
        page.texts = &cliTexts();
        page.write = [options, table, standard](Workspace& workspace, const fs::path& out) {
            Options pageOptions = options;
            pageOptions.ppvzx = true;
            workspace.setPpvzxTable(table);
            workspace.chooseStandard(standard);
            CollectingReporter reporter;
            if (!writePage(workspace, printChoices(pageOptions, workspace.options()), nullptr,
                           Destination{out, {}}, reporter))
                throw Error(kErrProgram, "the page " + out.string() +
                                             " was not written whole: " + reporter.text());
        };
        return page;
    };
}

}  // namespace krnz::cli
