// Checks of the built-in tide table (TIDES, TIDESINI) of the reference port:
// the record grid, the rules the generator follows (one tide per stand, the
// carry of a fifth tide into the day before), and the tides against the
// continuous predicted curve of sample days.
//
// The curve comes from tests/datagen/tides/curve_samples.csv: minute-by-minute
// heights that the generator writes from prediction runs of their own. The
// tests here find the stands and troughs in that raw curve themselves, so the
// extraction of tides (turning points, stand merging, rounding, day slots) is
// checked against the curve and not against itself. The prediction itself is
// checked against the tidal datums that the tide database publishes for the
// station.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "data/resource_loader.h"
#include "datasets/builtin_datasets.h"

namespace corvane {
namespace {

constexpr int kFirstYear = 2016;
constexpr int kLastYear = 2040;
constexpr int kRecordsPerYear = 12 * 31 * 4;
constexpr int kSlotsPerDay = 4;
constexpr std::int64_t kMinutesPerDay = 24 * 60;
constexpr std::uint8_t kGaugeLow = 1;
constexpr std::uint8_t kGaugeHigh = 2;

// Tidal datums of station ticon/portsmouth-ptm-gbr-bodc in @neaps/tide-database
// 0.10.20260924, metres above the station's zero; the table's heights are above
// LAT.
constexpr double kDatumHat = 5.223;
constexpr double kDatumMhw = 4.371;
constexpr double kDatumMlw = 1.372;
constexpr double kDatumLat = 0.325;
// The two largest constituents of the same station (amplitudes in metres):
// 2 (M2 + S2) and 2 (M2 - S2) are the textbook spring and neap ranges.
constexpr double kAmplitudeM2 = 1.40981;
constexpr double kAmplitudeS2 = 0.43620;

// Tolerances of the comparison with the curve: heights are stored in
// decimetres (half a decimetre of rounding) and the curve in millimetres.
constexpr double kHeightTolerance = 0.05 + 0.0005;
constexpr std::int64_t kTimeToleranceMinutes = 10;
// Half-width of the window in which a tide's stand or trough is looked for:
// below the shortest time between a high and a low water (4 hours).
constexpr std::int64_t kStandHalfWidth = 150;
// A reversal of the curve smaller than this between two tides is a wiggle of
// a stand, not a tide; real tides here have ranges above 1 m.
constexpr double kWiggle = 0.15;

struct TRecord {
  std::uint8_t Gauge = 0;
  std::uint8_t Hour = 0;
  std::uint8_t Minute = 0;
  std::uint8_t Sign = 0;
  std::uint8_t Height = 0;
};

// A tide at an absolute time: minutes since 1 January 1970 00:00 GMT.
struct TTide {
  std::int64_t Minute = 0;
  std::uint8_t Gauge = 0;
  double Level = 0;
};

struct TDate {
  int Year;
  int Month;
  int Day;
};

// Days since 1 January 1970 of a Gregorian date, and back (the civil-from-days
// algorithms of H. Hinnant, "chrono-compatible low-level date algorithms").
std::int64_t DaysFromCivil(int y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

TDate CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0)), m, d};
}

int DaysInMonth(int y, int m) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return m == 2 && leap ? 29 : kDays[m - 1];
}

std::string DateText(std::int64_t day) {
  const TDate date = CivilFromDays(day);
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.Year, date.Month, date.Day);
  return text;
}

std::string TimeText(std::int64_t minute) {
  const std::int64_t inDay = ((minute % kMinutesPerDay) + kMinutesPerDay) % kMinutesPerDay;
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(inDay / 60), static_cast<int>(inDay % 60));
  return text;
}

int RecordNumber(int y, int m, int d, int slot) {
  return (y - kFirstYear) * kRecordsPerYear + (m - 1) * 124 + (d - 1) * kSlotsPerDay + (slot - 1);
}

