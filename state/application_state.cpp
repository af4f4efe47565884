#include "state/application_state.h"

#include "core/date_time.h"
#include "core/date_tools.h"

namespace corvane {

TInterfaceApplicationMobile::TInterfaceApplicationMobile() {
  AppName = MakeAppName(RegionName, Version);
  DateTimeMinLOC = DateTimeMinOfYear(AYear);
  DateTimeMaxLOC = DateTimeMaxOfYear(AYear);
  DateTimeGMT = EncodeDateTime(AYear, AMonth, ADay, AHour, AMinute, 0, 0);
  SetDateTimeLOC(*this);
  Polars.Reset();
}

std::string MakeAppName(const std::string& regionName, const std::string& version) {
  return "CORVANE ANALYZER - " + regionName + " 2016" + version;
}

TDateTime DateTimeMinOfYear(int year) { return EncodeDateTime(year, 1, 2, 1, 0, 0, 0); }

TDateTime DateTimeMaxOfYear(int year) { return EncodeDateTime(year, 12, 29, 23, 0, 0, 0); }

void SetDateTimeLOC(TInterfaceApplicationMobile& state) {
  state.DateTimeLOC = TDateTools().GMTToLocal(state.TimeZoneOffset, state.TimeZone, state.DateTimeGMT);
}

void SetDateTimeGMT(TInterfaceApplicationMobile& state) {
  state.DateTimeGMT = TDateTools().LocalToGMT(state.TimeZoneOffset, state.TimeZone, state.DateTimeLOC);
}

}  // namespace corvane
