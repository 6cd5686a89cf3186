// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/strip_widget.h"

#include <QWheelEvent>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <optional>

#include "core/view/cursor.h"

namespace krnz::gui {
namespace {

std::optional<CursorKey> cursorKeyOf(const QKeyEvent& event) {
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    switch (event.key()) {
        case Qt::Key_Insert:
            return CursorKey::InsertRef;
        case Qt::Key_0:
            return keypad ? std::optional(CursorKey::InsertRef) : std::nullopt;
        case Qt::Key_Delete:
            return CursorKey::RemoveRef;
        case Qt::Key_Period:
        case Qt::Key_Comma:
            return keypad ? std::optional(CursorKey::RemoveRef) : std::nullopt;
        case Qt::Key_Up:
            return CursorKey::Up;
        case Qt::Key_Down:
            return CursorKey::Down;
        case Qt::Key_PageUp:
            return CursorKey::PageUp;
        case Qt::Key_PageDown:
            return CursorKey::PageDown;
        default:
            return std::nullopt;
    }
}

QColor textColorOn(const QColor& background) {
    return background.lightnessF() > 0.55 ? QColor(Qt::black) : QColor(Qt::white);
}

}  // namespace

StripWidget::StripWidget(int slot, QWidget* parent) : QWidget(parent), m_slot(slot) {
    setObjectName(QStringLiteral("graph%1").arg(slot));
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

void StripWidget::setPicture(QImage picture) {
    m_picture = std::move(picture);
    update();
}

void StripWidget::setOverlay(const StripOverlay& overlay) {
    m_overlay = overlay;
    update();
}

QRectF StripWidget::valueLabelRect() const {
    const QFontMetricsF metrics(font());
    const double w = metrics.horizontalAdvance(m_overlay.valueText) + 8;
    const double h = metrics.height() + 2;
    const double left = view::valueLabelLeft(m_overlay.valueX, w, width());
    const double visibleBottom = parentWidget() ? parentWidget()->height() - y() : height();
    return QRectF(left, visibleBottom - h, w, h);
}

void StripWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect dirty = event->rect();
    if (m_picture.isNull()) {
        painter.fillRect(dirty, palette().window());
        return;
    }
    const double ratio = m_picture.devicePixelRatio();
    const QRectF source(dirty.x() * ratio, dirty.y() * ratio, dirty.width() * ratio,
                        dirty.height() * ratio);
    painter.drawImage(QRectF(dirty), m_picture, source);
    const double right = width() - 1;
    if (m_overlay.refShown) {
        painter.setPen(QPen(m_overlay.refColor, 0));
        painter.drawLine(QPointF(0, m_overlay.refY), QPointF(right, m_overlay.refY));
    }
    if (m_overlay.cursorShown) {
        painter.setPen(QPen(m_overlay.cursorColor, 0));
        painter.drawLine(QPointF(0, m_overlay.cursorY), QPointF(right, m_overlay.cursorY));
    }
    if (m_overlay.cursorShown && m_overlay.valueShown) {
        painter.setPen(QPen(m_overlay.cursorColor, 0));
        painter.drawLine(QPointF(m_overlay.valueX, 0), QPointF(m_overlay.valueX, height() - 1));
        const QRectF label = valueLabelRect();
        painter.fillRect(label, m_overlay.cursorColor);
        painter.setPen(textColorOn(m_overlay.cursorColor));
        painter.drawText(label, Qt::AlignCenter, m_overlay.valueText);
    }
}

void StripWidget::mousePressEvent(QMouseEvent* event) {
    Q_EMIT mousePressed(m_slot, event->button(), event->position());
}

void StripWidget::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons().testFlag(Qt::LeftButton)) Q_EMIT mouseDragged(m_slot, event->position());
}

void StripWidget::keyPressEvent(QKeyEvent* event) {
    if (const auto key = cursorKeyOf(*event)) {
        Q_EMIT keyPressed(m_slot, *key);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void StripWidget::wheelEvent(QWheelEvent* event) {
    // 120 eighths of a degree make a notch; a touchpad sends smaller steps that add up.
    m_wheelRemainder += event->angleDelta().y();
    const int notches = m_wheelRemainder / 120;
    m_wheelRemainder -= notches * 120;
    if (notches != 0) Q_EMIT wheelTurned(notches, event->modifiers().testFlag(Qt::ControlModifier));
    event->accept();
}

}  // namespace krnz::gui
