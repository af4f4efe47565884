// The GRIB wind and current selection: file lists, loading with its
// messages, validity for the chart and the moment, the true wind taken from
// a field and from the wind controls, and the course turned into the wind.
//
// Files are the decoder's ecCodes-made fixtures, copied into a program
// folder of the test's own: wind_bits covers the whole chart of the racing
// area (fields 2016-06-12 06:00, 07:00, 08:00 GMT), wind_bitmap lies across
// the chart without covering a corner of it, current_scan holds u and v
// current (06:30, 07:30, 08:30 GMT).

#include "analysis/grib_services.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/constants.h"
#include "core/date_time.h"
#include "core/file_tools.h"
#include "data/package_resource_loader.h"
#include "datasets/builtin_datasets.h"
#include "startup/startup.h"
#include "support/temp_folder.h"
#include "analysis/current_field.h"

namespace corvane {
namespace {

// The decoder's fixtures, beside this folder's sources.
const std::filesystem::path kFixtures =
    std::filesystem::path(__FILE__).parent_path() / ".." / "grib" / "fixtures";

// The built-in chart frame: 001:40W to 001:00W, 050:32N to 050:52N.
constexpr double kChartWest = -100;
constexpr double kChartEast = -60;
constexpr double kChartSouth = 3032;
constexpr double kChartNorth = 3052;

// The grid of wind_bits: 1.75W to 0.5W, 50.45N to 50.9N, in minutes.
constexpr double kBitsWest = -105;
constexpr double kBitsEast = -30;
constexpr double kBitsSouth = 3027;
constexpr double kBitsNorth = 3054;

// A list of rows in memory, as a combo box holds them.
struct TTestList : TListControl {
  std::vector<std::string> Rows;
  int Selected = -1;

  TTestList() = default;
  TTestList(std::vector<std::string> rows, int selected) : Rows(std::move(rows)), Selected(selected) {}
  void Clear() override {
    Rows.clear();
    Selected = -1;
  }
  void Add(const std::string& text) override { Rows.push_back(text); }
  int Count() const override { return static_cast<int>(Rows.size()); }
  std::string Text(int row) const override {
    return row >= 0 && row < Count() ? Rows[static_cast<std::size_t>(row)] : std::string();
  }
  int ItemIndex() const override { return Selected; }
  void SetItemIndex(int row) override { Selected = row; }
};

struct TTestEdit : TEditControl {
  std::string Value;
  explicit TTestEdit(std::string value = {}) : Value(std::move(value)) {}
  std::string Text() const override { return Value; }
  void SetText(const std::string& text) override { Value = text; }
};

TDateTime June12(int hour, int minute) { return EncodeDateTime(2016, 6, 12, hour, minute, 0, 0); }

double Degrees(double radians) { return radians * kRadiansToDegrees; }

// A program folder holding the fixtures named, plus `junk.grb`, a text file
// that is no GRIB file.
class GRIBServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"wind_bits", "wind_bitmap", "current_scan"}) {
      std::filesystem::copy_file(kFixtures / (std::string(name) + ".grb"),
                                 folder_.path() / (std::string(name) + ".grb"));
    }
    std::ofstream(folder_.path() / "junk.grb") << "not a GRIB file\n";
    state_.SeaMap.P1 = TMinutes{kChartWest, kChartSouth};
    state_.SeaMap.P2 = TMinutes{kChartEast, kChartNorth};
    state_.SeaMap.Center = TMinutes{(kChartWest + kChartEast) / 2, (kChartSouth + kChartNorth) / 2};
    state_.DateTimeGMT = June12(7, 0);
    controls_.ComboBox_GRIB = &files_;
    controls_.ComboBox_GRIBCurrent = &currentFiles_;
  }

  // Lists the folder and selects the row of `name` (0 for "None").
  void Choose(TTestList& list, const std::string& name) {
    services_.LoadListGRIBWind(controls_);
    services_.LoadListGRIBCurrent(controls_);
    for (int row = 0; row < list.Count(); ++row) {
      if (list.Text(row) == name) list.Selected = row;
    }
    ASSERT_EQ(list.Text(list.Selected), name);
  }

  // One track whose centre is `centre`.
  void SetTrackCentre(const TMinutes& centre) {
    state_.ListRoutingData.Clear();
    state_.ListRoutingData.Add().TrackCenter = centre;
    state_.ListRoutingData.IndexTrack = 0;
  }

  TTempFolder folder_;
  TGRIBServices services_{TFileTools::ForProgramFolder(folder_.path())};
  TPackageCurrents currents_;
  TInterfaceApplicationMobile state_;
  TTestList files_;
  TTestList currentFiles_;
  TPackageControls controls_;
};

