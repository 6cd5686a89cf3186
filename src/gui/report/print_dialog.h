// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPrinter>
#include <array>
#include <functional>
#include <optional>

#include "core/report/page_target.h"
#include "core/report/print_page.h"
#include "core/settings/text_lookup.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace krnz::gui {

class Session;

// The print dialog (`preview`, "Print"): what the page holds, which channels, which printer, and
// whether to print, preview first or save a PDF. It holds the printer the page is composed on.
inline constexpr const char* kNoPrinterMessage = "No printer is installed; use Save as PDF.";

class PrintDialog : public QDialog {
    Q_OBJECT
  public:
    // The page's pen with "Bold lines", twips.
    static constexpr double kPrintPenWidth = 20.0;

    PrintDialog(Session& session, QWidget* parent);

    // `call_non_fft_print`: an event print, the channel boxes copied from the options; modal.
    void call_non_fft_print();
    void prepareEventPrint();
    // The spectrum window's print of its four graphs; modal.
    void callFftPrint(const report::PrintSpectrum& spectrum);
    void prepareSpectrumPrint(const report::PrintSpectrum& spectrum);
    // `enable_freq_plott`: kept for its callers; it changes nothing.
    void enable_freq_plott() {}

    void applyCaptions();

    // The choices as the controls hold them.
    report::PrintChoices choices() const;
    bool spectrumPrint() const { return m_spectrumPrint; }
    bool previewZoom() const;

    // Composes the page on a target with these margins; false when an error cut it short (the
    // error was reported).
    bool compose(report::PageTarget& target, const report::PageMargins& margins);

    // `print`: the system's printer dialog, then the page on the chosen printer. Cancelling the
    // printer dialog abandons the print quietly and keeps this dialog open.
    void print();
    // `Command2`: the preview window, modal.
    void preview();
    // "Save as PDF...": the page as a PDF file of the user's choice.
    void saveAsPdf();

    // Tests answer the system's dialogs: the printer dialog (true: print) and the file chooser.
    using PrinterChooser = std::function<bool(QPrinter&)>;
    using PdfFileChooser = std::function<std::optional<QString>()>;
    void setPrinterChooser(PrinterChooser chooser) { m_choosePrinter = std::move(chooser); }
    void setPdfFileChooser(PdfFileChooser chooser) { m_choosePdf = std::move(chooser); }
    // Shows the preview; tests replace the modal window.
    void setPreviewRunner(std::function<void()> runner) { m_runPreview = std::move(runner); }

    QPrinter& printer() { return m_printer; }
    const TextLookup& texts() const;

  private:
    QGroupBox* buildSpectrumFrame();
    QGroupBox* buildEventFrame();
    QGroupBox* buildIncludeFrame();
    QGroupBox* buildChannelFrame();
    void copyChannelsFromOptions();
    void channelOnClicked(int slot);
    void fillPrinters();
    void updateOptionStates();

    Session& m_session;
    QPrinter m_printer;
    bool m_spectrumPrint = false;
    std::optional<report::PrintSpectrum> m_spectrum;
    PrinterChooser m_choosePrinter;
    PdfFileChooser m_choosePdf;
    std::function<void()> m_runPreview;

    QGroupBox* m_frame2 = nullptr;  // spectrum
    QCheckBox* m_fftAll = nullptr;
    QComboBox* m_fftSel = nullptr;
    QGroupBox* m_frame1 = nullptr;  // event
    QRadioButton* m_samplesOnly = nullptr;
    QRadioButton* m_samplesAndInfo = nullptr;
    QRadioButton* m_onlyPpvzx = nullptr;
    QGroupBox* m_include = nullptr;
    QCheckBox* m_samples = nullptr;
    QCheckBox* m_ppvzx = nullptr;
    QCheckBox* m_sensor = nullptr;
    QCheckBox* m_userInfo = nullptr;
    QCheckBox* m_channelInfo = nullptr;
    QCheckBox* m_sampleInfo = nullptr;
    QCheckBox* m_printHeader = nullptr;
    QGroupBox* m_channel = nullptr;
    std::array<QCheckBox*, kSlots> m_channelOn{};
    QCheckBox* m_bold = nullptr;
    QCheckBox* m_cursor = nullptr;
    QCheckBox* m_printzoom = nullptr;
    QLabel* m_printerLabel = nullptr;
    QComboBox* m_thePrinter = nullptr;
    QCheckBox* m_zoom = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_command2 = nullptr;
    QPushButton* m_savePdf = nullptr;
};

}  // namespace krnz::gui
