// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/panel_texts.h"

#include <gtest/gtest.h>

#include "support/event_builder.h"

namespace krnz {
namespace {

using Lines = std::vector<std::string>;

Event panelEvent() {
    Event e =
        test::makeEvent({{0, 1.5f, -3.25f, 0.5f}, {0, 2, 0, -1}, {0, 0, 2, 0}, {0, 20, -10, 0}});
    SampleRecord& r = e.sample;
    r.instrumentSN = 412;
    r.eventNumber = 17;
    r.year = 24, r.month = 5, r.day = 17, r.hour = 9, r.minute = 5, r.second = 7;
    r.nSecPerChannel = 2.5f;
    r.frq = 1250;
    r.pretrig = 0.001;
    e.channels[0].triggerLevel = 0.12345;
    e.channels[3].unit = kUnitPa;
    e.channels[3].sensorKind = 4;
    setDerivedUnits(e.channels[3]);
    return e;
}

TEST(SamplePanel, ValuesInOrder) {
    Event e = panelEvent();
    PanelInputs in;
    in.timeScaleS = 0.25;
    const PanelTexts p = setMainWindowTexts(e, in, builtinEnglish());
    EXPECT_EQ(p.sampleLabels, (Lines{"Instrument SN", "Event no.", "Date/time", "Record length",
                                     "Vector max", "Time scale"}));
    // sqrt(3.25^2 + 2^2) at sample 2: 0.002 s - 0.001 s
    EXPECT_EQ(p.sampleValues, (Lines{"412", "17", "Fri 17 May 2024 09:05:07", "2.5 s / 1.25 kHz",
                                     "3.82 mm/s at 0.001 s", "0.25 s/div"}));
}

TEST(SamplePanel, CenturyPivotAndHiddenVectorMax) {
    Event e = panelEvent();
    e.sample.year = 80;
    PanelInputs in;
    in.channelOn[1] = false;
    EXPECT_EQ(set_sample_texts(e, in)[2].substr(0, 15), "Fri 17 May 2080");
    EXPECT_EQ(set_sample_texts(e, in).size(), 5u);  // no vector maximum with slot 1 hidden
    e.sample.year = 81;
    in.channelOn[1] = true;
    e.channels[2].unit = kUnitIps;
    EXPECT_EQ(set_sample_texts(e, in)[2].substr(0, 15), "Sun 17 May 1981");
    EXPECT_FALSE(showsVectorMax(e, in));  // units differ
}

TEST(ChannelPanel, FileData) {
    Event e = panelEvent();
    e.channels[1].sensorKind = 0;
    e.channels[1].unit = kUnitUndef;
    e.channels[2].triggerLevel = 0;
    const PanelTexts p = setMainWindowTexts(e, PanelInputs{}, builtinEnglish());
    EXPECT_EQ(p.channelLabels[0], (Lines{"Channel/Input", "Unit", "Trigger level", "Peak",
                                         "Diff m/s2", "Integ \xC2\xB5m", "Frq"}));
    ASSERT_EQ(p.channelValues[0].size(), 7u);
    EXPECT_EQ(p.channelValues[0][0], "Geo 1");
    EXPECT_EQ(p.channelValues[0][1], "mm/s");
    EXPECT_EQ(p.channelValues[0][2], "0.123");
    EXPECT_EQ(p.channelValues[0][3], "3.250");
    EXPECT_EQ(p.channelLabels[1], Lines{"Channel/Input"});
    EXPECT_EQ(p.channelValues[1], Lines{"Off 2"});
    EXPECT_EQ(p.channelValues[2][2], "OFF");
    EXPECT_EQ(p.channelLabels[3],
              (Lines{"Channel/Input", "Unit", "Trigger level", "Peak", "dB", "Integ Pas", "Frq"}));
    EXPECT_EQ(p.channelValues[3][0], "AC 4");
    EXPECT_EQ(p.channelValues[3][4], "120");  // 20 Pa

    e.sample.channelGroup = 2;
    EXPECT_EQ(setMainWindowTexts(e, PanelInputs{}, builtinEnglish()).channelValues[0][0], "Geo 5");
}

TEST(ChannelPanel, PsiIntegralInPascalSeconds) {
    Event e = panelEvent();
    e.channels[3].unit = kUnitPsi;
    setDerivedUnits(e.channels[3]);
    const PanelTexts p = setMainWindowTexts(e, PanelInputs{}, builtinEnglish());
    ASSERT_EQ(p.channelLabels[3].size(), 7u);
    EXPECT_EQ(p.channelLabels[3][5], "Integ Pas");
    // Samples 0, 20, -10, 0 psi less their mean 2.5 sum at most to 15 psi x 1 ms = 0.015 psi s,
    // 103.4 Pa s.
    EXPECT_EQ(p.channelValues[3][5], "103");
}

TEST(ChannelPanel, ProcessedData) {
    Event e = panelEvent();
    e.sample.curUnit = {kUnitMicrometre, kUnitMmPerS, kUnitMmPerS, kUnitPa};
    e.sample.rmsFlag[1] = true;
    PanelInputs in;
    in.processed = true;
    in.sourceChannel = {3, 1, 2, 4};
    const PanelTexts p = setMainWindowTexts(e, in, builtinEnglish());
    EXPECT_EQ(p.channelLabels[0], (Lines{"Channel", "Unit", "Peak"}));
    EXPECT_EQ(p.channelValues[0], (Lines{"3", "\xC2\xB5m", "3.25"}));
    EXPECT_EQ(p.channelValues[1], (Lines{"1", "mm/s rms", "2.00"}));
    EXPECT_EQ(p.channelValues[3], (Lines{"4", "Pa", "20.00", "120"}));
    EXPECT_EQ(p.channelLabels[3].back(), "dB");
    EXPECT_FALSE(showsVectorMax(e, in));  // processed units of slots 0..2 differ
}

}  // namespace
}  // namespace krnz