TEST_F(GRIBServicesTest, FileListsStartWithNoneAndNameTheFilesWithoutExtension) {
  std::ofstream(folder_.path() / "notes.txt") << "not listed\n";
  services_.LoadListGRIBWind(controls_);
  services_.LoadListGRIBCurrent(controls_);
  const std::vector<std::string> expected = {"None", "current_scan", "junk", "wind_bitmap", "wind_bits"};
  EXPECT_EQ(files_.Rows, expected);
  EXPECT_EQ(files_.Selected, 0);
  EXPECT_EQ(currentFiles_.Rows, expected);
  EXPECT_EQ(currentFiles_.Selected, 0);

  // A second listing replaces the rows; absent lists are left out.
  services_.LoadListGRIBWind(controls_);
  EXPECT_EQ(files_.Rows, expected);
  TPackageControls none;
  services_.LoadListGRIBWind(none);
  services_.LoadListGRIBCurrent(none);
}

TEST_F(GRIBServicesTest, LoadingAFileTakesTheWindAtTheSelectedTrack) {
  // Track 1's centre is the grid point 50.75N 1.25W, where the 07:00 field
  // of wind_bits.data.txt gives 9.32 knots from 8.6 degrees.
  SetTrackCentre(TMinutes{-60, 3036});
  state_.ListRoutingData.Add().TrackCenter = TMinutes{-75, 3045};
  state_.ListRoutingData.IndexTrack = 1;
  state_.ListRoutingData.IndexTopMark = 14;
  Choose(files_, "wind_bits");

  services_.LoadGRIBWind(controls_, currents_, state_);
  EXPECT_TRUE(state_.GRIBWindLoaded);
  EXPECT_TRUE(state_.GRIBWindLocationValid);
  EXPECT_TRUE(state_.GRIBWindValid);
  EXPECT_EQ(state_.CubeWind.GetCountFields(0), 3);
  EXPECT_EQ(state_.Wind.TrueWind.Betrag, 9);
  EXPECT_EQ(state_.Wind.IndexSpeed, 4);
  EXPECT_EQ(state_.Wind.IndexDirection, 9);
  EXPECT_NEAR(state_.Wind.TrueWind.Winkel, 9 * kDegreesToRadians, 1e-15);
  EXPECT_EQ(state_.ListRoutingData.IndexTopMark, 10);
  // The field was interpolated to the moment for the chart.
  EXPECT_EQ(state_.CubeWind.ListVektorCube[0].TimeIntp, June12(7, 0));
  // The GRIB wind step was this call's only; the owner's hook is as it was.
  EXPECT_FALSE(currents_.GRIBWindOfMoment);

  // The same file at 06:00: 12.82 knots from 343.5 degrees.
  state_.DateTimeGMT = June12(6, 0);
  services_.GetGRIBWindField(state_);
  EXPECT_EQ(state_.Wind.TrueWind.Betrag, 13);
  EXPECT_EQ(state_.Wind.IndexDirection, 344);
}

TEST_F(GRIBServicesTest, TheAngleOffsetListTurnsTheFileByTenDegreesARow) {
  struct Case {
    int row;
    int expectedDirection;  // 8.6 degrees turned by 10 x row - 20
  };
  const Case cases[] = {{2, 9}, {3, 19}, {0, 349}};
  SetTrackCentre(TMinutes{-75, 3045});
  Choose(files_, "wind_bits");
  for (const Case& c : cases) {
    SCOPED_TRACE("row " + std::to_string(c.row));
    TTestList offsets({"-20", "-10", "0", "10", "20"}, c.row);
    controls_.ComboBox_GRIBAngleOffset = &offsets;
    services_.LoadGRIBWind(controls_, currents_, state_);
    EXPECT_EQ(state_.CubeWind.OffsetAngle, 10 * c.row - 20);
    EXPECT_EQ(state_.Wind.IndexDirection, c.expectedDirection);
    controls_.ComboBox_GRIBAngleOffset = nullptr;
  }
}

