// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/spectrum/spectrum_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <limits>
#include <vector>

#include "core/common/value_format.h"
#include "core/settings/general_settings.h"
#include "gui/report/print_dialog.h"
#include "gui/spectrum/spectrum_graph_widget.h"
#include "gui/spectrum/spectrum_wizard.h"
#include "gui/view/screen_fit.h"
#include "gui/view/session.h"
#include "gui/view/texts.h"
#include "platform/screen_metrics.h"

namespace krnz::gui {
namespace {

QRect workArea(const QWidget& w) {
    const QScreen* screen = w.screen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
}

std::int32_t twipsLong(double twips) {
    const double r = roundHalfEven(twips);
    return static_cast<std::int32_t>(std::clamp(r, double(std::numeric_limits<std::int32_t>::min()),
                                                double(std::numeric_limits<std::int32_t>::max())));
}

}  // namespace

SpectrumWindow::SpectrumWindow(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window), m_session(session), m_choosePicture(pictureFileDialog(this)) {
    setObjectName(QStringLiteral("frqForm"));
    createControls();
    m_follow = new QTimer(this);
    m_follow->setSingleShot(true);
    m_follow->setInterval(0);
    connect(m_follow, &QTimer::timeout, this, &SpectrumWindow::followNow);
    connect(&m_session, &Session::languageChanged, this, [this] {
        applyCaptions();
        updateHeading();
        for (SpectrumGraphWidget* graph : m_graphs) graph->invalidate();
        if (m_wizard) m_wizard->applyCaptions();
        follow();
    });
    // One change often comes as several signals (a new event is laid out, its cursor carried
    // over); they all ask for the one run that follows them.
    connect(&m_session, &Session::eventChanged, this, &SpectrumWindow::follow);
    connect(&m_session, &Session::rowsChanged, this, &SpectrumWindow::follow);
    connect(&m_session, &Session::cursorChanged, this, &SpectrumWindow::follow);
    connect(&m_session, &Session::optionsChanged, this, &SpectrumWindow::follow);
    load();
}

SpectrumWindow::~SpectrumWindow() = default;

void SpectrumWindow::createControls() {
    auto button = [this](const char* name) {
        auto* b = new QPushButton(this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    m_print = button("print");
    m_print->setEnabled(false);  // until there are spectra to print
    m_save = button("save");
    m_back = button("back");
    m_boll = button("boll");
    m_logx = new QCheckBox(this);
    m_logx->setObjectName(QStringLiteral("logx"));
    m_logy = new QCheckBox(this);
    m_logy->setObjectName(QStringLiteral("logy"));
    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("panel"));
    m_selected = new QLabel(m_panel);
    m_selected->setObjectName(QStringLiteral("selected"));
    QFont bold = m_selected->font();
    bold.setBold(true);
    m_selected->setFont(bold);
    m_notice = new QLabel(m_panel);
    m_notice->setObjectName(QStringLiteral("notice"));
    m_notice->setAlignment(Qt::AlignCenter);
    m_notice->setWordWrap(true);
    m_notice->hide();
    for (int g = 0; g < kSlots; ++g) {
        const auto s = static_cast<std::size_t>(g);
        auto* graph = new SpectrumGraphWidget(m_panel);
        graph->setObjectName(QStringLiteral("fgraph%1").arg(g));
        m_graphs[s] = graph;
        connect(graph, &SpectrumGraphWidget::saveRequested, this,
                [this, graph] { gui::savePicture(graph->picture(), m_session, m_choosePicture); });
        m_maxFrqL[s] = new QLabel(m_panel);
        m_maxFrqL[s]->setObjectName(QStringLiteral("maxFrqL%1").arg(g));
        m_maxFrq[s] = new QComboBox(m_panel);
        m_maxFrq[s]->setObjectName(QStringLiteral("maxFrq%1").arg(g));
        for (const char* entry : kMaxFrqList) m_maxFrq[s]->addItem(QLatin1String(entry));
    }
    connect(m_boll, &QPushButton::clicked, this, &SpectrumWindow::repaintSpectra);
    // The axes are the workspace's choices; the boxes only show them.
    auto axes = [this] {
        SpectrumChoices choices = m_session.workspace().spectrumChoices();
        choices.logx = m_logx->isChecked();
        choices.logy = m_logy->isChecked();
        m_session.setSpectrumChoices(choices);
    };
    connect(m_logx, &QCheckBox::toggled, this, axes);
    connect(m_logy, &QCheckBox::toggled, this, axes);
    connect(m_back, &QPushButton::clicked, this, &SpectrumWindow::back);
    connect(m_print, &QPushButton::clicked, this, &SpectrumWindow::print);
    connect(m_save, &QPushButton::clicked, this, &SpectrumWindow::saveWindowPicture);
}

void SpectrumWindow::applyCaptions() {
    const TextLookup& texts = m_session.texts();
    auto t = [&](const char* key) { return qtext(texts, "frq", key); };
    setWindowTitle(t("title"));
    m_back->setText(t("back"));
    m_boll->setText(t("repaint"));
    m_logx->setText(t("log") + QStringLiteral(" x"));
    m_logy->setText(t("log") + QStringLiteral(" y"));
    m_print->setText(qtext(texts, "krn", "mPrint"));
    m_save->setText(QStringLiteral("..."));
    for (int g = 0; g < kSlots; ++g) {
        const auto s = static_cast<std::size_t>(g);
        m_maxFrqL[s]->setText(t("maxfrq"));
        m_graphs[s]->setMaxampatText(t("maxampat"));
    }
    layoutControls();
}

// Loading: the choices and the place stored in the "fft" settings; the shortest frequency
// range is not remembered, every box starts at 500 Hz.
void SpectrumWindow::load() {
    for (QComboBox* box : m_maxFrq) box->setCurrentIndex(0);
    applyCaptions();
    m_loaded = true;

    const settings::FftSettings& stored = m_session.general().fft;
    const double tpp = platform::screenMetrics(screen()).twipsPerPixel;
    const QRect area = workArea(*this);
    const settings::WindowGeometry workArea{0, 0, area.width() * tpp, area.height() * tpp};
    // Until a place is stored, the window opens as large as the main window does at first:
    // the default 600 x 400 pixels clip the graphs' headings.
    const bool placeStored =
        settings::storedFftWindow(stored) != settings::storedFftWindow(settings::FftSettings{});
    const settings::WindowGeometry placed =
        placeStored ? settings::placeWindow(settings::storedFftWindow(stored), workArea)
                    : settings::firstMainWindowPlacement(workArea);
    resize(std::max(minimumWidth(), static_cast<int>(placed.width / tpp)),
           std::max(minimumHeight(), static_cast<int>(placed.height / tpp)));
    move(area.left() + static_cast<int>(placed.left / tpp),
         area.top() + static_cast<int>(placed.top / tpp));
    setWindowState(stored.fftwinstate == 1   ? Qt::WindowMinimized
                   : stored.fftwinstate == 2 ? Qt::WindowMaximized
                                             : Qt::WindowNoState);
    setWindowType(stored.fftwindow);
    setSpectrumType(stored.fftspectra);
    updateHeading();
}

int SpectrumWindow::windowType() const {
    return m_session.workspace().spectrumChoices().windowType;
}

void SpectrumWindow::setWindowType(int type) {
    SpectrumChoices choices = m_session.workspace().spectrumChoices();
    choices.windowType = type;
    m_session.setSpectrumChoices(choices);
}

int SpectrumWindow::spectrumType() const {
    return m_session.workspace().spectrumChoices().spectrumType;
}

void SpectrumWindow::setSpectrumType(int type) {
    SpectrumChoices choices = m_session.workspace().spectrumChoices();
    choices.spectrumType = type;
    m_session.setSpectrumChoices(choices);
}

void SpectrumWindow::update_fft_init_data() {
    settings::FftSettings stored = m_session.general().fft;
    const double tpp = platform::screenMetrics(screen()).twipsPerPixel;
    const QRect area = workArea(*this);
    const QRect normal = isMaximized() || isMinimized() ? normalGeometry() : geometry();
    const QRect place = normal.isValid() ? normal : geometry();
    // The place is the frame's corner, as move() takes it; the size is the inner one.
    const QPoint corner = place.topLeft() - (geometry().topLeft() - pos());
    stored.fftsizeLeft = twipsLong((corner.x() - area.left()) * tpp);
    stored.fftsizeTop = twipsLong((corner.y() - area.top()) * tpp);
    stored.fftsizeWidth = twipsLong(place.width() * tpp);
    stored.fftsizeHeight = twipsLong(place.height() * tpp);
    stored.fftwinstate = isMinimized() ? 1 : isMaximized() ? 2 : 0;
    stored.fftwindow = static_cast<std::uint8_t>(std::clamp(windowType(), 0, 255));
    stored.fftspectra = static_cast<std::uint8_t>(std::clamp(spectrumType(), 0, 255));
    m_session.setFftSettings(stored);
}

void SpectrumWindow::openFromMainWindow() {
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    SpectrumWizard& w = wizard();
    w.show();
    w.raise();
    w.activateWindow();
}

SpectrumWizard& SpectrumWindow::wizard() {
    if (!m_wizard) m_wizard = new SpectrumWizard(*this, parentWidget());
    return *m_wizard;
}

void SpectrumWindow::back() {
    SpectrumWizard& w = wizard();
    w.show();
    w.raise();
    close();
}

void SpectrumWindow::print() {
    m_session.requestSpectrumPrint(printSpectrum());
}

void SpectrumWindow::saveWindowPicture() {
    // The window as it shows, without the graphs' "..." buttons.
    std::vector<QToolButton*> hidden;
    for (SpectrumGraphWidget* graph : m_graphs)
        for (QToolButton* button : graph->findChildren<QToolButton*>())
            if (button->isVisible()) {
                button->hide();
                hidden.push_back(button);
            }
    const QImage picture = grab().toImage();
    for (QToolButton* button : hidden) button->show();
    gui::savePicture(picture, m_session, m_choosePicture);
}

void SpectrumWindow::showEvent(QShowEvent* event) {
    if (!m_loaded) load();
    keepOnScreen(*this);
    QWidget::showEvent(event);
    // The wizard stored its choices before showing the window.
    const settings::FftSettings& stored = m_session.general().fft;
    setWindowType(stored.fftwindow);
    setSpectrumType(stored.fftspectra);
    updateHeading();
    // Once per showing; while shown, the session's signals bring the changes (activating the
    // window changes nothing).
    m_follow->stop();
    followNow();
}

void SpectrumWindow::unload() {
    if (!m_loaded) return;
    update_fft_init_data();
    m_loaded = false;
    hide();
}

void SpectrumWindow::closeEvent(QCloseEvent* event) {
    unload();
    event->accept();
}

}  // namespace krnz::gui
