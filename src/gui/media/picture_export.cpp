// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/media/picture_export.h"

#include <QFileDialog>
#include <QPainter>
#include <QPrintDialog>
#include <iostream>

#include "core/common/error.h"
#include "core/report/error_report.h"
#include "core/settings/general_settings.h"
#include "core/view/picture_names.h"
#include "gui/event/event_opener.h"
#include "gui/media/picture_files.h"
#include "gui/media/window_pictures.h"
#include "gui/report/prompter_reporter.h"
#include "gui/view/session.h"
#include "gui/view/texts.h"

namespace krnz::gui {
namespace {

// The printer's own run-time error number.
constexpr int kErrPrinter = 482;

void logSkipped(const std::string& what, const std::exception& e) {
#ifndef NDEBUG
    std::cerr << what << ": " << e.what() << '\n';
#else
    (void)what;
    (void)e;
#endif
}

}  // namespace

PictureExport::PictureExport(Session& session, WindowPictures& pictures, QWidget& dialogParent)
    : m_session(session), m_pictures(pictures) {
    m_chooseFile = [&dialogParent](const QString& startDir) -> std::optional<QString> {
        QFileDialog dialog(&dialogParent, QStringLiteral("Save graph data as bitmap file"),
                           startDir);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilters({QStringLiteral("Bitmap pictures (*.BMP *.bmp)"),
                               QStringLiteral("All Files(*.*) (*)")});
        dialog.setDefaultSuffix(QStringLiteral("bmp"));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().front();
    };
    m_choosePrinter = [&dialogParent](QPrinter& printer) {
        QPrintDialog dialog(&printer, &dialogParent);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        return dialog.exec() == QDialog::Accepted;
    };
}

void PictureExport::rememberFolder(const QString& name) {
    m_session.setPictureDir(workDirOf(stdstr(name)));
    try {
        settings::rememberPictureDir(m_session.paths().generalIniPath(),
                                     m_session.general().pictureDir);
    } catch (const Error& e) {
        m_session.settingsNotSaved(e);  // the folder is kept for this run
    }
}

void PictureExport::savePictures(bool zoomed) {
    const auto chosen = m_chooseFile(qstr(m_session.general().pictureDir));
    if (!chosen || chosen->isEmpty()) return;
    rememberFolder(*chosen);
    const std::string name = stdstr(*chosen);
    const WaitCursor wait;
    try {
        if (zoomed) {
            writePicture(m_pictures.zoomedWindowPicture(), name);
            return;
        }
        // The digit goes into the file's own name: a short name must not reach into the folder's.
        const std::filesystem::path chosenFile(name);
        const std::string fileName = chosenFile.filename().string();
        for (const view::ChannelPicture& picture :
             view::wholeSamplePictures(fileName, m_session.options()))
            writePicture(m_pictures.stripPicture(picture.slot),
                         chosenFile.parent_path() / picture.fileName);
    } catch (const std::exception& e) {
        logSkipped("picture not saved", e);
    }
}

void PictureExport::dumpToPrinter() {
    // Taken before the printer dialog covers the window.
    const QImage image = m_pictures.clientAreaPicture();
    if (image.isNull()) return;
    if (!m_printer) m_printer = std::make_unique<QPrinter>();
    if (!m_choosePrinter(*m_printer)) return;
    const WaitCursor wait;
    try {
        printPicture(*m_printer, image, 1440.0 / m_pictures.twipsPerPixel());
    } catch (const Error& e) {
        PrompterReporter reporter(platform::Severity::Error);
        report::reportError(reporter, e);
    }
}

void printPicture(QPrinter& printer, const QImage& image, double screenDpi) {
    QPainter painter;
    if (!painter.begin(&printer)) throw Error(kErrPrinter, "Printer error");
    // The painter's origin is the printable area's corner.
    const QSizeF page = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    QSizeF size = image.deviceIndependentSize() * (printer.resolution() / screenDpi);
    if (size.width() > page.width() || size.height() > page.height())
        size.scale(page, Qt::KeepAspectRatio);
    painter.drawImage(QRectF(QPointF(0, 0), size), image);
    painter.end();
}

}  // namespace krnz::gui
