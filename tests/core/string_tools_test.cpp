#include "core/string_tools.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/constants.h"
#include "support/locale_guard.h"

namespace corvane {
namespace {

using testing::MakeDecimalLocale;
using testing::TLocaleGuard;

// The locales every number test runs under: the classic one, one with a
// decimal comma, and one with a decimal comma and "." grouping by thousands.
struct TLocaleCase {
  const char* name;
  std::locale locale;
  char separator;
};

std::vector<TLocaleCase> Locales() {
  return {
      {"point", MakeDecimalLocale('.'), '.'},
      {"comma", MakeDecimalLocale(','), ','},
      {"comma with point grouping", MakeDecimalLocale(',', '.', "\3"), ','},
  };
}

// expected written with "." as decimal separator, turned into the locale's.
std::string Localised(std::string expected, char separator) {
  for (char& c : expected) {
    if (c == '.') c = separator;
  }
  return expected;
}

// ------------------------------------------------------------------ numbers

TEST(StringToolsNumbers, ConvToFloatKeepsDigitsAndMinusAndUnifiesSeparators) {
  struct Case {
    const char* input;
    const char* expected;  // "." stands for the locale's separator
  };
  const Case cases[] = {
      {"12.5 kts", "12.5"}, {"1,5", "1.5"},   {"", "0"},          {"kts", "0"},
      {"+3e2", "32"},       {" -4 ", "-4"},   {"1.234,5", "1.234.5"},
  };
  TStringTools tools;
  for (const TLocaleCase& locale : Locales()) {
    const TLocaleGuard guard(locale.locale);
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(locale.name) + ": " + c.input);
      EXPECT_EQ(tools.ConvToFloat(c.input), Localised(c.expected, locale.separator));
    }
  }
}

TEST(StringToolsNumbers, StrToExtendedReadsPointAndCommaAlikeUnderEveryLocale) {
  struct Case {
    const char* input;
    double expected;
  };
  constexpr double kFault = -99;
  const std::string tooLarge(5000, '9');
  const Case cases[] = {
      {"1.5", 1.5},
      {"1,5", 1.5},
      {"12 kts", 12},
      {"", 0},
      {"-2.25", -2.25},
      {"+10 min", 10},
      {".5", 0.5},
      {"5.", 5},
      {"1.234,5", kFault},  // two separators
      {"1.2.3", kFault},
      {"2-1", kFault},  // "-" inside the digits
      {"--1", kFault},
      {"-", kFault},
      {tooLarge.c_str(), kFault},  // beyond the range of double
  };
  TStringTools tools;
  for (const TLocaleCase& locale : Locales()) {
    const TLocaleGuard guard(locale.locale);
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(locale.name) + ": " + std::string(c.input).substr(0, 20));
      EXPECT_EQ(tools.StrToExtended(c.input, kFault), c.expected);
    }
  }
}

TEST(StringToolsNumbers, ExtendedToStrRoundsHalfAwayFromZeroWithoutGrouping) {
  struct Case {
    const char* name;
    double value;
    int kommata;
    const char* expected;  // "." stands for the locale's separator
  };
  const Case cases[] = {
      {"pads decimals", 1.5, 2, "1.50"},
      {"zero", 0, 0, "0"},
      {"no grouping", 1234567.891, 2, "1234567.89"},
      {"tie up", 2.5, 0, "3"},
      {"tie up from even", 0.5, 0, "1"},
      {"tie at the second decimal", 0.125, 2, "0.13"},
      {"negative tie away from zero", -2.25, 1, "-2.3"},
      {"carry into a new digit", 9.96, 1, "10.0"},
      {"negative rounding to zero keeps its sign", -0.3, 0, "-0"},
      {"negative zero has no sign", -0.0, 1, "0.0"},
      {"negative decimals count as 0", 3.7, -2, "4"},
      {"17 significant digits, then zeros", 1.0 / 3, 20, "0.33333333333333331000"},
      {"large integer cut at 17 digits", std::ldexp(1.0, 70), 0, "1180591620717411300000"},
      {"large exact integer", 1e20, 1, "100000000000000000000.0"},
      {"small value", 1.25e-7, 9, "0.000000125"},
      {"NaN", std::numeric_limits<double>::quiet_NaN(), 2, "NAN"},
      {"infinity", -std::numeric_limits<double>::infinity(), 2, "-INF"},
  };
  TStringTools tools;
  for (const TLocaleCase& locale : Locales()) {
    const TLocaleGuard guard(locale.locale);
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(locale.name) + ": " + c.name);
      EXPECT_EQ(tools.ExtendedToStr(c.value, c.kommata), Localised(c.expected, locale.separator));
    }
  }
}