std::vector<TRecord> LoadRecords() {
  TPackageSuperResourceLoader loader(BuiltInResourceStore());
  std::vector<TRecord> records;
  auto stream = loader.OpenResource("TIDES");
  if (!stream) return records;
  while (stream->Remaining() > 0) {
    TRecord r;
    r.Gauge = loader.ReadByte(*stream);
    r.Hour = loader.ReadByte(*stream);
    r.Minute = loader.ReadByte(*stream);
    r.Sign = loader.ReadByte(*stream);
    r.Height = loader.ReadByte(*stream);
    records.push_back(r);
  }
  return records;
}

double LevelOf(const TRecord& r) { return (r.Sign == 1 ? -1.0 : 1.0) * r.Height / 10.0; }

// The tides in the slots of one date, in slot order, timed the way the lookup
// times them: the record's date plus its hour and minute.
std::vector<TTide> TidesInSlots(const std::vector<TRecord>& records, int y, int m, int d) {
  std::vector<TTide> tides;
  const std::int64_t dayStart = DaysFromCivil(y, m, d) * kMinutesPerDay;
  for (int slot = 1; slot <= kSlotsPerDay; ++slot) {
    const TRecord& r = records.at(static_cast<std::size_t>(RecordNumber(y, m, d, slot)));
    if (r.Gauge == 0) continue;
    tides.push_back({dayStart + r.Hour * 60 + r.Minute, r.Gauge, LevelOf(r)});
  }
  return tides;
}

// Every tide of the table, reading the dates of the calendar in order.
std::vector<TTide> AllTides(const std::vector<TRecord>& records) {
  std::vector<TTide> tides;
  for (int y = kFirstYear; y <= kLastYear; ++y) {
    for (int m = 1; m <= 12; ++m) {
      for (int d = 1; d <= DaysInMonth(y, m); ++d) {
        const auto day = TidesInSlots(records, y, m, d);
        tides.insert(tides.end(), day.begin(), day.end());
      }
    }
  }
  return tides;
}

// The tides whose time falls on a GMT date, wherever they are stored.
std::vector<TTide> TidesOnDate(const std::vector<TTide>& all, std::int64_t day) {
  std::vector<TTide> result;
  for (const TTide& t : all) {
    if (t.Minute >= day * kMinutesPerDay && t.Minute < (day + 1) * kMinutesPerDay) result.push_back(t);
  }
  return result;
}

// One sample day of the curve: heights in metres every minute from FirstMinute
// (absolute minutes).
struct TCurveDay {
  std::int64_t Day = 0;
  std::int64_t FirstMinute = 0;
  std::vector<double> Level;

  std::int64_t LastMinute() const { return FirstMinute + static_cast<std::int64_t>(Level.size()) - 1; }
  double At(std::int64_t minute) const { return Level.at(static_cast<std::size_t>(minute - FirstMinute)); }
};

std::vector<TCurveDay> LoadCurveSamples() {
  std::vector<TCurveDay> days;
  std::ifstream in(CORVANE_TIDES_CURVE_SAMPLES);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string date, offset, value;
    std::getline(fields, date, ',');
    std::getline(fields, offset, ',');
    TCurveDay day;
    day.Day = DaysFromCivil(std::stoi(date.substr(0, 4)), std::stoi(date.substr(5, 2)), std::stoi(date.substr(8, 2)));
    day.FirstMinute = day.Day * kMinutesPerDay + std::stoll(offset);
    while (std::getline(fields, value, ',')) day.Level.push_back(std::stod(value) / 1000.0);
    days.push_back(std::move(day));
  }
  return days;
}

const TCurveDay* FindCurveDay(const std::vector<TCurveDay>& days, std::int64_t day) {
  for (const TCurveDay& d : days) {
    if (d.Day == day) return &d;
  }
  return nullptr;
}

// The extreme of the curve in [from, to] (the maximum for a high water, the
// minimum for a low water) and, among the minutes that reach it, the one
// nearest to `near`: on a flat stand many minutes share the millimetre.
struct TExtreme {
  double Level = 0;
  std::int64_t Minute = 0;
};

