// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

namespace krnz::app {

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine line;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--debug")) {
            line.debugMenu = true;
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            line.help = true;
        } else if (arg == QLatin1String("--screenshot")) {
            if (i + 1 >= arguments.size()) {
                line.error = QStringLiteral("--screenshot needs a file name");
                return line;
            }
            line.screenshot = arguments[++i];
        } else if (arg.startsWith(QLatin1String("--"))) {
            line.error = QStringLiteral("unknown option ") + arg;
            return line;
        } else if (line.eventFile.isEmpty()) {
            line.eventFile = arg;
        } else {
            line.error = QStringLiteral("only one event file can be opened");
            return line;
        }
    }
    return line;
}

QString usageText() {
    return QStringLiteral(
        "usage: krnz [--debug] [EVENTFILE]\n"
        "  EVENTFILE  a KRN or Tremolog event to open at start\n"
        "  --debug    show the debug menu\n");
}

}  // namespace krnz::app
