// The print lines of a track sheet: labels, values, order, placement and
// styles, for a routed and an unrouted track and with the currents hidden.

#include "print/pre_press_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/date_time.h"
#include "print_fixture.h"

namespace corvane {
namespace {

using testing_print::FindLine;
using testing_print::ValueOf;

class PrePressTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state.AppName = "CORVANE ANALYZER - The Quarne 2016.1";
    state.BoatClass = "SKERRY-32";
    state.DateTimeLOC = EncodeDateTime(2016, 9, 1, 15, 0, 0, 0);
    state.HoursToRefTideText = "01:44 after HW at 13:16";
    state.PortName = "Portquarne";
    state.Wind.TrueWind = TPolar{12.4, 240 * kDegreesToRadians};
    state.IndexTideShift = 16;  // +10 min
    state.IndexRangeShift = 19;  // -5 %
    TDayTides before;
    TDayTides day;
    day.DayTide = {{"H", "00:46", "4.3"}, {"L", "05:05", "0.7"}, {"H", "13:16", "4.4"}};
    state.ListDayTides = {before, day, before};

    TRoutingData& track = state.ListRoutingData.Add();
    track.BuoyStart = "Orrasey Post - 7Y";
    track.BuoyFinish = "2";  // a movable mark
    track.TrackDistance = 2.994;
    track.TrackAngle = 60.2;
  }

  // The track as the routing leaves a beat.
  TRoutingData& RouteBeat() {
    TRoutingData& track = *state.ListRoutingData.GetItem(0);
    track.RoutingEnabled = true;
    track.TypeOfCourse = 1;
    track.DateTimeStartLOC = EncodeDateTime(2016, 9, 2, 9, 30, 0, 0);
    track.HoursToRefTideText = "03:10 before HW at 12:40";
    track.TrackVMG = 5.44;
    track.TrackMinVMG = 4.96;
    track.StreamOnTrack = TCartesian{0.3, -0.4};  // 0.5 kts towards 143 deg
    track.TimeBestCourse = 1.5;
    track.TimeLaylineLeft = 0.25;
    track.TimeLaylineRight = 0.75;
    track.CurrentsWindShift = 3.2;
    track.FinalCourse = 274;
    state.RoutingValid = true;
    return track;
  }

  TInterfaceApplicationMobile state;
  TPrePressText sheet;
};

struct ValueCase {
  const char* Label;
  const char* Expected;
};

void ExpectValues(const TListPrintLine& lines, const std::vector<ValueCase>& cases) {
  for (const ValueCase& c : cases) {
    SCOPED_TRACE(c.Label);
    EXPECT_EQ(ValueOf(lines, c.Label), c.Expected);
  }
}

TEST_F(PrePressTextTest, UnroutedTrackShowsItsGeometryAndNotComputedResults) {
  sheet.PrePressTextTracks(state);
  ExpectValues(sheet.ListPrintLine, {
                                        {"Class", "SKERRY-32"},
                                        {"Start Time", "01.09.2016"},
                                        {"True Wind", "12 kts"},
                                        {"Start", "Orrasey Post - 7Y"},
                                        {"Finish", "Mark 2"},
                                        {"Distance", "2.99 nm"},
                                        {"Course", "60 deg"},
                                        {"Average VMG", "not computed"},
                                        {"Minimum VMG", "not computed"},
                                        {"Currents direction", "not computed"},
                                        {"Currents speed", "not computed"},
                                        {"Routing", ""},
                                        {"Best course", "not computed"},
                                        {"Losses layline left", "not computed"},
                                        {"Losses layline right", "not computed"},
                                        {"Currents wind shift", "not computed"},
                                        {"Topmark approach", "not computed"},
                                        {"High tide time shift", "+10 min"},
                                    });
  EXPECT_EQ(ValueOf(sheet.ListPrintLine, "Start Time", kColTime), "15:00");
  EXPECT_EQ(ValueOf(sheet.ListPrintLine, "True Wind", kColTime), "240 deg");
  // The state's high-water text when the track is not routed.
  EXPECT_NE(FindLine(sheet.ListPrintLine, kColTides, "Time 01:44 after HW at 13:16"), nullptr);
}