TEST_F(GRIBServicesTest, ChoosingAFileGivesItsMessages) {
  struct Case {
    const char* row;
    TGRIBWindLoad load;
    std::vector<std::string> messages;
    bool loaded;
    bool inMap;
  };
  const Case cases[] = {
      {"None", TGRIBWindLoad::None, {}, false, false},
      {"wind_bits", TGRIBWindLoad::Loaded, {}, true, true},
      {"wind_bitmap", TGRIBWindLoad::OutOfMap, {"GRIB data out of map"}, false, false},
      // No grid decoded yet: the location test fails too.
      {"junk", TGRIBWindLoad::Invalid, {"Invalid GRIB wind file", "GRIB data out of map"}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    TGRIBServices services(TFileTools::ForProgramFolder(folder_.path()));
    TInterfaceApplicationMobile state;
    state.SeaMap = state_.SeaMap;
    state.DateTimeGMT = state_.DateTimeGMT;
    services.LoadListGRIBWind(controls_);
    for (int row = 0; row < files_.Count(); ++row) {
      if (files_.Text(row) == c.row) files_.Selected = row;
    }
    const TGRIBWindSelection selection = services.SelectGRIBWind(controls_, currents_, state);
    EXPECT_EQ(selection.Load, c.load);
    EXPECT_EQ(selection.Messages, c.messages);
    EXPECT_EQ(selection.InMap, c.inMap);
    EXPECT_EQ(state.GRIBWindLoaded, c.loaded);
    EXPECT_EQ(state.GRIBWindValid, c.loaded);
  }
}

TEST_F(GRIBServicesTest, AnUnreadableFileAfterAGoodOneKeepsTheLastGridForTheLocation) {
  Choose(files_, "wind_bits");
  services_.SelectGRIBWind(controls_, currents_, state_);
  Choose(files_, "junk");
  const TGRIBWindSelection selection = services_.SelectGRIBWind(controls_, currents_, state_);
  EXPECT_EQ(selection.Load, TGRIBWindLoad::Invalid);
  EXPECT_EQ(selection.Messages, std::vector<std::string>{"Invalid GRIB wind file"});
  EXPECT_TRUE(selection.InMap);
  EXPECT_FALSE(state_.GRIBWindLoaded);
}

TEST_F(GRIBServicesTest, NoneAfterAFileClearsTheWindWithoutAMessage) {
  SetTrackCentre(TMinutes{-75, 3045});
  Choose(files_, "wind_bits");
  services_.SelectGRIBWind(controls_, currents_, state_);
  ASSERT_TRUE(state_.GRIBWindValid);
  files_.Selected = 0;
  const TGRIBWindSelection selection = services_.SelectGRIBWind(controls_, currents_, state_);
  EXPECT_TRUE(selection.Messages.empty());
  EXPECT_FALSE(state_.GRIBWindLoaded);
  EXPECT_FALSE(state_.GRIBWindValid);
  EXPECT_EQ(state_.CubeWind.GetCountCubes(), 0);
  // The reader still answers for the last grid it decoded.
  EXPECT_TRUE(selection.InMap);
}

TEST_F(GRIBServicesTest, ClearingEmptiesTheCube) {
  Choose(files_, "wind_bits");
  services_.LoadGRIBWind(controls_, currents_, state_);
  ASSERT_TRUE(state_.GRIBWindValid);
  services_.ClearGRIBWind(state_);
  EXPECT_FALSE(state_.GRIBWindLoaded);
  EXPECT_FALSE(state_.GRIBWindValid);
  EXPECT_EQ(state_.CubeWind.GetCountCubes(), 0);
}

TEST_F(GRIBServicesTest, TheWindIsValidFromTheFirstToTheLastFieldBothIncluded) {
  struct Case {
    const char* name;
    TDateTime moment;
    bool valid;
  };
  const Case cases[] = {
      {"a minute before the first field", June12(5, 59), false},
      {"the first field", June12(6, 0), true},
      {"between fields", June12(7, 25), true},
      {"the last field", June12(8, 0), true},
      {"a minute after the last field", June12(8, 1), false},
  };
  Choose(files_, "wind_bits");
  services_.LoadGRIBWind(controls_, currents_, state_);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    state_.DateTimeGMT = c.moment;
    services_.GetGRIBWindValid(state_);
    EXPECT_EQ(state_.GRIBWindValid, c.valid);
  }
  state_.GRIBWindLoaded = false;
  state_.DateTimeGMT = June12(7, 0);
  services_.GetGRIBWindValid(state_);
  EXPECT_FALSE(state_.GRIBWindValid);
}