TEST(StringToolsNumbers, ExtendedToStrReadsBackUnderEveryLocale) {
  TStringTools tools;
  for (const TLocaleCase& locale : Locales()) {
    SCOPED_TRACE(locale.name);
    const TLocaleGuard guard(locale.locale);
    for (double value : {0.0, 1.5, -62.8, 3005.55, 1234567.125}) {
      EXPECT_NEAR(tools.StrToExtended(tools.ExtendedToStr(value, 3), -1000), value, 5e-4);
    }
  }
}

TEST(StringToolsNumbers, ToFormatPositiveExtendedAlwaysWritesAComma) {
  struct Case {
    const char* input;
    int decimal;
    const char* expected;
  };
  const Case cases[] = {
      {"1.5", 2, "1,50"},     {"12", 2, "12,00"},      {"abc", 2, "0,00"},
      {" 3,456 ", 2, "3,456"}, {".5", 2, "0,50"},       {"7.9", 0, "7"},
      {"-1.5", 2, "0,10"},     // the "-" is the skipped character
      {"2 nm", 1, "2,0"},
  };
  TStringTools tools;
  for (const TLocaleCase& locale : Locales()) {
    const TLocaleGuard guard(locale.locale);
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(locale.name) + ": " + c.input);
      EXPECT_EQ(tools.ToFormatPositiveExtended(c.input, c.decimal, 4.25), c.expected);
    }
  }
}

TEST(StringToolsNumbers, ToFormatPositiveExtendedFallsBackToFaultInTheLocaleForm) {
  TStringTools tools;
  const std::string tooLarge(5000, '9');
  {
    const TLocaleGuard guard(MakeDecimalLocale('.'));
    EXPECT_EQ(tools.ToFormatPositiveExtended(tooLarge, 2, 4.25), "4.25");
  }
  {
    const TLocaleGuard guard(MakeDecimalLocale(','));
    EXPECT_EQ(tools.ToFormatPositiveExtended(tooLarge, 2, 4.25), "4,25");
  }
}

// ---------------------------------------------------------------- positions

TEST(StringToolsPositions, GeoPosToMinutesReadsBothSeparatorForms) {
  struct Case {
    const char* input;
    double expected;
  };
  const Case cases[] = {
      {"050:05:550N", 3005.55},
      {"050.05.550N", 3005.55},
      {"050:05:550n", 3005.55},
      {"001:02:800W", -62.8},
      {"000:30:000S", -30},
      {"001:00:000E", 60},
      {"050:05:55N", 3005.55},    // thousandths padded on the right
      {"000:00:5555N", 5.555},    // a longer run is kept
      {"::5N", 0.5},              // empty groups count as 0
      {"050:05:550", 0},           // no hemisphere letter
      {"050:05:550 N", 0},         // letter not directly after the digits
      {"050:05:550X", 0},
      {" 050:05:550N", 0},         // nothing is trimmed
      {"", 0},
  };
  const TStringTools tools;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(tools.GeoPosToMinutes(c.input), c.expected);
  }
}

TEST(StringToolsPositions, ToFormatGeoPosNormalisesOrKeepsTheFault) {
  struct Case {
    const char* input;
    const char* expected;
  };
  const char* kFault = "001.17.500W";
  const Case cases[] = {
      {" 1.2.3w ", "001:02:300W"},
      {"\t1.2.3s\n", "001:02:300S"},
      {"050:05:550N", "050:05:550N"},
      {"50:75:1n", "050:75:100N"},  // no range check
      {"1234:5:6789e", "1234:05:6789E"},
      {"50 5 55", kFault},
      {"050:05:550 N", kFault},
      {"", kFault},
  };
  const TStringTools tools;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(tools.ToFormatGeoPos(c.input, kFault), c.expected);
  }
}

