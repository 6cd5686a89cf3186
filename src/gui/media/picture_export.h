// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPrinter>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace krnz::gui {

class Session;
class WindowPictures;

// The main window's pictures: the channel strips or the visible window saved as bitmap (or PNG)
// files, and a snapshot of the window sent to the printer.
class PictureExport {
  public:
    // `dialogParent`: the window the file and printer dialogs belong to.
    PictureExport(Session& session, WindowPictures& pictures, QWidget& dialogParent);

    // `savePictures`: asks for a file name, remembers its folder as "pictureDir" at once, then
    // writes one file per active strip (not zoomed; the slot's digit goes before the last four
    // characters of the name) or the window from the sample-info panel down (zoomed). Errors
    // end the saving silently; files already written stay.
    void savePictures(bool zoomed);

    // "Dump window to printer": the client area printed on one page after the printer dialog.
    void dumpToPrinter();

    // Tests answer the system's dialogs. The file chooser gets the folder to start in and
    // returns the chosen name; the printer chooser returns true to print.
    using FileChooser = std::function<std::optional<QString>(const QString& startDir)>;
    using PrinterChooser = std::function<bool(QPrinter&)>;
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    void setPrinterChooser(PrinterChooser chooser) { m_choosePrinter = std::move(chooser); }

  private:
    void rememberFolder(const QString& name);

    Session& m_session;
    WindowPictures& m_pictures;
    std::unique_ptr<QPrinter> m_printer;  // made on first use: finding printers can take a while
    FileChooser m_chooseFile;
    PrinterChooser m_choosePrinter;
};

// Prints `image` on one page of `printer` at the size it has on a screen of `screenDpi`
// (logical pixels), shrunk to the printable area when larger. Throws krnz::Error when the
// printer cannot be started.
void printPicture(QPrinter& printer, const QImage& image, double screenDpi);

}  // namespace krnz::gui
