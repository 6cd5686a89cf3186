// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/report/print_page.h"

namespace krnz::gui {

class Session;

// The whole of a page's sources: the current event, its user information, the options, the
// language, the window's view (Workspace::printView) and the dialog's choices. `diagram` and
// `spectrum` may be null when the choices do not ask for them; they must outlive the result.
report::PrintSources printSourcesOf(const Session& session, const report::PrintChoices& choices,
                                    const report::PpvzxDiagram* diagram,
                                    const report::PrintSpectrum* spectrum);

}  // namespace krnz::gui
