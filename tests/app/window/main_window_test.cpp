#include "app/window/main_window.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <QApplication>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>
#include <QRadioButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/window/position_text.h"
#include "app/window/shortcut_memo.h"
#include "app/window/window_settings.h"
#include "core/date_time.h"
#include "datasets/builtin_datasets.h"

namespace corvane {
namespace {

class TRecordingMessages : public TMessageSink {
 public:
  std::vector<std::string> Texts;
  void ShowMessage(TMessageKind, const std::string& text) override { Texts.push_back(text); }
};

// One window on the built-in data sets for the whole suite, with a program
// folder of its own and the message boxes recorded instead of shown.
class MainWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
        ("corvane-window-test-" + std::to_string(QCoreApplication::applicationPid()));
    std::filesystem::remove_all(folder);
    suite_ = std::make_unique<TSuite>();
    suite_->Folder = folder;
    suite_->Window = std::make_unique<TFormCorvaneDesktop>(BuiltInResourceStore(), TFileTools::ForProgramFolder(folder));
    Window().Controls().Messages = &suite_->Messages;
    Window().show();
    while (!Window().Ready()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  static void TearDownTestSuite() {
    const std::filesystem::path folder = suite_->Folder;
    suite_.reset();
    std::filesystem::remove_all(folder);
  }
  void SetUp() override { suite_->Messages.Texts.clear(); }

  static TFormCorvaneDesktop& Window() { return *suite_->Window; }
  static TWindowControls& Controls() { return Window().Controls(); }
  static TInterfaceApplicationMobile& State() { return Window().Process().InterfaceApplicationMobile; }
  static std::vector<std::string>& Messages() { return suite_->Messages.Texts; }

  static QPushButton* Button(const QString& caption) {
    for (QPushButton* button : Window().findChildren<QPushButton*>()) {
      if (button->text() == caption) return button;
    }
    ADD_FAILURE() << "no button " << caption.toStdString();
    return nullptr;
  }

  // Clicks a routing button and lets the window run until the run's results
  // are in: the legs route on the worker while the window processes events.
  static void RouteAndWait(const QString& caption) {
    Button(caption)->click();
    while (Window().Process().RoutingBusy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QCoreApplication::processEvents();
  }

  struct TSuite {
    std::filesystem::path Folder;
    TRecordingMessages Messages;  // outlives the window that points at it
    std::unique_ptr<TFormCorvaneDesktop> Window;
  };
  static std::unique_ptr<TSuite> suite_;
};

std::unique_ptr<MainWindowTest::TSuite> MainWindowTest::suite_;

TEST_F(MainWindowTest, ActivationRunsOnce) {
  EXPECT_EQ(Window().ActivationCount(), 1);
  EXPECT_FALSE(Window().Process().GetFormActivate());
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(&Window(), &activate);
  Window().FormActivate();
  QCoreApplication::processEvents();
  EXPECT_EQ(Window().ActivationCount(), 1);
  EXPECT_TRUE(Window().Process().GetEnableEvents());
  EXPECT_TRUE(Window().Process().PackageForms.EnableResize);
}

TEST_F(MainWindowTest, StartUpFillsThePanelsFromTheState) {
  const TInterfaceApplicationMobile& state = State();
  EXPECT_EQ(Window().windowTitle().toStdString(), state.AppName);
  const std::string header = Controls().Expander_Map->Caption().toStdString();
  EXPECT_EQ(header.rfind("The Quarne - " + FormatDateTime("dd.mm.yyyy - hh:nn", state.DateTimeLOC), 0), 0u) << header;
  EXPECT_EQ(Controls().Expander_Tides->Caption().toStdString(), "Tides " + state.PortName);
  EXPECT_GT(Controls().ListView_Tides->topLevelItemCount(), 3);
  EXPECT_EQ(Controls().ListView_Results->topLevelItemCount(), 20);
  EXPECT_EQ(Controls().ListView_Results->topLevelItem(0)->text(0).toStdString(), "TRACK");
  EXPECT_EQ(Controls().ListView_Results->topLevelItem(9)->text(1).toStdString(), "not computed");
  EXPECT_EQ(Controls().Label_Track->text().toStdString(), "Track 1");
  EXPECT_EQ(Controls().ComboBox_WindSpeedBox->count(), 26);
  EXPECT_EQ(Controls().ComboBox_WindSpeedBox->currentIndex(), state.Wind.IndexSpeed);
  EXPECT_EQ(Controls().ComboBox_GRIBBox->itemText(0).toStdString(), "None");
  EXPECT_EQ(Controls().ComboBox_GRIBBox->currentIndex(), 0);
  EXPECT_EQ(Controls().ComboBox_TideTime->count(), 31);
  EXPECT_EQ(Controls().ComboBox_TideSpeed->count(), 41);
  EXPECT_GT(state.DeviceWidth, 0);
  EXPECT_EQ(state.DeviceWidth, Controls().Image_Map->width());
}

TEST_F(MainWindowTest, GateKeepsChangesMadeByTheProgramFromStartingCommands) {
  TInterfaceApplicationMobile& state = State();
  const double speed = state.Wind.TrueWind.Betrag;
  state.Wind.IndexSpeed = 10;
  Window().Process().PackageForms.SetDataTabWind(Controls());
  EXPECT_EQ(Controls().ComboBox_WindSpeedBox->currentIndex(), 10);
  EXPECT_EQ(state.Wind.TrueWind.Betrag, speed) << "the wind command did not run";
  EXPECT_TRUE(Window().Process().GetEnableEvents());

  // The same change made by the user runs it.
  Controls().ComboBox_WindSpeedBox->setCurrentIndex(11);
  EXPECT_EQ(state.Wind.IndexSpeed, 11);
  EXPECT_EQ(state.Wind.TrueWind.Betrag, 16);
}

TEST_F(MainWindowTest, CommandsChangeTheStateAndRefreshThePanels) {
  TInterfaceApplicationMobile& state = State();
  TWindowControls& c = Controls();
  struct Case {
    const char* name;
    std::function<void()> act;
    std::function<void()> check;
  };
  TDateTime before = 0;
  double zoom = 0;
  std::string waypoints;
  const Case cases[] = {
      {"+15 min moves the moment and the header",
       [&] {
         before = state.DateTimeGMT;
         Button("+15 min")->click();
       },
       [&] {
         EXPECT_EQ(MinutesBetween(before, state.DateTimeGMT), 15);
         EXPECT_EQ(c.TimeEdit_Start->time().toString("HH:mm").toStdString(), FormatDateTime("hh:nn", state.DateTimeLOC));
         EXPECT_NE(c.Expander_Map->Caption().toStdString().find(FormatDateTime("hh:nn", state.DateTimeLOC)),
                   std::string::npos);
       }},
      {"Ctrl+Right is the +1 min button",
       [&] {
         before = state.DateTimeGMT;
         QApplication::setActiveWindow(&Window());
         QTest::keyClick(&Window(), Qt::Key_Right, Qt::ControlModifier);
       },
       [&] {
         EXPECT_EQ(CompareDateTime(IncMinute(before, 1), state.DateTimeGMT), 0);
         EXPECT_NE(Button("+1 min")->toolTip().toStdString().find("Ctrl+Right"), std::string::npos);
       }},
      {"-5 min moves back",
       [&] {
         before = state.DateTimeGMT;
         Button("-5 min")->click();
       },
       [&] { EXPECT_EQ(CompareDateTime(IncMinute(before, -5), state.DateTimeGMT), 0); }},
      {"tide time list",
       [&] { c.ComboBox_TideTime->setCurrentIndex(16); },
       [&] {
         EXPECT_EQ(state.IndexTideShift, 16);
         EXPECT_EQ(state.TideTimeShift, 10);
       }},
      {"tide speed list",
       [&] { c.ComboBox_TideSpeed->setCurrentIndex(22); },
       [&] {
         EXPECT_EQ(state.IndexRangeShift, 22);
         EXPECT_NEAR(static_cast<double>(state.TideRangeShift), 0.1, 1e-12);
       }},
      {"depth line", [&] { c.ComboBox_DepthLine->setCurrentIndex(2); },
       [&] { EXPECT_EQ(state.IndexDepthLine, 2); }},
      {"zoom in",
       [&] {
         zoom = state.DeviceZoom;
         Button("In")->click();
       },
       [&] {
         EXPECT_GT(state.DeviceZoom, zoom);
         EXPECT_EQ(c.TrackBar_Zoom->value(), static_cast<int>(std::lround(static_cast<double>(state.DeviceZoom * 100))));
       }},
      {"zoom out stops at 0",
       [&] {
         for (int i = 0; i < 12; ++i) Button("Out")->click();
       },
       [&] { EXPECT_EQ(state.DeviceZoom, 0); }},
      {"add a waypoint",
       [&] {
         waypoints = state.ListWayPoints;
         Button("Add")->click();
       },
       [&] {
         EXPECT_EQ(state.ListWayPoints, waypoints + ";0");
         EXPECT_FALSE(c.ListBox_WaypointsBox->item(2)->isHidden());
         EXPECT_TRUE(c.ListBox_WaypointsBox->item(3)->isHidden());
         EXPECT_EQ(state.ListRoutingData.Count(), 2);
       }},
      {"delete the selected waypoint",
       [&] { Button("Delete")->click(); },
       [&] {
         EXPECT_EQ(state.ListWayPoints, waypoints);
         EXPECT_TRUE(c.ListBox_WaypointsBox->item(2)->isHidden());
       }},
      {"a yacht class clears the other lists",
       [&] {
         c.ComboBox_Dinghies->setCurrentIndex(0);
         c.ComboBox_Yachts->setCurrentIndex(3);
       },
       [&] {
         EXPECT_EQ(state.BoatClass, c.ComboBox_Yachts->itemText(3).toStdString());
         EXPECT_EQ(c.ComboBox_Dinghies->currentIndex(), -1);
         EXPECT_EQ(c.ComboBox_Individual->currentIndex(), -1);
       }},
      {"wind direction 370 reads as 0",
       [&] {
         c.Edit_WindAngleBox->clear();
         QTest::keyClicks(c.Edit_WindAngleBox, "370");
       },
       [&] {
         EXPECT_EQ(state.Wind.TrueWind.Winkel, 0);
         EXPECT_EQ(c.Edit_WindAngleBox->text().toStdString(), "0");
       }},
      {"two tracks page to the second",
       [&] {
         waypoints = state.ListWayPoints;
         Button("Add")->click();
         Button(QString::fromUtf8("\u25B6"))->click();
       },
       [&] {
         EXPECT_EQ(state.ListRoutingData.IndexTrack, 1);
         EXPECT_EQ(c.Label_Track->text().toStdString(), "Track 2");
         Button(QString::fromUtf8("\u25B6"))->click();
         EXPECT_EQ(state.ListRoutingData.IndexTrack, 1) << "the last track is the last page";
         Button("Delete")->click();
         EXPECT_EQ(state.ListWayPoints, waypoints);
       }},
      {"window resize lays the chart out again",
       [&] {
         Window().resize(1300, 850);
         QCoreApplication::processEvents();
       },
       [&] {
         EXPECT_EQ(state.DeviceWidth, c.Image_Map->width());
         EXPECT_EQ(state.DeviceHeight, c.Image_Map->height());
         Window().resize(1600, 1000);
         QCoreApplication::processEvents();
       }},
      {"mouse move shows the position readout",
       [&] { QTest::mouseMove(c.Image_Map, QPoint(300, 200)); },
       [&] {
         const TMinutes p = Window().Process().MobileGraphics.OnScreen_to_Minutes(TPointF{300, 200}, state.Offset);
         const std::string readout = c.Label_Map->text().toStdString();
         // Degrees and minutes as a navigator reads them: 001°18.498'W.
         const std::string lon = ToDegreesAndMinutes(TMathTools().MinutesToGeoPos(p.Lon, 'W', 'E'));
         const std::string lat = ToDegreesAndMinutes(TMathTools().MinutesToGeoPos(p.Lat, 'S', 'N'));
         EXPECT_NE(lon.find("\u00B0"), std::string::npos);
         EXPECT_NE(readout.find(lon + "  " + lat), std::string::npos) << readout;
       }},
      {"Now takes the computer's clock",
       [&] { Button("Now")->click(); },
       [&] { EXPECT_LE(MinutesBetween(state.DateTimeLOC, NowLocal()), 1); }},
      {"wind direction 45",
       [&] {
         c.Edit_WindAngleBox->clear();
         QTest::keyClicks(c.Edit_WindAngleBox, "45");
       },
       [&] { EXPECT_NEAR(static_cast<double>(state.Wind.TrueWind.Winkel), 45 * 3.14159265358979 / 180, 1e-9); }},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    k.act();
    k.check();
    EXPECT_TRUE(Window().Process().GetEnableEvents()) << "the gate opens again";
  }
}

TEST_F(MainWindowTest, SavingKeepsTheWindowSectionBesideTheSettings) {
  Controls().ComboBox_DepthLine->setCurrentIndex(1);
  Controls().ComboBox_DepthLine->setCurrentIndex(0);
  const std::string file = Window().Process().PackageResourceLoader.GetSettingsFileName(State());
  std::ifstream in(file);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("BOATDEPTH=0"), std::string::npos);
  EXPECT_NE(text.find("[WINDOW]"), std::string::npos);
  const auto geometry = ReadWindowGeometry(file);
  ASSERT_TRUE(geometry.has_value());
  EXPECT_EQ(geometry->Width, Window().width());
  EXPECT_EQ(geometry->SideColumnWidth, Window().Splitter().sizes().at(1));
}

TEST_F(MainWindowTest, MarkTypedIntoWaterMoves) {
  TInterfaceApplicationMobile& state = State();
  const TMathTools math;
  const TMinutes target = state.ListBuoysPosition[177];  // a buoy floats
  Controls().Edit_M2Lon->setText(QString::fromStdString(math.MinutesToGeoPos(target.Lon, 'W', 'E')));
  Controls().Edit_M2Lat->setText(QString::fromStdString(math.MinutesToGeoPos(target.Lat, 'S', 'N')));
  Window().Process().GetMoveMark(1);
  EXPECT_TRUE(Messages().empty());
  EXPECT_NEAR(static_cast<double>(state.ListBuoysPosition[1].Lon), static_cast<double>(target.Lon), 1e-3);
  EXPECT_NEAR(static_cast<double>(state.ListBuoysPosition[1].Lat), static_cast<double>(target.Lat), 1e-3);
}

TEST_F(MainWindowTest, TimeShiftStopsAtTheEarliestMoment) {
  TInterfaceApplicationMobile& state = State();
  state.DateTimeLOC = IncMinute(state.DateTimeMinLOC, 20);
  SetDateTimeGMT(state);
  Button("-30 min")->click();
  EXPECT_EQ(CompareDateTime(state.DateTimeLOC, state.DateTimeMinLOC), 0);
  Button("+30 min")->click();
  EXPECT_EQ(CompareDateTime(state.DateTimeLOC, IncMinute(state.DateTimeMinLOC, 30)), 0);
}

TEST_F(MainWindowTest, MarkTypedOntoLandIsRefused) {
  TInterfaceApplicationMobile& state = State();
  ASSERT_FALSE(state.ListTownsPosition.empty());
  const TMinutes mark = state.ListBuoysPosition[0];
  const TMinutes town = state.ListTownsPosition[0];  // towns stand on land
  const TMathTools math;
  Controls().Edit_M1Lon->setText(QString::fromStdString(math.MinutesToGeoPos(town.Lon, 'W', 'E')));
  Controls().Edit_M1Lat->setText(QString::fromStdString(math.MinutesToGeoPos(town.Lat, 'S', 'N')));
  Window().Process().GetMoveMark(0);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], "Mark ashore!");
  EXPECT_EQ(state.ListBuoysPosition[0].Lon, mark.Lon);
  EXPECT_EQ(Controls().Edit_M1Lon->text().toStdString(), math.MinutesToGeoPos(mark.Lon, 'W', 'E'));
}

