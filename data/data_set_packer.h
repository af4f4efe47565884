#pragma once
// Writing data sets: the exact inverse of the primitive reads of
// TPackageSuperResourceLoader. The data generators and the test fixtures
// build every data set with it, so a layout is written in one place only.

#include <cstdint>
#include <string>
#include <vector>

#include "core/types.h"

namespace corvane {

class TDataSetPacker {
 public:
  // Starts a new data set.
  void PackReset() { bytes_.clear(); }

  // int32, little-endian.
  void PackCount(std::int32_t value);
  // One unsigned byte (label placement, buoy type, ...).
  void PackCount8(std::uint8_t value);
  // Coordinate: minutes of arc as int32 thousandths, rounded half away from
  // zero. Throws std::out_of_range beyond the int32 range.
  void PackCoord32(double minutes);
  // Position: longitude coordinate, then latitude coordinate.
  void PackCoord(const TMinutes& position);
  // Short coordinate: int32 hundredths, rounded half away from zero.
  void PackFloatShort(double value);
  // Short string: length byte, then the bytes. Throws std::length_error
  // beyond 255 bytes and std::invalid_argument for non-ASCII text, which the
  // data sets never hold.
  void PackString(const std::string& text);
  // Stream-grid header: frame left, bottom, right, top (minutes) and the model
  // name.
  void PackModelFrame(const TRectF& frame, const std::string& modelName);
  // Packed stream vector A*1000000 + S*1000 + N: direction toward which the
  // stream flows in whole degrees (0..360), spring and neap speeds in
  // hundredths of a knot (0..999). Throws std::out_of_range otherwise.
  void PackVektor(int directionDeg, int springHundredths, int neapHundredths);
  // Polygon: int32 point count, then x (longitude) and y (latitude)
  // coordinates per point.
  void PackPolygon(const TPolygon& polygon);
  // Polygon group: int32 polygon count, then each polygon.
  void PackPolygonGroup(const TListPolygon& group);

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  // Writes the data set to a file; false on any error.
  bool SaveByteArray(const std::string& path) const;

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace corvane
