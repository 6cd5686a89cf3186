// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/spectrum/spectrum_picture.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QImage>

#include "core/common/error.h"
#include "core/settings/general_settings.h"
#include "gui/media/picture_files.h"
#include "gui/view/session.h"
#include "gui/view/texts.h"
#include "platform/prompter.h"

namespace krnz::gui {

PictureFileChooser pictureFileDialog(QWidget* parent) {
    return [parent](const QString& startFolder) -> std::optional<QString> {
        QString filter;
        const QString file = QFileDialog::getSaveFileName(
            parent, QString(), startFolder, QStringLiteral("Bitmap (*.bmp);;PNG (*.png)"), &filter);
        if (file.isEmpty()) return std::nullopt;
        return withFilterSuffix(file, filter);
    };
}

QString withFilterSuffix(const QString& file, const QString& filter) {
    if (!QFileInfo(file).suffix().isEmpty()) return file;
    if (filter.contains(QStringLiteral("*.png"), Qt::CaseInsensitive))
        return file + QStringLiteral(".png");
    if (filter.contains(QStringLiteral("*.bmp"), Qt::CaseInsensitive))
        return file + QStringLiteral(".bmp");
    return file;
}

bool savePicture(const QImage& picture, Session& session, const PictureFileChooser& choose) {
    std::optional<QString> chosen = choose(qstr(session.general().pictureDir));
    if (!chosen || chosen->isEmpty()) return false;
    QString file = *chosen;
    if (QFileInfo(file).suffix().isEmpty()) file += QStringLiteral(".bmp");
    try {
        writePicture(picture, stdstr(file));
    } catch (const Error& e) {
        platform::prompter().message("Error " + std::to_string(e.number()) + ": " + e.text(),
                                     platform::Severity::Error);
        return false;
    }
    const std::string folder = stdstr(QFileInfo(file).absolutePath());
    session.setPictureDir(folder);
    try {
        settings::rememberPictureDir(session.paths().generalIniPath(), folder);
    } catch (const Error& e) {
        session.settingsNotSaved(e);
    }
    return true;
}

}  // namespace krnz::gui
