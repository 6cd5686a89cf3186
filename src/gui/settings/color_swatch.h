// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QToolButton>
#include <cstdint>

namespace krnz::gui {

// A colour swatch of the options dialog: a button showing one stored colour (red in the low
// byte). Clicking it asks for a new colour.
class ColorSwatch : public QToolButton {
    Q_OBJECT
  public:
    explicit ColorSwatch(QWidget* parent = nullptr);

    void setColorValue(std::int32_t value);
    std::int32_t colorValue() const { return m_value; }

  Q_SIGNALS:
    // The user chose a colour in the colour dialog.
    void colorChosen(std::int32_t value);

  private:
    std::int32_t m_value = 0;
};

}  // namespace krnz::gui