TEST_F(MainWindowTest, AMarkTypedAsNoPositionStaysAndTheUserIsToldWhy) {
  TInterfaceApplicationMobile& state = State();
  const TMinutes mark = state.ListBuoysPosition[0];
  const TMathTools math;
  Controls().Edit_M1Lon->setText("west of the post");
  Controls().Edit_M1Lat->setText(QString::fromStdString(math.MinutesToGeoPos(mark.Lat, 'S', 'N')));
  Window().Process().GetMoveMark(0);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("\"west of the post\" is not a longitude"), std::string::npos) << Messages()[0];
  EXPECT_NE(Messages()[0].find("The mark stays where it was."), std::string::npos);
  EXPECT_EQ(state.ListBuoysPosition[0].Lon, mark.Lon);
  EXPECT_EQ(state.ListBuoysPosition[0].Lat, mark.Lat);
  EXPECT_EQ(Controls().Edit_M1Lon->text().toStdString(), math.MinutesToGeoPos(mark.Lon, 'W', 'E'));
}

TEST_F(MainWindowTest, ShortcutMemoTypesACourse) {
  TInterfaceApplicationMobile& state = State();
  TShortCutMemo* memo = Controls().Memo_ShortCutWaypointsBox;
  Button("Clear Shortcuts")->click();
  QTest::keyClicks(memo, "4p93v");
  EXPECT_EQ(memo->toPlainText().toStdString(), "4P 3V ");
  EXPECT_EQ(memo->textCursor().position(), 6);
  const std::string saved = state.ListWayPoints;
  Button("Generate List")->click();
  const TCourseServices& course = Window().Process().PackageApps;
  const int first = course.GetIndexBuoyOfShortCut("4P", state);
  const int second = course.GetIndexBuoyOfShortCut("3V", state);
  ASSERT_GE(first, 0);
  ASSERT_GE(second, 0);
  EXPECT_EQ(state.ListWayPoints, std::to_string(first) + ";" + std::to_string(second));
  EXPECT_EQ(Controls().ComboBox_Waypoint[1]->currentIndex(), second);
  QTest::keyClick(memo, Qt::Key_Backspace);
  EXPECT_EQ(memo->toPlainText().toStdString(), "4P ");
  state.ListWayPoints = saved;
}

