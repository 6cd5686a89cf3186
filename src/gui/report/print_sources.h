// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/report/print_page.h"

namespace krnz::gui {

class MainWindow;

// What the printed page takes from the main window: its panels, the user-information captions,
// the part of a zoomed record scrolled into view, and the cursor and reference with their
// readouts while the cursor is shown.
report::PrintView printViewOf(MainWindow& window);

// The whole of a page's sources: the current event, its user information, the options, the
// language, the main window's state and the dialog's choices. `diagram` and `spectrum` may be
// null when the choices do not ask for them; they must outlive the result.
report::PrintSources printSourcesOf(MainWindow& window, const report::PrintChoices& choices,
                                    const report::PpvzxDiagram* diagram,
                                    const report::PrintSpectrum* spectrum);

}  // namespace krnz::gui
