// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/report/print_dialog.h"

#include <QAbstractPrintDialog>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/analysis/active_channels.h"
#include "core/common/error.h"
#include "core/report/error_report.h"
#include "core/report/page_header.h"
#include "gui/report/preview_window.h"
#include "gui/report/print_sources.h"
#include "gui/report/prompter_reporter.h"
#include "gui/view/session.h"
#include "gui/view/texts.h"
#include "krnz_version.h"
#include "platform/painter_page_target.h"
#include "platform/pdf_file.h"
#include "platform/prompter.h"

namespace krnz::gui {
namespace {

template <typename T>
T* named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

PrintDialog::PrintDialog(Session& session, QWidget* parent)
    : QDialog(parent), m_session(session), m_printer(QPrinter::HighResolution) {
    setObjectName(QStringLiteral("preview"));
    setModal(true);
    m_choosePrinter = [this](QPrinter& printer) {
        if (QPrinterInfo::availablePrinterNames().isEmpty()) {
            platform::prompter().message(kNoPrinterMessage);
            return false;
        }
        QPrintDialog dialog(&printer, this);
        dialog.setWindowTitle(qtext(m_session.texts(), "preview", "title"));
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
        return dialog.exec() == QDialog::Accepted;
    };
    m_choosePdf = [this]() -> std::optional<QString> {
        const QString file = QFileDialog::getSaveFileName(
            this, QString(), QString(), qtext(m_session.texts(), "preview", "pdfFiles"));
        if (file.isEmpty()) return std::nullopt;
        return file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)
                   ? file
                   : file + QStringLiteral(".pdf");
    };
    m_runPreview = [this] {
        PreviewWindow preview(*this);
        preview.exec();
    };

    auto* options = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(buildSpectrumFrame());
    left->addWidget(buildEventFrame());
    left->addWidget(buildChannelFrame());
    left->addStretch(1);
    options->addLayout(left);
    auto* right = new QVBoxLayout;
    right->addWidget(buildIncludeFrame());
    m_bold = named(new QCheckBox(this), "bold");
    m_cursor = named(new QCheckBox(this), "cursor");
    m_printzoom = named(new QCheckBox(this), "printzoom");
    right->addWidget(m_bold);
    right->addWidget(m_cursor);
    right->addWidget(m_printzoom);
    right->addStretch(1);
    options->addLayout(right);

    auto* printerRow = new QHBoxLayout;
    m_printerLabel = named(new QLabel(this), "printerLabel");
    m_thePrinter = named(new QComboBox(this), "thePrinter");
    m_zoom = named(new QCheckBox(this), "zoom");
    printerRow->addWidget(m_printerLabel);
    printerRow->addWidget(m_thePrinter, 1);
    printerRow->addWidget(m_zoom);

    auto* buttons = new QHBoxLayout;
    m_command2 = named(new QPushButton(this), "Command2");
    m_savePdf = named(new QPushButton(this), "savePdf");
    m_print = named(new QPushButton(this), "print");
    m_cancel = named(new QPushButton(this), "cancel");
    m_print->setDefault(true);
    buttons->addWidget(m_command2);
    buttons->addWidget(m_savePdf);
    buttons->addStretch(1);
    buttons->addWidget(m_print);
    buttons->addWidget(m_cancel);

    auto* top = new QVBoxLayout(this);
    top->addLayout(options);
    top->addLayout(printerRow);
    top->addLayout(buttons);

    connect(m_fftAll, &QCheckBox::clicked, this, &PrintDialog::updateOptionStates);
    connect(m_ppvzx, &QCheckBox::clicked, this, &PrintDialog::updateOptionStates);
    for (QRadioButton* option : {m_samplesOnly, m_samplesAndInfo, m_onlyPpvzx})
        connect(option, &QRadioButton::clicked, this, &PrintDialog::updateOptionStates);
    connect(m_thePrinter, &QComboBox::activated, this,
            [this](int index) { m_printer.setPrinterName(m_thePrinter->itemText(index)); });
    connect(m_print, &QPushButton::clicked, this, &PrintDialog::print);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_command2, &QPushButton::clicked, this, &PrintDialog::preview);
    connect(m_savePdf, &QPushButton::clicked, this, &PrintDialog::saveAsPdf);

    m_fftSel->setCurrentIndex(0);
    applyCaptions();
    fillPrinters();
    copyChannelsFromOptions();
    updateOptionStates();
}

QGroupBox* PrintDialog::buildSpectrumFrame() {
    m_frame2 = named(new QGroupBox(this), "Frame2");
    m_fftAll = named(new QCheckBox(m_frame2), "fft_all");
    m_fftSel = named(new QComboBox(m_frame2), "fft_sel");
    for (int c = 0; c < kSlots; ++c) m_fftSel->addItem(QString());
    auto* layout = new QHBoxLayout(m_frame2);
    layout->addWidget(m_fftAll);
    layout->addWidget(m_fftSel, 1);
    return m_frame2;
}

