// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/color_swatch.h"

#include <QPainter>
#include <QPixmap>

#include "platform/colors.h"
#include "platform/prompter.h"

namespace krnz::gui {

ColorSwatch::ColorSwatch(QWidget* parent) : QToolButton(parent) {
    setIconSize(QSize(34, 16));
    setAutoRaise(false);
    connect(this, &QToolButton::clicked, this, [this] {
        // Cancelling the colour dialog keeps the swatch's colour.
        if (const auto chosen = platform::prompter().chooseColor(m_value)) {
            setColorValue(*chosen);
            Q_EMIT colorChosen(*chosen);
        }
    });
    setColorValue(0);
}

void ColorSwatch::setColorValue(std::int32_t value) {
    m_value = value;
    QPixmap pixmap(iconSize() * devicePixelRatioF());
    pixmap.setDevicePixelRatio(devicePixelRatioF());
    pixmap.fill(platform::toQColor(value));
    {
        QPainter painter(&pixmap);
        painter.setPen(QColor(0, 0, 0, 90));
        painter.drawRect(QRectF(0, 0, iconSize().width() - 1, iconSize().height() - 1));
    }
    setIcon(QIcon(pixmap));
}

}  // namespace krnz::gui
