// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>
#include <vector>

namespace krnz::gui {

// A label in the time-scale column, centred on its y (logical pixels of the strips).
struct ScaleLabel {
    double y = 0;
    QString text;
};

// The time-scale column (`scaleWin`) left of the strips: the time-grid labels (`secondIndex`),
// the cursor's time (`xLabel`) and the reference marker (`refLabel`). It is as tall as the
// strips and scrolls with them.
class ScaleColumn : public QWidget {
    Q_OBJECT
  public:
    explicit ScaleColumn(QWidget* parent = nullptr);

    void setGridLabels(std::vector<ScaleLabel> labels);
    const std::vector<ScaleLabel>& gridLabels() const { return m_grid; }
    // Hidden when `shown` is false.
    void setCursorLabel(bool shown, const ScaleLabel& label, const QColor& color);
    void setRefLabel(bool shown, const ScaleLabel& label, const QColor& color);
    bool cursorLabelShown() const { return m_cursorShown; }
    bool refLabelShown() const { return m_refShown; }
    const ScaleLabel& cursorLabel() const { return m_cursor; }

    // Width that holds a time label ("+2.455").
    int preferredWidth() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<ScaleLabel> m_grid;
    bool m_cursorShown = false;
    ScaleLabel m_cursor;
    QColor m_cursorColor;
    bool m_refShown = false;
    ScaleLabel m_ref;
    QColor m_refColor;
};

}  // namespace krnz::gui
