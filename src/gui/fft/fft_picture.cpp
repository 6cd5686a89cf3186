// SPDX-License-Identifier: GPL-3.0-or-later
#include "fft/fft_picture.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPixmap>
#include <QSaveFile>
#include <QWidget>

#include "common/error.h"
#include "platform/prompter.h"
#include "settings/general_settings.h"
#include "view/session.h"
#include "view/texts.h"

namespace krnz::gui {

PictureFileChooser pictureFileDialog(QWidget* parent) {
    return [parent](const QString& startFolder) -> std::optional<QString> {
        const QString file = QFileDialog::getSaveFileName(parent, QString(), startFolder,
                                                          QStringLiteral("Bitmap (*.bmp);;PNG (*.png)"));
        if (file.isEmpty()) return std::nullopt;
        return file;
    };
}

bool saveWidgetPicture(QWidget& widget, Session& session, const PictureFileChooser& choose) {
    std::optional<QString> chosen = choose(qstr(session.general().pictureDir));
    if (!chosen || chosen->isEmpty()) return false;
    QString file = *chosen;
    if (QFileInfo(file).suffix().isEmpty()) file += QStringLiteral(".bmp");
    const bool png = QFileInfo(file).suffix().compare(QStringLiteral("png"), Qt::CaseInsensitive) == 0;

    const QPixmap picture = widget.grab();
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || !picture.save(&out, png ? "PNG" : "BMP") || !out.commit()) {
        platform::prompter().message("Error " + std::to_string(kErrPathFileAccess) + ": " + stdstr(file) +
                                     " could not be written.");
        return false;
    }
    const std::string folder = stdstr(QFileInfo(file).absolutePath());
    session.general().pictureDir = folder;
    try {
        settings::rememberPictureDir(session.paths().generalIniPath(), folder);
    } catch (const Error& e) {
        platform::prompter().message("Error " + std::to_string(e.number()) + ": " + e.text());
    }
    return true;
}

}  // namespace krnz::gui
