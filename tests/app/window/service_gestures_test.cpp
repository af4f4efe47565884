#include "app/window/service_gestures.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>

#include "datasets/builtin_datasets.h"
#include "startup/startup.h"

namespace corvane {
namespace {

// Records what the map interaction asks of the window; the land check is
// whatever the test sets.
class TRecordingHost : public TGestureHost {
 public:
  std::function<bool(const TMinutes&)> InWater = [](const TMinutes&) { return true; };
  int Repaints = 0;
  int Redraws = 0;
  int Readouts = 0;
  int DragRefreshes = 0;
  int ArmedOnTrack = 0;
  int Done = 0;
  bool PanelsEnabled = true;

  bool GetMarkInWater(const TMinutes& position) override { return InWater(position); }
  void RepaintMap() override { ++Repaints; }
  void RedrawMap() override { ++Redraws; }
  void ShowReadout(float, float) override { ++Readouts; }
  void RefreshAfterDragStep() override { ++DragRefreshes; }
  void SetControlsPanCourse(bool enabled) override { PanelsEnabled = enabled; }
  void MarkDragArmedOnTrack() override { ++ArmedOnTrack; }
  void MarkDragDone() override { ++Done; }
};

TPointF Plus(const TPointF& p, float dx, float dy) { return TPointF{p.X + dx, p.Y + dy}; }

// The built-in chart on an 800 x 600 image: a known projection. The data
// sets are loaded once for the suite.
class ServiceGesturesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    suite_ = std::make_unique<TSuite>();
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
        ("corvane-gestures-test-" + std::to_string(QCoreApplication::applicationPid()));
    TPackageResourceLoader loader(BuiltInResourceStore(), TFileTools::ForProgramFolder(folder));
    RunStartup(loader, suite_->Currents, suite_->State);
    std::filesystem::remove_all(folder);
  }
  static void TearDownTestSuite() { suite_.reset(); }

  void SetUp() override {
    TInterfaceApplicationMobile& state = State();
    ASSERT_GE(state.ListBuoysPosition.size(), 2u);
    state.DeviceWidth = 800;
    state.DeviceHeight = 600;
    state.Offset = TPointF{};
    state.DeviceGestureMovableMarkActive = false;
    state.DeviceGestureMovableMarkWaypoint = false;
    state.Gesture = 0;
    state.TrackType = 3;
    state.GRIBWindValid = false;
    state.GRIBWindCourse = true;
    graphics_.InitDeviceProjection(state);
    graphics_.GetDeviceProjection(state);
    gestures_.InitService(host_, state, graphics_);
  }

  static TInterfaceApplicationMobile& State() { return suite_->State; }

  // Marks at two on-screen points and one track between them whose centre
  // is at a third: for TrackType 1 the beat from mark 1 to mark 2 and the
  // run back, otherwise a single leg from mark 1 to mark 2.
  void PlaceScene(const TPointF& m1, const TPointF& m2, const TPointF& centre) {
    TInterfaceApplicationMobile& state = State();
    state.ListBuoysPosition[0] = graphics_.OnScreen_to_Minutes(m1, state.Offset);
    state.ListBuoysPosition[1] = graphics_.OnScreen_to_Minutes(m2, state.Offset);
    TListRoutingData& tracks = state.ListRoutingData;
    tracks.Clear();
    tracks.IndexTrack = 0;
    auto add = [&](int from, int to) {
      TRoutingData& t = tracks.Add();
      t.IndexStart = from;
      t.IndexFinish = to;
      t.TrackStart = state.ListBuoysPosition[static_cast<std::size_t>(from)];
      t.TrackFinish = state.ListBuoysPosition[static_cast<std::size_t>(to)];
      t.DrawGesture = true;
    };
    add(0, 1);
    if (state.TrackType == 1) add(1, 0);
    tracks.SetRoutingDataByMarks();
    tracks.GetItem(0)->TrackCenter = graphics_.OnScreen_to_Minutes(centre, state.Offset);
    gestures_.HitTest(TPointF{-1000, -1000});  // the gesture points from the positions
  }

  void DoubleClickAt(const TPointF& p) {
    gestures_.MouseMap(kMouseDown, p.X, p.Y);
    gestures_.MouseMap(kMouseUp, p.X, p.Y);
    gestures_.MouseMap(kMouseDoubleClick, 0, 0);
  }

