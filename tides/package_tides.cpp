#include "tides/package_tides.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <stdexcept>

#include "core/date_time.h"

namespace corvane {

namespace {

// The GMT time of a tide: its slot's date plus hour and minute as a
// duration, so an hour of 24 or more (a tide carried into the day before)
// lands on the next day.
TDateTime TideTime(TDateTime date, const TTides& record) {
  return IncMinute(DateOf(date), static_cast<std::int64_t>(record.Hour) * 60 + record.Minute);
}

bool IsTide(const TTides& record) {
  return record.Gauge == kGaugeLowWater || record.Gauge == kGaugeHighWater;
}

}  // namespace

// ------------------------------------------------------------ TListDateTimes

TDateTime TListDateTimes::Get(int index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range("TListDateTimes::Get");
  return items_[static_cast<std::size_t>(index)];
}

void TListDateTimes::Set(int index, TDateTime value) {
  if (index < 0 || index >= Count()) throw std::out_of_range("TListDateTimes::Set");
  items_[static_cast<std::size_t>(index)] = value;
}

std::uint16_t TListDateTimes::GetNearestIndex(TDateTime t) const {
  const std::int64_t target = DateTimeToMilliseconds(t);
  std::uint16_t best = 0;
  std::int64_t bestDifference = 0;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const std::int64_t difference = std::llabs(DateTimeToMilliseconds(items_[i]) - target);
    if (i == 0 || difference < bestDifference) {
      best = static_cast<std::uint16_t>(i);
      bestDifference = difference;
    }
  }
  return best;
}

bool TListDateTimes::GetLogging(const std::string& fileName) const {
  std::ofstream file(fileName);
  if (!file) return false;
  for (TDateTime value : items_) file << FormatDateTime("dd.mm.yyyy hh:nn:ss", value) << '\n';
  return static_cast<bool>(file);
}

// -------------------------------------------------------------- TListInteger

int TListInteger::Get(int index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range("TListInteger::Get");
  return items_[static_cast<std::size_t>(index)];
}

void TListInteger::Set(int index, int value) {
  if (index < 0 || index >= Count()) throw std::out_of_range("TListInteger::Set");
  items_[static_cast<std::size_t>(index)] = value;
}

int TListInteger::GetValue(int index, int fault) const {
  if (index < 0 || index >= Count()) return fault;
  return items_[static_cast<std::size_t>(index)];
}

bool TListInteger::FindItem(int value) const {
  for (int item : items_) {
    if (item == value) return true;
  }
  return false;
}

bool TListInteger::GetLogging(const std::string& fileName) const {
  std::ofstream file(fileName);
  if (!file) return false;
  for (int value : items_) file << value << '\n';
  return static_cast<bool>(file);
}

// ------------------------------------------------------------ record lookup

