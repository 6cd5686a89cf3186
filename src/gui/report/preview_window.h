// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPrinter>

class QPrintPreviewWidget;
class QPushButton;

namespace krnz::gui {

class PrintDialog;

// The preview window (`preview_form`, "Preview"): the page composed on its own printer and
// shown; "Print" sends that page to the printer, "Close" closes the window.
class PreviewWindow : public QDialog {
    Q_OBJECT
  public:
    explicit PreviewWindow(PrintDialog& dialog);

    QPrintPreviewWidget& view() { return *m_vp; }
    // `print_butt`: the page on the printer, with the printer's margins.
    void printPage();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    PrintDialog& m_dialog;
    QPrinter m_printer;
    QPrintPreviewWidget* m_vp = nullptr;
    QPushButton* m_printButt = nullptr;
    QPushButton* m_close = nullptr;
};

}  // namespace krnz::gui
