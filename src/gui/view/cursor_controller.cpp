// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/cursor_controller.h"

#include <QAction>
#include <QLabel>
#include <QScrollBar>

#include "core/analysis/active_channels.h"
#include "core/common/error.h"
#include "core/event/units.h"
#include "core/view/cursor.h"
#include "core/view/zoom_scroll.h"
#include "gui/view/graph_area.h"
#include "gui/view/scale_column.h"
#include "gui/view/session.h"
#include "gui/view/texts.h"
#include "platform/colors.h"

namespace krnz::gui {

CursorController::CursorController(Session& session, GraphArea& area, CursorControls controls,
                                   QObject* parent)
    : QObject(parent), m_session(session), m_area(area), m_controls(controls) {}

void CursorController::graphMouseDown(int slot, double y) {
    m_session.placeCursor();
    if (m_controls.mInsertRef) m_controls.mInsertRef->setEnabled(true);
    if (m_controls.mCursor) m_controls.mCursor->setEnabled(true);
    showCursors(true);
    graphMouseMove(slot, y);
}

void CursorController::graphMouseMove(int /*slot*/, double y) {
    moveTo(y * m_metrics.twipsPerPixel);
}

void CursorController::moveTo(double yTwips) {
    if (m_mouseBusy || !m_session.hasEvent()) return;
    m_mouseBusy = true;
    view::StripGeometry strip;
    strip.twipsPerPixelY = m_metrics.twipsPerDevicePixel();
    strip.topTwips = m_area.scrollTop() * m_metrics.twipsPerPixel;
    strip.visibleHeightTwips = m_area.height() * m_metrics.twipsPerPixel;
    if (m_session.moveCursor(yTwips, strip)) updateElements();
    m_mouseBusy = false;
}

void CursorController::graphKeyDown(int /*slot*/, CursorKey key) {
    const view::CursorState& cursor = m_session.cursor();
    const int first = view::firstactivechannel(m_session.options(), m_session.event().sample);
    switch (key) {
        case CursorKey::InsertRef: {
            view::StripGeometry strip;
            strip.twipsPerPixelY = m_metrics.twipsPerDevicePixel();
            if (!m_session.insertReference(strip)) return;
            if (m_controls.mRemoveRef) m_controls.mRemoveRef->setEnabled(true);
            updateElements();
            return;
        }
        case CursorKey::RemoveRef:
            m_session.removeReference();
            if (m_controls.mRemoveRef) m_controls.mRemoveRef->setEnabled(false);
            updateElements();
            graphMouseMove(first, cursor.yTwips / m_metrics.twipsPerPixel);
            return;
        case CursorKey::Up:
            moveTo(cursor.yTwips - m_metrics.twipsPerDevicePixel());
            return;
        case CursorKey::Down:
            moveTo(cursor.yTwips + m_metrics.twipsPerDevicePixel());
            return;
        case CursorKey::PageUp:
        case CursorKey::PageDown: {
            QScrollBar* bar = m_controls.scrollBar;
            if (!bar || bar->isHidden()) return;
            view::ScrollState scroll{bar->minimum(), bar->maximum(), bar->value(),
                                     bar->singleStep(), bar->pageStep()};
            key == CursorKey::PageUp ? view::pageUp(scroll) : view::pageDown(scroll);
            bar->setValue(scroll.value);
            return;
        }
    }
}

void CursorController::toggleCursor() {
    const bool show = !m_session.cursor().shown;
    showCursors(show);
    if (show) {
        const int first = view::firstactivechannel(m_session.options(), m_session.event().sample);
        graphMouseDown(first, m_session.cursor().yTwips / m_metrics.twipsPerPixel);
    }
}

void CursorController::showCursors(bool visible) {
    m_session.showCursor(visible);
    if (m_controls.mCursor) m_controls.mCursor->setChecked(visible);
    updateElements();
}

void CursorController::afterRedraw() {
    m_session.carryOverCursor();
    const view::CursorState& cursor = m_session.cursor();
    if (cursor.shown) {
        const int first = view::firstactivechannel(m_session.options(), m_session.event().sample);
        graphMouseDown(first, cursor.yTwips / m_metrics.twipsPerPixel);
    }
    updateElements();
}

void CursorController::refresh() {
    const view::CursorState& cursor = m_session.cursor();
    if (m_controls.mCursor) m_controls.mCursor->setChecked(cursor.shown);
    if (m_controls.mInsertRef) m_controls.mInsertRef->setEnabled(cursor.placed);
    if (m_controls.mRemoveRef) m_controls.mRemoveRef->setEnabled(cursor.refSet);
    updateElements();
}

std::string CursorController::rowUnit(int slot) const {
    try {
        return unitName(m_session.workspace().displayedUnit(slot));
    } catch (const Error&) {
        return {};  // a unit code outside the table: the bare number
    }
}

void CursorController::updateElements() {
    const view::CursorState& cursor = m_session.cursor();
    const settings::Options& options = m_session.options();
    const SampleRecord& rec = m_session.event().sample;
    const double tpp = m_metrics.twipsPerPixel;
    const double cursorY = cursor.yTwips / tpp;
    const double refY = cursor.refYTwips / tpp;
    const std::int32_t row = view::cursorRow(cursor.yTwips, m_metrics.twipsPerDevicePixel());
    const bool loaded = m_session.hasEvent() && m_session.rows().rowCount > 0;

    for (int c = 0; c < kSlots; ++c) {
        const auto s = static_cast<std::size_t>(c);
        const settings::SlotColors& colors = options.slotOptions[s].colors;
        StripWidget& strip = m_area.strip(c);
        StripOverlay overlay;
        overlay.cursorColor = platform::toQColor(colors.cursorColor);
        overlay.refColor = platform::toQColor(colors.refColor);
        const bool active = loaded && view::isActive(options, c);
        overlay.cursorShown = active && cursor.shown;
        overlay.cursorY = cursorY;
        overlay.refShown = active && cursor.refSet;
        overlay.refY = refY;
        overlay.valueShown = overlay.cursorShown && !rec.channelOff[s];
        if (overlay.valueShown) {
            const double value = view::cursorValue(m_session.rows(), c, row);
            overlay.valueX =
                view::valueX(value, settings::getManualScale(options, c), strip.width());
            overlay.valueText = qstr(view::withUnit(view::cursorValueText(value), rowUnit(c)));
        }
        strip.setOverlay(overlay);
    }
    const settings::SlotColors& first = options.slotOptions[0].colors;
    m_area.scaleColumn().setCursorLabel(loaded && cursor.shown,
                                        {cursorY, qstr(view::withUnit(cursor.timeText, "s"))},
                                        platform::toQColor(first.cursorColor));
    m_area.scaleColumn().setRefLabel(loaded && cursor.refSet,
                                     {refY, qtext(m_session.texts(), "krn", "refLabel")},
                                     platform::toQColor(first.refColor));
    if (m_controls.deltaLabel) m_controls.deltaLabel->setText(qstr(cursor.deltaText));
    if (m_controls.deltaAction) m_controls.deltaAction->setVisible(cursor.deltaShown);
}

}  // namespace krnz::gui
