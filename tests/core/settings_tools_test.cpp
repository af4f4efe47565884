#include "core/settings_tools.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <locale>
#include <string>

#include "core/date_time.h"

#include "support/temp_folder.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

// A locale whose decimal separator is a comma, without relying on the
// installed locales of the machine.
struct CommaPunct : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
};

class GlobalLocaleGuard {
 public:
  explicit GlobalLocaleGuard(const std::locale& locale) : old_(std::locale::global(locale)) {}
  ~GlobalLocaleGuard() { std::locale::global(old_); }

 private:
  std::locale old_;
};

class SettingsToolsTest : public testing::Test {
 protected:
  void WriteIni(const std::string& text) {
    std::ofstream out(fs::path(temp_.path().string()) / kFile, std::ios::binary);
    out << text;
  }
  bool NearNow(TDateTime value) const { return std::fabs(value - NowLocal()) * 86400.0 < 5.0; }

  static constexpr const char* kFile = "test.ini";
  TTempFolder temp_;
  TSettingsTools tools_;
};

TEST_F(SettingsToolsTest, MissingFileGivesTheDefaults) {
  const std::string folder = temp_.path().string();
  EXPECT_EQ(tools_.Read(folder, kFile, "KEY", "SECTION", std::string("fallback")), "fallback");
  EXPECT_EQ(tools_.Read(folder, kFile, "KEY", "SECTION", 2.5), 2.5);
  EXPECT_EQ(tools_.Read(folder, kFile, "KEY", "SECTION", 7), 7);
  EXPECT_TRUE(NearNow(tools_.Read(folder, kFile, "KEY", "SECTION")));
}

TEST_F(SettingsToolsTest, SectionAndKeyIgnoreLetterCase) {
  WriteIni(
      "; comment\n"
      "[Polars]\n"
      "Class = Cruiser 30 \n"
      "class=second occurrence\n"
      "Empty=\n"
      "[Other]\n"
      "Only=here\n");
  const std::string folder = temp_.path().string();
  EXPECT_EQ(tools_.Read(folder, kFile, "CLASS", "polars", std::string("x")), "Cruiser 30");
  EXPECT_EQ(tools_.Read(folder + "/", kFile, "class", "POLARS", std::string("x")), "Cruiser 30");
  EXPECT_EQ(tools_.Read(folder, kFile, "Empty", "Polars", std::string("x")), "");
  EXPECT_EQ(tools_.Read(folder, kFile, "Only", "Polars", std::string("x")), "x");
  EXPECT_EQ(tools_.Read(folder, kFile, "Class", "Missing", std::string("x")), "x");
}

TEST_F(SettingsToolsTest, FloatValues) {
  struct Case {
    const char* text;
    double expected;  // -99 is the default
  };
  const Case cases[] = {
      {"1.5", 1.5},   {"1,5", 1.5},     {" -2.25 ", -2.25}, {"+3", 3.0},      {"1e3", 1000.0},
      {"7", 7.0},     {"abc", -99.0},   {"1.2.3", -99.0},   {"1.234,5", -99.0}, {"", -99.0},
      {"inf", -99.0}, {"12 kts", -99.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    WriteIni(std::string("[S]\nV=") + c.text + "\n");
    EXPECT_DOUBLE_EQ(tools_.Read(temp_.path().string(), kFile, "V", "S", -99.0), c.expected);
  }
  WriteIni("[S]\nV=0.1\n");
  EXPECT_EQ(tools_.Read(temp_.path().string(), kFile, "V", "S", double(0)), 0.1);
}

TEST_F(SettingsToolsTest, FloatValuesUnderACommaLocale) {
  const GlobalLocaleGuard guard(std::locale(std::locale::classic(), new CommaPunct));
  for (const char* text : {"1,5", "1.5"}) {
    SCOPED_TRACE(text);
    WriteIni(std::string("[S]\nV=") + text + "\n");
    EXPECT_DOUBLE_EQ(tools_.Read(temp_.path().string(), kFile, "V", "S", 0.0), 1.5);
  }
}

TEST_F(SettingsToolsTest, IntegerValues) {
  struct Case {
    const char* text;
    int expected;  // -99 is the default
  };
  const Case cases[] = {
      {"42", 42},          {"-7", -7},          {" +7 ", 7},   {"0x1F", 31},  {"$10", 16},
      {"4.5", -99},        {"", -99},           {"--5", -99},  {"1 2", -99},
      {"2147483647", 2147483647}, {"2147483648", -99}, {"-2147483648", -2147483647 - 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    WriteIni(std::string("[S]\nV=") + c.text + "\n");
    EXPECT_EQ(tools_.Read(temp_.path().string(), kFile, "V", "S", -99), c.expected);
  }
}

TEST_F(SettingsToolsTest, DateTimeValues) {
  struct Case {
    const char* text;
    std::optional<TDateTime> expected;  // nullopt: the current time
  };
  const Case cases[] = {
      {"01.07.2016 13:45:30", EncodeDateTime(2016, 7, 1, 13, 45, 30, 0)},
      {"1.7.2016  13:45", EncodeDateTime(2016, 7, 1, 13, 45, 0, 0)},
      {"01.07.2016", EncodeDate(2016, 7, 1)},
      {"01.07.2016 13:45:30.5", EncodeDateTime(2016, 7, 1, 13, 45, 30, 500)},
      {"31.02.2016 00:00:00", std::nullopt},
      {"2016-07-01 13:45:30", std::nullopt},
      {"01.07.2016 25:00:00", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    WriteIni(std::string("[S]\nT=") + c.text + "\n");
    const TDateTime value = tools_.Read(temp_.path().string(), kFile, "T", "S");
    if (c.expected) {
      EXPECT_EQ(CompareDateTime(value, *c.expected), 0);
    } else {
      EXPECT_TRUE(NearNow(value));
    }
  }
}

TEST_F(SettingsToolsTest, DateTimeWrittenInTheSettingsFormatReadsBack) {
  const TDateTime moment = EncodeDateTime(2041, 12, 31, 23, 59, 59, 0);
  WriteIni(std::string("[S]\nT=") + FormatDateTime(kSettingsDateTimeFormat, moment) + "\n");
  EXPECT_EQ(CompareDateTime(tools_.Read(temp_.path().string(), kFile, "T", "S"), moment), 0);
}

}  // namespace
}  // namespace corvane