TEST_F(PrePressTextTest, RoutingResultsNeedTheStatesRoutingValidToo) {
  RouteBeat();
  state.RoutingValid = false;
  sheet.PrePressTextTracks(state);
  EXPECT_EQ(ValueOf(sheet.ListPrintLine, "Average VMG"), "not computed");
  EXPECT_EQ(ValueOf(sheet.ListPrintLine, "Routing"), "");
  EXPECT_EQ(ValueOf(sheet.ListPrintLine, "Start Time"), "01.09.2016");
}

TEST_F(PrePressTextTest, RoutedBeatShowsEveryResult) {
  RouteBeat();
  sheet.PrePressTextTracks(state);
  ExpectValues(sheet.ListPrintLine, {
                                        {"Start Time", "02.09.2016"},
                                        {"Average VMG", "5.4 kts"},
                                        {"Minimum VMG", "5.0 kts"},
                                        {"Currents direction", "143 deg"},
                                        {"Currents speed", "0.5 kts"},
                                        {"Routing", "Beat"},
                                        {"Best course", "01:30:00 h:m:s"},
                                        {"Losses layline left", "00:15:00 h:m:s"},
                                        {"Losses layline right", "00:45:00 h:m:s"},
                                        {"Currents wind shift", "+3 deg"},
                                        {"Topmark approach", "274 deg"},
                                    });
  // The track's own start and high-water text.
  EXPECT_EQ(ValueOf(sheet.ListPrintLine, "Start Time", kColTime), "09:30");
  EXPECT_NE(FindLine(sheet.ListPrintLine, kColTides, "Time 03:10 before HW at 12:40"), nullptr);
}

TEST_F(PrePressTextTest, LegTypeDecidesWhichResultsApply) {
  struct Case {
    const char* Name;
    int Type;
    int TrackType;
    const char* Routing;
    const char* Layline;
    const char* WindShift;
    const char* Approach;
  };
  const Case cases[] = {
      {"beat", 1, 3, "Beat", "00:15:00 h:m:s", "+3 deg", "274 deg"},
      // What a leg type does not have is a dash, not "not computed".
      {"reach", 2, 3, "Reach", kNotApplicable, "+3 deg", kNotApplicable},
      {"run on a course of marks", 3, 3, "Run", "00:15:00 h:m:s", "+3 deg", kNotApplicable},
      {"run without a course type", 3, 0, "Run", "00:15:00 h:m:s", "+3 deg", kNotApplicable},
      {"run of a windward-leeward course", 3, 1, "Run", "00:15:00 h:m:s", "not computed", kNotApplicable},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    RouteBeat().TypeOfCourse = c.Type;
    state.TrackType = c.TrackType;
    sheet.PrePressTextTracks(state);
    EXPECT_EQ(ValueOf(sheet.ListPrintLine, "Routing"), c.Routing);
    EXPECT_EQ(ValueOf(sheet.ListPrintLine, "Losses layline left"), c.Layline);
    EXPECT_EQ(ValueOf(sheet.ListPrintLine, "Currents wind shift"), c.WindShift);
    EXPECT_EQ(ValueOf(sheet.ListPrintLine, "Topmark approach"), c.Approach);
  }
}

TEST_F(PrePressTextTest, LabelsComeInTheSheetsOrder) {
  sheet.PrePressTextTracks(state);
  std::vector<std::string> labels;
  for (const TPrintLine& line : sheet.ListPrintLine.Items) {
    if (line.Col == kColLabel) labels.push_back(line.Text);
  }
  const std::vector<std::string> expected{
      "Class",          "Start Time",          "True Wind",
      "Track",          "Start",               "Finish",
      "Distance",       "Course",              "Average VMG",
      "Minimum VMG",    "Currents direction",  "Currents speed",
      "Routing",        "Best course",         "Losses layline left",
      "Losses layline right", "Currents wind shift", "Topmark approach",
      "Stream field calibration", "High tide time shift", "Currents speed"};
  EXPECT_EQ(labels, expected);
  // The logo first, at the top.
  ASSERT_GT(sheet.ListPrintLine.Count(), 0);
  const TPrintLine& logo = sheet.ListPrintLine.Items.front();
  EXPECT_EQ(logo.Typ, kPrintLinePicture);
  EXPECT_EQ(logo.Bitmap, "LOGO");
  EXPECT_EQ(logo.Row, 0);
}