TEST(StringToolsPositions, DigitRunAndHemisphereScanners) {
  struct Case {
    const char* value;
    int start;
    const char* run;
    int next;
    const char* hemisphere;  // at next
  };
  const Case cases[] = {
      {"050:05N", 0, "050", 3, ""},
      {"050:05N", 4, "05", 6, "N"},
      {"050:05w", 6, "", 6, "W"},
      {"12e", 0, "12", 2, "E"},
      {"12x", 0, "12", 2, ""},
      {"12", 2, "", 2, ""},   // past the end
      {"12", -1, "", -1, ""},
  };
  const TStringTools tools;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.value) + " at " + std::to_string(c.start));
    int index = c.start;
    EXPECT_EQ(tools.ToNumberOfString(c.value, index), c.run);
    EXPECT_EQ(index, c.next);
    EXPECT_EQ(tools.ToHemisphereOfString(c.value, index), c.hemisphere);
  }
}

// -------------------------------------------------------------------- times

TEST(StringToolsTimes, ClockTexts) {
  const TStringTools tools;
  struct Case {
    const char* name;
    std::string actual;
    const char* expected;
  };
  const Case cases[] = {
      {"FormatTime pads", tools.FormatTime(7, 5), "07:05"},
      {"FormatTime wide hours", tools.FormatTime(123, 0), "123:00"},
      {"FormatTime with seconds", tools.FormatTime(7, 5, 9), "07:05:09"},
      {"MinutesToString", tools.MinutesToString(135), "02:15"},
      {"MinutesToString zero", tools.MinutesToString(0), "00:00"},
      {"MinutesToString negative", tools.MinutesToString(-90), "-01:30"},
      {"MinutesToString beyond 16 bits", tools.MinutesToString(6000000), "100000:00"},
      {"ToTimes", tools.ToTimes(1.5), "01:30:00"},
      {"ToTimes past a day", tools.ToTimes(26.25), "26:15:00"},
      {"ToTimes truncates", tools.ToTimes(1.999999), "01:59:59"},
      {"ToTimes zero", tools.ToTimes(0.0), "00:00:00"},
      {"ToTimes negative", tools.ToTimes(-1.5), "-01:30:00"},
      {"ToTimes NaN", tools.ToTimes(std::numeric_limits<double>::quiet_NaN()), "00:00:00"},
      {"ToTimes huge", tools.ToTimes(1e12), "999999999:59:59"},
      {"ToTimesShort", tools.ToTimesShort(0.5), "30:00"},
      {"ToTimesShort drops hours", tools.ToTimesShort(1.25), "15:00"},
      {"ToTimesShort truncates", tools.ToTimesShort(1.999999), "59:59"},
      {"ToTimesShort negative is the magnitude", tools.ToTimesShort(-0.5), "30:00"},
      {"ToTimes hours with flag", tools.ToTimes(1.5, true), "01:30:00 h:m:s"},
      {"ToTimeOfDay", tools.ToTimeOfDay(TDateTime{45000.75}, true), "18:00:00 h:m:s"},
      {"ToTimeOfDay before the epoch", tools.ToTimeOfDay(TDateTime{-1.25}, true),
       "06:00:00 h:m:s"},
      {"ToTimes date-time rounds to the millisecond",
       tools.ToTimeOfDay(TDateTime{45000 + (86400 - 0.0004) / 86400}, true), "00:00:00 h:m:s"},
      {"ToTimes date-time seconds truncated",
       tools.ToTimeOfDay(TDateTime{45000 + 59.7 / 86400}, true), "00:00:59 h:m:s"},
      {"ToTimeStamp negative", tools.ToTimeStamp(-1.5f), "-01:30"},
      {"ToTimeStamp zero", tools.ToTimeStamp(0.0f), "+00:00"},
      {"ToTimeStamp positive", tools.ToTimeStamp(2.25f), "+02:15"},
      {"ToTimeStamp half to even, down", tools.ToTimeStamp(0.375f), "+00:22"},
      {"ToTimeStamp half to even, up", tools.ToTimeStamp(0.125f), "+00:08"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.actual, c.expected);
  }
}

