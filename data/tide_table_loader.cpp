// The tide table: the key=value header "TIDESINI" and the five-byte tide
// records of "TIDES" (and of the optional secondary port, "tides2").

#include <cstdint>
#include <optional>

#include "data/package_resource_loader.h"
#include "tides/package_tides.h"

namespace corvane {

namespace {

constexpr std::int64_t kTideRecordSize = 5;
// Sign byte value that makes a height negative.
constexpr std::uint8_t kNegativeHeight = 1;

// The header's values, read completely before any of them is stored.
struct TTideTableHeader {
  std::string YearFrom;
  std::string YearTo;
  int TimeZone = 0;
  int TimeZoneOffset = 0;
  std::string PortName;
  float MeanRangeSprings = 0;
  float MeanRangeNeaps = 0;
  int RefTide = 2;
  bool TimeCharts30 = false;
  int YearBegin = 0;
};

// Reads the records of a tide table into table: size div 5 records, each of
// gauge, hour, minute, sign and height in decimetres. A short last record
// (a size that is not a multiple of 5) holds nothing of value and is left
// out, so the table ends with the last whole record.
void ReadTideRecords(const TPackageSuperResourceLoader& loader, TResourceStream& stream,
                     TListTides& table) {
  const std::int64_t count = stream.Size() / kTideRecordSize;
  table.assign(static_cast<std::size_t>(count), TTides{});
  for (TTides& record : table) {
    record.Gauge = loader.ReadByte(stream);
    record.Hour = loader.ReadByte(stream);
    record.Minute = loader.ReadByte(stream);
    const std::uint8_t sign = loader.ReadByte(stream);
    const std::uint8_t height = loader.ReadByte(stream);
    record.Level = static_cast<double>(height) / 10;
    if (sign == kNegativeHeight) record.Level = -record.Level;
  }
}

}  // namespace

void TPackageResourceLoader::LoadListTides(TInterfaceApplicationMobile& state,
                                           TPackageTides& tides) {
  if (const std::optional<TStringList> lines = ReadResourceLines("TIDESINI")) {
    // Every key is read before anything is stored: a header with an entry
    // that should be an integer and is not ends the load of the whole tide
    // table and leaves every target as it was, as a missing header does.
    TTideTableHeader header;
    try {
      header.YearFrom = ReadIniString(*lines, "YEAR", "2015");
      header.YearTo = ReadIniString(*lines, "YEARTO", header.YearFrom);
      header.TimeZone = ReadIniInteger(*lines, "TIMEZONE", "0");
      header.TimeZoneOffset = ReadIniInteger(*lines, "TIMEZONEOFFSET", "0");
      header.PortName = ReadIniString(*lines, "PORT", "");
      header.MeanRangeSprings = static_cast<float>(ReadIniExtended(*lines, "MEANHIGH", "0"));
      header.MeanRangeNeaps = static_cast<float>(ReadIniExtended(*lines, "MEANLOW", "0"));
      header.RefTide = ReadIniInteger(*lines, "TIDESREF", 2);
      header.TimeCharts30 = ReadIniBoolean(*lines, "TIMECHARTS30", false);
      // The first year is the YEAR text read as an integer; the text itself
      // goes to the state as it stands.
      const std::optional<int> yearBegin = ParseDecimalInteger(header.YearFrom);
      if (!yearBegin) throw TIniConversionError("YEAR", header.YearFrom);
      header.YearBegin = *yearBegin;
    } catch (const TIniConversionError&) {
      return;
    }
    state.YearOfTidesFrom = header.YearFrom;
    state.YearOfTidesTo = header.YearTo;
    state.TimeZone = header.TimeZone;
    state.TimeZoneOffset = header.TimeZoneOffset;
    state.PortName = header.PortName;
    state.RefTide = static_cast<std::uint8_t>(header.RefTide);
    tides.MeanRangeSprings = header.MeanRangeSprings;
    tides.MeanRangeNeaps = header.MeanRangeNeaps;
    tides.TimeCharts30 = header.TimeCharts30;
    tides.TidalYearBegin = header.YearBegin;
    tides.TimeZone = header.TimeZone;
    tides.TimeZoneOffset = header.TimeZoneOffset;
  }

  if (std::optional<TResourceStream> stream = OpenResource("TIDES")) {
    ReadTideRecords(*this, *stream, tides.TidalAtlasMainPort);
  }
  if (std::optional<TResourceStream> stream = OpenResource("tides2")) {
    ReadTideRecords(*this, *stream, tides.TidalAtlasRangePort);
    state.SecondaryPort = true;
  }
}

}  // namespace corvane
