// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/report/preview_window.h"

#include <QHBoxLayout>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common/error.h"
#include "core/report/error_report.h"
#include "gui/report/print_dialog.h"
#include "gui/report/prompter_reporter.h"
#include "gui/view/screen_fit.h"
#include "gui/view/texts.h"
#include "platform/painter_page_target.h"

namespace krnz::gui {

PreviewWindow::PreviewWindow(PrintDialog& dialog)
    : QDialog(&dialog), m_dialog(dialog), m_printer(QPrinter::HighResolution) {
    setObjectName(QStringLiteral("preview_form"));
    m_printer.setPrinterName(dialog.printer().printerName());
    m_vp = new QPrintPreviewWidget(&m_printer, this);
    m_vp->setObjectName(QStringLiteral("vp"));
    m_printButt = new QPushButton(this);
    m_printButt->setObjectName(QStringLiteral("print_butt"));
    m_close = new QPushButton(this);
    m_close->setObjectName(QStringLiteral("close"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_printButt);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_vp, 1);
    layout->addLayout(buttons);

    const TextLookup& texts = dialog.texts();
    setWindowTitle(qtext(texts, "preview", "previewTitle"));
    m_printButt->setText(qtext(texts, "preview", "print"));
    m_close->setText(qtext(texts, "preview", "close"));

    // Every repaint of the preview composes the page afresh on the preview's printer.
    connect(m_vp, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        try {
            platform::PainterPageTarget target(*printer);
            m_dialog.compose(target, target.margins());
        } catch (const Error& e) {
            PrompterReporter reporter(platform::Severity::Error);
            report::reportError(reporter, e);
        }
    });
    connect(m_printButt, &QPushButton::clicked, this, &PreviewWindow::printPage);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    if (dialog.previewZoom()) {
        m_vp->setZoomMode(QPrintPreviewWidget::CustomZoom);
        m_vp->setZoomFactor(1.0);
    } else {
        m_vp->setZoomMode(QPrintPreviewWidget::FitInView);
    }
    resize(900, 1000);
}

void PreviewWindow::showEvent(QShowEvent* event) {
    // A page's height is more than most screens have; the buttons must stay reachable.
    keepOnScreen(*this);
    QDialog::showEvent(event);
}

void PreviewWindow::printPage() {
    try {
        platform::PainterPageTarget target(m_printer);
        m_dialog.compose(target, target.margins());
    } catch (const Error& e) {
        PrompterReporter reporter(platform::Severity::Error);
        report::reportError(reporter, e);
    }
}

}  // namespace krnz::gui
