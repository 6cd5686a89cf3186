// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/report/print_sources.h"

#include <QScrollBar>

#include "gui/view/main_window.h"
#include "gui/view/session.h"
#include "krnz_version.h"

namespace krnz::gui {

report::PrintView printViewOf(MainWindow& window) {
    Session& session = window.session();
    const TextLookup& texts = session.texts();
    const PanelTexts& panels = session.panels();
    report::PrintView view;
    view.sampleLabels = panels.sampleLabels;
    view.sampleValues = panels.sampleValues;
    view.channelLabels = panels.channelLabels;
    view.channelValues = panels.channelValues;
    view.userCaptions = {texts.text("krn", "client"), texts.text("krn", "operation"),
                         texts.text("krn", "location"), texts.text("krn", "operator"),
                         texts.text("krn", "notes")};
    view.channelText = texts.text("krn", "channel");
    view.processed = session.processed();

    const QScrollBar& scroll = window.scrollBar();
    const report::VisiblePart part =
        report::visiblePart(window.zoom().zoom, scroll.value(), scroll.maximum());
    view.visibleStart = part.start;
    view.visibleEnd = part.end;

    // Cursor positions are twips along the strips, whose rows the last drawing counted.
    const view::CursorState& cursor = session.cursor();
    const double stripTwips = session.rows().rowCount * window.metrics().twipsPerDevicePixel();
    if (cursor.shown && stripTwips > 0) {
        view.cursors.push_back({cursor.yTwips / stripTwips, cursor.timeText});
        if (cursor.refSet)
            view.cursors.push_back({cursor.refYTwips / stripTwips, texts.text("krn", "refLabel")});
    }
    return view;
}

report::PrintSources printSourcesOf(MainWindow& window, const report::PrintChoices& choices,
                                    const report::PpvzxDiagram* diagram,
                                    const report::PrintSpectrum* spectrum) {
    Session& session = window.session();
    report::PrintSources s;
    s.event = &session.event();
    s.userInfo = &session.userInfo();
    s.options = &session.options();
    s.texts = &session.texts();
    s.choices = choices;
    s.view = printViewOf(window);
    s.ppvzx = diagram;
    s.spectrum = spectrum;
    s.version = KRNZ_VERSION_STRING;
    return s;
}

}  // namespace krnz::gui