std::optional<int> GetTideRecordNumber(int yearBegin, int year, int month, int day, int slot) {
  if (year < yearBegin) return std::nullopt;
  if (month < 1 || month > 12 || day < 1 || day > 31 || slot < 1 || slot > kTideSlotsPerDay) {
    return std::nullopt;
  }
  const std::int64_t number = static_cast<std::int64_t>(year - yearBegin) * kTideRecordsPerYear +
                              (month - 1) * kTideRecordsPerMonth + (day - 1) * kTideSlotsPerDay +
                              (slot - 1);
  if (number > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(number);
}

std::optional<TTides> TPackageTides::GetTideRecord(const TListTides& table, TDateTime date,
                                                   int slot) const {
  int year = 0;
  int month = 0;
  int day = 0;
  DecodeDate(DateOf(date), year, month, day);
  const std::optional<int> number = GetTideRecordNumber(TidalYearBegin, year, month, day, slot);
  if (!number || *number >= static_cast<int>(table.size())) return std::nullopt;
  return table[static_cast<std::size_t>(*number)];
}

// ------------------------------------------------------------- tide lists

bool TPackageTides::AddTidesOfDay(TDateTime x, bool sameDayFilter, TDateTime moment) {
  for (int slot = 1; slot <= kTideSlotsPerDay; ++slot) {
    const std::optional<TTides> record = GetTideRecord(TidalAtlasMainPort, x, slot);
    if (!record) return false;
    if (!IsTide(*record)) continue;

    const TDateTime tideTime = TideTime(x, *record);
    ListAllTideTimes.Add(tideTime);
    ListAllTideLevel.Add(record->Level, ListAllTideLevel.Count());

    TTideOfDay tide;
    tide.DateTime = DateTools.GMTToLocal(TimeZoneOffset, TimeZone, tideTime);
    tide.Times = FormatDateTime("hh:mm", tide.DateTime);
    tide.Gauge.assign(1, record->Gauge == kGaugeHighWater ? 'H' : 'L');
    tide.Level = StringTools.ExtendedToStr(record->Level, 1);
    // A neighbouring day contributes the tides that fall on its own local
    // date or on the moment's day: a tide that local time moves across
    // midnight is listed under the day on which the user's clock sees it,
    // and the list ends with the day after. The moment's day must be kept
    // too: a high water at 23:46 GMT the day before is 00:46 local summer
    // time on the moment's day, and a day with five tides keeps its first
    // one in the day before's last slot; both belong to the moment's day.
    if (!sameDayFilter || SameDate(tide.DateTime, x) || SameDate(tide.DateTime, moment)) {
      ListTideOfDay.push_back(tide);
    }

    if (record->Gauge == kGaugeHighWater) {
      ListTideTimesHW.Add(tideTime);
    } else {
      ListTideTimesLW.Add(tideTime);
    }
  }
  return true;
}

void TPackageTides::GroupDayTides(TListDayTides& dayTides) const {
  dayTides.clear();
  TDayTides current;
  bool any = false;
  for (const TTideOfDay& tide : ListTideOfDay) {
    const std::string key = FormatDateTime("dd.mm.yyyy", tide.DateTime);
    if (key != current.Day) {
      if (any) dayTides.push_back(current);
      current.Tides.clear();
      current.DayTide.clear();
      current.Day = key;
    }
    current.Tides.push_back(tide.Gauge + "   " + tide.Times + "    " + tide.Level + "m");
    current.DayTide.push_back(TDayTide{tide.Gauge, tide.Times, tide.Level});
    any = true;
  }
  if (any) dayTides.push_back(current);
}

bool TPackageTides::GetTides(TDateTime moment) {
  ListTideTimesHW.Clear();
  ListTideTimesLW.Clear();
  ListAllTideTimes.Clear();
  ListAllTideLevel.Clear();
  ListTideOfDay.clear();
  // Once a lookup fails nothing more is added: the lists then hold the tides
  // found before the failure.
  return AddTidesOfDay(IncHour(moment, -24), true, moment) && AddTidesOfDay(moment, false, moment) &&
         AddTidesOfDay(IncHour(moment, 24), true, moment);
}

bool TPackageTides::GetTides(TListDayTides& dayTides, TDateTime moment) {
  const bool ok = GetTides(moment);
  GroupDayTides(dayTides);
  return ok;
}

// -------------------------------------------------------------- chart times

void TPackageTides::SetListChartTimes(const TListDateTimes& referenceTides) {
  ListChartTimes.Clear();
  ListChartIndizes.Clear();
  const int charts = TimeCharts30 ? kChartsPerTide30 : kChartsPerTide60;
  for (TDateTime tide : referenceTides.Items()) {
    for (int k = 0; k < charts; ++k) {
      const int offset = TimeCharts30 ? kFirstChartOffset30 + 30 * k : kFirstChartOffset60 + k;
      const TDateTime chartTime = IncMinute(tide, TimeCharts30 ? offset : offset * 60);
      if (ListChartTimes.Count() == 0 ||
          CompareDateTime(chartTime, ListChartTimes.Get(ListChartTimes.Count() - 1)) > 0) {
        ListChartTimes.Add(chartTime);
        ListChartIndizes.Add(offset);
      }
    }
  }
}

void TPackageTides::GetListChartTimeIndex(TDateTime moment) {
  ListChartTimeIndex = ListChartTimes.GetNearestIndex(moment);
}

void TPackageTides::SetStreamCubeLightIndexing(TListVektorCubeLight& cube) const {
  const int l = ListChartTimeIndex;
  const int offset = ListChartIndizes.GetValue(l, 0);
  const int count = ListChartTimes.Count();
  if (!TimeCharts30) {
    cube.iOffset = offset >= 0 ? offset : offset + kChartsPerTide60;
    cube.Charts30 = false;
    for (int i = 0; i < kChartsPerTide60; ++i) {
      const int k = l + i - kChartsPerTide60 / 2;
      if (k >= 0 && k < count) cube.SetTimeField60Offset(i, ListChartTimes.Get(k));
    }
    return;
  }
  // The ring turns by the chart offset of the nearest chart in half hours:
  // the -390 minute chart (field 0) turns it by 13.
  cube.iOffset = offset / -30;
  // h: where the offset-0 chart of the nearest chart's tide stands. When
  // neither that tide nor the next one lost its -390 chart to the previous
  // tide's charts, the tide has its full 26 charts; otherwise one of the two
  // neighbouring cycles is a place short and the ring has 25 places.
  const int h = l + cube.iOffset;
  const int half = kChartsPerTide30 / 2;
  if (h - half < 0 || h + half >= count) {
    cube.OverlapCharts30 = false;
  } else {
    cube.OverlapCharts30 = !(ListChartIndizes.Get(h - half) == kFirstChartOffset30 &&
                             ListChartIndizes.Get(h + half) == kFirstChartOffset30);
  }
  cube.Charts30 = true;
  const int places = cube.OverlapCharts30 ? kChartsPerTide30 - 1 : kChartsPerTide30;
  for (int i = 0; i < places; ++i) {
    const int k = l + i - half;
    if (k >= 0 && k < count) cube.SetTimeField30Offset(i, ListChartTimes.Get(k));
  }
}

// ------------------------------------------------------------ time to tide

double TPackageTides::GetTimeToRefTide(const TListDateTimes& tides, TDateTime moment) {
  if (tides.Count() == 0) return 0;
  const TDateTime reference = tides.Get(tides.GetNearestIndex(moment));
  DateTimeRefTide = reference;
  const double hours = HourSpan(reference, moment);
  return CompareDateTime(moment, reference) < 0 ? -hours : hours;
}

std::string TPackageTides::GetTimeToRefTideText(int timeZoneOffset, int timeZone,
                                                TDateTime moment) {
  const int index = ListTideTimesHW.GetNearestIndex(moment);
  if (index >= ListTideTimesHW.Count()) return "";
  const TDateTime reference = ListTideTimesHW.Get(index);
  DateTimeRefTide = reference;
  const std::int64_t minutes = MinutesBetween(reference, moment);
  HoursToRefTide = static_cast<double>(minutes) / 60;

  const std::string highWater = Types.GetTypeOfTide(kGaugeHighWater);
  std::string text;
  if (minutes == 0) {
    text = highWater;
  } else if (CompareDateTime(moment, reference) < 0) {
    text = "before " + highWater;
    HoursToRefTide = -HoursToRefTide;
  } else {
    text = "after " + highWater;
  }
  if (minutes > 0) text = StringTools.MinutesToString(minutes) + " " + text;
  return text + " at " +
         FormatDateTime("hh:nn", DateTools.GMTToLocal(timeZoneOffset, timeZone, reference));
}

// --------------------------------------------------------------- tide range

double TPackageTides::GetMeanTideRange(bool secondaryPort, double shift, TDateTime moment) const {
  const TListTides& table = secondaryPort ? TidalAtlasRangePort : TidalAtlasMainPort;
  // The sums are 32-bit as the tide model has always computed them; the
  // range scales every stream speed, so the rounding is part of the result.
  float highs = 0;
  float lows = 0;
  int countHighs = 0;
  int countLows = 0;
  for (int slot = 1; slot <= kTideSlotsPerDay; ++slot) {
    const std::optional<TTides> record = GetTideRecord(table, moment, slot);
    if (!record) continue;
    if (record->Gauge == kGaugeHighWater) {
      highs += static_cast<float>(record->Level);
      ++countHighs;
    } else if (record->Gauge == kGaugeLowWater) {
      lows += static_cast<float>(record->Level);
      ++countLows;
    }
  }
  // A single tide of a kind stands for two, so that (highs - lows) / 2 is
  // the mean high minus the mean low for one or two tides of each kind.
  if (countHighs == 1) highs *= 2;
  if (countLows == 1) lows *= 2;
  return shift + static_cast<double>((highs - lows) / 2);
}

// ------------------------------------------------------------ stream field

void TPackageTides::GetStreamCubeLightCalculation(TListVektorCubeLight& cube, double speedFactor,
                                                  double tideRange) const {
  cube.GetUnpackCubes(MeanRangeNeaps, MeanRangeSprings, tideRange, speedFactor);
}

namespace {

// The moment the stream field is read at: moment minus the user's time
// correction, taken to whole minutes.
TDateTime ShiftedMoment(double tideTimeShift, TDateTime moment) {
  return IncMinute(moment, -std::llround(tideTimeShift));
}

}  // namespace

void TPackageTides::GetStreamFieldLightFixed(TListVektorCubeLight& cube, double tideTimeShift,
                                             TDateTime moment) const {
  cube.GetFieldsIntp(true, ShiftedMoment(tideTimeShift, moment));
}

void TPackageTides::GetStreamFieldTextLightFixed(TListVektorCubeLight& cube, double tideTimeShift,
                                                 TDateTime moment) const {
  cube.GetFieldsTextIntp(ShiftedMoment(tideTimeShift, moment));
}

void TPackageTides::GetSlackFieldLight(TListVektorCubeLight& cube, double slackMin) const {
  for (int i = 0; i < cube.GetCountSlacks(); ++i) {
    const double speed = cube.GetVektorIntpAtPosition(cube.GetSlackPosition(i)).Betrag;
    cube.SetSlack(i, speed <= slackMin);
  }
}

// ---------------------------------------------------------------- tide bar

void TPackageTides::GetTidesBar(double& tideLevelMin, double& tideLevelMax, double& tideLevel,
                                TDateTime moment) const {
  tideLevelMin = 255;
  tideLevelMax = 0;
  for (int slot = 1; slot <= kTideSlotsPerDay; ++slot) {
    const std::optional<TTides> record = GetTideRecord(TidalAtlasMainPort, moment, slot);
    if (!record) continue;
    if (record->Gauge == kGaugeHighWater && record->Level > tideLevelMax) {
      tideLevelMax = record->Level;
    }
    if (record->Gauge == kGaugeLowWater && record->Level < tideLevelMin) {
      tideLevelMin = record->Level;
    }
  }

  tideLevel = 0;
  const int count = ListAllTideTimes.Count();
  for (int i = 0; i + 1 < count; ++i) {
    const TDateTime t1 = ListAllTideTimes.Get(i);
    const TDateTime t2 = ListAllTideTimes.Get(i + 1);
    if (!(CompareDateTime(t1, moment) <= 0 && CompareDateTime(moment, t2) < 0)) continue;
    const double h1 = ListAllTideLevel.GetItem(i).Value;
    const double h2 = ListAllTideLevel.GetItem(i + 1).Value;
    if (t1 != t2) tideLevel = h1 + (h2 - h1) * static_cast<double>(moment - t1) / static_cast<double>(t2 - t1);
    // The sign carries the direction: negative while the tide falls.
    if (h2 < h1) tideLevel = -tideLevel;
    return;
  }
}

// ------------------------------------------------------ measurement tools

double TPackageTides::GetSpringTide(double range, double speed) const {
  const double a = (static_cast<double>(MeanRangeNeaps) - MeanRangeSprings) * 2;
  const double f = a != 0 ? 1 - (range - MeanRangeSprings) / a : 1 - a;
  return f != 0 ? speed / f : 0;
}

void TPackageTides::GetListTides(int year, TStringList& lines) const {
  lines.clear();
  const std::optional<TDateTime> first = TryEncodeDate(year, 1, 1);
  const std::optional<TDateTime> last = TryEncodeDate(year, 12, 31);
  if (!first || !last) return;
  for (TDateTime date = *first; date <= *last; date = IncHour(date, 24)) {
    for (int slot = 1; slot <= kTideSlotsPerDay; ++slot) {
      const std::optional<TTides> record = GetTideRecord(TidalAtlasMainPort, date, slot);
      if (!record || record->Gauge != kGaugeHighWater) continue;
      // A tide carried into the day before is dated by the day it falls on.
      const TDateTime tideTime = TideTime(date, *record);
      lines.push_back(FormatDateTime("dd.mm.yyyy", tideTime) + "      H " +
                      FormatDateTime("hh:nn", tideTime));
    }
  }
}

void TPackageTides::GetMeanTideRangeOfYear(int lastYear) {
  MeanTideRangeOfYear.clear();
  for (int year = TidalYearBegin; year <= lastYear; ++year) {
    const std::optional<TDateTime> first = TryEncodeDate(year, 1, 1);
    const std::optional<TDateTime> last = TryEncodeDate(year, 12, 31);
    if (!first || !last) break;
    double largest = 0;
    for (TDateTime date = *first; date <= *last; date = IncHour(date, 24)) {
      const double range = GetMeanTideRange(false, 0, date);
      if (range > largest) largest = range;
    }
    MeanTideRangeOfYear.push_back(largest);
  }
}

}  // namespace corvane