QGroupBox* PrintDialog::buildEventFrame() {
    m_frame1 = named(new QGroupBox(this), "Frame1");
    m_samplesOnly = named(new QRadioButton(m_frame1), "samplesOnly");
    m_samplesAndInfo = named(new QRadioButton(m_frame1), "samplesAndInfo");
    m_onlyPpvzx = named(new QRadioButton(m_frame1), "only_ppv_zx");
    m_samplesOnly->setChecked(true);
    auto* layout = new QVBoxLayout(m_frame1);
    layout->addWidget(m_samplesOnly);
    layout->addWidget(m_samplesAndInfo);
    layout->addWidget(m_onlyPpvzx);
    return m_frame1;
}

QGroupBox* PrintDialog::buildIncludeFrame() {
    m_include = named(new QGroupBox(this), "include");
    m_samples = named(new QCheckBox(m_include), "samples");
    m_ppvzx = named(new QCheckBox(m_include), "ppvzx");
    m_sensor = named(new QCheckBox(m_include), "sensor");
    m_userInfo = named(new QCheckBox(m_include), "userInfo");
    m_channelInfo = named(new QCheckBox(m_include), "channelInfo");
    m_sampleInfo = named(new QCheckBox(m_include), "sampleInfo");
    m_printHeader = named(new QCheckBox(m_include), "print_header");
    auto* layout = new QVBoxLayout(m_include);
    for (QCheckBox* box :
         {m_samples, m_ppvzx, m_sampleInfo, m_userInfo, m_channelInfo, m_sensor, m_printHeader}) {
        box->setChecked(box != m_ppvzx);
        layout->addWidget(box);
    }
    return m_include;
}

QGroupBox* PrintDialog::buildChannelFrame() {
    m_channel = named(new QGroupBox(this), "channel");
    auto* layout = new QHBoxLayout(m_channel);
    for (int c = 0; c < kSlots; ++c) {
        auto* box = new QCheckBox(m_channel);
        box->setObjectName(QStringLiteral("channelOn%1").arg(c));
        m_channelOn[static_cast<std::size_t>(c)] = box;
        layout->addWidget(box);
        connect(box, &QCheckBox::clicked, this, [this, c] { channelOnClicked(c); });
    }
    return m_channel;
}

void PrintDialog::applyCaptions() {
    const TextLookup& texts = m_session.texts();
    auto t = [&](const char* key) { return qtext(texts, "preview", key); };
    setWindowTitle(t("title"));
    m_frame2->setTitle(t("spectrum"));
    m_fftAll->setText(t("all"));
    m_frame1->setTitle(t("event"));
    m_samplesOnly->setText(t("samplesOnly"));
    m_samplesAndInfo->setText(t("samplesAndInfo"));
    m_onlyPpvzx->setText(t("onlyPpvzx"));
    m_include->setTitle(t("include"));
    m_samples->setText(t("samples"));
    m_ppvzx->setText(t("ppvzx"));
    m_sensor->setText(t("sensor"));
    m_userInfo->setText(t("userInfo"));
    m_channelInfo->setText(t("channelInfo"));
    m_sampleInfo->setText(t("sampleInfo"));
    m_printHeader->setText(t("print_header"));
    m_channel->setTitle(t("channel"));
    m_bold->setText(t("bold"));
    m_cursor->setText(t("drawCursor"));
    m_printzoom->setText(t("printZoomed"));
    m_printerLabel->setText(t("printer"));
    m_zoom->setText(t("zoom"));
    m_print->setText(t("print"));
    m_cancel->setText(t("cancel"));
    m_command2->setText(t("preview"));
    m_savePdf->setText(t("savePdf"));
    const SampleRecord& rec = m_session.event().sample;
    for (int c = 0; c < kSlots; ++c) {
        const QString number = QString::number(fileChannelOfSlot(rec, c));
        m_channelOn[static_cast<std::size_t>(c)]->setText(number);
        m_fftSel->setItemText(c, qtext(texts, "krn", "channel") + QLatin1Char(' ') + number);
    }
}

void PrintDialog::fillPrinters() {
    m_thePrinter->clear();
    m_thePrinter->addItems(QPrinterInfo::availablePrinterNames());
    const int current = m_thePrinter->findText(m_printer.printerName());
    m_thePrinter->setCurrentIndex(
        current >= 0 ? current : m_thePrinter->findText(QPrinterInfo::defaultPrinterName()));
}

void PrintDialog::copyChannelsFromOptions() {
    const settings::Options& options = m_session.options();
    for (int c = 0; c < kSlots; ++c)
        m_channelOn[static_cast<std::size_t>(c)]->setChecked(view::isActive(options, c));
}

void PrintDialog::channelOnClicked(int slot) {
    if (m_channelOn[static_cast<std::size_t>(slot)]->isChecked()) return;
    for (const QCheckBox* box : m_channelOn)
        if (box->isChecked()) return;
    // At least one channel is always printed.
    m_channelOn[static_cast<std::size_t>(slot)]->setChecked(true);
    platform::prompter().message(m_session.texts().text("option", "errChannelOn"));
}

