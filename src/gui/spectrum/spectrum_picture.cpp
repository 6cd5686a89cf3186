// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/spectrum/spectrum_picture.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPixmap>
#include <QWidget>

#include "core/common/error.h"
#include "core/settings/general_settings.h"
#include "gui/media/picture_files.h"
#include "gui/view/session.h"
#include "gui/view/texts.h"
#include "platform/prompter.h"

namespace krnz::gui {

PictureFileChooser pictureFileDialog(QWidget* parent) {
    return [parent](const QString& startFolder) -> std::optional<QString> {
        const QString file = QFileDialog::getSaveFileName(
            parent, QString(), startFolder, QStringLiteral("Bitmap (*.bmp);;PNG (*.png)"));
        if (file.isEmpty()) return std::nullopt;
        return file;
    };
}

bool saveWidgetPicture(QWidget& widget, Session& session, const PictureFileChooser& choose) {
    std::optional<QString> chosen = choose(qstr(session.general().pictureDir));
    if (!chosen || chosen->isEmpty()) return false;
    QString file = *chosen;
    if (QFileInfo(file).suffix().isEmpty()) file += QStringLiteral(".bmp");
    try {
        writePicture(widget.grab().toImage(), stdstr(file));
    } catch (const Error& e) {
        platform::prompter().message("Error " + std::to_string(e.number()) + ": " + e.text(),
                                     platform::Severity::Error);
        return false;
    }
    const std::string folder = stdstr(QFileInfo(file).absolutePath());
    session.general().pictureDir = folder;
    try {
        settings::rememberPictureDir(session.paths().generalIniPath(), folder);
    } catch (const Error& e) {
        session.settingsNotSaved(e);
    }
    return true;
}

}  // namespace krnz::gui