TExtreme CurveExtreme(const TCurveDay& curve, std::uint8_t gauge, std::int64_t from, std::int64_t to,
                      std::int64_t near) {
  const double sign = gauge == kGaugeHigh ? 1.0 : -1.0;
  double best = -1e9;
  for (std::int64_t m = from; m <= to; ++m) best = std::max(best, sign * curve.At(m));
  TExtreme extreme{sign * best, from};
  for (std::int64_t m = from; m <= to; ++m) {
    if (sign * curve.At(m) == best && std::abs(m - near) < std::abs(extreme.Minute - near)) extreme.Minute = m;
  }
  return extreme;
}

TEST(TideTableTest, HoldsTwentyFiveYearsOfFiveByteRecords) {
  TPackageSuperResourceLoader loader(BuiltInResourceStore());
  auto stream = loader.OpenResource("TIDES");
  ASSERT_TRUE(stream.has_value());
  EXPECT_EQ(stream->Size(), 37200 * 5);
  EXPECT_EQ(LoadRecords().size(), 37200u);
}

TEST(TideTableTest, EveryDayHoldsThreeOrFourTidesInItsLeadingSlots) {
  const auto records = LoadRecords();
  ASSERT_EQ(records.size(), 37200u);
  for (int y = kFirstYear; y <= kLastYear; ++y) {
    for (int m = 1; m <= 12; ++m) {
      for (int d = 1; d <= 31; ++d) {
        const bool exists = d <= DaysInMonth(y, m);
        int count = 0;
        bool emptySeen = false;
        for (int slot = 1; slot <= kSlotsPerDay; ++slot) {
          const TRecord& r = records[static_cast<std::size_t>(RecordNumber(y, m, d, slot))];
          SCOPED_TRACE(DateText(DaysFromCivil(y, m, 1)) + " day " + std::to_string(d) + " slot " +
                       std::to_string(slot));
          if (r.Gauge == 0) {
            emptySeen = true;
            EXPECT_EQ(r.Hour + r.Minute + r.Sign + r.Height, 0) << "an empty slot is all zero";
            continue;
          }
          ++count;
          EXPECT_TRUE(exists) << "a date the month lacks holds a tide";
          EXPECT_FALSE(emptySeen) << "a tide after an empty slot";
          EXPECT_TRUE(r.Gauge == kGaugeLow || r.Gauge == kGaugeHigh);
          // Hours 24-47 only for the fifth tide of the next day, carried into slot 4.
          EXPECT_LT(r.Hour, slot == kSlotsPerDay ? 48 : 24);
          EXPECT_LT(r.Minute, 60);
          EXPECT_EQ(r.Sign, 0);
          EXPECT_LE(r.Height, 60);
        }
        if (exists) {
          EXPECT_GE(count, 3) << DateText(DaysFromCivil(y, m, d));
          EXPECT_LE(count, 4) << DateText(DaysFromCivil(y, m, d));
        }
      }
    }
  }
}

TEST(TideTableTest, TidesAlternateInTimeOrderAcrossDayBoundaries) {
  const auto tides = AllTides(LoadRecords());
  ASSERT_GT(tides.size(), 35000u);
  for (std::size_t i = 1; i < tides.size(); ++i) {
    const TTide& a = tides[i - 1];
    const TTide& b = tides[i];
    SCOPED_TRACE(DateText(b.Minute / kMinutesPerDay) + " " + TimeText(b.Minute));
    EXPECT_NE(a.Gauge, b.Gauge);
    // Semidiurnal tides with stands: never closer than 3 h, never further than 9 h.
    EXPECT_GE(b.Minute - a.Minute, 3 * 60);
    EXPECT_LE(b.Minute - a.Minute, 9 * 60);
    // A wiggle of a few centimetres is not a tide.
    EXPECT_GE(std::abs(b.Level - a.Level), 0.5);
  }
  EXPECT_EQ(tides.front().Minute / kMinutesPerDay, DaysFromCivil(kFirstYear, 1, 1));
  EXPECT_EQ(tides.back().Minute / kMinutesPerDay, DaysFromCivil(kLastYear, 12, 31));
}

