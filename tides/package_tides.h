#pragma once
// The tide model: the tides around a chosen moment read from the tide table,
// the clock times of the stream atlas's charts around the reference tides,
// the time of the moment relative to its nearest high water, the day's tide
// range, and the tide texts the user reads.
//
// Every time stored here is GMT unless a name or a comment says local. The
// tide table is a fixed grid of 12 months x 31 days x 4 slots per year; a
// slot's hour may exceed 23 (up to 47): a day with five tides cannot hold
// them in four slots, so its first tide stands in the previous day's last
// slot with 24 added to its hour. Every tide time is therefore built as the
// slot's date plus hour and minute as a duration, never as a time of day.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/date_tools.h"
#include "core/list_extended.h"
#include "core/math_tools.h"
#include "core/string_tools.h"
#include "core/type_names.h"
#include "core/types.h"
#include "tides/day_tides.h"
#include "tides/stream_cube.h"

namespace corvane {

// Gauge codes of a tide record.
inline constexpr std::uint8_t kGaugeEmpty = 0;
inline constexpr std::uint8_t kGaugeLowWater = 1;
inline constexpr std::uint8_t kGaugeHighWater = 2;

// Layout of the tide table grid.
inline constexpr int kTideSlotsPerDay = 4;
inline constexpr int kTideRecordsPerMonth = 31 * kTideSlotsPerDay;      // 124
inline constexpr int kTideRecordsPerYear = 12 * kTideRecordsPerMonth;  // 1488

// Chart offsets of the stream atlas: an hourly atlas has the charts -6 h ..
// +6 h of a tide (13), a 30-minute atlas the charts -390 .. +360 minutes (26).
inline constexpr int kChartsPerTide60 = 13;
inline constexpr int kChartsPerTide30 = 26;
inline constexpr int kFirstChartOffset60 = -6;    // hours
inline constexpr int kFirstChartOffset30 = -390;  // minutes

// One five-byte record of the tide table, as held in memory.
struct TTides {
  std::uint8_t Gauge = kGaugeEmpty;  // 0 empty slot, 1 low water, 2 high water
  std::uint16_t Hour = 0;    // GMT; 0-23, or 24-47 for a tide of the next day
  std::uint16_t Minute = 0;  // 0-59
  double Level = 0;             // metres above chart datum (negative allowed)
};

using TListTides = std::vector<TTides>;

// One tide of the tide list, in local time.
struct TTideOfDay {
  TDateTime DateTime = 0;  // local date-time of the tide
  std::string Times;       // local time "hh:mm"
  std::string Gauge;       // "H" or "L"
  std::string Level;       // metres fixed with 1 decimal (locale separator)
};

// An owned, index-addressed list of date-times. Get and Set outside
// [0, Count()) are programming errors and throw std::out_of_range.
class TListDateTimes {
 public:
  void Clear() { items_.clear(); }
  void Add(TDateTime value) { items_.push_back(value); }
  int Count() const { return static_cast<int>(items_.size()); }
  TDateTime Get(int index) const;
  void Set(int index, TDateTime value);
  const std::vector<TDateTime>& Items() const { return items_; }

  // Index of the first item with the smallest absolute difference to t,
  // compared in whole milliseconds so that rounding noise cannot decide: a
  // later item replaces the best only when strictly nearer, so a moment
  // exactly halfway between two items selects the earlier index. 0 for an
  // empty list. The index is 16-bit, as the tide model has always counted
  // it; the lists here hold at most a few hundred items.
  std::uint16_t GetNearestIndex(TDateTime t) const;

  // Writes the values one per line as "dd.mm.yyyy hh:nn:ss"; false when the
  // file cannot be written.
  bool GetLogging(const std::string& fileName) const;

 private:
  std::vector<TDateTime> items_;
};

// An owned, index-addressed list of integers. Get and Set outside
// [0, Count()) throw std::out_of_range; GetValue answers a fault instead.
class TListInteger {
 public:
  void Clear() { items_.clear(); }
  void Add(int value) { items_.push_back(value); }
  int Count() const { return static_cast<int>(items_.size()); }
  int Get(int index) const;
  void Set(int index, int value);
  const std::vector<int>& Items() const { return items_; }

