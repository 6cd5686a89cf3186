// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <optional>

class QImage;
class QWidget;

namespace krnz::gui {

class Session;

// Asks for the file a picture goes to, starting in a folder; nullopt when cancelled.
using PictureFileChooser = std::function<std::optional<QString>(const QString& startFolder)>;

// The save dialog for pictures: bitmaps, or PNG. A name typed without a suffix gets the one of
// the filter chosen in the dialog.
PictureFileChooser pictureFileDialog(QWidget* parent);

// `file` with the suffix of the dialog's `filter` ("PNG (*.png)" gives ".png") when it has none
// of its own; a suffix the user typed wins over the filter.
QString withFilterSuffix(const QString& file, const QString& filter);

// Saves `picture` to the file the chooser names, starting in the remembered "pictureDir", and
// remembers the file's folder there. A name without a suffix gets ".bmp"; ".png" saves PNG. The
// file is written whole or not at all; a failure is reported through the prompter. True when a
// picture was saved.
bool savePicture(const QImage& picture, Session& session, const PictureFileChooser& choose);

}  // namespace krnz::gui
