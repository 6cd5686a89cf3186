// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <new>

#include "core/common/error.h"
#include "core/event/units.h"
#include "core/settings/scale_table.h"
#include "core/spectrum/data_window.h"
#include "core/spectrum/fft_texts.h"
#include "core/spectrum/segment.h"
#include "core/view/cursor.h"
#include "gui/report/prompter_reporter.h"
#include "gui/spectrum/spectrum_graph_widget.h"
#include "gui/spectrum/spectrum_window.h"
#include "gui/view/session.h"
#include "gui/view/texts.h"
#include "platform/prompter.h"
#include "platform/screen_metrics.h"

namespace krnz::gui {
namespace {

std::string failureText(const Error& e) {
    if (e.number() == kErrProgram) return e.text();
    return "Error " + std::to_string(e.number()) + ": " + e.text();
}

}  // namespace

QString SpectrumWindow::heading() const {
    return m_selected->text();
}

void SpectrumWindow::updateHeading() {
    m_yUnits = m_session.workspace().spectrumYUnits();
    m_selected->setText(qstr(m_session.workspace().spectrumHeading()));
}

spectrum::SpectrumParams SpectrumWindow::params() const {
    spectrum::SpectrumParams p;
    const SpectrumChoices& choices = m_session.workspace().spectrumChoices();
    p.windowType = choices.windowType;
    p.spectrumType = choices.spectrumType;
    p.logx = choices.logx;
    p.logy = choices.logy;
    const settings::Options& options = m_session.options();
    for (std::size_t g = 0; g < kSlots; ++g) {
        p.maxFrq[g] = m_maxFrq[g]->currentText().toDouble();
        const settings::SlotOptions& slot = options.slotOptions[g];
        p.normalize[g] = slot.ampScale == settings::AmpScale::Normalize;
        p.manual[g] = slot.ampScale == settings::AmpScale::Manual;
        p.manualScale[g] =
            settings::scaleTable()[std::min(slot.manualScaleFrq, settings::kScaleTableSize - 1)];
    }
    return p;
}

QString SpectrumWindow::notice() const {
    return m_notice->isHidden() ? QString() : m_notice->text();
}

bool SpectrumWindow::repaintSpectra() {
    // This run is what a pending follow would do.
    m_follow->stop();
    const view::IntervalGap gap = view::intervalGap(m_session.hasEvent(), m_session.cursor());
    if (gap != view::IntervalGap::None) {
        platform::prompter().message(m_session.texts().text("frq", view::intervalGapKey(gap)));
        return false;
    }
    const std::string failure = run();
    if (failure.empty()) return true;
    platform::prompter().message(failure);
    return false;
}

void SpectrumWindow::follow() {
    if (isVisible()) m_follow->start();
}

void SpectrumWindow::followNow() {
    if (!isVisible()) return;
    const view::IntervalGap gap = view::intervalGap(m_session.hasEvent(), m_session.cursor());
    if (gap != view::IntervalGap::None) {
        showEmpty(qtext(m_session.texts(), "frq", view::intervalGapKey(gap)));
        return;
    }
    // Following is not asked for: a run that cannot be done says why in the window, where a
    // message box would take the focus from the main window at every cursor move.
    const std::string failure = run();
    if (!failure.empty()) showEmpty(qstr(failure));
}

void SpectrumWindow::showEmpty(const QString& why) {
    if (m_result) m_spare = std::move(m_result->run);
    m_result.reset();
    m_tStart = m_tEnd = 0.0;
    for (SpectrumGraphWidget* graph : m_graphs) {
        graph->clear(QString());
        graph->hide();
    }
    m_notice->setText(why);
    m_notice->show();
    m_notice->raise();
    m_print->setEnabled(false);
}

std::string SpectrumWindow::run() {
    if (m_running) return {};
    m_running = true;
    ++m_computations;
    const WaitCursor wait;
    const spectrum::SpectrumParams p = params();
    const view::CursorState& cursor = m_session.cursor();
    const Event& event = m_session.event();
    std::string failure;
    try {
        const spectrum::Segment segment = spectrum::segmentFromCursorRows(
            cursor.yTwips, cursor.refYTwips, m_session.twipsPerRow(), m_session.rows().rowCount,
            event.sample.nSamplesPerChannel);
        spectrum::SpectrumResult result =
            spectrum::repaintSpectra(event, segment, p, std::move(m_spare));
        updateHeading();
        const QString noSensor = qtext(m_session.texts(), "frq", "noSensor");
        // Units and heading go with the curves they describe, so a failed run changes neither.
        for (std::size_t g = 0; g < kSlots; ++g) {
            // A slot without a sensor has no spectrum worth a graph ("undef").
            if (event.sample.channelOff[g]) {
                m_graphs[g]->clear(noSensor);
            } else {
                m_graphs[g]->setGraph(result.graphs[g]);
                m_graphs[g]->yUnit(qstr(m_yUnits[g]));
            }
            m_graphs[g]->show();
        }
        m_notice->hide();
        m_shownUnits = m_yUnits;
        m_shownSelected = stdstr(m_selected->text());
        m_spare = {};
        if (m_result) m_spare = std::move(m_result->run);
        m_tStart = result.run.tStart;
        m_tEnd = result.run.tEnd;
        m_result = std::move(result);
    } catch (const Error& e) {
        failure = failureText(e);
    } catch (const std::bad_alloc&) {
        failure = "Error " + std::to_string(kErrOutOfMemory) + ": Out of memory";
    }
    for (SpectrumGraphWidget* graph : m_graphs) graph->invalidate();
    m_print->setEnabled(m_result.has_value());
    m_running = false;
    return failure;
}

report::PrintSpectrum SpectrumWindow::printSpectrum() const {
    report::PrintSpectrum page;
    if (m_result) page.graphs = m_result->graphs;
    page.yUnits = m_shownUnits;
    for (std::size_t g = 0; g < kSlots; ++g) {
        if (!m_graphs[g]->crossHairLinesShown()) continue;
        page.xReadouts[g] = stdstr(m_graphs[g]->xReadout());
        page.yReadouts[g] = stdstr(m_graphs[g]->yReadout());
    }
    page.selected = m_shownSelected;
    page.tStart = m_tStart;
    page.tEnd = m_tEnd;
    return page;
}

}  // namespace krnz::gui
