// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace krnz::app {

// `krnz [--debug] [EVENTFILE]`. --screenshot FILE (not in the help) saves a picture of the
// screen once the window has opened, then quits: for documentation and visual checks.
struct CommandLine {
    bool debugMenu = false;
    QString eventFile;
    std::optional<QString> screenshot;
    bool help = false;
    QString error;
};

CommandLine parseCommandLine(const QStringList& arguments);

QString usageText();

}  // namespace krnz::app
