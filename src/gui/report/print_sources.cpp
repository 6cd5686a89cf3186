// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/report/print_sources.h"

#include "gui/view/session.h"
#include "krnz_version.h"

namespace krnz::gui {

report::PrintSources printSourcesOf(const Session& session, const report::PrintChoices& choices,
                                    const report::PpvzxDiagram* diagram,
                                    const report::PrintSpectrum* spectrum) {
    report::PrintSources s;
    s.event = &session.event();
    s.userInfo = &session.userInfo();
    s.options = &session.options();
    s.texts = &session.texts();
    s.choices = choices;
    s.view = session.workspace().printView();
    s.ppvzx = diagram;
    s.spectrum = spectrum;
    s.version = KRNZ_VERSION_STRING;
    return s;
}

}  // namespace krnz::gui