  struct TSuite {
    TInterfaceApplicationMobile State;
    TPackageCurrents Currents;
  };
  static std::unique_ptr<TSuite> suite_;
  TMobileGraphics graphics_;
  TRecordingHost host_;
  TServiceGestures gestures_;
};

std::unique_ptr<ServiceGesturesTest::TSuite> ServiceGesturesTest::suite_;

TEST_F(ServiceGesturesTest, HitTestChoosesWhatTheDoubleClickArms) {
  struct Case {
    const char* name;
    int trackType;
    bool gribValid;
    bool gribCourse;
    TPointF m1, m2, centre;
    // The click relative to mark 1 (relativeTo 1), mark 2 (2) or the centre (3).
    int relativeTo;
    float dx, dy;
    int gesture;
  };
  // Mark 1 lies between 256 and 392 pixels down, so adding 119 or 120 to
  // its on-screen y is exact in single precision and the distances are
  // exactly 119 and 120.
  const TPointF a{200, 300}, b{600, 300}, c{400, 560};
  const Case cases[] = {
      {"119 px from mark 1, farther from the rest", 3, false, true, a, b, c, 1, 0, 119, kGestureMark1},
      {"120 px from all three", 3, false, true, a, b, c, 1, 0, 120, kGestureNone},
      // Both marks on one spot: the distances are equal to the last bit.
      {"equal distance from both marks", 3, false, true, a, a, c, 1, 30, 0, kGestureMark1},
      {"near mark 2", 3, false, true, a, b, c, 2, 10, 5, kGestureMark2},
      {"windward-leeward after the GRIB wind, near a mark", 1, true, true, a, b, c, 1, 5, 0, kGestureNone},
      {"windward-leeward after the GRIB wind, near the centre", 1, true, true, a, b, c, 3, 0, 10, kGestureCourse},
      {"course of waypoints after the GRIB wind, nearest the centre", 3, false, true, a, b, c, 3, 0, 0,
       kGestureMark2},
      {"course of waypoints with its own wind, nearest the centre", 3, false, false, a, b, c, 3, 0, 0,
       kGestureCourse},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    TInterfaceApplicationMobile& state = State();
    state.TrackType = k.trackType;
    state.GRIBWindValid = k.gribValid;
    state.GRIBWindCourse = k.gribCourse;
    PlaceScene(k.m1, k.m2, k.centre);
    const TPointF base = k.relativeTo == 1 ? graphics_.GestureM1 : k.relativeTo == 2 ? graphics_.GestureM2
                                                                                     : graphics_.GestureMC;
    gestures_.HitTest(Plus(base, k.dx, k.dy));
    EXPECT_EQ(state.Gesture, k.gesture);
  }
}

TEST_F(ServiceGesturesTest, DragMovesMarkOneAndTheTrackFollowsUnlessOnLand) {
  TInterfaceApplicationMobile& state = State();
  PlaceScene(TPointF{200, 300}, TPointF{600, 300}, TPointF{400, 560});
  const TPointF m1 = graphics_.GestureM1;
  DoubleClickAt(Plus(m1, 3, 3));
  ASSERT_TRUE(state.DeviceGestureMovableMarkActive);
  EXPECT_EQ(state.Gesture, kGestureMark1);
  EXPECT_TRUE(state.DeviceGestureMovableMarkWaypoint) << "mark 1 starts the track";
  EXPECT_FALSE(host_.PanelsEnabled);
  EXPECT_EQ(host_.ArmedOnTrack, 1);

  // The offset counts from where the button goes down, wherever that is.
  gestures_.MouseMap(kMouseDown, 500, 500);
  gestures_.MouseMap(kMouseMove, 530, 480);
  const TMinutes moved = graphics_.OnScreen_to_Minutes(Plus(m1, 30, -20), state.Offset);
  EXPECT_NEAR(static_cast<double>(state.ListBuoysPosition[0].Lon), static_cast<double>(moved.Lon), 1e-6);
  EXPECT_NEAR(static_cast<double>(state.ListBuoysPosition[0].Lat), static_cast<double>(moved.Lat), 1e-6);
  const TRoutingData& track = *state.ListRoutingData.GetItem(0);
  EXPECT_EQ(track.TrackStart.Lon, state.ListBuoysPosition[0].Lon);
  EXPECT_FLOAT_EQ(track.GestureTrackStart.X, m1.X + 30);
  EXPECT_EQ(host_.DragRefreshes, 1);

  // A step onto land is left out; the drag goes on from the last position.
  host_.InWater = [](const TMinutes&) { return false; };
  gestures_.MouseMap(kMouseMove, 560, 400);
  EXPECT_EQ(state.ListBuoysPosition[0].Lon, moved.Lon);
  EXPECT_FLOAT_EQ(graphics_.GestureM1.X, m1.X + 30);
  host_.InWater = [](const TMinutes&) { return true; };
  gestures_.MouseMap(kMouseUp, 560, 400);

  // Any double click ends the drag; the marks stay where it left them.
  DoubleClickAt(TPointF{10, 10});
  EXPECT_FALSE(state.DeviceGestureMovableMarkActive);
  EXPECT_TRUE(gestures_.PanMapActivated);
  EXPECT_TRUE(host_.PanelsEnabled);
  EXPECT_EQ(host_.Done, 1);
  EXPECT_NEAR(static_cast<double>(state.ListBuoysPosition[0].Lon), static_cast<double>(moved.Lon), 1e-4);
}