  // The value at index, or fault when index is outside the list.
  int GetValue(int index, int fault) const;
  // True when some item equals value.
  bool FindItem(int value) const;
  // Writes the values one per line; false when the file cannot be written.
  bool GetLogging(const std::string& fileName) const;

 private:
  std::vector<int> items_;
};

// The record number of slot (1-4) of day (1-31) of month (1-12) of year in a
// table that begins with yearBegin: (year - yearBegin) x 1488 +
// (month - 1) x 124 + (day - 1) x 4 + (slot - 1). Nothing for a year before
// yearBegin or a month, day or slot outside its range.
//
// The number is computed in full integer range. A 16-bit computation, as
// such tables were once addressed, wraps a year 20 or more years before the
// table (and one 44 years after it) back into a table of 25 years, where it
// would find another year's tides.
std::optional<int> GetTideRecordNumber(int yearBegin, int year, int month, int day, int slot);

class TPackageTides {
 public:
  // --- Tide table (filled by the tide-table loader)
  TListTides TidalAtlasMainPort;   // reference port
  TListTides TidalAtlasRangePort;  // secondary port, whose range replaces the
                                   // reference port's when present
  int TidalYearBegin = 0;          // first year of the table
  float MeanRangeSprings = 0;      // metres; 32-bit as the header is read
  float MeanRangeNeaps = 0;        // metres
  bool TimeCharts30 = false;       // 30-minute atlas (26 charts per tide)
  int TimeZone = 0;                // summer-time rule (TDateTools)
  int TimeZoneOffset = 0;          // whole hours GMT -> local standard time

  // --- The tides around the last moment passed to GetTides (GMT)
  TListDateTimes ListTideTimesHW;  // high waters, chronological
  TListDateTimes ListTideTimesLW;  // low waters, chronological
  TListDateTimes ListAllTideTimes;  // every tide, chronological
  TListExtended ListAllTideLevel;   // its height in metres, same order
  std::vector<TTideOfDay> ListTideOfDay;  // the listed tides, local times

  // --- Chart times around the reference tides (GMT)
  TListDateTimes ListChartTimes;  // strictly increasing
  TListInteger ListChartIndizes;  // each chart's offset from its tide: hours
                                  // -6..6, or minutes -390..360
  int ListChartTimeIndex = 0;     // chart nearest to the moment

  double HoursToRefTide = 0;          // hours from the nearest high water (signed)
  TDateTime DateTimeRefTide = 0;   // the reference tide last found
  std::vector<double> MeanTideRangeOfYear;  // per year of the table (measurement tools)

  TTypes Types;
  TMathTools MathTools;
  TStringTools StringTools;
  TDateTools DateTools;

  // --- Record lookup
  // The record of a slot (1-4) on the GMT date of date in a table; nothing
  // when the number lies outside the table.
  std::optional<TTides> GetTideRecord(const TListTides& table, TDateTime date, int slot) const;

  // --- Tides of the moment
  // Fills the tide lists with the tides of the day before, the day and the
  // day after moment (GMT). The day before and the day after list in
  // ListTideOfDay only the tides whose local date is their own or the
  // moment's GMT date; the day itself lists all of its tides. True when every lookup of the three days
  // found its record; after the first failed lookup nothing more is added,
  // and the lists hold what was found before it. With dayTides the listed
  // tides are also grouped per local day.
  bool GetTides(TListDayTides& dayTides, TDateTime moment);
  bool GetTides(TDateTime moment);

  // Builds ListChartTimes / ListChartIndizes from reference tide times (the
  // high waters, or the low waters when the atlas is timed from low water),
  // in list order: each tide's chart offsets in ascending order; a chart
  // time is appended only when it is strictly later than the last one, so a
  // later tide whose charts overlap the previous tide's loses its earliest.
  void SetListChartTimes(const TListDateTimes& referenceTides);

  // ListChartTimeIndex = the chart time nearest to moment (the earlier one
  // at a tie); 0 for an empty list.
  void GetListChartTimeIndex(TDateTime moment);