TEST(StringToolsTimes, ToTideTimeSignsAndHighWater) {
  struct Case {
    float tideTime;
    const char* expected;  // "." stands for the locale's separator
  };
  const Case cases[] = {
      {0.0f, "HW"},   {-0.0f, "HW"},  {0.5f, "+0.5"},   {2.5f, "+2.5"},
      {-2.0f, "-2.0"}, {-1.0f, "-1.0"}, {0.01f, "+0.0"}, {-5.75f, "-5.8"},
  };
  TStringTools tools;
  for (const TLocaleCase& locale : Locales()) {
    const TLocaleGuard guard(locale.locale);
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(locale.name) + ": " + std::to_string(c.tideTime));
      EXPECT_EQ(tools.ToTideTime(c.tideTime), Localised(c.expected, locale.separator));
    }
  }
}

// ---------------------------------------------- speeds, angles and distances

TEST(StringToolsQuantities, FormattersWriteNumberThenUnit) {
  struct Case {
    const char* name;
    std::string actual;
    const char* expected;  // "." stands for the locale's separator
  };
  for (const TLocaleCase& locale : Locales()) {
    const TLocaleGuard guard(locale.locale);
    const TStringTools tools;
    const Case cases[] = {
        {"ToSpeed knots", tools.ToSpeed(6.25, true), "6.3 kts"},
        {"ToSpeed digits", tools.ToSpeed(12.3456, 2), "12.35 kts"},
        {"ToSpeed zero digits", tools.ToSpeed(12.3456, 0), "12 kts"},
        {"ToSpeed metres per minute", tools.ToSpeed(7.25), "7.3 m/min"},
        {"ToSpeed3 pads", tools.ToSpeed3(0.07), "007"},
        {"ToSpeed3 wide", tools.ToSpeed3(12.5), "1250"},
        {"ToSeconds", tools.ToSeconds(12.4, true), "12 sec"},
        {"ToCompass", tools.ToCompass(359.6), "360 deg"},
        {"ToCompass valid", tools.ToCompass(45, true), "45 deg"},
        {"ToWindDirection", tools.ToWindDirection(kPi / 2), "90 deg"},
        {"ToAngle", tools.ToAngle(kPi), "180"},
        {"ToAngle3 pads", tools.ToAngle3(7 * kDegreesToRadians), "007"},
        {"ToAngle3 with bias", tools.ToAngle3(kPi / 2, 5), "095"},
        {"ToAngle3 wide", tools.ToAngle3(3 * kPi / 2), "270"},
        {"ToWindshift positive", tools.ToWindshift(3.4, true, true), "+3 deg"},
        {"ToWindshift negative short", tools.ToWindshift(-3.6, true, false), "-4"},
        {"ToWindshift zero", tools.ToWindshift(0, true, true), "0 deg"},
        {"ToDistance", tools.ToDistance(1.234), "1.23 nm"},
        {"ToDistance valid", tools.ToDistance(12, true), "12.00 nm"},
        {"ToWind", tools.ToWind(TPolar{12.4, kPi}), "12 kts   180 deg"},
        {"ToCurrent", tools.ToCurrent(25.6, 3 * kPi / 2), "26 m/min  270 deg"},
        {"ToPointF", tools.ToPointF(TPointF{12.4f, -3.6f}), "12  -4"},
        {"ToTracking", tools.ToTracking(123.44, 59.5), "60 sec   123.4 m"},
        {"ExtendedToStrPadRight", tools.ExtendedToStrPadRight(1.5, 1, 3), "1.5   "},
        {"ExtendedToStrPadRight none", tools.ExtendedToStrPadRight(1.5, 1, -1), "1.5"},
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(locale.name) + ": " + c.name);
      EXPECT_EQ(c.actual, Localised(c.expected, locale.separator));
    }
  }
}

TEST(StringToolsQuantities, InvalidFlagGivesNotComputed) {
  const TStringTools tools;
  struct Case {
    const char* name;
    std::string actual;
  };
  const Case cases[] = {
      {"ToTimeOfDay", tools.ToTimeOfDay(TDateTime{45000.5}, false)},
      {"ToTimes hours", tools.ToTimes(1.5, false)},
      {"ToSeconds", tools.ToSeconds(3, false)},
      {"ToSpeed", tools.ToSpeed(6, false)},
      {"ToCompass", tools.ToCompass(90, false)},
      {"ToWindshift", tools.ToWindshift(5, false, true)},
      {"ToDistance", tools.ToDistance(2, false)},
      {"ToCourseType", tools.ToCourseType(1, false)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.actual, "not computed");
  }
}

// ---------------------------------------------------- settings and choices

