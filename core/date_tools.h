#pragma once
// Conversion between GMT, in which the tide table and the stream atlas are
// timed, and the local clock time at the reference port that the user enters
// and reads. The tide-table header supplies the two settings:
//   timeZoneOffset  whole hours added to GMT to get local standard time;
//   timeZone        the summer-time rule 0, 1 or 2; any other value: none.
// Summer time adds one hour. The rules decide on whole days; the hour of the
// change is not modelled.

#include <cstdint>

#include "core/date_time.h"
#include "core/types.h"

namespace corvane {

class TDateTools {
 public:
  // Local time of a GMT moment: +60 minutes when the summer-time rule of
  // timeZone holds on the GMT moment, then + timeZoneOffset x 60 minutes.
  // Millisecond-exact.
  TDateTime GMTToLocal(int timeZoneOffset, int timeZone, TDateTime gmt) const;

  // GMT of a local moment: -60 minutes when the summer-time rule holds on the
  // local moment, then - timeZoneOffset x 60 minutes. Because the rule is
  // tested on the local value here and on the GMT value in GMTToLocal, the two
  // are inverse except within an hour of a rule's day boundary.
  TDateTime LocalToGMT(int timeZoneOffset, int timeZone, TDateTime local) const;

  // A time of day (date part 0) of minutes div 60 hours and minutes mod 60
  // minutes; meant for 0 to 1439 minutes. Other counts continue the same
  // time line (1440 is day 1 00:00; negative counts lie before the epoch).
  TDateTime MinutesToDateTime(std::int64_t minutes) const;

  // True when the summer-time rule timeZone holds on the date part of the
  // moment:
  //   0  from the day after the last Saturday of March through the last
  //      Saturday of October, both included (any year);
  //   1  the closed windows 2013-10-20..2014-02-15, 2014-10-19..2015-02-02,
  //      2015-10-18..2016-02-20, 2016-10-16..2017-02-19;
  //   2  the closed windows 2015-03-08..2015-11-01, 2016-03-13..2016-11-06;
  //   any other value: never.
  bool IsSummerTime(int timeZone, TDateTime moment) const;

 private:
  bool IsSummerTimeRule0(TDateTime moment) const;
};

}  // namespace corvane
