// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace krnz::test {

class SpectrumGraphWidgetTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void crossHairReadsThePointOfTheColumn_data();
    void crossHairReadsThePointOfTheColumn();
    void dragOutsideThePlotKeepsTheCrossHair();
    void logAxesReadOutInUnitsAndHeadingInHz();
    void pixelIndexTable_data();
    void pixelIndexTable();
    void tooSmallControlKeepsTenByTenPlot();
    void mismatchedArraysAreRefused();
    void curveAndGridArePainted();
    void logAxisDrawsZeroOnTheBottomEdge();
};

}  // namespace krnz::test
