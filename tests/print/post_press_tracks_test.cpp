// Print jobs of track sheets on the built-in data: one page per track, the
// progress texts, fresh routing on every sheet, and the application state
// put back after the job, also after a job that fails.

#include "print/post_press_tracks.h"

#include <gtest/gtest.h>

#include <QString>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "print_fixture.h"

namespace corvane {
namespace {

using testing_print::PdfPageCount;
using testing_print::ValueOf;

// The progress edit of the print manager, keeping every text it was given.
class TRecordingEdit : public TEditControl {
 public:
  std::string Text() const override { return Texts.empty() ? std::string() : Texts.back(); }
  void SetText(const std::string& text) override { Texts.push_back(text); }
  std::vector<std::string> Texts;
};

// What the window shows and the user set up: the moment, the view, the
// tracks with their results and styles, the marks and the routing flags.
struct TTrackSnapshot {
  std::string BuoyStart;
  std::string BuoyFinish;
  bool RoutingEnabled;
  int TypeOfCourse;
  double TimeBestCourse;
  double TrackVMG;
  TDateTime DateTimeStartGMT;
  std::string HoursToRefTideText;
  int BestCoursePoints;
  TAlphaColor ColorTrack;
  TStrokeDash StrokeDash;
  bool DrawLaylines;
  bool operator==(const TTrackSnapshot&) const = default;
};

struct TStateSnapshot {
  TDateTime DateTimeLOC;
  TDateTime DateTimeGMT;
  double DeviceWidth;
  double DeviceHeight;
  double CenterLon;
  double CenterLat;
  double DeviceZoom;
  double OffScreenDimension;
  double SeaMapWidth;
  double SeaMapHeight;
  int IndexTrack;
  bool RoutingValid;
  bool DrawRouting;
  std::string AppMessage;
  int PrinterScaleDetail;
  std::vector<TTrackSnapshot> Tracks;
  std::vector<double> Buoys;  // longitude, latitude, ...
  // The chart's visible window.
  double ViewLon1;
  double ViewLat1;
  double ViewLon2;
  double ViewLat2;
  bool operator==(const TStateSnapshot&) const = default;
};

TStateSnapshot Snapshot(const TInterfaceApplicationMobile& state, const TMobileGraphics& graphics) {
  TStateSnapshot s{state.DateTimeLOC,
                   state.DateTimeGMT,
                   state.DeviceWidth,
                   state.DeviceHeight,
                   state.DeviceCenter.Lon,
                   state.DeviceCenter.Lat,
                   state.DeviceZoom,
                   state.OffScreenDimension,
                   state.SeaMap.Width,
                   state.SeaMap.Height,
                   state.ListRoutingData.IndexTrack,
                   state.RoutingValid,
                   state.DrawRouting,
                   state.AppMessage,
                   state.PrinterScaleDetail,
                   {},
                   {},
                   graphics.OnScreen.MapArea.P1.Lon,
                   graphics.OnScreen.MapArea.P1.Lat,
                   graphics.OnScreen.MapArea.P2.Lon,
                   graphics.OnScreen.MapArea.P2.Lat};
  for (const auto& track : state.ListRoutingData.Items) {
    s.Tracks.push_back({track->BuoyStart, track->BuoyFinish, track->RoutingEnabled, track->TypeOfCourse,
                        track->TimeBestCourse, track->TrackVMG, track->DateTimeStartGMT, track->HoursToRefTideText,
                        track->ListBestCourse.Count(), track->ColorTrack, track->StrokeDash, track->DrawLaylines});
  }
  for (const TMinutes& buoy : state.ListBuoysPosition) {
    s.Buoys.push_back(buoy.Lon);
    s.Buoys.push_back(buoy.Lat);
  }
  return s;
}

// The application's controller, failing in the routing of one sheet as an
// error deep in a job would.
class TFailingRouting : public TPrintControllerRelay {
 public:
  TFailingRouting(TPrintController& inner, int failOnCall) : TPrintControllerRelay(inner), failOnCall_(failOnCall) {}
  void GetRoutingSilent(bool singleTrack) override {
    TPrintControllerRelay::GetRoutingSilent(singleTrack);
    if (++calls_ == failOnCall_) throw std::runtime_error("routing broke");
  }

 private:
  int failOnCall_;
  int calls_ = 0;
};

// A PDF file that gives no second page.
class TOnePagePdf : public TPdfPageTarget {
 public:
  using TPdfPageTarget::TPdfPageTarget;
  bool NewPage() override { return false; }
};

class PrintSheetTest : public testing_print::GuiTest {
 protected:
  void SetUp() override { ASSERT_TRUE(course.SetUp()); }