TEST_F(GRIBServicesTest, OneCornerOfTheChartInTheGridPutsTheWindInTheMap) {
  struct Case {
    const char* name;
    TMinutes p1;
    TMinutes p2;
    bool inMap;
  };
  // Charts around the grid of wind_bits, 105W' ... 30W', 3027' ... 3054'.
  const Case cases[] = {
      {"whole chart inside", {kChartWest, kChartSouth}, {kChartEast, kChartNorth}, true},
      {"only south-west", {-40, 3050}, {-20, 3060}, true},
      {"only north-east", {-110, 3020}, {-90, 3030}, true},
      {"only north-west", {-40, 3020}, {-20, 3030}, true},
      {"only south-east", {-110, 3050}, {-90, 3060}, true},
      {"grid wholly inside the chart", {-120, 3000}, {0, 3080}, false},
      {"chart beside the grid", {-20, 3030}, {-10, 3050}, false},
      // West and south edges of the grid are outside it, east and north inside.
      {"south-west corner on the grid's corner", {kBitsWest, kBitsSouth}, {-20, 3060}, false},
      {"north-east corner on the grid's corner", {-120, 3000}, {kBitsEast, kBitsNorth}, true},
  };
  services_.GetGRIBWindLocationValid(state_);
  EXPECT_FALSE(state_.GRIBWindLocationValid) << "no grid decoded yet";
  Choose(files_, "wind_bits");
  services_.LoadGRIBWind(controls_, currents_, state_);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    state_.SeaMap.P1 = c.p1;
    state_.SeaMap.P2 = c.p2;
    services_.GetGRIBWindLocationValid(state_);
    EXPECT_EQ(state_.GRIBWindLocationValid, c.inMap);
  }
}

// A steady wind on a lattice of 3 x 3 points 2' apart around `centre`, two
// fields an hour apart from `first`; `toward` is the vector (x east, y
// north, knots) pointing where the wind comes from, as the reader stores it.
TListVektorCubeLight SteadyWind(const TCartesian& toward, const TMinutes& centre, TDateTime first) {
  TListVektorCubeLight list;
  const int cube = list.AddCube();
  for (int field = 0; field < 2; ++field) {
    list.AddField(cube);
    list.SetTimeField(field, IncHour(first, field));
  }
  for (int i = -1; i <= 1; ++i) {
    for (int j = -1; j <= 1; ++j) list.AddPosition(cube, TMinutes{centre.Lon + 2 * i, centre.Lat + 2 * j});
  }
  list.ResetIndexRoutingArea();
  const int points = list.GetCountVektors(cube);
  for (int field = 0; field < 2; ++field) {
    list.AddVektors(cube, field, points);
    for (int point = 0; point < points; ++point) {
      list.SetVektorCartesianX(cube, field, toward.x, point);
      list.SetVektorCartesianY(cube, field, toward.y, point);
      list.SetVektorPolar(cube, field, point);
    }
  }
  TRectF frame;
  frame.Left = static_cast<float>(centre.Lon - 3);
  frame.Right = static_cast<float>(centre.Lon + 3);
  frame.Bottom = static_cast<float>(centre.Lat - 3);
  frame.Top = static_cast<float>(centre.Lat + 3);
  list.SetDefaultRoutingArea(frame);
  return list;
}

