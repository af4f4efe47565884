#pragma once
// Shared pieces of the print tests: a GUI application for the fonts and the
// PDF writer (offscreen platform, no display), the PDF page count, and a
// look-up of print lines.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "analysis/package_apps.h"
#include "analysis/routing_run.h"
#include "chart/mobile_graphics.h"
#include "core/file_tools.h"
#include "data/package_resource_loader.h"
#include "datasets/builtin_datasets.h"
#include "print/print_controller_apps.h"
#include "print/print_line.h"
#include "startup/startup.h"
#include "support/temp_folder.h"

namespace corvane::testing_print {

// One QGuiApplication per test suite; the offscreen platform is chosen
// before it is created.
class GuiTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }
  static void TearDownTestSuite() { app_.reset(); }

 private:
  static inline int argc_ = 1;
  static inline char arg0_[] = "print_tests";
  static inline char* argv_[] = {arg0_, nullptr};
  static inline std::unique_ptr<QGuiApplication> app_;
};

// The built-in data with a course of three tracks (183, 177, 175 and back
// to 183) routed as "Routing all" leaves it, a 12-knot wind from 240
// degrees, and a chart window of 1000 x 700 pixels on the second track; the
// printing controller over the application services. Needs a GUI
// application. PDF files go into the documents folder.
class TPrintedCourse {
 public:
  TPrintedCourse()
      : store(BuiltInResourceStore()),
        loader(store, TFileTools::ForProgramFolder(documents.path())),
        apps(currents),
        controller(state, graphics, apps, controls, store) {}

  // False, with a failure reported, when the start-up or the routing fails.
  bool SetUp() {
    const TStartupResult startup = RunStartup(loader, currents, state);
    EXPECT_TRUE(startup.Completed) << startup.Error;
    state.TrackType = 3;
    state.ListWayPoints = "183;177;175;183";
    apps.SetListRoutingData(state);
    EXPECT_EQ(state.ListRoutingData.Count(), 3);
    state.Wind.TrueWind = TPolar{12, 240 * kDegreesToRadians};
    GetRoutingNew(true, false, apps, controls, state);
    EXPECT_TRUE(state.RoutingValid) << state.AppMessage;
    state.ListRoutingData.IndexTrack = 1;
    apps.SetRoutingLineStroke(state);
    state.DeviceWidth = 1000;
    state.DeviceHeight = 700;
    graphics.InitDeviceProjection(state);
    graphics.GetDeviceProjection(state);
    graphics.DrawOffScreen(state);
    return startup.Completed && state.RoutingValid && state.ListRoutingData.Count() == 3;
  }

  std::filesystem::path File(const char* name) const { return documents.path() / name; }

  TTempFolder documents;
  TResourceStore store;
  TPackageResourceLoader loader;
  TPackageCurrents currents;
  TInterfaceApplicationMobile state;
  TMobileGraphics graphics;
  TPackageApps apps;
  TPackageControls controls;
  TPrintControllerApps controller;
};

// Pages of a PDF file: its page objects ("/Type /Page" at the end of a
// line; the page tree is "/Type /Pages").
inline int PdfPageCount(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string key = "/Type /Page\n";
  int pages = 0;
  for (std::size_t at = bytes.find(key); at != std::string::npos; at = bytes.find(key, at + key.size())) ++pages;
  return pages;
}

// The first text line at a column whose text is `text`; nullptr when none.
inline const TPrintLine* FindLine(const TListPrintLine& lines, double col, const std::string& text) {
  for (const TPrintLine& line : lines.Items) {
    if (line.Typ == kPrintLineText && line.Col == col && line.Text == text) return &line;
  }
  return nullptr;
}

// The text at `col` on the same row as the label `label` at column 42;
// "<no label>" or "<no value>" when either is missing.
inline std::string ValueOf(const TListPrintLine& lines, const std::string& label, double col = 402) {
  const TPrintLine* labelLine = FindLine(lines, 42, label);
  if (labelLine == nullptr) return "<no label>";
  for (const TPrintLine& line : lines.Items) {
    if (line.Typ == kPrintLineText && line.Col == col && line.Row == labelLine->Row) return line.Text;
  }
  return "<no value>";
}

}  // namespace corvane::testing_print