TEST(TideTableTest, HeightsAgreeWithTheStationDatums) {
  const auto tides = AllTides(LoadRecords());
  double sumHigh = 0, sumLow = 0, maxHigh = 0, minLow = 1e9;
  int highs = 0, lows = 0;
  for (const TTide& t : tides) {
    EXPECT_GE(t.Level, 0.0);
    EXPECT_LE(t.Level, 6.0);
    if (t.Gauge == kGaugeHigh) {
      sumHigh += t.Level;
      maxHigh = std::max(maxHigh, t.Level);
      ++highs;
    } else {
      sumLow += t.Level;
      minLow = std::min(minLow, t.Level);
      ++lows;
    }
  }
  ASSERT_GT(highs, 0);
  ASSERT_GT(lows, 0);
  EXPECT_NEAR(sumHigh / highs, kDatumMhw - kDatumLat, 0.1);
  EXPECT_NEAR(sumLow / lows, kDatumMlw - kDatumLat, 0.1);
  // HAT and LAT are the highest and lowest predicted levels over a nodal cycle.
  EXPECT_NEAR(maxHigh, kDatumHat - kDatumLat, 0.1);
  EXPECT_NEAR(minLow, 0.0, 0.1);
}

TEST(TideTableTest, TidesMatchTheContinuousCurve) {
  const auto tides = AllTides(LoadRecords());
  const auto curves = LoadCurveSamples();
  // Springs and neaps in every month of four years, and the special days.
  ASSERT_GE(curves.size(), 48u);
  for (const TCurveDay& curve : curves) {
    SCOPED_TRACE(DateText(curve.Day));
    std::vector<TTide> inside;
    for (const TTide& t : tides) {
      if (t.Minute >= curve.FirstMinute + kStandHalfWidth && t.Minute <= curve.LastMinute() - kStandHalfWidth) {
        inside.push_back(t);
      }
    }
    // 33 hours of curve away from its ends hold at least four tides.
    ASSERT_GE(inside.size(), 4u);
    for (const TTide& t : inside) {
      SCOPED_TRACE(std::string(t.Gauge == kGaugeHigh ? "HW " : "LW ") + DateText(t.Minute / kMinutesPerDay) + " " +
                   TimeText(t.Minute));
      const TExtreme e = CurveExtreme(curve, t.Gauge, t.Minute - kStandHalfWidth, t.Minute + kStandHalfWidth, t.Minute);
      EXPECT_LE(std::abs(e.Minute - t.Minute), kTimeToleranceMinutes);
      EXPECT_NEAR(t.Level, e.Level, kHeightTolerance);
    }
    // Between two neighbouring tides the curve only rises (or only falls) but
    // for wiggles, and stays between their heights: no tide is missing.
    for (std::size_t i = 1; i < inside.size(); ++i) {
      const TTide& a = inside[i - 1];
      const TTide& b = inside[i];
      SCOPED_TRACE("between " + TimeText(a.Minute) + " and " + TimeText(b.Minute));
      const double rising = b.Gauge == kGaugeHigh ? 1.0 : -1.0;
      double furthest = rising * curve.At(a.Minute);
      double worstReversal = 0;
      for (std::int64_t m = a.Minute; m <= b.Minute; ++m) {
        const double v = rising * curve.At(m);
        furthest = std::max(furthest, v);
        worstReversal = std::max(worstReversal, furthest - v);
        EXPECT_GE(v, rising * a.Level - kHeightTolerance) << TimeText(m);
        EXPECT_LE(v, rising * b.Level + kHeightTolerance) << TimeText(m);
      }
      EXPECT_LT(worstReversal, kWiggle);
    }
  }
}

