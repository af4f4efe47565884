#include "app/window/window_settings.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace corvane {
namespace {

std::string ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class WindowSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // One folder per test program run: ctest runs the tests in parallel.
    folder_ = std::filesystem::temp_directory_path() /
              ("corvane-window-settings-test-" + std::to_string(QCoreApplication::applicationPid()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    file_ = (folder_ / "TheQuarne2016.ini").string();
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::filesystem::path folder_;
  std::string file_;
};

TEST_F(WindowSettingsTest, SectionRoundTripKeepsTheOtherKeys) {
  const std::string settings =
      "[SETTINGS]\nDEVICEZOOM=9.8\nBOATCLASS=GRAND-SOLEIL39-NEW-C\n[COURSES]\nWAYPOINTS=183;177\n";
  std::ofstream(file_) << settings;
  const TWindowGeometry first{1400, 900, 420, false};
  ASSERT_TRUE(WriteWindowGeometry(file_, first));
  const TWindowGeometry second{1600, 1000, 380, true};
  ASSERT_TRUE(WriteWindowGeometry(file_, second));

  const std::string text = ReadAll(file_);
  EXPECT_EQ(text.rfind(settings, 0), 0u) << "the settings keys come first, unchanged";
  EXPECT_EQ(text.find("[WINDOW]"), text.rfind("[WINDOW]")) << "one window section";
  const auto read = ReadWindowGeometry(file_);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->Width, 1600);
  EXPECT_EQ(read->Height, 1000);
  EXPECT_EQ(read->SideColumnWidth, 380);
  EXPECT_TRUE(read->Maximized);
}

TEST_F(WindowSettingsTest, MissingOrBadSectionReadsNothing) {
  EXPECT_FALSE(ReadWindowGeometry(file_).has_value()) << "no file";
  std::ofstream(file_) << "[SETTINGS]\nDEVICEZOOM=9.8\n";
  EXPECT_FALSE(ReadWindowGeometry(file_).has_value()) << "no section";
  std::ofstream(file_, std::ios::trunc) << "[WINDOW]\nWINDOWWIDTH=-5\nWINDOWHEIGHT=900\nWINDOWSIDECOLUMN=400\n";
  EXPECT_FALSE(ReadWindowGeometry(file_).has_value()) << "a size below 1";
}

TEST_F(WindowSettingsTest, WritingCreatesTheFile) {
  const std::string nested = (folder_ / "new" / "TheQuarne2016.ini").string();
  ASSERT_TRUE(WriteWindowGeometry(nested, TWindowGeometry{}));
  EXPECT_EQ(ReadWindowGeometry(nested)->Width, TWindowGeometry{}.Width);
}

}  // namespace
}  // namespace corvane