TEST_F(MainWindowTest, RoutingAllRoutesTheDefaultCourseAndTheBoatsFollowTheTime) {
  TInterfaceApplicationMobile& state = State();
  TWindowControls& c = Controls();
  state.ListWayPoints = "183;177";
  state.IndexWaypoint = 0;
  Window().Process().PackageApps.SetListRoutingData(state);
  c.ComboBox_WindSpeedBox->setCurrentIndex(7);  // 12 kts
  state.DateTimeLOC = IncMinute(state.DateTimeMinLOC, 60 * 24 * 240 + 14 * 60);
  SetDateTimeGMT(state);
  Button("+1 min")->click();  // the field of the new moment

  RouteAndWait("Routing all");
  EXPECT_TRUE(Messages().empty()) << (Messages().empty() ? "" : Messages()[0]);
  EXPECT_TRUE(state.RoutingValid);
  EXPECT_TRUE(state.DrawRouting);
  EXPECT_EQ(c.Label_Track->text().toStdString(), "Track 1");
  EXPECT_NE(c.ListView_Results->topLevelItem(9)->text(1).toStdString(), "not computed");
  EXPECT_NE(c.ListView_Results->topLevelItem(7)->text(1).toStdString(), "not computed");
  EXPECT_TRUE(c.Expander_Routing->isEnabled()) << "the panels come back after the run";
  EXPECT_FALSE(c.Layout_ProgressBar->isVisible());

  // The program refilling the waypoint rows starts no waypoint command.
  state.ListWayPoints = "183;176";
  Window().Process().PackageForms.SetDataWaypoints(c);
  EXPECT_EQ(c.ComboBox_Waypoint[1]->currentIndex(), 176);
  EXPECT_EQ(state.ListRoutingData.GetItem(0)->IndexFinish, 177);
  EXPECT_TRUE(state.RoutingValid);
  state.ListWayPoints = "183;177";
  Window().Process().PackageForms.SetDataWaypoints(c);

  // A time shift inside the leg keeps the results: the boats move.
  Button("+5 min")->click();
  EXPECT_TRUE(state.DrawRouting);
  EXPECT_NE(c.ListView_Results->topLevelItem(9)->text(1).toStdString(), "not computed");
  // A wind change discards them.
  c.ComboBox_WindSpeedBox->setCurrentIndex(8);
  EXPECT_FALSE(state.DrawRouting);
  EXPECT_EQ(c.ListView_Results->topLevelItem(9)->text(1).toStdString(), "not computed");
}

