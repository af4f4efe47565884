#include "data/data_set_packer.h"

#include <cmath>
#include <fstream>
#include <limits>
#include <stdexcept>

namespace corvane {

namespace {

std::int32_t RoundToInt32(double value, const char* what) {
  const double rounded = std::round(value);
  if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
        rounded <= std::numeric_limits<std::int32_t>::max())) {
    throw std::out_of_range(std::string(what) + " does not fit a 32-bit integer");
  }
  return static_cast<std::int32_t>(rounded);
}

}  // namespace

void TDataSetPacker::PackCount(std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) {
    bytes_.push_back(static_cast<std::uint8_t>((u >> shift) & 0xFF));
  }
}

void TDataSetPacker::PackCount8(std::uint8_t value) { bytes_.push_back(value); }

void TDataSetPacker::PackCoord32(double minutes) {
  PackCount(RoundToInt32(minutes * 1000, "coordinate"));
}

void TDataSetPacker::PackCoord(const TMinutes& position) {
  PackCoord32(position.Lon);
  PackCoord32(position.Lat);
}

void TDataSetPacker::PackFloatShort(double value) {
  PackCount(RoundToInt32(value * 100, "short coordinate"));
}

void TDataSetPacker::PackString(const std::string& text) {
  if (text.size() > 255) throw std::length_error("short string longer than 255 bytes: " + text);
  for (unsigned char c : text) {
    if (c > 127) throw std::invalid_argument("short string is not 7-bit ASCII: " + text);
  }
  PackCount8(static_cast<std::uint8_t>(text.size()));
  bytes_.insert(bytes_.end(), text.begin(), text.end());
}

void TDataSetPacker::PackModelFrame(const TRectF& frame, const std::string& modelName) {
  PackCoord32(frame.Left);
  PackCoord32(frame.Bottom);
  PackCoord32(frame.Right);
  PackCoord32(frame.Top);
  PackString(modelName);
}

void TDataSetPacker::PackVektor(int directionDeg, int springHundredths, int neapHundredths) {
  if (directionDeg < 0 || directionDeg > 360 || springHundredths < 0 || springHundredths > 999 ||
      neapHundredths < 0 || neapHundredths > 999) {
    throw std::out_of_range("stream vector out of range: direction " +
                            std::to_string(directionDeg) + ", spring " +
                            std::to_string(springHundredths) + ", neap " +
                            std::to_string(neapHundredths));
  }
  PackCount(directionDeg * 1000000 + springHundredths * 1000 + neapHundredths);
}

void TDataSetPacker::PackPolygon(const TPolygon& polygon) {
  PackCount(static_cast<std::int32_t>(polygon.size()));
  for (const TPointF& p : polygon) {
    PackCoord32(p.X);
    PackCoord32(p.Y);
  }
}

void TDataSetPacker::PackPolygonGroup(const TListPolygon& group) {
  PackCount(static_cast<std::int32_t>(group.size()));
  for (const TPolygon& polygon : group) PackPolygon(polygon);
}

bool TDataSetPacker::SaveByteArray(const std::string& path) const {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(bytes_.data()),
            static_cast<std::streamsize>(bytes_.size()));
  return static_cast<bool>(out.flush());
}

}  // namespace corvane
