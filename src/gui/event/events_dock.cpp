// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/event/events_dock.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <iostream>

#include "core/common/error.h"
#include "core/settings/atomic_file.h"
#include "core/workspace/event_scan.h"
#include "gui/event/event_list_model.h"
#include "gui/view/session.h"
#include "gui/view/texts.h"
#include "platform/prompter.h"

namespace krnz::gui {

namespace fs = std::filesystem;

namespace {

// Keeps room for the sort arrow in the sorted column only: Qt reserves it in every column,
// which made the list a third wider than its numbers need.
class SortHeader : public QHeaderView {
  public:
    explicit SortHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
        connect(this, &QHeaderView::sortIndicatorChanged, this, [this] { resizeSections(); });
    }

  protected:
    QSize sectionSizeFromContents(int logicalIndex) const override {
        QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
        if (isSortIndicatorShown() && logicalIndex != sortIndicatorSection()) {
            QStyleOptionHeader option;
            initStyleOption(&option);
            const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, &option, this);
            size.setWidth(std::max(minimumSectionSize(), size.width() - size.height() - margin));
        }
        return size;
    }
};

}  // namespace

// Hands the scanner's reports, made on its thread, to the dock on the window's thread. Posted
// calls die with the dock; the scan number lets the dock drop those of a scan given up.
class EventsDock::Sink : public ScanSink {
  public:
    explicit Sink(EventsDock& dock) : m_dock(dock) {}

    void listed(std::uint64_t scan, const std::vector<fs::path>& files,
                std::size_t toRead) override {
        QMetaObject::invokeMethod(
            &m_dock, [dock = &m_dock, scan, files, toRead] { dock->listed(scan, files, toRead); },
            Qt::QueuedConnection);
    }
    void read(std::uint64_t scan, std::size_t done, std::size_t total, const fs::path& file,
              const FileStamp& stamp, std::vector<EventSummary> summaries) override {
        auto rows = std::make_shared<std::vector<EventSummary>>(std::move(summaries));
        QMetaObject::invokeMethod(
            &m_dock,
            [dock = &m_dock, scan, done, total, file, stamp, rows] {
                dock->read(scan, done, total, file, stamp, std::move(*rows));
            },
            Qt::QueuedConnection);
    }
    void finished(std::uint64_t scan) override {
        QMetaObject::invokeMethod(
            &m_dock, [dock = &m_dock, scan] { dock->finished(scan); }, Qt::QueuedConnection);
    }

  private:
    EventsDock& m_dock;
};

EventsDock::EventsDock(Session& session, QWidget* parent)
    : QDockWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("eventsDock"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);

    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* top = new QHBoxLayout;
    m_standardLabel = new QLabel(body);
    m_standard = new QComboBox(body);
    m_standard->setObjectName(QStringLiteral("standardCombo"));
    m_standard->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_filter = new QLineEdit(body);
    m_filter->setObjectName(QStringLiteral("filterEdit"));
    m_filter->setClearButtonEnabled(true);
    top->addWidget(m_standardLabel);
    top->addWidget(m_standard);
    top->addSpacing(12);
    top->addWidget(m_filter, 1);
    layout->addLayout(top);

    m_model = new EventListModel(session.texts(), this);
    m_proxy = new EventListProxy(*m_model, this);
    m_table = new QTableView(body);
    m_table->setObjectName(QStringLiteral("eventsTable"));
    m_table->setHorizontalHeader(new SortHeader(m_table));
    m_table->setModel(m_proxy);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(0, Qt::AscendingOrder);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_table, 1);

    auto* bottom = new QHBoxLayout;
    m_progress = new QProgressBar(body);
    m_progress->setObjectName(QStringLiteral("scanProgress"));
    m_progress->setFormat(QStringLiteral("%v/%m"));
    m_progress->hide();
    m_status = new QLabel(body);
    m_status->setObjectName(QStringLiteral("statusLabel"));
    m_export = new QPushButton(body);
    m_export->setObjectName(QStringLiteral("exportButton"));
    bottom->addWidget(m_status, 1);
    bottom->addWidget(m_progress, 1);
    bottom->addWidget(m_export);
    layout->addLayout(bottom);
    setWidget(body);

    m_watcher = new QFileSystemWatcher(this);
    m_rescanTimer = new QTimer(this);
    m_rescanTimer->setSingleShot(true);
    // Files arrive in bursts and are written in pieces: one scan after the folder settles.
    m_rescanTimer->setInterval(300);
    connect(m_rescanTimer, &QTimer::timeout, this, [this] { rescan(false); });
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_rescanTimer,
            qOverload<>(&QTimer::start));
    connect(m_watcher, &QFileSystemWatcher::fileChanged, m_rescanTimer,
            qOverload<>(&QTimer::start));

    connect(m_filter, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_proxy->setFilterWords(text);
        updateStatus();
    });
    connect(m_standard, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_fillingStandards) rescan(true);
    });
    connect(m_table, &QAbstractItemView::activated, this, &EventsDock::rowActivated);
    connect(m_export, &QPushButton::clicked, this, &EventsDock::exportClicked);
    // Spans belong to view rows: they are set again whenever rows move.
    connect(m_proxy, &QAbstractItemModel::layoutChanged, this, &EventsDock::scheduleSpans);
    connect(m_proxy, &QAbstractItemModel::modelReset, this, &EventsDock::scheduleSpans);
    connect(m_proxy, &QAbstractItemModel::rowsInserted, this, &EventsDock::scheduleSpans);
    connect(m_proxy, &QAbstractItemModel::rowsRemoved, this, &EventsDock::scheduleSpans);
    connect(m_proxy, &QAbstractItemModel::columnsInserted, this, &EventsDock::scheduleSpans);
    connect(m_proxy, &QAbstractItemModel::columnsRemoved, this, &EventsDock::scheduleSpans);

    m_sink = std::make_unique<Sink>(*this);
    m_scanner = std::make_unique<EventScanner>(*m_sink);
    applyCaptions();
}