TEST_F(MainWindowTest, LowWindRoutesNothing) {
  TInterfaceApplicationMobile& state = State();
  Controls().ComboBox_WindSpeedBox->setCurrentIndex(0);  // "<6 kts"
  RouteAndWait("Routing all");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], "Low wind speed");
  EXPECT_FALSE(state.DrawRouting);
  Controls().ComboBox_WindSpeedBox->setCurrentIndex(7);
}

TEST_F(MainWindowTest, PrintManagerOpensOnlyThroughTheGateAndTheRoutedChartStays) {
  TInterfaceApplicationMobile& state = State();
  TPackageProcess& process = Window().Process();
  QPushButton* print = Button("Print manager");
  ASSERT_NE(print, nullptr);
  const auto modal = Window().ShowPrintManager;
  const std::filesystem::path pdf = suite_->Folder / "sheets.pdf";
  int shown = 0;
  bool saved = false;
  std::string error;
  // Instead of the modal loop, what the user's "Save as PDF..." does.
  Window().ShowPrintManager = [&](TFormPrintManagerTracks& dialog) {
    ++shown;
    EXPECT_TRUE(dialog.rbtPrintSingleTrack->isChecked());
    // The save dialog opens in the program's documents folder.
    EXPECT_EQ(std::filesystem::path(dialog.PdfSuggestion().toStdString()).parent_path().lexically_normal(),
              suite_->Folder.lexically_normal());
    saved = dialog.SaveAsPdf(QString::fromStdString(pdf.string()));
    error = dialog.LastError;
  };

  // While a command runs the gate is closed: no dialog.
  process.PackageForms.EnableEvents = false;
  print->click();
  process.PackageForms.EnableEvents = true;
  EXPECT_EQ(shown, 0);

  Controls().ComboBox_WindSpeedBox->setCurrentIndex(7);  // 12 kts
  RouteAndWait("Routing all");
  ASSERT_TRUE(state.DrawRouting);
  const std::string course = state.ListWayPoints;
  const double zoom = state.DeviceZoom;
  print->click();
  Window().ShowPrintManager = modal;
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(saved) << error;
  std::ifstream file(pdf, std::ios::binary);
  std::string magic(4, '\0');
  file.read(magic.data(), 4);
  EXPECT_EQ(magic, "%PDF");
  // The sheets routed and drew on their own; afterwards the window shows
  // its course, view and routing as before.
  EXPECT_TRUE(process.GetEnableEvents());
  EXPECT_EQ(state.ListWayPoints, course);
  EXPECT_EQ(state.DeviceZoom, zoom);
  EXPECT_EQ(state.DeviceWidth, Controls().Image_Map->width());
  EXPECT_TRUE(state.RoutingValid);
  EXPECT_TRUE(state.DrawRouting);
  EXPECT_TRUE(Messages().empty()) << (Messages().empty() ? "" : Messages()[0]);
}

