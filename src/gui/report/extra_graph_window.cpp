// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/report/extra_graph_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "core/common/error.h"
#include "core/report/error_report.h"
#include "core/report/half_waves.h"
#include "core/report/ppvzx_texts.h"
#include "gui/report/ppvzx_view.h"
#include "gui/report/prompter_reporter.h"
#include "gui/view/screen_fit.h"
#include "gui/view/session.h"
#include "gui/view/texts.h"
#include "platform/prompter.h"
#include "platform/screen_metrics.h"

namespace krnz::gui {
namespace {

double twipsPerPixelOf(const QWidget& w) {
    return platform::screenMetrics(w.screen()).twipsPerPixel;
}

}  // namespace

ExtraGraphWindow::ExtraGraphWindow(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window), m_session(session) {
    setObjectName(QStringLiteral("extraGraph"));
    m_follow = new QTimer(this);
    m_follow->setSingleShot(true);
    m_follow->setInterval(0);
    connect(m_follow, &QTimer::timeout, this, [this] {
        if (isVisible()) updateHalfWaves();
    });
    // Several signals of one change ask for one update after it.
    auto follow = [this] {
        if (isVisible()) m_follow->start();
    };
    connect(&m_session, &Session::eventChanged, this, follow);
    connect(&m_session, &Session::rowsChanged, this, follow);
    connect(&m_session, &Session::optionsChanged, this, follow);
    const WaitCursor wait;
    m_loading = true;
    m_busy = true;

    m_command1 = new QPushButton(this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_nPeaksLabel = new QLabel(this);
    m_nPeaksLabel->setObjectName(QStringLiteral("nPeaksLabel"));
    m_nPeaks = new QComboBox(this);
    m_nPeaks->setObjectName(QStringLiteral("nPeaks"));
    m_lstandard = new QLabel(this);
    m_lstandard->setObjectName(QStringLiteral("lstandard"));
    m_standards = new QListWidget(this);
    m_standards->setObjectName(QStringLiteral("ppvzxStandard"));
    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_sensFrame = new QGroupBox(this);
    m_sensFrame->setObjectName(QStringLiteral("sensFrame"));
    m_sensText = new QLabel(m_sensFrame);
    m_sensText->setWordWrap(true);
    m_ppvzxFrame = new QGroupBox(this);
    m_ppvzxFrame->setObjectName(QStringLiteral("ppvzxFrame"));
    m_view = new PpvzxView(m_ppvzxFrame);
    m_verdict = new QTableWidget(m_ppvzxFrame);
    m_verdict->setObjectName(QStringLiteral("verdictTable"));
    m_verdict->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_verdict->setSelectionMode(QAbstractItemView::NoSelection);
    m_verdict->setFocusPolicy(Qt::NoFocus);
    m_verdict->verticalHeader()->hide();
    m_verdict->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_verdict->horizontalHeader()->setStretchLastSection(true);
    m_verdict->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_verdict->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Room for a readable diagram above the table; the window grows to hold both.
    m_view->setMinimumSize(440, 320);
    m_method = new QLabel(m_ppvzxFrame);
    m_method->setObjectName(QStringLiteral("verdictMethod"));
    m_method->setWordWrap(true);

    auto* controls = new QVBoxLayout;
    controls->addWidget(m_nPeaksLabel);
    controls->addWidget(m_nPeaks);
    for (int c = 0; c < kSlots; ++c) {
        auto* box = new QCheckBox(this);
        box->setObjectName(QStringLiteral("channelOn%1").arg(c));
        box->setChecked(true);
        m_channelOn[static_cast<std::size_t>(c)] = box;
        controls->addWidget(box);
        connect(box, &QCheckBox::clicked, this, [this, c](bool on) {
            m_session.setPpvzxChannelOn(c, on);
            redraw();
        });
    }
    controls->addSpacing(8);
    controls->addWidget(m_lstandard);
    controls->addWidget(m_standards, 1);
    controls->addWidget(m_command1);
    controls->addWidget(m_ok);
    auto* sens = new QVBoxLayout(m_sensFrame);
    sens->addWidget(m_sensText);
    controls->addWidget(m_sensFrame);
    auto* frame = new QVBoxLayout(m_ppvzxFrame);
    frame->addWidget(m_view, 1);
    frame->addWidget(m_verdict);
    frame->addWidget(m_method);
    auto* top = new QHBoxLayout(this);
    top->addLayout(controls, 0);
    top->addWidget(m_ppvzxFrame, 1);

    connect(m_standards, &QListWidget::currentRowChanged, this, &ExtraGraphWindow::standardChanged);
    connect(m_nPeaks, &QComboBox::currentIndexChanged, this, &ExtraGraphWindow::nPeaksChanged);
    connect(m_ok, &QPushButton::clicked, this, &ExtraGraphWindow::ok);
    connect(m_command1, &QPushButton::clicked, this, &ExtraGraphWindow::dumpToPrinter);
    connect(m_view, &PpvzxView::resized, this, &ExtraGraphWindow::viewResized);

    applyCaptions();
    readPPVZXini();
    m_nPeaks->setCurrentIndex(0);
    m_loading = false;
    standardChanged();
}

std::filesystem::path ExtraGraphWindow::extraGraphIni() const {
    return m_session.paths().settingsDir() / "extraGraph.ini";
}

void ExtraGraphWindow::applyCaptions() {
    const TextLookup& texts = m_session.texts();
    auto t = [&](const char* key) { return qtext(texts, "extragraph", key); };
    setWindowTitle(t("title"));
    m_command1->setText(t("dump"));
    m_nPeaksLabel->setText(t("nPeaks"));
    m_lstandard->setText(t("standard"));
    m_ok->setText(t("ok"));
    m_sensFrame->setTitle(t("sensor"));
    m_ppvzxFrame->setTitle(t("ppvzx"));
    const QSignalBlocker block(m_nPeaks);
    const int selected = std::max(0, m_nPeaks->currentIndex());
    m_nPeaks->clear();
    for (const std::string& entry : report::nPeaksEntries(texts)) m_nPeaks->addItem(qstr(entry));
    m_nPeaks->setCurrentIndex(selected);
    for (int c = 0; c < kSlots; ++c)
        m_channelOn[static_cast<std::size_t>(c)]->setText(
            t("on") + QStringLiteral(" %1").arg(fileChannelOfSlot(m_session.event().sample, c)));
}

void ExtraGraphWindow::readPPVZXini() {
    try {
        m_session.loadPpvzx();
    } catch (const Error& e) {
        PrompterReporter reporter(platform::Severity::Error);
        report::reportError(reporter, e);
    }
    const double tpp = twipsPerPixelOf(*this);
    const QRect area =
        screen() != nullptr ? screen()->availableGeometry() : QRect(0, 0, 1920, 1080);
    const settings::WindowGeometry workArea{0, 0, area.width() * tpp, area.height() * tpp};
    const report::ExtraGraphSettings stored = report::readExtraGraphIni(extraGraphIni(), workArea);
    resize(static_cast<int>(stored.geometry.width / tpp),
           static_cast<int>(stored.geometry.height / tpp));
    move(area.left() + static_cast<int>(stored.geometry.left / tpp),
         area.top() + static_cast<int>(stored.geometry.top / tpp));

    const QSignalBlocker block(m_standards);
    m_standards->clear();
    for (const report::PpvzxStandard& s : m_session.workspace().ppvzxTable().standards)
        m_standards->addItem(qstr(s.name));
    m_standards->setCurrentRow(m_session.workspace().standard());
}

void ExtraGraphWindow::updateHalfWaves() {
    m_session.setPeaks(report::nPeaksOfSelection(m_nPeaks->currentIndex(),
                                                 report::nPeaksEntries(m_session.texts())));
    ++m_computations;
    const std::array<bool, kSlots> plottable = m_session.updateHalfWaves();
    for (int c = 0; c < kSlots; ++c) {
        QCheckBox* box = m_channelOn[static_cast<std::size_t>(c)];
        box->setChecked(m_session.workspace().ppvzxChannelOn()[c]);
        box->setEnabled(plottable[static_cast<std::size_t>(c)]);
    }
    m_busy = false;
    redraw();
}

void ExtraGraphWindow::redraw() {
    PrompterReporter reporter;
    m_view->draw(diagram(), reporter);
    showVerdict();
}

void ExtraGraphWindow::showVerdict() {
    const std::optional<report::VerdictTable> table = m_session.workspace().verdictTable();
    m_verdict->setVisible(table.has_value());
    m_method->setVisible(table.has_value());
    if (!table) return;
    m_verdict->clear();
    m_verdict->setColumnCount(static_cast<int>(table->captions.size()));
    m_verdict->setRowCount(static_cast<int>(table->rows.size()));
    QStringList headers;
    for (std::size_t c = 0; c < table->captions.size(); ++c)
        headers << (table->units[c].empty()
                        ? qstr(table->captions[c])
                        : qstr(table->captions[c]) + QStringLiteral("\n") + qstr(table->units[c]));
    m_verdict->setHorizontalHeaderLabels(headers);
    for (std::size_t r = 0; r < table->rows.size(); ++r) {
        const report::VerdictRow& row = table->rows[r];
        const std::array<const std::string*, 7> cells = row.cells();
        for (std::size_t c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(qstr(*cells[c]));
            item->setTextAlignment(c >= 2 && c + 1 < cells.size()
                                       ? Qt::AlignRight | Qt::AlignVCenter
                                       : Qt::AlignLeft | Qt::AlignVCenter);
            if (c + 1 == cells.size()) {
                // Colour and a word, so that the mark reads without colour too.
                QFont font = item->font();
                font.setBold(row.exceeds);
                item->setFont(font);
                item->setForeground(row.exceeds ? QColor(0xB4, 0x1A, 0x1A)
                                                : QColor(0x2E, 0x7D, 0x32));
            }
            m_verdict->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    m_verdict->resizeColumnsToContents();
    m_verdict->resizeRowsToContents();
    // As large as its cells, so that nothing scrolls and the diagram keeps the rest.
    int height = m_verdict->horizontalHeader()->sizeHint().height() + 2 * m_verdict->frameWidth();
    for (int r = 0; r < m_verdict->rowCount(); ++r) height += m_verdict->rowHeight(r);
    m_verdict->setFixedHeight(height);
    int width = 2 * m_verdict->frameWidth();
    for (int c = 0; c < m_verdict->columnCount(); ++c) width += m_verdict->columnWidth(c);
    m_verdict->setMinimumWidth(width);
    m_method->setText(qstr(table->method));
    // A wrapped label's minimum says nothing of its lines; ask for them at the table's width.
    m_method->setMinimumHeight(m_method->heightForWidth(std::max(m_method->width(), width)));
    // A stored size from before the table may be too small for it and the diagram.
    if (layout() != nullptr) layout()->activate();
    const QSize needed = size().expandedTo(minimumSizeHint());
    if (needed != size()) resize(needed);
}

const report::PpvzxTable& ExtraGraphWindow::table() const {
    return m_session.workspace().ppvzxTable();
}

report::PpvzxDiagram ExtraGraphWindow::diagram() const {
    return m_session.workspace().ppvzxDiagram();
}

void ExtraGraphWindow::standardChanged() {
    if (m_loading) return;
    m_session.chooseStandard(m_standards->currentRow());
    redraw();
}

void ExtraGraphWindow::nPeaksChanged() {
    if (m_busy) return;
    updateHalfWaves();
}

void ExtraGraphWindow::savePPVZXsettings() {
    const double tpp = twipsPerPixelOf(*this);
    report::ExtraGraphSettings s;
    if (QListWidgetItem* item = m_standards->currentItem()) s.standard = stdstr(item->text());
    const QRect area = screen() != nullptr ? screen()->availableGeometry() : QRect();
    s.geometry = {(x() - area.left()) * tpp, (y() - area.top()) * tpp, width() * tpp,
                  height() * tpp};
    report::savePPVZXsettings(extraGraphIni(), s);
}

void ExtraGraphWindow::ok() {
    try {
        savePPVZXsettings();
    } catch (const Error& e) {
        m_session.settingsNotSaved(e);
    }
    m_busy = true;
    hide();
}

void ExtraGraphWindow::dumpToPrinter() {
    // An image of the window, as large as the page allows.
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const QPixmap image = grab();
    QPainter painter(&printer);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const QSizeF size = QSizeF(image.size()).scaled(page.size(), Qt::KeepAspectRatio);
    painter.drawPixmap(QRectF(page.topLeft(), size), image, QRectF(image.rect()));
}

void ExtraGraphWindow::showEvent(QShowEvent* event) {
    keepOnScreen(*this);
    QWidget::showEvent(event);
    // Once per showing; while shown, the session's signals bring the changes (activating the
    // window changes nothing).
    m_follow->stop();
    updateHalfWaves();
    applyCaptions();
}

// The layout pass: the controls are placed by the window's layout; the diagram fills its frame.
void ExtraGraphWindow::viewResized() {
    if (m_loading) return;
    redraw();
    m_busy = false;
}

}  // namespace krnz::gui
