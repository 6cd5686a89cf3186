// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <new>

#include "core/common/error.h"
#include "core/event/units.h"
#include "core/settings/scale_table.h"
#include "core/spectrum/data_window.h"
#include "core/spectrum/fft_texts.h"
#include "core/spectrum/segment.h"
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
    m_yUnits = spectrum::spectrumYUnits(m_session.event(), m_session.processed(), m_spectrumType);
    m_selected->setText(
        qstr(spectrum::spectrumHeading(m_spectrumType, m_windowType, m_session.texts())));
}

spectrum::SpectrumParams SpectrumWindow::params() const {
    spectrum::SpectrumParams p;
    p.windowType = m_windowType;
    p.spectrumType = m_spectrumType;
    p.logx = m_logx->isChecked();
    p.logy = m_logy->isChecked();
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

bool SpectrumWindow::repaintSpectra() {
    return run(true);
}

void SpectrumWindow::activated() {
    const settings::FftSettings& stored = m_session.general().fft;
    m_windowType = stored.fftwindow;
    m_spectrumType = stored.fftspectra;
    updateHeading();
    run(false);
}

bool SpectrumWindow::run(bool reportRepeatedFailure) {
    if (m_running) return false;
    m_running = true;
    const WaitCursor wait;
    const spectrum::SpectrumParams p = params();
    const view::CursorState& cursor = m_session.cursor();
    const Event& event = m_session.event();
    RunKey key{
        0, -1, p.windowType, p.spectrumType, p.logx, p.logy, m_session.currentFile().string()};
    std::string failure;
    try {
        const spectrum::Segment segment = spectrum::segmentFromCursorRows(
            cursor.yTwips, cursor.refYTwips, m_session.twipsPerRow(), m_session.rows().rowCount,
            event.sample.nSamplesPerChannel);
        std::get<0>(key) = segment.first;
        std::get<1>(key) = segment.last;
        spectrum::SpectrumResult result =
            spectrum::repaintSpectra(event, segment, p, std::move(m_spare));
        // Units and heading go with the curves they describe, so a failed run changes neither.
        for (std::size_t g = 0; g < kSlots; ++g) {
            m_graphs[g]->setGraph(result.graphs[g]);
            m_graphs[g]->yUnit(qstr(m_yUnits[g]));
        }
        m_shownUnits = m_yUnits;
        m_shownSelected = stdstr(m_selected->text());
        m_spare = {};
        if (m_result) m_spare = std::move(m_result->run);
        m_tStart = result.run.tStart;
        m_tEnd = result.run.tEnd;
        m_result = std::move(result);
        m_failedRun.reset();
    } catch (const Error& e) {
        failure = failureText(e);
    } catch (const std::bad_alloc&) {
        failure = "Error " + std::to_string(kErrOutOfMemory) + ": Out of memory";
    }
    for (SpectrumGraphWidget* graph : m_graphs) graph->invalidate();
    m_print->setEnabled(m_result.has_value());
    m_running = false;
    if (failure.empty()) return true;
    // On activation a failure already shown stays quiet: its box would take the focus, and
    // closing the box would activate this window and run into it again.
    const bool repeated = m_failedRun == key;
    m_failedRun = key;
    if (reportRepeatedFailure || !repeated) platform::prompter().message(failure);
    return false;
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
