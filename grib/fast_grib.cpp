#include "grib/fast_grib.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <utility>

#include "core/constants.h"
#include "core/date_time.h"
#include "grib/grib_numbers.h"

namespace corvane {

namespace {

// Grid points in millidegrees to minutes of arc.
double MillidegreesToMinutes(double millidegrees) { return millidegrees * 6 / 100; }

// The time fields of cube 0 in order of their valid times, which the reading
// makes distinct; routing looks for the pair of fields around a moment and
// needs them increasing.
void SortFieldsByTime(TListVektorCubeLight& cube) {
  if (cube.ListVektorCube.empty()) return;
  std::vector<TVektorFieldLight>& fields = cube.ListVektorCube[0].ListVektorField;
  const std::size_t count = std::min(fields.size(), cube.TimeField.size());
  std::vector<std::size_t> order(count);
  for (std::size_t k = 0; k < count; ++k) order[k] = k;
  std::stable_sort(order.begin(), order.end(), [&cube](std::size_t a, std::size_t b) {
    return CompareDateTime(cube.TimeField[a], cube.TimeField[b]) < 0;
  });
  if (std::is_sorted(order.begin(), order.end())) return;
  std::vector<TVektorFieldLight> sortedFields;
  TListDateTime sortedTimes;
  sortedFields.reserve(count);
  sortedTimes.reserve(count);
  for (const std::size_t k : order) {
    sortedFields.push_back(std::move(fields[k]));
    sortedTimes.push_back(cube.TimeField[k]);
  }
  std::move(sortedFields.begin(), sortedFields.end(), fields.begin());
  std::copy(sortedTimes.begin(), sortedTimes.end(), cube.TimeField.begin());
}

}  // namespace

TFastGRIB2::TFastGRIB2(std::filesystem::path documentsBase)
    : FileTools(std::move(documentsBase)) {}

void TFastGRIB2::ReadGRIBWind(const std::string& fileName, TListVektorCubeLight& cube) {
  uParm = kGRIBParameterUWind;
  vParm = kGRIBParameterVWind;
  ReadFile(fileName, cube);
}

void TFastGRIB2::ReadGRIBCurrent(const std::string& fileName, TListVektorCubeLight& cube) {
  uParm = kGRIBParameterUCurrent;
  vParm = kGRIBParameterVCurrent;
  cube.OffsetAngle = 0;
  ReadFile(fileName, cube);
}

void TFastGRIB2::ReadFile(const std::string& fileName, TListVektorCubeLight& cube) {
  StartFile(cube);
  const std::string path = FileTools.GetDocumentsPath() + fileName;
  if (!FileTools.GetFileExists(path)) {
    ReadEnd = "no file " + path;
    return;
  }
  TGRIBFileStream stream;
  if (!stream.Open(path)) {
    // Treated as a missing file: nothing was read, so nothing is finished.
    ReadEnd = "cannot open " + path;
    return;
  }
  StartReading(stream);
  while (ReadRecord(stream, cube)) {
  }
  Finish(cube);
}

void TFastGRIB2::ReadGRIBStream(TGRIBByteStream& stream, std::uint8_t uParameter,
                                std::uint8_t vParameter, TListVektorCubeLight& cube) {
  uParm = uParameter;
  vParm = vParameter;
  StartFile(cube);
  StartReading(stream);
  while (ReadRecord(stream, cube)) {
  }
  Finish(cube);
}

void TFastGRIB2::StartFile(TListVektorCubeLight& cube) {
  nRecord = 0;
  BitMapLoaded = false;
  GridLoaded = false;
  BufferData.clear();
  ReadEnd.clear();
  cube.ClrCubes();
  cube.AddCube();
}

bool TFastGRIB2::ReadRecord(TGRIBByteStream& stream, TListVektorCubeLight& cube) {
  bool ok = ReadIS(stream);
  ok = ReadPDS(stream, ok, uParm, vParm);
  ok = ReadGDS(stream, ok);
  ok = ReadBMS(stream, ok);
  if (ok && ParameterValid && !GridLoaded) SetPositions(cube);
  ok = ReadBDS(stream, ok);
  ok = ReadES(stream, ok);
  if (ok && ParameterValid) ok = SetValues(cube);
  return ok;
}

void TFastGRIB2::SetPositions(TListVektorCubeLight& cube) {
  // Steps between neighbouring points in 32-bit floats, 0 for a single
  // point along an axis.
  const float stepLon = GridCountX > 1 ? static_cast<float>(GridLon2 - GridLon1) /
                                             static_cast<float>(GridCountX - 1)
                                       : 0.0f;
  const float stepLat = GridCountY > 1 ? static_cast<float>(GridLat2 - GridLat1) /
                                             static_cast<float>(GridCountY - 1)
                                       : 0.0f;
  // The data runs row by row (along parallels), or column by column when
  // adjacent points lie along a meridian; positions follow the data order.
  const std::uint32_t outer = GridScanColumns ? GridCountX : GridCountY;
  const std::uint32_t inner = GridScanColumns ? GridCountY : GridCountX;
  TVektorCubeLight& points = cube.ListVektorCube[0];
  points.CoordM.reserve(points.CoordM.size() + GridCount);
  points.CoordB.reserve(points.CoordB.size() + GridCount);
  std::uint32_t added = 0;
  std::uint64_t k = 0;
  for (std::uint32_t a = 0; a < outer; ++a) {
    for (std::uint32_t b = 0; b < inner; ++b, ++k) {
      if (BitMapLoaded && !(k < BitMap.size() && BitMap[k])) continue;
      const std::uint32_t i = GridScanColumns ? a : b;
      const std::uint32_t j = GridScanColumns ? b : a;
      const TMinutes position{
          MillidegreesToMinutes(static_cast<double>(GridLon1) + static_cast<double>(i) * stepLon),
          MillidegreesToMinutes(static_cast<double>(GridLat1) + static_cast<double>(j) * stepLat)};
      cube.AddPosition(0, position);
      ++added;
    }
  }
  GridLoaded = true;
  nData = added;
}

bool TFastGRIB2::SetValues(TListVektorCubeLight& cube) {
  const bool isU = Parameter == uParm;
  const int fields = cube.GetCountFields(0);
  if (!isU && static_cast<int>(nField) >= fields) return true;  // a v record before any u record of this file
  if (isU) {
    if (static_cast<std::uint64_t>(fields) + 1 > kGRIBMaxFields ||
        (static_cast<std::uint64_t>(fields) + 1) * nData > MaxDecodedValues) {
      return Fail(RecordName() + " would make " + std::to_string(fields + 1) + " time fields of " +
                  std::to_string(nData) + " values, more than this program decodes from one file (" +
                  std::to_string(kGRIBMaxFields) + " fields, " + std::to_string(MaxDecodedValues) +
                  " values)");
    }
    for (int field = 0; field < fields; ++field) {
      if (CompareDateTime(cube.GetTimeField(field), TimeOfRecord) == 0) {
        return Fail(RecordName() + " repeats the valid time " + FormatDateTime("yyyy-mm-dd hh:mm", TimeOfRecord) +
                    " GMT of field " + std::to_string(field + 1));
      }
    }
  }

  // Y = (R + X 2^E) / 10^D (simple packing), held as a 32-bit float. Zero
  // bits per value is a constant field: every X is 0 and every value R / 10^D.
  const double twoPowE = std::ldexp(1.0, BinaryScaleFactor);
  const double tenPowD = std::pow(10.0, DecimalScaleFactor);
  const double reference = ReferenceValue;
  const std::uint32_t bits = NumberOfBits;
  const std::span<const std::uint8_t> data(BufferData);
  Values.resize(nData);
  for (std::uint32_t n = 0; n < nData; ++n) {
    const std::uint32_t x = GRIBPackedValue(data, bits, n);
    const auto y = static_cast<float>((reference + x * twoPowE) / tenPowD);
    // Scale factors far out of range give infinities or 0 x infinity; no
    // wind or stream is that, and routing cannot weigh it.
    if (!std::isfinite(y)) {
      return Fail(RecordName() + " decodes value " + std::to_string(n + 1) + " to " +
                  (std::isnan(y) ? "NaN" : "infinity") + " (R = " + std::to_string(ReferenceValue) + ", E = " + std::to_string(BinaryScaleFactor) +
                  ", D = " + std::to_string(DecimalScaleFactor) + ")");
    }
    Values[n] = y;
  }

  if (isU) {
    nField = static_cast<std::uint32_t>(cube.AddField(0));
    cube.SetTimeField(static_cast<int>(nField), TimeOfRecord);
    cube.AddVektors(0, static_cast<int>(nField), static_cast<int>(nData));
  }
  const int field = static_cast<int>(nField);
  const bool wind = Parameter == kGRIBParameterUWind || Parameter == kGRIBParameterVWind;
  for (std::uint32_t n = 0; n < nData; ++n) {
    const double knots = MathTools.MsToKn(wind ? -Values[n] : Values[n]);
    if (isU) {
      cube.SetVektorCartesianX(0, field, knots, static_cast<int>(n));
    } else {
      cube.SetVektorCartesianY(0, field, knots, static_cast<int>(n));
    }
  }
  return true;
}

void TFastGRIB2::Finish(TListVektorCubeLight& cube) const {
  SortFieldsByTime(cube);
  const double offset = cube.OffsetAngle * kPi / 180;
  for (int field = 0; field < cube.GetCountFields(0); ++field) {
    const int count = cube.GetCountVektors(0, field);
    for (int point = 0; point < count; ++point) {
      cube.SetVektorPolar(0, field, point);
      if (cube.OffsetAngle != 0) {
        TPolar polar = cube.GetVektorPolar(0, field, point);
        polar.Winkel = MathTools.AddRad(offset, polar.Winkel);
        cube.SetVektorPolar(0, field, polar, point);
      }
    }
  }
  const TListMinutes area = GetGRIBAreaPolygon();
  cube.CloneRoutingArea(area);
  cube.ResetIndexRoutingArea();
  cube.CloneVektorArea(0, area);
}

TPointF TFastGRIB2::GetGRIBAreaP1() const {
  return {static_cast<float>(GridScanWE ? GridLon1 : GridLon2),
          static_cast<float>(GridScanNS ? GridLat2 : GridLat1)};
}

TPointF TFastGRIB2::GetGRIBAreaP2() const {
  return {static_cast<float>(GridScanWE ? GridLon2 : GridLon1),
          static_cast<float>(GridScanNS ? GridLat1 : GridLat2)};
}

bool TFastGRIB2::DebugBitMap(const std::string& fileName) const {
  TStringList lines;
  lines.reserve(BitMap.size());
  for (const bool flag : BitMap) lines.emplace_back(flag ? "True" : "False");
  return FileTools.SaveTextFile(FileTools.GetDocumentsPath() + fileName, lines);
}

}  // namespace corvane
