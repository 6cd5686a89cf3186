// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/media/picture_files.h"

#include <QBuffer>
#include <QPainter>
#include <QPixmap>
#include <string_view>

#include "core/common/error.h"
#include "core/settings/atomic_file.h"
#include "gui/view/channel_info_panel.h"
#include "gui/view/graph_area.h"
#include "gui/view/main_window.h"
#include "gui/view/sample_info_panel.h"

namespace krnz::gui {
namespace {

// The top of the first panel the layout shows below the toolbar, in client-area pixels.
int firstPanelTop(const view::MainLayout& layout) {
    for (const view::Rect* panel : {&layout.sampleInfo, &layout.channelInfo, &layout.graphArea})
        if (panel->visible) return panel->y;
    return layout.toolbar.visible ? layout.toolbar.y + layout.toolbar.height : 0;
}

}  // namespace

QByteArray encodePicture(const QImage& image, view::PictureFormat format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // Bitmaps carry no alpha for most readers; the strips are opaque anyway.
    const QImage opaque = image.convertToFormat(QImage::Format_RGB32);
    if (!opaque.save(&buffer, format == view::PictureFormat::Png ? "PNG" : "BMP")) return {};
    return bytes;
}

void writePicture(const QImage& image, const std::filesystem::path& file) {
    const QByteArray bytes = encodePicture(image, view::pictureFormatOf(file.string()));
    if (bytes.isEmpty())
        throw Error(kErrInvalidProcedureCall, "The picture cannot be encoded: " + file.string());
    settings::writeFileAtomically(
        file, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

QImage clientAreaPicture(MainWindow& window) {
    QWidget* client = window.centralWidget();
    return client ? client->grab().toImage() : QImage();
}

QImage zoomedWindowPicture(MainWindow& window) {
    const view::MainLayout& layout = window.lastLayout();
    const int width = layout.graphArea.width;
    const int height = window.sampleInfoPanel().preferredHeight() +
                       window.channelInfoPanel().preferredHeight() + layout.graphArea.height;
    if (width <= 0 || height <= 0) return {};

    const double dpr = window.devicePixelRatioF();
    QImage picture(QSize(width, height) * dpr, QImage::Format_RGB32);
    picture.setDevicePixelRatio(dpr);
    picture.fill(Qt::white);
    QWidget* client = window.centralWidget();
    const int top = firstPanelTop(layout);
    const QRect source(0, top, width, std::max(0, client->height() - top));
    if (!source.isEmpty()) {
        const QPixmap shown = client->grab(source);
        QPainter painter(&picture);
        painter.drawPixmap(QPoint(0, 0), shown);
    }
    return picture;
}

}  // namespace krnz::gui
