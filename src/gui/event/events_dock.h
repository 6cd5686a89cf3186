// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDockWidget>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "core/report/ppvzx_config.h"

class QComboBox;
class QFileSystemWatcher;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QTimer;

namespace krnz {
class EventScanner;
struct EventSummary;
struct FileStamp;
}  // namespace krnz

namespace krnz::gui {

class EventListModel;
class EventListProxy;
class Session;

// The dockable list of a folder's events ("Events"): a row per event with its peaks and its
// verdict against a standard chosen above the list, sorted and filtered by the user. The folder
// is read on the scanner's thread and read again when files come or change; activating a row
// asks for that event to be opened.
class EventsDock : public QDockWidget {
    Q_OBJECT
  public:
    EventsDock(Session& session, QWidget* parent = nullptr);
    ~EventsDock() override;

    // Lists `folder`; the same folder again keeps the rows and reads only what changed.
    void showFolder(const std::filesystem::path& folder);
    const std::filesystem::path& folder() const { return m_folder; }
    // Whether a scan is under way.
    bool scanning() const { return m_scanning; }
    // Makes the row of an event current, when it is listed.
    void selectEvent(const std::filesystem::path& file, int group);
    // Writes the rows shown, in their order, as the batch's CSV; false after a message naming
    // the file when it cannot be written.
    bool exportList(const std::filesystem::path& target);
    void applyCaptions();
    // The width that shows every column whole.
    int wantedWidth() const;

    QTableView& table() { return *m_table; }
    EventListModel& model() { return *m_model; }
    EventListProxy& proxy() { return *m_proxy; }
    QComboBox& standardCombo() { return *m_standard; }
    QLineEdit& filterEdit() { return *m_filter; }
    QPushButton& exportButton() { return *m_export; }
    QProgressBar& progressBar() { return *m_progress; }
    QLabel& statusLabel() { return *m_status; }

  Q_SIGNALS:
    // The event of an activated row; group 2: channels 5-8 of an eight-channel event.
    void openRequested(const std::filesystem::path& file, int group);
    // A scan came to its end: the rows are all there.
    void scanFinished();

  private:
    class Sink;

    void rescan(bool fresh);
    void fillStandards();
    void rowActivated(const QModelIndex& index);
    void exportClicked();
    void updateStatus();
    void updateSpans();
    void scheduleSpans();
    // The scanner's reports, on the window's thread.
    void listed(std::uint64_t scan, const std::vector<std::filesystem::path>& files,
                std::size_t toRead);
    void read(std::uint64_t scan, std::size_t done, std::size_t total,
              const std::filesystem::path& file, const FileStamp& stamp,
              std::vector<EventSummary> summaries);
    void finished(std::uint64_t scan);

    Session& m_session;
    QComboBox* m_standard = nullptr;
    QLabel* m_standardLabel = nullptr;
    QLineEdit* m_filter = nullptr;
    QTableView* m_table = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_export = nullptr;
    EventListModel* m_model = nullptr;
    EventListProxy* m_proxy = nullptr;
    QFileSystemWatcher* m_watcher = nullptr;
    QTimer* m_rescanTimer = nullptr;

    std::filesystem::path m_folder;
    std::vector<report::PpvzxStandard> m_standards;
    bool m_standardsFilled = false;
    bool m_fillingStandards = false;
    bool m_judged = false;  // the rows carry verdicts
    bool m_scanning = false;
    bool m_spansScheduled = false;
    std::uint64_t m_scan = 0;
    std::size_t m_done = 0;
    std::size_t m_total = 0;
    std::unique_ptr<Sink> m_sink;
    std::unique_ptr<EventScanner> m_scanner;  // after the sink: it goes first
};

}  // namespace krnz::gui
