#include "core/logging.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <locale>
#include <regex>
#include <string>

#include "core/constants.h"
#include "core/date_time.h"

#include "support/temp_folder.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

struct CommaPunct : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
};

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(LoggingTest, LineFormats) {
  struct Case {
    const char* name;
    std::function<void(TLogging&)> add;
    TStringList expected;
  };
  const Case cases[] = {
      {"empty line", [](TLogging& l) { l.AddItem(); }, {""}},
      {"integer", [](TLogging& l) { l.AddItem("N", 42); }, {"N=42"}},
      {"64-bit integer", [](TLogging& l) { l.AddItem("N", std::int64_t{-9000000000}); },
       {"N=-9000000000"}},
      {"boolean", [](TLogging& l) { l.AddItem("B", true); l.AddItem("B", false); }, {"B=1", "B=0"}},
      {"extended 14.10", [](TLogging& l) { l.AddItem("E", double(1.5)); }, {"E=  1.5000000000"}},
      {"extended 14.10 negative", [](TLogging& l) { l.AddItem("E", double(-12.25)); },
       {"E=-12.2500000000"}},
      {"two extended: second first", [](TLogging& l) { l.AddItem("P", double(1), double(2.5)); },
       {"P=2.5   1"}},
      {"integer and extended", [](TLogging& l) { l.AddItem("I", 3, double(0.25)); }, {"I=3   0.25"}},
      {"text", [](TLogging& l) { l.AddItem("T", "text"); }, {"T=text"}},
      {"two texts", [](TLogging& l) { l.AddItem("K", "a", "b"); }, {"K", "a  b", ""}},
      {"text alone", [](TLogging& l) { l.AddItem(std::string("alone")); }, {"alone"}},
      {"date-time", [](TLogging& l) { l.AddDateTime("D", EncodeDateTime(2016, 7, 1, 9, 5, 0, 0)); },
       {"D=01.07.2016  09:05"}},
      {"date-time alone", [](TLogging& l) { l.AddDateTime(EncodeDateTime(2016, 7, 1, 9, 5, 0, 0)); },
       {"01.07.2016  09:05"}},
      {"text list with key", [](TLogging& l) { l.AddItem("L", TStringList{"x", "y"}); },
       {"L=x", "L=y"}},
      {"text list", [](TLogging& l) { l.AddItem(TStringList{"x", "y"}); }, {"x", "y"}},
      {"extended alone", [](TLogging& l) { l.AddItem(double(0.1)); }, {"0.1"}},
      {"cartesian 8.4", [](TLogging& l) { l.AddItem("C", TCartesian{1.5, -2}); },
       {"C=  1.5000    -2.0000"}},
      {"minutes: Lon then Lat", [](TLogging& l) { l.AddItem("M", TMinutes{3, 4}); },
       {"M=  3.0000     4.0000"}},
      {"hours", [](TLogging& l) { l.AddItem("H", TLogHours{1.25, 10}); }, {"H=  1.2500    10.0000"}},
      {"polar in degrees", [](TLogging& l) { l.AddItem("V", TPolar{2, kPi / 2}); },
       {"V=  2.0000    90.0000"}},
      {"geo position", [](TLogging& l) { l.AddItem("G", TGeoPos{"002:00:000W", "049:30:000N"}); },
       {"G=002:00:000W   049:30:000N"}},
      {"integer point", [](TLogging& l) { l.AddItem("S", TLogPoint{3, -4}); }, {"S=3   -4"}},
      {"float point 10.4", [](TLogging& l) { l.AddItem("F", TPointF{1.5f, 2.25f}); },
       {"F=    1.5000       2.2500"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TLogging log;
    c.add(log);
    EXPECT_EQ(log.GetLog(), c.expected);
  }
}

TEST(LoggingTest, GeneralTextIsShortestAndReadsBack) {
  for (const double value : {double(0.1), double(1) / 3, double(-2.5e-12), double(123456789.125), double(1e300)}) {
    SCOPED_TRACE(static_cast<double>(value));
    const std::string text = TLogging::FormatGeneral(value);
    EXPECT_EQ(std::strtod(text.c_str(), nullptr), value);
  }
  EXPECT_EQ(TLogging::FormatGeneral(double(2)), "2");
  EXPECT_EQ(TLogging::FormatGeneral(double(-0.5)), "-0.5");
}

TEST(LoggingTest, GeneralTextUsesTheLocaleSeparatorFixedTextThePoint) {
  const std::locale old = std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
  TLogging log;
  log.AddItem("P", double(1), double(2.5));
  log.AddItem("E", double(1.5));
  std::locale::global(old);
  EXPECT_EQ(log.GetLog(), (TStringList{"P=2,5   1", "E=  1.5000000000"}));
}

TEST(LoggingTest, SaveLoadAndClear) {
  TTempFolder temp;
  const std::string file = (temp.path() / "grid.log").string();
  TLogging log;
  log.AddItem("A", 1);
  log.AddLog({"x", "y"});
  log.SaveToFile(file);
  EXPECT_EQ(ReadBytes(file), "A=1\nx\ny\n");

  TLogging other;
  other.AddItem("replaced");
  other.LoadFromFile(file);
  EXPECT_EQ(other.GetLog(), log.GetLog());

  other.Clear(file);
  EXPECT_TRUE(other.GetLog().empty());
  EXPECT_EQ(ReadBytes(file), "");
}

TEST(LoggingTest, FileErrorsAreRaised) {
  TTempFolder temp;
  TLogging log;
  EXPECT_THROW(log.LoadFromFile((temp.path() / "missing.log").string()), fs::filesystem_error);
  EXPECT_THROW(log.SaveToFile((temp.path() / "missing" / "x.log").string()), fs::filesystem_error);
}

TEST(LoggingTest, TimeStamps) {
  TTempFolder temp;
  const std::string folder = temp.path().string();
  TLogging log;
  log.AddTimeStampStart(folder, "Update tides");
  log.AddTimeStampEnd(folder + "/");
  log.AddTimeStampStart(folder, "Update polars");

  TLogging reread;
  reread.LoadFromFile((temp.path() / "Update.log").string());
  const TStringList& lines = reread.GetLog();
  ASSERT_EQ(lines.size(), 6u);
  const std::regex time("\\d\\d:\\d\\d:\\d\\d");
  EXPECT_EQ(lines[0], "Update tides");
  EXPECT_TRUE(std::regex_match(lines[1].substr(6), time)) << lines[1];
  EXPECT_EQ(lines[1].substr(0, 6), "Start=");
  EXPECT_EQ(lines[2].substr(0, 4), "End=");
  EXPECT_TRUE(std::regex_match(lines[2].substr(4), time)) << lines[2];
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(lines[4], "Update polars");

  TLogging stamps;
  stamps.AddTimeStamp();
  ASSERT_EQ(stamps.GetLog().size(), 1u);
  EXPECT_TRUE(std::regex_match(stamps.GetLog()[0], std::regex("\\d\\d:\\d\\d:\\d\\d\\.\\d{3}")));
}

}  // namespace
}  // namespace corvane