TEST(TideTableTest, AFiveTideDayLendsItsFirstTideToTheDayBefore) {
  const auto records = LoadRecords();
  const auto tides = AllTides(records);
  const auto curves = LoadCurveSamples();
  struct Case {
    int Year, Month, Day;
  };
  // Every GMT day of 2016-2040 with five tides.
  const Case cases[] = {{2019, 3, 6}, {2019, 7, 17}, {2020, 3, 24}, {2032, 7, 8}, {2034, 4, 4}, {2037, 8, 26}};
  std::vector<std::int64_t> expected;
  for (const Case& c : cases) {
    const std::int64_t day = DaysFromCivil(c.Year, c.Month, c.Day);
    SCOPED_TRACE(DateText(day));
    expected.push_back(day);
    const TDate before = CivilFromDays(day - 1);
    const TRecord& carried = records[static_cast<std::size_t>(RecordNumber(before.Year, before.Month, before.Day, 4))];
    EXPECT_NE(carried.Gauge, 0);
    EXPECT_GE(carried.Hour, 24);
    EXPECT_EQ(TidesInSlots(records, c.Year, c.Month, c.Day).size(), 4u);
    const auto onDate = TidesOnDate(tides, day);
    ASSERT_EQ(onDate.size(), 5u);
    EXPECT_EQ(onDate.front().Minute, (day - 1) * kMinutesPerDay + carried.Hour * 60 + carried.Minute);
    EXPECT_NE(FindCurveDay(curves, day), nullptr) << "the curve comparison covers the day";
  }
  std::vector<std::int64_t> found;
  for (std::int64_t day = DaysFromCivil(kFirstYear, 1, 1); day <= DaysFromCivil(kLastYear, 12, 31); ++day) {
    const auto n = TidesOnDate(tides, day).size();
    EXPECT_GE(n, 3u) << DateText(day);
    if (n == 5) found.push_back(day);
  }
  EXPECT_EQ(found, expected);
}

TEST(TideTableTest, SixthOfMarch2019HasFiveTides) {
  const auto tides = AllTides(LoadRecords());
  struct Expected {
    std::uint8_t Gauge;
    const char* Time;
    double Level;
  };
  const Expected expected[] = {{kGaugeHigh, "00:01", 4.1}, {kGaugeLow, "04:25", 0.9}, {kGaugeHigh, "11:20", 4.0},
                               {kGaugeLow, "16:42", 0.7}, {kGaugeHigh, "23:44", 4.2}};
  const auto onDate = TidesOnDate(tides, DaysFromCivil(2019, 3, 6));
  ASSERT_EQ(onDate.size(), 5u);
  for (std::size_t i = 0; i < onDate.size(); ++i) {
    SCOPED_TRACE(expected[i].Time);
    EXPECT_EQ(onDate[i].Gauge, expected[i].Gauge);
    EXPECT_EQ(TimeText(onDate[i].Minute), expected[i].Time);
    EXPECT_NEAR(onDate[i].Level, expected[i].Level, 1e-9);
  }
}

TEST(TideTableTest, AWobblingTroughIsOneLowWater) {
  // Around 10:00-12:00 GMT on 23 November 2024 the curve goes down, up and
  // down again by a few centimetres: one trough, one low water at its bottom.
  const std::int64_t day = DaysFromCivil(2024, 11, 23);
  const auto curves = LoadCurveSamples();
  const TCurveDay* curve = FindCurveDay(curves, day);
  ASSERT_NE(curve, nullptr);
  const std::int64_t from = day * kMinutesPerDay + 9 * 60;
  const std::int64_t to = day * kMinutesPerDay + 13 * 60;
  int turningPoints = 0;
  double lastStep = 0;
  for (std::int64_t m = from + 1; m <= to; ++m) {
    const double step = curve->At(m) - curve->At(m - 1);
    if (step == 0) continue;
    if (lastStep != 0 && (step > 0) != (lastStep > 0)) ++turningPoints;
    lastStep = step;
  }
  EXPECT_GE(turningPoints, 3) << "the curve wobbles";
  double lowest = 1e9;
  for (std::int64_t m = from; m <= to; ++m) lowest = std::min(lowest, curve->At(m));

  std::vector<TTide> tides;
  for (const TTide& t : AllTides(LoadRecords())) {
    if (t.Minute >= from - 60 && t.Minute <= to + 60) tides.push_back(t);
  }
  ASSERT_EQ(tides.size(), 1u);
  EXPECT_EQ(tides[0].Gauge, kGaugeLow);
  EXPECT_EQ(TimeText(tides[0].Minute), "11:53");
  EXPECT_NEAR(tides[0].Level, lowest, kHeightTolerance);
}

