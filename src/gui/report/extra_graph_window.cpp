// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/report/extra_graph_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
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
    frame->addWidget(m_view);
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
        PrompterReporter reporter(platform::Severity::Error);
        report::reportError(reporter, e);
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

void ExtraGraphWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        updateHalfWaves();
        applyCaptions();
    }
}

void ExtraGraphWindow::showEvent(QShowEvent* event) {
    keepOnScreen(*this);
    QWidget::showEvent(event);
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