  // Writes the chart window around ListChartTimeIndex into the cube: its
  // ring rotation (iOffset), Charts30 / OverlapCharts30 and the clock time of
  // every window place (13 hourly, 26 or 25 half-hourly). Window places whose
  // chart time lies outside ListChartTimes are left as they were; GetTides
  // with three days of tides always provides them.
  void SetStreamCubeLightIndexing(TListVektorCubeLight& cube) const;

  // Hours from the nearest tide of the list to moment, negative when moment
  // is earlier; sets DateTimeRefTide. 0, without any change, for an empty
  // list.
  double GetTimeToRefTide(const TListDateTimes& tides, TDateTime moment);

  // The text about the nearest high water, e.g. "01:35 before HW at 14:20",
  // "00:05 after HW at 09:02", "HW at 12:00" (whole minutes; the time is the
  // local time of the high water). Sets DateTimeRefTide and HoursToRefTide
  // (whole minutes / 60, negative before high water). Empty, without any
  // change, when there is no high water in ListTideTimesHW.
  std::string GetTimeToRefTideText(int timeZoneOffset, int timeZone, TDateTime moment);

  // shift + the mean tide range (metres) of moment's GMT date: over the four
  // slots, (sum of highs - sum of lows) / 2 in 32-bit floats, where a sum
  // over a single tide is doubled. With one or two tides of each kind this is
  // mean high minus mean low. secondaryPort reads the secondary port's table.
  double GetMeanTideRange(bool secondaryPort, double shift, TDateTime moment) const;

  // Unpacks every vector of the cube for tideRange (metres) and the user's
  // speed correction speedFactor (a fraction: speeds x (1 + speedFactor)).
  void GetStreamCubeLightCalculation(TListVektorCubeLight& cube, double speedFactor,
                                     double tideRange) const;
  // Interpolates the cube's field (through the chart ring) at moment minus
  // tideTimeShift minutes, the shift taken to the nearest whole minute.
  void GetStreamFieldLightFixed(TListVektorCubeLight& cube, double tideTimeShift,
                                TDateTime moment) const;
  // The label values of the cube at the same shifted moment; needs
  // GetStreamFieldLightFixed for that moment first.
  void GetStreamFieldTextLightFixed(TListVektorCubeLight& cube, double tideTimeShift,
                                    TDateTime moment) const;
  // Flags every slack position of the cube whose interpolated stream speed
  // is at most slackMin knots.
  void GetSlackFieldLight(TListVektorCubeLight& cube, double slackMin) const;

  // The tide bar of moment: the lowest low water and highest high water of
  // the GMT date (starting from 255 and 0), and the level interpolated
  // linearly between the two tides of ListAllTideTimes around moment, its
  // sign positive while rising and negative while falling; 0 when no pair of
  // tides encloses moment.
  void GetTidesBar(double& tideLevelMin, double& tideLevelMax, double& tideLevel,
                   TDateTime moment) const;

  // A stream speed measured at tide range (metres) brought to spring-tide
  // strength: speed / f with f = 1 - (range - springs) / ((neaps - springs)
  // x 2); 0 when f is 0. With springs 3.6 and neaps 1.8 f is range / 3.6.
  double GetSpringTide(double range, double speed) const;

  // One line per high water of a year: "dd.mm.yyyy      H hh:mm" (GMT),
  // dated by the day on which the tide falls.
  void GetListTides(int year, TStringList& lines) const;

  // MeanTideRangeOfYear: for each year from TidalYearBegin to lastYear, the
  // largest GetMeanTideRange of its days.
  void GetMeanTideRangeOfYear(int lastYear);

 private:
  // Adds the tides of the GMT date of x; false at the first failed lookup.
  // With sameDayFilter only the tides whose local date is x's or moment's
  // go to ListTideOfDay (every tide goes to the time lists).
  bool AddTidesOfDay(TDateTime x, bool sameDayFilter, TDateTime moment);
  void GroupDayTides(TListDayTides& dayTides) const;
};

}  // namespace corvane
