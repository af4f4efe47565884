// A settings file with values the program cannot use: the window starts on
// their defaults and tells the user which ones, once.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <fstream>
#include <string>
#include <vector>

#include "app/window/main_window.h"
#include "datasets/builtin_datasets.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

class TRecordingMessages : public TMessageSink {
 public:
  std::vector<std::string> Texts;
  void ShowMessage(TMessageKind, const std::string& text) override { Texts.push_back(text); }
};

TEST(SettingsWarningsTest, ValuesOutOfRangeAreNamedInTheWindowAndKeepTheirDefaults) {
  TTempFolder folder;
  std::ofstream(folder.path() / "TheQuarne2016.ini") << "[SETTINGS]\nINDEXSPEED=2147483647\nDEVICEZOOM=-5\n";
  TRecordingMessages messages;
  TFormCorvaneDesktop window(BuiltInResourceStore(), TFileTools::ForProgramFolder(folder.path()));
  window.Controls().Messages = &messages;
  window.show();
  while (!window.Ready()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

  ASSERT_EQ(messages.Texts.size(), 1u);
  EXPECT_NE(messages.Texts[0].find("INDEXSPEED=2147483647"), std::string::npos) << messages.Texts[0];
  EXPECT_NE(messages.Texts[0].find("DEVICEZOOM=-5"), std::string::npos) << messages.Texts[0];
  const TInterfaceApplicationMobile& state = window.Process().InterfaceApplicationMobile;
  EXPECT_EQ(window.Controls().ComboBox_WindSpeedBox->currentIndex(), state.Wind.IndexSpeed);
  EXPECT_GE(state.Wind.IndexSpeed, 0);
  EXPECT_LT(state.Wind.IndexSpeed, window.Controls().ComboBox_WindSpeedBox->count());
  EXPECT_GE(state.DeviceZoom, 0);
}

}  // namespace
}  // namespace corvane