TEST_F(ServiceGesturesTest, WindwardLeewardCourseTurnsTheWindWithMarkOne) {
  TInterfaceApplicationMobile& state = State();
  state.TrackType = 1;
  PlaceScene(TPointF{400, 450}, TPointF{400, 150}, TPointF{400, 300});
  const TPointF m1 = graphics_.GestureM1;
  DoubleClickAt(m1);
  ASSERT_EQ(state.Gesture, kGestureMark1);
  const double windBefore = state.Wind.TrueWind.Winkel;
  gestures_.MouseMap(kMouseDown, m1.X, m1.Y);
  gestures_.MouseMap(kMouseMove, m1.X + 150, m1.Y);
  const TRoutingData& beat = *state.ListRoutingData.GetItem(0);
  const TRoutingData& run = *state.ListRoutingData.GetItem(1);
  EXPECT_EQ(beat.TrackStart.Lon, state.ListBuoysPosition[0].Lon);
  EXPECT_EQ(run.TrackFinish.Lon, state.ListBuoysPosition[0].Lon);
  EXPECT_EQ(state.Wind.TrueWind.Winkel, state.ListRoutingData.GetTrueWindAngle());
  EXPECT_GT(std::fabs(static_cast<double>(state.Wind.TrueWind.Winkel - windBefore)), 0.1);
}

TEST_F(ServiceGesturesTest, ZoomKeepsAnArmedDragAtTheNewScale) {
  TInterfaceApplicationMobile& state = State();
  PlaceScene(TPointF{300, 300}, TPointF{500, 300}, TPointF{400, 500});
  DoubleClickAt(graphics_.GestureM2);
  ASSERT_EQ(state.Gesture, kGestureMark2);
  state.DeviceZoom = std::min(state.DeviceZoomMax, state.DeviceZoom + 2);
  graphics_.GetDeviceProjection(state);
  gestures_.HandleGestureMovableMarkContinue();
  EXPECT_TRUE(state.DeviceGestureMovableMarkActive);
  EXPECT_TRUE(gestures_.PanCourseActivated);
  const TPointF m2 = graphics_.Minutes_to_OnScreen(state.ListBuoysPosition[1], state.Offset);
  EXPECT_FLOAT_EQ(graphics_.GestureM2.X, m2.X);
  EXPECT_FLOAT_EQ(graphics_.GestureM2.Y, m2.Y);
  const TRoutingData& track = *state.ListRoutingData.GetItem(0);
  const TPointF finish = graphics_.Minutes_to_OnScreen(track.TrackFinish, state.Offset);
  EXPECT_FLOAT_EQ(track.GestureTrackFinish.X, finish.X);
}

TEST_F(ServiceGesturesTest, MovesWithoutButtonReadWithButtonPan) {
  TInterfaceApplicationMobile& state = State();
  PlaceScene(TPointF{300, 300}, TPointF{500, 300}, TPointF{400, 500});
  gestures_.MouseMap(kMouseMove, 100, 100);
  EXPECT_EQ(host_.Readouts, 1);
  const TMinutes centre = state.DeviceCenter;
  gestures_.MouseMap(kMouseDown, 400, 300);
  gestures_.MouseMap(kMouseMove, 300, 250);
  EXPECT_EQ(host_.Readouts, 1);
  EXPECT_TRUE(gestures_.GetMouseDown());
  EXPECT_NE(state.DeviceCenter.Lon, centre.Lon) << "the chart pans";
  gestures_.MouseMap(kMouseUp, 300, 250);
  EXPECT_FALSE(gestures_.GetMouseDown());
}

}  // namespace
}  // namespace corvane