EventsDock::~EventsDock() {
    // The scanner's thread ends before the sink it reports to.
    m_scanner.reset();
}

void EventsDock::applyCaptions() {
    const TextLookup& texts = m_session.texts();
    setWindowTitle(qtext(texts, "events", "title"));
    toggleViewAction()->setText(qtext(texts, "events", "mEventsList"));
    m_standardLabel->setText(qtext(texts, "events", "standard"));
    if (m_standard->count() > 0) m_standard->setItemText(0, qtext(texts, "events", "noStandard"));
    m_filter->setPlaceholderText(qtext(texts, "events", "filterHint"));
    m_filter->setToolTip(qtext(texts, "events", "filter"));
    m_export->setText(qtext(texts, "events", "export"));
    m_model->captionsChanged();
    updateStatus();
}

void EventsDock::fillStandards() {
    if (m_standardsFilled) return;
    m_standardsFilled = true;
    try {
        m_session.loadPpvzx();
    } catch (const Error& e) {
        // Without limit lines the list still has its numbers; the diagram says why when opened.
        std::cerr << "PPVZX.ini not read: " << e.text() << '\n';
    }
    m_standards = m_session.workspace().ppvzxTable().standards;
    m_fillingStandards = true;
    m_standard->clear();
    m_standard->addItem(qtext(m_session.texts(), "events", "noStandard"));
    for (const report::PpvzxStandard& s : m_standards) m_standard->addItem(qstr(s.name));
    const int chosen = m_session.workspace().standard();
    if (chosen >= 0 && chosen < static_cast<int>(m_standards.size()))
        m_standard->setCurrentIndex(chosen + 1);
    m_fillingStandards = false;
}

void EventsDock::showFolder(const fs::path& folder) {
    fillStandards();
    const fs::path normal = folder.lexically_normal();
    if (normal == m_folder && !m_folder.empty()) {
        rescan(false);
        return;
    }
    m_folder = normal;
    if (!m_watcher->directories().isEmpty()) m_watcher->removePaths(m_watcher->directories());
    if (!m_watcher->files().isEmpty()) m_watcher->removePaths(m_watcher->files());
    m_watcher->addPath(qstr(m_folder.string()));
    rescan(true);
}

void EventsDock::rescan(bool fresh) {
    if (m_folder.empty()) return;
    m_rescanTimer->stop();
    ScanChoices choices;
    choices.display = m_session.options();
    const int standard = m_standard->currentIndex() - 1;
    if (standard >= 0 && standard < static_cast<int>(m_standards.size()))
        choices.standard = m_standards[static_cast<std::size_t>(standard)];
    if (fresh) {
        m_model->clear();
        m_judged = choices.standard.has_value();
    }
    m_scan = m_scanner->scan(m_folder, m_model->list().stamps(), std::move(choices));
    m_scanning = true;
    m_done = 0;
    m_total = 0;
    updateStatus();
}

void EventsDock::listed(std::uint64_t scan, const std::vector<fs::path>& files,
                        std::size_t toRead) {
    if (scan != m_scan) return;
    m_model->keepFiles(files);
    QStringList watched;
    const QStringList already = m_watcher->files();
    for (const fs::path& file : files) {
        const QString path = qstr(file.string());
        if (!already.contains(path)) watched << path;
    }
    if (!watched.isEmpty()) m_watcher->addPaths(watched);
    m_total = toRead;
    updateStatus();
}