void PrintDialog::updateOptionStates() {
    m_fftSel->setEnabled(!m_fftAll->isChecked());
    m_samplesOnly->setEnabled(m_ppvzx->isChecked());
    m_samplesAndInfo->setEnabled(m_ppvzx->isChecked());
    const bool onlyDiagram = m_onlyPpvzx->isChecked();
    for (QCheckBox* box : {m_cursor, m_printzoom, m_bold}) box->setEnabled(!onlyDiagram);
}

void PrintDialog::prepareEventPrint() {
    m_frame1->show();
    m_frame2->hide();
    m_spectrumPrint = false;
    m_spectrum.reset();
    m_samplesOnly->setChecked(true);
    applyCaptions();
    copyChannelsFromOptions();
    updateOptionStates();
}

void PrintDialog::call_non_fft_print() {
    prepareEventPrint();
    exec();
}

void PrintDialog::prepareSpectrumPrint(const report::PrintSpectrum& spectrum) {
    m_frame1->hide();
    m_frame2->show();
    m_spectrumPrint = true;
    m_spectrum = spectrum;
    m_fftAll->setChecked(false);
    m_fftAll->setEnabled(true);
    m_fftSel->setEnabled(true);
    m_samplesOnly->setChecked(true);
    applyCaptions();
    updateOptionStates();
}

void PrintDialog::callFftPrint(const report::PrintSpectrum& spectrum) {
    prepareSpectrumPrint(spectrum);
    exec();
}

const TextLookup& PrintDialog::texts() const {
    return m_session.texts();
}

bool PrintDialog::previewZoom() const {
    return m_zoom->isChecked();
}

report::PrintChoices PrintDialog::choices() const {
    report::PrintChoices c;
    c.spectrumPrint = m_spectrumPrint;
    c.fftAll = m_fftAll->isChecked();
    c.fftSel = m_fftSel->currentIndex();
    c.samples = m_samples->isChecked();
    c.samplesOnly = m_samplesOnly->isChecked();
    c.samplesAndInfo = m_samplesAndInfo->isChecked();
    c.onlyPpvzx = m_onlyPpvzx->isChecked();
    c.ppvzx = m_ppvzx->isChecked();
    for (int s = 0; s < kSlots; ++s)
        c.channelOn[static_cast<std::size_t>(s)] =
            m_channelOn[static_cast<std::size_t>(s)]->isChecked();
    c.bold = m_bold->isChecked() && m_bold->isEnabled();
    c.printPenWidth = kPrintPenWidth;
    c.cursor = m_cursor->isChecked() && m_cursor->isEnabled();
    c.printzoom = m_printzoom->isChecked() && m_printzoom->isEnabled();
    c.printHeader = m_printHeader->isChecked();
    c.userInfo = m_userInfo->isChecked();
    c.channelInfo = m_channelInfo->isChecked();
    c.sampleInfo = m_sampleInfo->isChecked();
    c.sensor = m_sensor->isChecked();
    return c;
}

bool PrintDialog::compose(report::PageTarget& target, const report::PageMargins& margins) {
    const report::PrintChoices c = choices();
    // The diagram window is loaded, not shown, and brought up to date for the page.
    std::optional<report::PpvzxDiagram> diagram;
    if (!c.spectrumPrint && (c.ppvzx || c.onlyPpvzx)) {
        try {
            m_session.loadPpvzx();
        } catch (const Error& e) {
            PrompterReporter reporter(platform::Severity::Error);
            report::reportError(reporter, e);
        }
        m_session.updateHalfWaves();
        diagram = m_session.workspace().ppvzxDiagram();
    }
    report::PrintSources sources = printSourcesOf(m_session, c, diagram ? &*diagram : nullptr,
                                                  m_spectrum ? &*m_spectrum : nullptr);
    const std::optional<report::VerdictTable> verdict =
        diagram ? m_session.workspace().verdictTable() : std::nullopt;
    if (verdict) sources.verdict = &*verdict;
    PrompterReporter reporter;
    return report::printPage(target, sources, margins, reporter);
}

void PrintDialog::print() {
    if (!m_choosePrinter(m_printer)) return;
    {
        const WaitCursor wait;
        PrompterReporter reporter;
        try {
            // The printer's own margins, as the preview uses them: the print is what was previewed.
            platform::PainterPageTarget target(m_printer);
            compose(target, target.margins());
        } catch (const Error& e) {
            report::reportError(reporter, e);
            return;
        }
    }
    accept();
}

void PrintDialog::preview() {
    m_runPreview();
}

void PrintDialog::saveAsPdf() {
    const std::optional<QString> file = m_choosePdf();
    if (!file) return;
    PrompterReporter reporter;
    try {
        const WaitCursor wait;
        const std::string title =
            "KRNZ report, " +
            report::eventIdentificationLine(m_session.event().sample, m_session.texts());
        platform::writePdfFile(
            stdstr(*file), title, std::string("KRNZ ") + KRNZ_VERSION_STRING,
            [&](report::PageTarget& target) { compose(target, target.margins()); });
    } catch (const Error& e) {
        report::reportError(reporter, e);
        return;
    }
    accept();
}

}  // namespace krnz::gui