TEST_F(PrePressTextTest, LinesSitOnTheirRowsColumnsFontsAndColours) {
  sheet.PrePressTextTracks(state);
  struct Case {
    const char* Text;
    double Col;
    double Row;
    int Font;
    int Color;
  };
  const Case cases[] = {
      {"CORVANE ANALYZER - The Quarne 2016.1", kColTitle, 40, 2, 1},
      {"Class", kColLabel, 188, 3, 0},
      {"SKERRY-32", kColValue, 188, 3, 0},
      {"15:00", kColTime, 244, 3, 2},
      {"240 deg", kColTime, 300, 3, 0},
      {"Tides Portquarne", kColTides, 374, 3, 0},
      {"00:46", kColTides, 430, 0, 0},
      {"L", kColGauge, 470, 0, 0},
      {"4.4 m", kColHeight, 510, 0, 0},
      {"Track", kColLabel, 374, 3, 0},
      {"Start", kColLabel, 430, 0, 0},
      {"Currents direction", kColLabel, 670, 0, 0},
      {"Routing", kColLabel, 784, 3, 0},
      {"Best course", kColLabel, 840, 0, 0},
      {"Topmark approach", kColLabel, 1000, 0, 0},
      {"Stream field calibration", kColLabel, 1074, 3, 0},
      {"-5 %", kColValue, 1170, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    const TPrintLine* line = FindLine(sheet.ListPrintLine, c.Col, c.Text);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->Row, c.Row);
    EXPECT_EQ(line->TextFont, c.Font);
    EXPECT_EQ(line->TextColor, c.Color);
  }
}

TEST_F(PrePressTextTest, HiddenCurrentsLeaveOutTidesCalibrationAndHighWater) {
  state.HideCurrent = true;
  sheet.PrePressTextTracks(state);
  for (const TPrintLine& line : sheet.ListPrintLine.Items) {
    SCOPED_TRACE(line.Text);
    EXPECT_LT(line.Col, kColTides);
    EXPECT_NE(line.Text, "Stream field calibration");
  }
  // The rest of the sheet keeps its rows.
  EXPECT_EQ(FindLine(sheet.ListPrintLine, kColLabel, "Routing")->Row, 784);
}

TEST_F(PrePressTextTest, TideRowsNeedTheDayOfTheMoment) {
  state.ListDayTides.resize(1);
  sheet.PrePressTextTracks(state);
  EXPECT_NE(FindLine(sheet.ListPrintLine, kColTides, "Tides Portquarne"), nullptr);
  EXPECT_EQ(FindLine(sheet.ListPrintLine, kColGauge, "H"), nullptr);

  state.ListDayTides.clear();
  sheet.PrePressTextTracks(state);
  EXPECT_EQ(FindLine(sheet.ListPrintLine, kColTides, "Tides Portquarne"), nullptr);
  EXPECT_EQ(FindLine(sheet.ListPrintLine, kColLabel, "Stream field calibration"), nullptr);
}

TEST_F(PrePressTextTest, ABuildReplacesTheLinesOfTheLastSheet) {
  sheet.PrePressTextTracks(state);
  const int count = sheet.ListPrintLine.Count();
  sheet.PrePressTextTracks(state);
  EXPECT_EQ(sheet.ListPrintLine.Count(), count);
  EXPECT_EQ(FindLine(sheet.ListPrintLine, kColLabel, "Class")->Row, 188);
}

}  // namespace
}  // namespace corvane
