// SPDX-License-Identifier: GPL-3.0-or-later
// krnz: the desktop program.
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app/command_line.h"
#include "core/common/error.h"
#include "core/settings/general_settings.h"
#include "core/settings/ini_layer.h"
#include "core/settings/language_files.h"
#include "core/settings/window_placement.h"
#include "core/view/recent_files.h"
#include "gui/view/dialog_prompter.h"
#include "gui/view/main_window.h"
#include "gui/view/session.h"

namespace {

using namespace krnz;

// The stored placement, kept on the desktop's work area (twips).
void placeMainWindow(gui::MainWindow& window, const settings::GeneralSettings& general) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const double tpp = window.metrics().twipsPerPixel;
    const QRect area = screen->availableGeometry();
    const settings::WindowGeometry workArea{0, 0, area.width() * tpp, area.height() * tpp};
    const settings::WindowGeometry placed =
        general.mainWindowStored
            ? settings::placeWindow(settings::storedMainWindow(general), workArea)
            : settings::firstMainWindowPlacement(workArea);
    window.resize(std::max<int>(window.minimumWidth(), static_cast<int>(placed.width / tpp)),
                  std::max<int>(window.minimumHeight(), static_cast<int>(placed.height / tpp)));
    // The stored position is the frame's (see MainWindow::shutDown), as move() takes it.
    window.move(area.x() + static_cast<int>(placed.left / tpp),
                area.y() + static_cast<int>(placed.top / tpp));
}

void saveScreenshotLater(const QString& file) {
    QTimer::singleShot(1500, [file] {
        QScreen* screen = QGuiApplication::primaryScreen();
        const bool saved = screen && screen->grabWindow(0).save(file);
        if (!saved) std::fprintf(stderr, "krnz: could not save %s\n", qPrintable(file));
        QApplication::exit(saved ? 0 : 1);
    });
}

}  // namespace

int main(int argc, char** argv) {
    // Read before the application starts, so that --help works without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const app::CommandLine line = app::parseCommandLine(arguments);
    if (line.help || !line.error.isEmpty()) {
        if (!line.error.isEmpty()) std::fprintf(stderr, "krnz: %s\n", qPrintable(line.error));
        std::fputs(qPrintable(app::usageText()), line.help ? stdout : stderr);
        return line.help ? 0 : 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("krnz"));

    gui::DialogPrompter prompter;
    platform::setPrompter(&prompter);
    settings::IniLayer& layer = settings::defaultIniLayer();
    layer.setQuestionHandler(
        [&prompter](const std::string& message) { return prompter.question(message); });
    // "No" to the settings question ends the program at once, saving nothing.
    layer.setAbortHandler([] { std::_Exit(1); });

    const settings::AppPaths paths =
        settings::AppPaths::detect(QApplication::applicationDirPath().toStdString());
    try {
        paths.createUserDirs();
    } catch (const Error& e) {
        prompter.message(e.text());
    }
    settings::LanguageFiles texts(paths.languageDirs(), layer);
    texts.setMessageHandler([&prompter](const std::string& message) { prompter.message(message); });

    gui::Session session(paths, texts);
    settings::GeneralSettings general =
        settings::readGeneralSettings(paths.generalIniPath(), paths.documentsDir());
    try {
        texts.checkLanguageFile(general.language);
    } catch (const Error& e) {
        prompter.message(e.text());
        return 1;
    }
    session.restoreSettings(std::move(general), view::readRecentFiles(paths.generalIniPath()));
    session.readStoredOptions();

    gui::MainWindow window(session, line.debugMenu);
    prompter.setParent(&window);
    placeMainWindow(window, session.general());
    window.show();
    if (!line.eventFile.isEmpty()) window.openFromCommandLine(line.eventFile);
    if (line.screenshot) saveScreenshotLater(*line.screenshot);
    return app.exec();
}