TEST(StringToolsSettings, ShiftItemsAndTheirValues) {
  TStringTools tools;
  struct Case {
    const char* name;
    std::string actual;
    const char* expected;
  };
  const Case cases[] = {
      {"tide shift centre has no sign", tools.ToTideShift(15), "0 min"},
      {"tide shift up", tools.ToTideShift(16), "+10 min"},
      {"tide shift first", tools.ToTideShift(0), "-150 min"},
      {"tide shift last", tools.ToTideShift(30), "+150 min"},
      {"range shift centre", tools.ToRangeShift(20), "0 %"},
      {"range shift last", tools.ToRangeShift(40), "+100 %"},
      {"range shift first", tools.ToRangeShift(0), "-100 %"},
      {"calibration", tools.ToCalibrationText(16, 19), "Time +10 min    Range -5 %"},
      {"calibration neutral", tools.ToCalibrationText(15, 20), "Time 0 min    Range 0 %"},
      {"top mark centre", tools.ToTopmark(10), "0 deg"},
      {"top mark up", tools.ToTopmark(12), "+2 deg"},
      {"top mark down", tools.ToTopmark(7), "-3 deg"},
      {"range", tools.ToRange(80), "80%"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.actual, c.expected);
  }
}

TEST(StringToolsSettings, ShiftItemsReadBackToTheirValues) {
  TStringTools tools;
  for (const TLocaleCase& locale : Locales()) {
    const TLocaleGuard guard(locale.locale);
    for (int index = 0; index <= 30; ++index) {
      SCOPED_TRACE(std::string(locale.name) + ": tide " + std::to_string(index));
      EXPECT_EQ(tools.ToTideShift(tools.ToTideShift(index)), index * 10 - 150);
    }
    for (int index = 0; index <= 40; ++index) {
      SCOPED_TRACE(std::string(locale.name) + ": range " + std::to_string(index));
      EXPECT_EQ(tools.ToRangeShift(tools.ToRangeShift(index)), index * 5 - 100);
    }
  }
}

TEST(StringToolsSettings, WindChoicesReadFromTheirItems) {
  TStringTools tools;
  struct Case {
    const char* input;
    double speed;
  };
  const Case speeds[] = {
      {"<6 kts", 5}, {"20 kts", 20}, {"12 kts", 12}, {"", 0}, {"7.5 kts", 7.5},
  };
  for (const Case& c : speeds) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(tools.ToWindSpeed(c.input), c.speed);
  }
  EXPECT_EQ(tools.ToWindDirection(std::string("270 deg")), 270 * kDegreesToRadians);
  EXPECT_EQ(tools.ToWindDirection(std::string("0 deg")), 0);
}

TEST(StringToolsSettings, WindAngleIsAnIntegerFrom0To359) {
  struct Case {
    const char* input;
    int expected;
  };
  const Case cases[] = {
      {"359", 359}, {"0", 0},  {"45", 45}, {"+45", 45}, {"360", 0},          {"-5", 0},
      {"abc", 0},   {"", 0},   {" 5", 0},  {"12.5", 0}, {"99999999999", 0},
  };
  const TStringTools tools;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(tools.ToWindAngle(c.input), c.expected);
  }
}

// -------------------------------------------------------------------- names

TEST(StringToolsNames, CourseWaypointMarkAndBoatNames) {
  const TStringTools tools;
  struct Case {
    const char* name;
    std::string actual;
    const char* expected;
  };
  const Case cases[] = {
      {"beat", tools.ToCourseType(1, true), "Beat"},
      {"run", tools.ToCourseType(3, true), "Run"},
      {"not routed", tools.ToCourseType(0, true), "not computed"},
      {"waypoint with name", tools.ToWaypoint(3, "Alpha"), "3 - Alpha"},
      {"waypoint without name", tools.ToWaypoint(3, ""), "3"},
      {"movable mark 1", tools.ToExtendedNameMovableMark("1"), "Mark 1"},
      {"movable mark 2", tools.ToExtendedNameMovableMark("2"), "Mark 2"},
      {"other one-character name", tools.ToExtendedNameMovableMark("3"), "3"},
      {"longer name", tools.ToExtendedNameMovableMark("12"), "12"},
      {"back to 1", tools.ToOriginalNameMovableMark("Mark 1"), "1"},
      {"back to 2", tools.ToOriginalNameMovableMark("Mark 2"), "2"},
      {"buoy stays", tools.ToOriginalNameMovableMark("Beta"), "Beta"},
      {"bare Mark", tools.ToOriginalNameMovableMark("Mark"), ""},
      {"own boat stays", tools.ToMyBoatName("My-X"), "My-X"},
      {"boat gets prefix", tools.ToMyBoatName("X"), "My-X"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.actual, c.expected);
  }
}

