#include "core/date_tools.h"

#include <array>

namespace corvane {

namespace {

struct TDateWindow {
  int FromYear, FromMonth, FromDay;
  int ToYear, ToMonth, ToDay;
};

// Summer-time windows of rule 1, closed at both ends, as the tide tables
// for such a port listed them; later years have none.
constexpr std::array<TDateWindow, 4> kRule1Windows{{
    {2013, 10, 20, 2014, 2, 15},
    {2014, 10, 19, 2015, 2, 2},
    {2015, 10, 18, 2016, 2, 20},
    {2016, 10, 16, 2017, 2, 19},
}};
static_assert(kRule1Windows.size() == 4);

// Summer-time windows of rule 2, closed at both ends; later years have none.
constexpr std::array<TDateWindow, 2> kRule2Windows{{
    {2015, 3, 8, 2015, 11, 1},
    {2016, 3, 13, 2016, 11, 6},
}};
static_assert(kRule2Windows.size() == 2);

template <std::size_t N>
bool InWindows(const std::array<TDateWindow, N>& windows, TDateTime moment) {
  const TDateTime date = DateOf(moment);
  for (const TDateWindow& w : windows) {
    if (date >= EncodeDate(w.FromYear, w.FromMonth, w.FromDay) &&
        date <= EncodeDate(w.ToYear, w.ToMonth, w.ToDay)) {
      return true;
    }
  }
  return false;
}

// The last Saturday on or before the last day of a month, at 23:59:59.999.
TDateTime LastSaturdayEnd(int year, int month, int lastDay) {
  TDateTime moment = EncodeDateTime(year, month, lastDay, 23, 59, 59, 999);
  while (DayOfWeek(moment) != kSaturday) moment = IncHour(moment, -24);
  return moment;
}

}  // namespace

bool TDateTools::IsSummerTimeRule0(TDateTime moment) const {
  int year = 0;
  int month = 0;
  int day = 0;
  DecodeDate(moment, year, month, day);
  // The Saturdays of years outside 1..9999 cannot be encoded.
  if (year < 1 || year > 9999) return false;
  const TDateTime march = LastSaturdayEnd(year, 3, 31);
  const TDateTime october = LastSaturdayEnd(year, 10, 31);
  // The midnight of the date lies strictly between the two Saturday ends:
  // the Sunday after the March Saturday through the October Saturday.
  const TDateTime date = DateOf(moment);
  return CompareDateTime(date, march) > 0 && CompareDateTime(date, october) < 0;
}

bool TDateTools::IsSummerTime(int timeZone, TDateTime moment) const {
  switch (timeZone) {
    case 0:
      return IsSummerTimeRule0(moment);
    case 1:
      return InWindows(kRule1Windows, moment);
    case 2:
      return InWindows(kRule2Windows, moment);
    default:
      return false;
  }
}

TDateTime TDateTools::GMTToLocal(int timeZoneOffset, int timeZone, TDateTime gmt) const {
  TDateTime local = gmt;
  if (IsSummerTime(timeZone, gmt)) local = IncMinute(local, 60);
  return IncMinute(local, static_cast<std::int64_t>(timeZoneOffset) * 60);
}

TDateTime TDateTools::LocalToGMT(int timeZoneOffset, int timeZone, TDateTime local) const {
  TDateTime gmt = local;
  if (IsSummerTime(timeZone, local)) gmt = IncMinute(gmt, -60);
  return IncMinute(gmt, -static_cast<std::int64_t>(timeZoneOffset) * 60);
}

TDateTime TDateTools::MinutesToDateTime(std::int64_t minutes) const {
  // Bounded so that the millisecond product cannot overflow; the bound lies
  // far outside the years 1 to 9999.
  constexpr std::int64_t kLimit = std::int64_t{1} << 40;
  if (minutes > kLimit) minutes = kLimit;
  if (minutes < -kLimit) minutes = -kLimit;
  return MillisecondsToDateTime(minutes * kMsPerMinute);
}

}  // namespace corvane
