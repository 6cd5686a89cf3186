// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace krnz::test {

class StripPainterTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void linesJoinRowsInTheSampleColour();
    void pixelsStyleDrawsDotsOnly();
    void gridAndBordersInTheGridColour();
    void hiDpiStripsAreDrawnInDevicePixels();
};

}  // namespace krnz::test