TEST(TideTableTest, DatesStandInTheirOwnSlots) {
  const auto records = LoadRecords();
  const auto curves = LoadCurveSamples();
  struct Case {
    const char* Name;
    int Year, Month, Day;
    bool Filled;
  };
  const Case cases[] = {
      {"29 February of a leap year", 2016, 2, 29, true},
      {"29 February of another leap year", 2020, 2, 29, true},
      {"30 February", 2016, 2, 30, false},
      {"31 February", 2016, 2, 31, false},
      {"29 February of a common year", 2017, 2, 29, false},
      {"31 April", 2024, 4, 31, false},
      {"1 January of the first year", 2016, 1, 1, true},
      {"31 December", 2016, 12, 31, true},
      {"31 December of the last year", 2040, 12, 31, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    int filled = 0;
    for (int slot = 1; slot <= kSlotsPerDay; ++slot) {
      filled += records[static_cast<std::size_t>(RecordNumber(c.Year, c.Month, c.Day, slot))].Gauge != 0 ? 1 : 0;
    }
    if (!c.Filled) {
      EXPECT_EQ(filled, 0);
      continue;
    }
    EXPECT_GE(filled, 3);
    // The tides are the date's own: their times fall on it (or, carried, on
    // the next date), and the curve of that date confirms them.
    const std::int64_t day = DaysFromCivil(c.Year, c.Month, c.Day);
    for (const TTide& t : TidesInSlots(records, c.Year, c.Month, c.Day)) {
      EXPECT_GE(t.Minute, day * kMinutesPerDay);
      EXPECT_LT(t.Minute, (day + 2) * kMinutesPerDay);
    }
    EXPECT_NE(FindCurveDay(curves, day), nullptr) << "the curve comparison covers the day";
  }
  // 1 March 2016, slot 1 is record 248: nothing moved into February's day 29-31 slots.
  EXPECT_EQ(RecordNumber(2016, 3, 1, 1), 248);
  EXPECT_NE(records[248].Gauge, 0);
}

TEST(TideTableTest, HeaderNamesThePortTheYearsAndTheRanges) {
  TPackageSuperResourceLoader loader(BuiltInResourceStore());
  const auto lines = loader.ReadResourceLines("TIDESINI");
  ASSERT_TRUE(lines.has_value());
  ASSERT_FALSE(lines->empty());
  EXPECT_EQ(lines->front(), "[SETTINGS]");
  EXPECT_EQ(loader.ReadIniString(*lines, "PORT", ""), "Portquarne");
  EXPECT_EQ(loader.ReadIniString(*lines, "YEAR", "2015"), "2016");
  EXPECT_EQ(loader.ReadIniString(*lines, "YEARTO", ""), "2040");
  EXPECT_EQ(loader.ReadIniInteger(*lines, "TIMEZONE", 99), 0);
  EXPECT_EQ(loader.ReadIniInteger(*lines, "TIMEZONEOFFSET", 99), 0);
  EXPECT_EQ(loader.ReadIniInteger(*lines, "TIDESREF", 0), 2);
  EXPECT_TRUE(loader.ReadIniBoolean(*lines, "TIMECHARTS30", false));

  // Written with a decimal comma, as the header has always been.
  EXPECT_NE(loader.ReadIniString(*lines, "MEANHIGH", "").find(','), std::string::npos);
  EXPECT_NE(loader.ReadIniString(*lines, "MEANLOW", "").find(','), std::string::npos);
  const double springs = static_cast<double>(loader.ReadIniExtended(*lines, "MEANHIGH", "0"));
  const double neaps = static_cast<double>(loader.ReadIniExtended(*lines, "MEANLOW", "0"));
  // The predicted ranges include the shallow-water constituents, so they lie
  // near, not at, the ranges of the two main constituents alone.
  EXPECT_NEAR(springs, 2 * (kAmplitudeM2 + kAmplitudeS2), 0.25);
  EXPECT_NEAR(neaps, 2 * (kAmplitudeM2 - kAmplitudeS2), 0.25);
  EXPECT_GT(springs - neaps, 1.0) << "stream scaling divides by their difference";
}

}  // namespace
}  // namespace corvane
