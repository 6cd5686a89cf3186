// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace krnz::gui {

class Session;

// File > Export...: the current event as shown, as CSV, a float WAV file or MiniSEED, for the
// tools the rest of the field uses.
class EventExportAction {
  public:
    EventExportAction(Session& session, QWidget& parent);

    // Asks for a file and a format and writes the export; a failure is shown with the file's
    // name and leaves any old file whole.
    void exportEvent();

    // Tests answer the file dialog: the folder to start in -> the chosen name and the index of
    // the chosen filter (0 CSV, 1 WAV, 2 MiniSEED).
    struct Choice {
        QString file;
        int filter = 0;
    };
    using FileChooser = std::function<std::optional<Choice>(const QString& startDir)>;
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

  private:
    Session& m_session;
    QWidget& m_parent;
    FileChooser m_chooseFile;
};

}  // namespace krnz::gui