TEST_F(GRIBServicesTest, TheFieldsWindIsRoundedToWholeKnotsAndDegreesWithinTheLists) {
  struct Case {
    const char* name;
    double speed;         // knots
    double directionDeg;  // where the wind comes from
    int expectedSpeed;
    int expectedIndexSpeed;
    int expectedDirection;
  };
  const Case cases[] = {
      {"light air is the first row", 3.4, 0, 5, 0, 0},
      {"a half knot rounds down to even", 12.5, 0, 12, 7, 0},
      {"a half knot rounds up to even", 13.5, 0, 14, 9, 0},
      {"a gale is the last row", 30.6, 0, 30, 25, 0},
      {"just west of north rounds to 360, which is 0", 20, 359.6, 20, 15, 0},
      {"just east of north", 20, 0.4, 20, 15, 0},
      {"west", 20, 271.3, 20, 15, 271},
      // Would pass both limits and overflow the row number.
      {"a speed that is not a number is the first row", std::numeric_limits<double>::quiet_NaN(), 0, 5, 0, 0},
  };
  const TMinutes centre{-80, 3042};
  SetTrackCentre(centre);
  state_.DateTimeGMT = June12(7, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Due north is written exactly, so the halves stay halves.
    const double radians = c.directionDeg * kDegreesToRadians;
    const TCartesian toward = c.directionDeg == 0 ? TCartesian{0, c.speed}
                                                  : TCartesian{c.speed * std::sin(radians),
                                                               c.speed * std::cos(radians)};
    state_.CubeWind = SteadyWind(toward, centre, state_.DateTimeGMT);
    state_.GRIBWindValid = true;
    services_.GetTrueGRIBWind(state_);
    EXPECT_EQ(state_.Wind.TrueWind.Betrag, c.expectedSpeed);
    EXPECT_EQ(state_.Wind.IndexSpeed, c.expectedIndexSpeed);
    EXPECT_EQ(state_.Wind.IndexDirection, c.expectedDirection);
    EXPECT_EQ(state_.Wind.TrueWind.Winkel, c.expectedDirection * kDegreesToRadians);
  }

  // Without a valid GRIB wind the panel's wind stays.
  state_.GRIBWindValid = false;
  state_.Wind = TWind{3, 40, TPolar{8, 1}};
  services_.GetTrueGRIBWind(state_);
  EXPECT_EQ(state_.Wind.IndexSpeed, 3);
  EXPECT_EQ(state_.Wind.TrueWind.Betrag, 8);
}

TEST_F(GRIBServicesTest, AWindwardLeewardCourseTurnsIntoTheGRIBWind) {
  struct Case {
    const char* name;
    bool valid;
    bool course;
    int trackType;
    bool turns;
  };
  const Case cases[] = {
      {"windward-leeward course, valid GRIB wind", true, true, 1, true},
      {"course of waypoints", true, true, 3, false},
      {"the user keeps the course", true, false, 1, false},
      {"GRIB wind not valid", false, true, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TInterfaceApplicationMobile state;
    // A beat 1 nm due north and the run back.
    TListRoutingData& tracks = state.ListRoutingData;
    TRoutingData& beat = tracks.Add();
    TRoutingData& run = tracks.Add();
    beat.TrackStart = TMinutes{-80, 3040};
    beat.TrackFinish = TMinutes{-80, 3041};
    run.TrackStart = beat.TrackFinish;
    run.TrackFinish = beat.TrackStart;
    tracks.IndexTopMark = kTopMarkStraightUpwind;
    tracks.SetRoutingDataByMarks();
    state.ListBuoysPosition = {beat.TrackStart, beat.TrackFinish};
    state.GRIBWindValid = c.valid;
    state.GRIBWindCourse = c.course;
    state.TrackType = c.trackType;
    state.Wind.TrueWind = TPolar{14, 90 * kDegreesToRadians};  // from the east

    services_.GetTrueGRIBWindCourse(state);
    // The marks are laid on the sphere and the bearing read back on the
    // chart: a hundredth of a degree apart.
    EXPECT_NEAR(beat.TrackAngle, c.turns ? 90 : 0, 0.02);
    EXPECT_NEAR(run.TrackAngle, c.turns ? 270 : 180, 0.02);
    EXPECT_NEAR(beat.TrackDistance, 1, 1e-3);
    EXPECT_EQ(state.ListBuoysPosition[0].Lon, beat.TrackStart.Lon);
    EXPECT_EQ(state.ListBuoysPosition[0].Lat, beat.TrackStart.Lat);
    EXPECT_EQ(state.ListBuoysPosition[1].Lon, beat.TrackFinish.Lon);
    EXPECT_EQ(state.ListBuoysPosition[1].Lat, beat.TrackFinish.Lat);
  }
}

TEST_F(GRIBServicesTest, TheTrueWindComesFromTheWindControls) {
  struct Case {
    const char* name;
    int indexSpeed;
    int indexDirection;
    const char* edit;  // nullptr: no wind angle edit
    bool angleList;
    double expectedSpeed;
    double expectedDeg;
    const char* expectedEdit;
  };
  const Case cases[] = {
      {"first speed row", 0, 0, "45", false, 5, 45, "45"},
      {"a speed row and an edited angle", 7, 0, "359", false, 12, 359, "359"},
      {"a full circle is not an angle", 7, 0, "360", false, 12, 0, "0"},
      {"text is not an angle", 7, 0, "abc", false, 12, 0, "0"},
      {"a negative angle", 7, 0, "-5", false, 12, 0, "0"},
      {"a speed row outside the list", 40, 0, "10", false, 0, 10, "10"},
      {"an angle row", 7, 3, nullptr, true, 12, 30, nullptr},
      {"an angle row outside the list", 7, 50, nullptr, true, 12, 0, nullptr},
  };
  std::vector<std::string> speeds = {"<6 kts"};
  for (int knots = 6; knots <= 30; ++knots) speeds.push_back(std::to_string(knots) + " kts");
  std::vector<std::string> angles;
  for (int degrees = 0; degrees < 360; degrees += 10) angles.push_back(std::to_string(degrees) + " deg");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTestList speedList(speeds, c.indexSpeed);
    TTestList angleList(angles, c.indexDirection);
    TTestEdit edit(c.edit != nullptr ? c.edit : "");
    TPackageControls controls;
    controls.ComboBox_WindSpeed = &speedList;
    if (c.angleList) controls.ComboBox_WindAngle = &angleList;
    if (c.edit != nullptr) controls.Edit_WindAngle = &edit;
    TInterfaceApplicationMobile state;
    state.Wind.IndexSpeed = c.indexSpeed;
    state.Wind.IndexDirection = c.indexDirection;
    services_.HandleTrueWind(controls, state);
    EXPECT_EQ(state.Wind.TrueWind.Betrag, c.expectedSpeed);
    EXPECT_NEAR(Degrees(state.Wind.TrueWind.Winkel), c.expectedDeg, 1e-12);
    if (c.expectedEdit != nullptr) {
      EXPECT_EQ(edit.Value, c.expectedEdit);
    }
  }
}