// ---------------------------------------------------------- delimited lists

TEST(StringToolsLists, SplitDropsOneTrailingDelimiter) {
  struct Case {
    const char* input;
    TStringList expected;
  };
  const Case cases[] = {
      {"A;B;", {"A", "B"}},
      {"A;;B", {"A", "", "B"}},
      {"", {}},
      {";", {}},
      {"A;B;;", {"A", "B", ""}},
      {" A ; B", {" A ", " B"}},
  };
  TStringTools tools;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    TStringList list = {"stale"};
    tools.GetDelimitedStringList(c.input, ';', list);
    EXPECT_EQ(list, c.expected);
  }
}

TEST(StringToolsLists, BlankSplitSqueezesRunsOfBlanksInOnePass) {
  struct Case {
    const char* input;
    TStringList expected;
  };
  const Case cases[] = {
      {"A B ", {"A", "B"}},
      {"A  B", {"A", "B"}},
      {"A   B", {"A", "B"}},
      {"A    B", {"A", "B"}},
      {"A     B", {"A", "", "B"}},  // five blanks leave two
      {"6  4.2   5.1", {"6", "4.2", "5.1"}},
      {"", {}},
      {" A", {"", "A"}},
  };
  TStringTools tools;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("[") + c.input + "]");
    TStringList list = {"stale"};
    tools.GetDelimitedStringList(c.input, list);
    EXPECT_EQ(list, c.expected);
  }
}

TEST(StringToolsLists, ItemsByIndex) {
  TStringTools tools;
  const std::string course = "Alpha;Mark 1;";
  EXPECT_EQ(tools.GetDelimitedString(0, ';', course), "Alpha");
  EXPECT_EQ(tools.GetDelimitedString(1, ';', course), "Mark 1");
  EXPECT_EQ(tools.GetDelimitedString(2, ';', course), "");
  EXPECT_EQ(tools.GetDelimitedString(3, ';', course), "");
  EXPECT_EQ(tools.GetDelimitedString(-1, ';', course), "");
  EXPECT_EQ(tools.GetDelimitedString(1, '=', "Key=a=b"), "a");

  for (const TLocaleCase& locale : Locales()) {
    SCOPED_TRACE(locale.name);
    const TLocaleGuard guard(locale.locale);
    const std::string line = "1,5;x;-2.5;3.7.1";
    EXPECT_EQ(tools.GetDelimitedExtended(0, ';', line), 1.5);
    EXPECT_EQ(tools.GetDelimitedExtended(1, ';', line), 0);
    EXPECT_EQ(tools.GetDelimitedExtended(2, ';', line), -2.5);
    EXPECT_EQ(tools.GetDelimitedExtended(3, ';', line), 0);
    EXPECT_EQ(tools.GetDelimitedExtended(4, ';', line), 0);
  }

  const std::string integers = "3,x,-4,2.5";
  EXPECT_EQ(tools.GetDelimitedInteger(0, ',', integers), 3);
  EXPECT_EQ(tools.GetDelimitedInteger(1, ',', integers), 0);
  EXPECT_EQ(tools.GetDelimitedInteger(2, ',', integers), -4);
  EXPECT_EQ(tools.GetDelimitedInteger(3, ',', integers), 0);
  EXPECT_EQ(tools.GetDelimitedInteger(4, ',', integers), 0);
}

TEST(StringToolsLists, JoinAndSplitRoundTrip) {
  TStringTools tools;
  EXPECT_EQ(tools.SetDelimitedStringList(';', {}), "");
  EXPECT_EQ(tools.SetDelimitedStringList(';', {"A"}), "A");
  const TStringList course = {"Alpha", "", "Mark 2"};
  const std::string text = tools.SetDelimitedStringList(';', course);
  EXPECT_EQ(text, "Alpha;;Mark 2");
  TStringList back;
  tools.GetDelimitedStringList(text, ';', back);
  EXPECT_EQ(back, course);

  EXPECT_EQ(tools.SetDelimitedIntegerList(',', {1, -2, 30}), "1,-2,30");
  EXPECT_EQ(tools.SetDelimitedIntegerList(',', {}), "");
}