void EventsDock::read(std::uint64_t scan, std::size_t done, std::size_t total, const fs::path& file,
                      const FileStamp& stamp, std::vector<EventSummary> summaries) {
    if (scan != m_scan) return;
    m_model->setFile(file, stamp, std::move(summaries));
    m_done = done;
    m_total = total;
    updateStatus();
}

void EventsDock::finished(std::uint64_t scan) {
    if (scan != m_scan) return;
    m_scanning = false;
    updateStatus();
    m_table->resizeColumnsToContents();
    Q_EMIT scanFinished();
    // The opened event's row, once it is there.
    if (m_session.hasEvent())
        selectEvent(m_session.currentFile(), m_session.event().sample.channelGroup);
}

void EventsDock::updateStatus() {
    const TextLookup& texts = m_session.texts();
    m_progress->setVisible(m_scanning && m_total > 0);
    m_progress->setRange(0, static_cast<int>(m_total));
    m_progress->setValue(static_cast<int>(m_done));
    QString status;
    if (m_scanning && m_total > 0) {
        status = qtext(texts, "events", "reading")
                     .replace(QStringLiteral("{done}"), QString::number(m_done))
                     .replace(QStringLiteral("{total}"), QString::number(m_total));
    } else {
        status = qtext(texts, "events", "count")
                     .replace(QStringLiteral("{shown}"), QString::number(m_proxy->rowCount()))
                     .replace(QStringLiteral("{total}"), QString::number(m_model->rowCount()));
    }
    m_status->setText(status);
    m_status->setToolTip(qstr(m_folder.string()));
}

int EventsDock::wantedWidth() const {
    int columns = 0;
    const QHeaderView* header = m_table->horizontalHeader();
    for (int c = 0; c < header->count(); ++c) columns += header->sectionSize(c);
    const int table =
        columns + 2 * m_table->frameWidth() + m_table->verticalScrollBar()->sizeHint().width();
    const QMargins margins = widget()->layout()->contentsMargins();
    return std::max(table, widget()->sizeHint().width()) + margins.left() + margins.right();
}

void EventsDock::scheduleSpans() {
    if (m_spansScheduled) return;
    m_spansScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_spansScheduled = false;
            updateSpans();
        },
        Qt::QueuedConnection);
}

void EventsDock::updateSpans() {
    // A file that could not be read has no numbers: its message runs across the columns.
    m_table->clearSpans();
    const int columns = m_proxy->columnCount();
    for (int r = 0; r < m_proxy->rowCount(); ++r) {
        const int source = m_proxy->mapToSource(m_proxy->index(r, 0)).row();
        if (m_model->list().row(static_cast<std::size_t>(source)).channels.empty() && columns > 2)
            m_table->setSpan(r, 1, 1, columns - 1);
    }
    updateStatus();
}

void EventsDock::selectEvent(const fs::path& file, int group) {
    const EventList& list = m_model->list();
    for (int r = 0; r < m_proxy->rowCount(); ++r) {
        const QModelIndex shown = m_proxy->index(r, 0);
        const EventSummary& e =
            list.row(static_cast<std::size_t>(m_proxy->mapToSource(shown).row()));
        if (e.file == file && (e.group == group || e.channels.empty())) {
            m_table->setCurrentIndex(shown);
            m_table->scrollTo(shown);
            return;
        }
    }
}

void EventsDock::rowActivated(const QModelIndex& index) {
    if (!index.isValid()) return;
    const EventSummary& e =
        m_model->list().row(static_cast<std::size_t>(m_proxy->mapToSource(index).row()));
    Q_EMIT openRequested(e.file, e.group);
}

bool EventsDock::exportList(const fs::path& target) {
    const std::vector<std::size_t> rows = m_proxy->shownRows();
    try {
        settings::writeFileAtomically(target, summaryCsv(m_model->list(), rows, m_judged));
        return true;
    } catch (const Error& e) {
        const std::string failed =
            stdstr(qtext(m_session.texts(), "events", "exportFailed")
                       .replace(QStringLiteral("{file}"), qstr(target.string())));
        platform::prompter().message(failed + "\n" + e.text());
        return false;
    }
}

void EventsDock::exportClicked() {
    const QString start = qstr((m_folder / "events.csv").string());
    const QString file =
        QFileDialog::getSaveFileName(this, qtext(m_session.texts(), "events", "exportTitle"), start,
                                     QStringLiteral("CSV (*.csv)"));
    if (file.isEmpty()) return;
    exportList(stdstr(file));
}

}  // namespace krnz::gui