TEST_F(GRIBServicesTest, TheDrawnFieldRunsTheGRIBWindOfTheMomentOnceAttached) {
  // A beat bearing 30 degrees, top mark 4 degrees off the wind: the course
  // implies a wind from 34 degrees.
  TRoutingData& beat = state_.ListRoutingData.Add();
  beat.TrackAngle = 30;
  beat.TrackCenter = TMinutes{-75, 3045};
  state_.ListRoutingData.IndexTopMark = 6;
  state_.Wind = TWind{6, 0, TPolar{11, 0}};
  Choose(files_, "wind_bits");
  services_.LoadGRIBWind(controls_, currents_, state_);
  ASSERT_TRUE(state_.GRIBWindValid);

  services_.AttachGRIBWind(currents_);
  // Outside the file's times the wind turns with the course, its speed stays.
  state_.DateTimeGMT = June12(9, 0);
  state_.ListRoutingData.IndexTopMark = 6;
  state_.Wind.TrueWind.Betrag = 11;
  currents_.GetTidalCurrents(kCurrentsSourceDrawn, state_);
  EXPECT_FALSE(state_.GRIBWindValid);
  EXPECT_NEAR(Degrees(state_.Wind.TrueWind.Winkel), 34, 1e-9);
  EXPECT_EQ(state_.Wind.TrueWind.Betrag, 11);

  // Back inside: the wind of the field (07:00, 9 knots from 9 degrees).
  state_.DateTimeGMT = June12(7, 0);
  currents_.GetTidalCurrents(kCurrentsSourceDrawn, state_);
  EXPECT_TRUE(state_.GRIBWindValid);
  EXPECT_EQ(state_.Wind.IndexDirection, 9);

  // A chart the grid does not reach.
  state_.SeaMap.P1 = TMinutes{0, 3000};
  state_.SeaMap.P2 = TMinutes{10, 3010};
  currents_.GetTidalCurrents(kCurrentsSourceDrawn, state_);
  EXPECT_FALSE(state_.GRIBWindLocationValid);
  EXPECT_FALSE(state_.GRIBWindValid);

  // Detached, the drawn field leaves the GRIB flags alone.
  services_.DetachGRIBWind(currents_);
  state_.GRIBWindValid = true;
  currents_.GetTidalCurrents(kCurrentsSourceDrawn, state_);
  EXPECT_TRUE(state_.GRIBWindValid);
}