TEST(StringToolsLists, IntegerListNeedsEveryItemToBeAnInteger) {
  struct Case {
    const char* input;
    bool ok;
    TIntegerArray expected;
  };
  const Case cases[] = {
      {"1,2,3,", true, {1, 2, 3}},
      {"-7", true, {-7}},
      {"", true, {}},
      {"1,x,3", false, {}},
      {"1,,3", false, {}},
  };
  TStringTools tools;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    TIntegerArray list = {99};
    EXPECT_EQ(tools.GetDelimitedIntegerList(c.input, ',', list), c.ok);
    EXPECT_EQ(list, c.expected);
  }
}

TEST(StringToolsLists, EditingOperations) {
  const TStringTools tools;
  const TStringList abc = {"A", "B", "C"};
  struct Case {
    const char* name;
    TStringList actual;
    TStringList expected;
  };
  auto del = [&](int index) {
    TStringList list = abc;
    tools.DelDelimitedStringList(index, list);
    return list;
  };
  auto delAndMove = [&](int index) {
    TStringList list = abc;
    tools.DelAndMoveDelimitedStringList(index, list);
    return list;
  };
  auto move = [&](int from, int to) {
    TStringList list = abc;
    tools.MoveDelimitedStringList(from, to, list);
    return list;
  };
  TStringList withGaps = {"", "A", "", "", "B", ""};
  tools.ClrDelimitedStringList(withGaps);
  const Case cases[] = {
      {"delete keeps the place", del(1), {"A", "", "C"}},
      {"delete out of range", del(3), abc},
      {"delete negative", del(-1), abc},
      {"delete and move up", delAndMove(0), {"B", "C"}},
      {"delete and move out of range", delAndMove(5), abc},
      {"move forward", move(0, 2), {"B", "C", "A"}},
      {"move back", move(2, 0), {"C", "A", "B"}},
      {"move to the same place", move(1, 1), abc},
      {"move from negative", move(-1, 0), abc},
      {"move to negative", move(0, -1), abc},
      {"move past the end appends", move(0, 5), {"", "B", "C", "A"}},
      {"move from past the end", move(5, 0), abc},
      {"clear empty items", withGaps, {"A", "B"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.actual, c.expected);
  }
}

TEST(StringToolsLists, ReadListItemsWithFallbacks) {
  const TStringTools tools;
  const TStringList list = {"12", "1,5", "abc", "0", "1", ""};
  EXPECT_EQ(tools.GetListInteger(list, 0, -1), 12);
  EXPECT_EQ(tools.GetListInteger(list, 1, -1), -1);
  EXPECT_EQ(tools.GetListInteger(list, 6, -1), -1);
  EXPECT_EQ(tools.GetListInteger(list, -1, -1), -1);
  {
    const TLocaleGuard guard(MakeDecimalLocale(','));
    EXPECT_EQ(tools.GetListExtended(list, 1, -1), 1.5);
  }
  EXPECT_EQ(tools.GetListExtended(list, 1, -1), 1.5);
  EXPECT_EQ(tools.GetListExtended(list, 2, -1), 0);  // letters are dropped
  EXPECT_EQ(tools.GetListExtended(list, 6, -1), -1);
  EXPECT_EQ(tools.GetListString(list, 2, "none"), "abc");
  EXPECT_EQ(tools.GetListString(list, 6, "none"), "none");
  EXPECT_FALSE(tools.GetListBoolean(list, 3, true));
  EXPECT_TRUE(tools.GetListBoolean(list, 4, false));
  EXPECT_TRUE(tools.GetListBoolean(list, 5, false));  // only "0" is false
  EXPECT_TRUE(tools.GetListBoolean(list, 6, true));
}

TEST(StringToolsLists, ValueInString) {
  const TStringTools tools;
  EXPECT_TRUE(tools.GetValueInString("Mark", "Mark 1"));
  EXPECT_FALSE(tools.GetValueInString("mark", "Mark 1"));
  EXPECT_FALSE(tools.GetValueInString("", "Mark 1"));
}

}  // namespace
}  // namespace corvane