  QString Pdf(const char* name) const { return QString::fromStdString(course.File(name).string()); }

  testing_print::TPrintedCourse course;
  TInterfaceApplicationMobile& state = course.state;
  TMobileGraphics& graphics = course.graphics;
  TPrintControllerApps& controller = course.controller;
  const TTempFolder& documents = course.documents;
  TRecordingEdit edit;
  TPostPressTracks printer;
};

TEST_F(PrintSheetTest, AllTracksGiveOnePageEachAndPutTheStateBack) {
  const TStateSnapshot before = Snapshot(state, graphics);
  TPdfPageTarget target(Pdf("all.pdf"), 150);
  ASSERT_TRUE(printer.PrintSheet(&edit, kPrintAllTracks, controller, target));

  EXPECT_EQ(PdfPageCount(documents.path() / "all.pdf"), 3);
  EXPECT_EQ(edit.Texts, (std::vector<std::string>{"Printing track 1", "Printing track 2", "Printing track 3", ""}));
  EXPECT_EQ(Snapshot(state, graphics), before);
}

TEST_F(PrintSheetTest, OneTrackIsRoutedAfreshForItsSheet) {
  // Results of an earlier run are no part of the sheet.
  state.RoutingValid = false;
  const TStateSnapshot before = Snapshot(state, graphics);
  TPdfPageTarget target(Pdf("one.pdf"), 150);
  ASSERT_TRUE(printer.PrintSheet(&edit, kPrintCurrentTrack, controller, target));

  EXPECT_EQ(PdfPageCount(documents.path() / "one.pdf"), 1);
  EXPECT_EQ(edit.Texts, (std::vector<std::string>{"Printing track 2", ""}));
  EXPECT_NE(ValueOf(printer.ListPrintLine, "Average VMG"), "not computed");
  EXPECT_NE(ValueOf(printer.ListPrintLine, "Routing"), "");
  EXPECT_EQ(ValueOf(printer.ListPrintLine, "Start"), "Fennick Post - 7S");
  EXPECT_EQ(Snapshot(state, graphics), before);
}

TEST_F(PrintSheetTest, ChartStandsAtTheFootOfTheSheet) {
  TPdfPageTarget target(Pdf("foot.pdf"), 150);
  ASSERT_TRUE(printer.PrintSheet(&edit, kPrintCurrentTrack, controller, target));
  EXPECT_EQ(printer.Map.width(), 800);
  EXPECT_EQ(printer.Map.height(), 600);
  EXPECT_NEAR(printer.DestRect.Bottom, printer.PageHeight - std::nearbyint(10 * printer.DotsPerMmVer), 1e-3);
  // Below the last text line (calibration, at row 1170).
  EXPECT_GT(printer.DestRect.Top - 50 * printer.DotsPerMmVer, 1170 * printer.DotsPerMmVer);
}

TEST_F(PrintSheetTest, AFailedJobPutsTheStateBackAndPassesTheErrorOn) {
  struct Case {
    const char* Name;
    bool FailRouting;  // otherwise the device refuses a page
    const char* Message;
  };
  const Case cases[] = {
      {"routing fails on the second sheet", true, "routing broke"},
      {"no second page", false, "The printer gave no page for track 2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const TStateSnapshot before = Snapshot(state, graphics);
    const QString file = Pdf("failed.pdf");
    TOnePagePdf onePage(file, 150);
    TPdfPageTarget pdf(file, 150);
    TFailingRouting failing(controller, 2);
    TPageTarget& target = c.FailRouting ? static_cast<TPageTarget&>(pdf) : onePage;
    TPrintController& used = c.FailRouting ? static_cast<TPrintController&>(failing) : controller;
    try {
      printer.PrintSheet(&edit, kPrintAllTracks, used, target);
      ADD_FAILURE() << "the job did not fail";
    } catch (const std::runtime_error& error) {
      EXPECT_STREQ(error.what(), c.Message);
    }
    EXPECT_EQ(Snapshot(state, graphics), before);
    EXPECT_EQ(edit.Text(), "");
    EXPECT_FALSE(std::filesystem::exists(documents.path() / "failed.pdf"));
  }
}

TEST_F(PrintSheetTest, AJobThatCannotStartChangesNothing) {
  const TStateSnapshot before = Snapshot(state, graphics);
  TPdfPageTarget target(Pdf("no-such-folder/sheets.pdf"), 150);
  EXPECT_FALSE(printer.PrintSheet(&edit, kPrintAllTracks, controller, target));
  EXPECT_TRUE(edit.Texts.empty());
  EXPECT_EQ(Snapshot(state, graphics), before);
}

}  // namespace
}  // namespace corvane