TEST_F(MainWindowTest, F9RoutesOnTheWorkerAndGivesTheResultsOfARunToItsEnd) {
  TInterfaceApplicationMobile& state = State();
  TPackageProcess& process = Window().Process();
  state.ListWayPoints = "183;177;37;183";
  state.IndexWaypoint = 0;
  process.PackageApps.SetListRoutingData(state);
  Controls().ComboBox_WindSpeedBox->setCurrentIndex(7);  // 12 kts

  QTest::keyClick(&Window(), Qt::Key_F9);
  ASSERT_TRUE(process.RoutingBusy()) << "the legs route away from the window's thread";
  EXPECT_FALSE(process.GetEnableEvents()) << "no command while the job is away";
  EXPECT_FALSE(Controls().Expander_Routing->isEnabled());
  while (process.RoutingBusy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  QCoreApplication::processEvents();
  EXPECT_TRUE(process.GetEnableEvents());
  EXPECT_TRUE(Controls().Expander_Routing->isEnabled());
  EXPECT_FALSE(Controls().Layout_ProgressBar->isVisible());
  ASSERT_TRUE(state.RoutingValid) << state.AppMessage;
  std::vector<double> worker;
  for (const auto& track : state.ListRoutingData.Items) worker.push_back(track->TimeBestCourse);
  ASSERT_EQ(worker.size(), 3u);

  // The same run on the window's thread, as the command line runs it.
  const TRoutingRunResult run = process.GetRoutingNew(false, false);
  ASSERT_TRUE(run.AllRouted()) << state.AppMessage;
  for (std::size_t i = 0; i < worker.size(); ++i) {
    EXPECT_EQ(state.ListRoutingData.GetItem(static_cast<int>(i))->TimeBestCourse, worker[i]) << "leg " << i + 1;
  }
  // Esc with no run under way changes nothing.
  QTest::keyClick(&Window(), Qt::Key_Escape);
  EXPECT_TRUE(state.RoutingValid);
  state.ListWayPoints = "183;177";
  process.PackageApps.SetListRoutingData(state);
}

TEST_F(MainWindowTest, StartTimesSweepsAwayFromTheWindowAndAClickedStartIsRouted) {
  TInterfaceApplicationMobile& state = State();
  TPackageProcess& process = Window().Process();
  Controls().ComboBox_WindSpeedBox->setCurrentIndex(7);  // 12 kts
  Window().ShowStartTimes();
  TStartTimesDialog& dialog = Window().StartTimes();
  ASSERT_TRUE(dialog.isVisible());
  const TDateTime from = state.DateTimeLOC;
  dialog.SetStartWindow(from, 2, state.DateTimeMinLOC, state.DateTimeMaxLOC);
  dialog.Sweep();
  EXPECT_TRUE(dialog.Busy()) << "the starts route on the dialog's thread";
  while (dialog.Busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  QCoreApplication::processEvents();
  const TSweep& sweep = dialog.Result();
  ASSERT_EQ(sweep.Starts.size(), 13u) << "two hours every ten minutes";
  ASSERT_GE(sweep.Best, 0);
  EXPECT_EQ(state.DateTimeLOC, from) << "the sweep leaves the chosen moment";
  EXPECT_TRUE(Messages().empty()) << (Messages().empty() ? "" : Messages()[0]);

  // The pointer over a bar names its start; a click routes it.
  TSweepPlotWidget& plot = dialog.Plot();
  const int best = sweep.Best;
  const TDateTime bestStart = sweep.Starts[static_cast<std::size_t>(best)].StartLOC;
  EXPECT_NE(TSweepPlotWidget::Figures(sweep, best).indexOf("Best start"), -1);
  const QRectF bar = LayOutSweepPlot(sweep, QSizeF(plot.size())).Bars[static_cast<std::size_t>(best)];
  EXPECT_EQ(plot.StartAt(bar.center()), best);
  QTest::mouseClick(&plot, Qt::LeftButton, Qt::NoModifier, bar.center().toPoint());
  while (process.RoutingBusy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  QCoreApplication::processEvents();
  EXPECT_NEAR(state.DateTimeLOC, bestStart, 1e-6);
  ASSERT_TRUE(state.RoutingValid) << state.AppMessage;
  EXPECT_NEAR(state.ListRoutingData.GetItem(0)->TimeBestCourse, sweep.Starts[static_cast<std::size_t>(best)].TotalHours,
              1.0 / 3600) << "the start's course, routed as the sweep routed it";
  dialog.hide();
}

TEST_F(MainWindowTest, LiveRoutesAgainAtEveryChangeOfTheMoment) {
  TInterfaceApplicationMobile& state = State();
  TPackageProcess& process = Window().Process();
  Controls().ComboBox_WindSpeedBox->setCurrentIndex(7);  // 12 kts
  const auto settle = [&] {
    while (process.RoutingBusy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QCoreApplication::processEvents();
  };
  process.SetLiveRouting(true);
  settle();
  ASSERT_TRUE(state.RoutingValid) << state.AppMessage;
  const double first = state.ListRoutingData.GetItem(0)->TimeBestCourse;

  // Three changes in a row while the first of them routes: the window takes
  // each of them, and the last moment is the one routed.
  const TDateTime before = state.DateTimeGMT;
  Button("+15 min")->click();
  EXPECT_TRUE(process.RoutingBusy());
  EXPECT_TRUE(process.GetEnableEvents()) << "a live run leaves the window open";
  Button("+15 min")->click();
  Button("+15 min")->click();
  EXPECT_NEAR((state.DateTimeGMT - before) * 1440, 45, 1e-6);
  settle();
  ASSERT_TRUE(state.RoutingValid) << state.AppMessage;
  const TRoutingData& track = *state.ListRoutingData.GetItem(0);
  EXPECT_EQ(track.DateTimeStartGMT, state.DateTimeGMT) << "routed from the latest moment";
  EXPECT_TRUE(state.DrawRouting);
  EXPECT_NE(track.TimeBestCourse, first) << "three quarters of an hour later the stream has changed";

  process.SetLiveRouting(false);
  Button("-15 min")->click();
  Button("-15 min")->click();
  Button("-15 min")->click();
  settle();
  EXPECT_FALSE(process.RoutingBusy());
  EXPECT_TRUE(Messages().empty()) << (Messages().empty() ? "" : Messages()[0]);
}

// A notch of the mouse wheel over the middle of `widget`, pointing away from
// the user when `notches` is positive; whether the widget took it.
bool TurnWheel(QWidget& widget, int notches) {
  const QPointF centre = QRectF(widget.rect()).center();
  QWheelEvent event(centre, widget.mapToGlobal(centre), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&widget, &event);
  return event.isAccepted();
}

// What a wheel notch may change on a widget of the column.
QString ValueOf(const QWidget& widget) {
  if (const auto* combo = qobject_cast<const QComboBox*>(&widget)) return combo->currentText();
  if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(&widget)) return spin->text();
  if (const auto* slider = qobject_cast<const QAbstractSlider*>(&widget)) return QString::number(slider->value());
  return {};
}

TEST_F(MainWindowTest, TheWheelChangesNoListOrNumberUntilItIsClickedInto) {
  std::vector<QWidget*> valued;
  for (QWidget* widget : Window().findChildren<QWidget*>()) {
    if (qobject_cast<QScrollBar*>(widget)) continue;
    if (qobject_cast<QComboBox*>(widget) || qobject_cast<QAbstractSpinBox*>(widget) ||
        qobject_cast<QAbstractSlider*>(widget)) {
      valued.push_back(widget);
    }
  }
  ASSERT_GT(valued.size(), 8u);
  const double wind = State().Wind.TrueWind.Betrag;
  for (QWidget* widget : valued) {
    SCOPED_TRACE(widget->objectName().toStdString() + " " + widget->metaObject()->className());
    // A notch over a widget would otherwise give it the focus first.
    EXPECT_NE(widget->focusPolicy(), Qt::WheelFocus);
    const QString before = ValueOf(*widget);
    // Not taken, so the application hands it on to the scrolling column.
    EXPECT_FALSE(TurnWheel(*widget, -1));
    EXPECT_FALSE(TurnWheel(*widget, +1));
    EXPECT_EQ(ValueOf(*widget), before);
  }
  EXPECT_EQ(State().Wind.TrueWind.Betrag, wind);

  // Clicked into, the list follows the wheel.
  QComboBox& speeds = *Controls().ComboBox_WindSpeedBox;
  Controls().Expander_TrueWind->SetExpanded(true);
  ASSERT_TRUE(speeds.isEnabled());
  QApplication::setActiveWindow(&Window());
  speeds.setFocus(Qt::MouseFocusReason);
  ASSERT_TRUE(speeds.hasFocus());
  const int index = speeds.currentIndex();
  EXPECT_TRUE(TurnWheel(speeds, -1));
  EXPECT_EQ(speeds.currentIndex(), index + 1);
  EXPECT_TRUE(TurnWheel(speeds, +1));
  EXPECT_EQ(speeds.currentIndex(), index);
  speeds.clearFocus();
}

// A key as the user presses it while `target` has the focus.
void PressKey(QWidget& target, int key, Qt::KeyboardModifiers modifiers) {
  QApplication::setActiveWindow(target.window());
  target.setFocus(Qt::OtherFocusReason);
  QTest::keyClick(&target, static_cast<Qt::Key>(key), modifiers);
  QCoreApplication::processEvents();
}

TEST_F(MainWindowTest, TimeKeysGoLaterDownwardsAndWorkFromTheFieldsOfTheWindow) {
  TWindowControls& c = Controls();
  struct Case {
    const char* name;
    QWidget* target;
    int key;
    Qt::KeyboardModifiers modifiers;
    int minutes;
  };
  const Case cases[] = {
      {"Ctrl+PgDown on the chart", c.Image_Map, Qt::Key_PageDown, Qt::ControlModifier, 15},
      {"Ctrl+PgUp in the wind direction", c.Edit_WindAngleBox, Qt::Key_PageUp, Qt::ControlModifier, -15},
      {"Ctrl+Shift+PgDown in the start time", c.TimeEdit_Start, Qt::Key_PageDown,
       Qt::ControlModifier | Qt::ShiftModifier, 30},
      {"Ctrl+Shift+PgUp in the shortcuts", c.Memo_ShortCutWaypointsBox, Qt::Key_PageUp, Qt::ControlModifier | Qt::ShiftModifier,
       -30},
      // A text field keeps Ctrl+Left and Ctrl+Right for moving by words.
      {"Ctrl+Right in the wind direction", c.Edit_WindAngleBox, Qt::Key_Right, Qt::ControlModifier, 0},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    ASSERT_NE(k.target, nullptr);
    const TDateTime before = State().DateTimeGMT;
    PressKey(*k.target, k.key, k.modifiers);
    EXPECT_EQ(CompareDateTime(IncMinute(before, k.minutes), State().DateTimeGMT), 0);
  }
  EXPECT_NE(Button("+15 min")->toolTip().toStdString().find("Later"), std::string::npos);
  EXPECT_NE(Button("+15 min")->toolTip().toStdString().find("Ctrl+PgDown"), std::string::npos);
}

TEST_F(MainWindowTest, ZoomKeysStepByOneFactorAndTheWheelZoomsAboutThePointer) {
  TInterfaceApplicationMobile& state = State();
  TImageMap& map = *Controls().Image_Map;
  const double max = state.DeviceZoomMax;
  for (int i = 0; i < 12; ++i) PressKey(map, Qt::Key_Minus, Qt::ControlModifier);
  ASSERT_EQ(state.DeviceZoom, 0);
  // Ctrl+= and Ctrl++ alike; every press the same factor, eight from the
  // whole chart to the largest zoom.
  std::vector<double> scales{1};
  for (int i = 0; i < 8; ++i) {
    PressKey(map, i % 2 == 0 ? Qt::Key_Equal : Qt::Key_Plus, Qt::ControlModifier);
    scales.push_back(state.DeviceZoom + 1);
  }
  EXPECT_NEAR(scales.back(), max + 1, 1e-9);
  for (std::size_t i = 1; i < scales.size(); ++i) EXPECT_NEAR(scales[i] / scales[i - 1], scales[1], 1e-9);

  // Half way in, a notch away from the user about a point off the centre.
  for (int i = 0; i < 4; ++i) PressKey(map, Qt::Key_Minus, Qt::ControlModifier);
  const TPointF pointer{static_cast<float>(map.width() / 4), static_cast<float>(map.height() / 3)};
  const TMobileGraphics& graphics = Window().Process().MobileGraphics;
  const TMinutes under = graphics.OnScreen_to_Minutes(pointer, state.Offset);
  const double zoom = state.DeviceZoom;
  for (int notches : {+1, -2}) {
    SCOPED_TRACE(notches);
    QWheelEvent event(QPointF(pointer.X, pointer.Y), map.mapToGlobal(QPointF(pointer.X, pointer.Y)), QPoint(),
                      QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&map, &event);
    QCoreApplication::processEvents();
    EXPECT_NE(state.DeviceZoom, zoom);
    const TPointF still = graphics.Minutes_to_OnScreen(under, state.Offset);
    EXPECT_NEAR(still.X, pointer.X, 1);
    EXPECT_NEAR(still.Y, pointer.Y, 1);
  }
}

}  // namespace
}  // namespace corvane
