#pragma once
// The tides of one local day as the tide list shows them.

#include <string>
#include <vector>

#include "core/types.h"

namespace corvane {

struct TDayTide {
  std::string Gauge;  // "H" or "L"
  std::string Times;  // local "hh:mm"
  std::string Level;  // metres, one decimal
};

struct TDayTides {
  std::string Day;            // local date "dd.mm.yyyy"
  TStringList Tides;          // display lines
  std::vector<TDayTide> DayTide;
};

using TListDayTides = std::vector<TDayTides>;

}  // namespace corvane
