// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>

namespace krnz::gui {

// The cursor elements drawn over a strip, in the strip's logical coordinates.
struct StripOverlay {
    bool cursorShown = false;  // `xCursor`
    double cursorY = 0;
    bool valueShown = false;  // `yCursor` and `yLabel`
    double valueX = 0;
    QString valueText;
    bool refShown = false;  // `refCursor`
    double refY = 0;
    QColor cursorColor;
    QColor refColor;
};

// Keys a strip passes on to the cursor.
enum class CursorKey { InsertRef, RemoveRef, Up, Down, PageUp, PageDown };

// One channel strip (`graph`): its cached picture, drawn once per layout pass, with the cursor
// lines and value label painted over it. Mouse and keys go to whoever listens.
class StripWidget : public QWidget {
    Q_OBJECT
  public:
    StripWidget(int slot, QWidget* parent = nullptr);

    int slot() const { return m_slot; }
    void setPicture(QImage picture);
    const QImage& picture() const { return m_picture; }
    void setOverlay(const StripOverlay& overlay);
    const StripOverlay& overlay() const { return m_overlay; }

    // The value label's rectangle: centred on the value line, kept inside the strip, at the
    // bottom edge of the part of the strip the graph area shows.
    QRectF valueLabelRect() const;

  Q_SIGNALS:
    void mousePressed(int slot, Qt::MouseButton button, QPointF pos);
    void mouseDragged(int slot, QPointF pos);
    void keyPressed(int slot, CursorKey key);
    // Whole wheel notches away from the user (negative: towards); zoom with Ctrl held.
    void wheelTurned(int notches, bool zoom);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    int m_slot;
    QImage m_picture;
    StripOverlay m_overlay;
    int m_wheelRemainder = 0;  // eighths of a degree short of a whole notch (touchpads)
};

}  // namespace krnz::gui