TEST_F(GRIBServicesTest, AGRIBCurrentGoesIntoTheCubeTheStateChooses) {
  struct Case {
    const char* name;
    int gribCurrentCube;
    const char* row;
    bool loaded;
    bool message;
  };
  const Case cases[] = {
      {"tidal-technique cube", 1, "current_scan", true, false},
      {"drawn atlas cube", 0, "current_scan", true, false},
      {"a wind file has no current", 1, "wind_bits", false, true},
      {"not a GRIB file", 1, "junk", false, true},
      {"None", 1, "None", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TInterfaceApplicationMobile state;
    state.GRIBCurrentCube = c.gribCurrentCube;
    state.DateTimeGMT = June12(8, 30);
    // A marker cube in both candidates shows which one the file replaced.
    state.CubeLoRes.AddCube();
    state.CubeTideTech.AddCube();
    state.CubeTideTech.AddCube();
    Choose(currentFiles_, c.row);
    const std::optional<std::string> message = services_.LoadGRIBCurrent(controls_, currents_, state);
    EXPECT_EQ(state.GRIBCurrentLoaded, c.loaded);
    EXPECT_EQ(state.GRIBCurrentValid, c.loaded);
    EXPECT_EQ(message.has_value(), c.message);
    if (message) {
      EXPECT_EQ(*message, "Invalid GRIB current file");
    }
    const TListVektorCubeLight& chosen = c.gribCurrentCube == 0 ? state.CubeLoRes : state.CubeTideTech;
    const TListVektorCubeLight& other = c.gribCurrentCube == 0 ? state.CubeTideTech : state.CubeLoRes;
    EXPECT_EQ(&TGRIBServices::GetGRIBCurrentCube(state), &chosen);
    EXPECT_EQ(chosen.GetCountFields(0), c.loaded ? 3 : 0);
    EXPECT_EQ(other.GetCountCubes(), c.gribCurrentCube == 0 ? 2 : 1);
  }
}

TEST_F(GRIBServicesTest, AGRIBCurrentIsValidFromItsFirstToItsLastField) {
  struct Case {
    const char* name;
    TDateTime moment;
    bool valid;
  };
  const Case cases[] = {
      {"before", June12(6, 29), false},
      {"first field", June12(6, 30), true},
      {"last field", June12(8, 30), true},
      {"after", June12(8, 31), false},
  };
  Choose(currentFiles_, "current_scan");
  services_.LoadGRIBCurrent(controls_, currents_, state_);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    state_.DateTimeGMT = c.moment;
    services_.GetGRIBCurrentValid(state_);
    EXPECT_EQ(state_.GRIBCurrentValid, c.valid);
  }
}

TEST_F(GRIBServicesTest, TheCommandLineLoadsANamedFileOfAFolder) {
  struct Case {
    const char* file;
    TGRIBWindLoad load;
    bool loaded;
  };
  const Case cases[] = {
      {"wind_bits.grb", TGRIBWindLoad::Loaded, true},
      {"wind_bitmap.grb", TGRIBWindLoad::OutOfMap, false},
      {"junk.grb", TGRIBWindLoad::Invalid, false},
      {"missing.grb", TGRIBWindLoad::Invalid, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    EXPECT_EQ(services_.LoadGRIBWindFile(c.file, 0, currents_, state_), c.load);
    EXPECT_EQ(state_.GRIBWindLoaded, c.loaded);
  }
}

// The built-in chart frame, as the start-up loads it, lies inside the grid
// of wind_bits and around the grid of wind_bitmap; the cases above rely on
// it.
TEST_F(GRIBServicesTest, TheFixturesCoverOrMissTheBuiltInChart) {
  TTempFolder documents;
  TPackageResourceLoader loader(BuiltInResourceStore(), TFileTools(documents.path()));
  TInterfaceApplicationMobile state;
  ASSERT_TRUE(RunStartup(loader, currents_, state).Completed);
  EXPECT_NEAR(state.SeaMap.P1.Lon, kChartWest, 1e-9);
  EXPECT_NEAR(state.SeaMap.P1.Lat, kChartSouth, 1e-9);
  EXPECT_NEAR(state.SeaMap.P2.Lon, kChartEast, 1e-9);
  EXPECT_NEAR(state.SeaMap.P2.Lat, kChartNorth, 1e-9);

  state.DateTimeGMT = June12(7, 0);
  EXPECT_EQ(services_.LoadGRIBWindFile("wind_bits.grb", 0, currents_, state), TGRIBWindLoad::Loaded);
  EXPECT_TRUE(state.GRIBWindValid);
  EXPECT_TRUE(state.TidesValid);
  EXPECT_EQ(services_.LoadGRIBWindFile("wind_bitmap.grb", 0, currents_, state), TGRIBWindLoad::OutOfMap);
}

}  // namespace
}  // namespace corvane
