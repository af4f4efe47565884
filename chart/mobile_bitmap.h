#pragma once
// A bitmap of the chart with its placement on the chart.

#include <memory>

#include "core/types.h"

namespace corvane {

// A drawing surface of a whole number of pixels. The canvas library supplies
// the pixels (chart/canvas.h); the viewport arithmetic needs only the size.
class TBitMap {
 public:
  virtual ~TBitMap() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
};

// A surface without pixels: the viewport of a renderer that only converts
// positions (a print layout's measurements, tests of the viewport).
class TBitMapSize : public TBitMap {
 public:
  TBitMapSize(int width, int height) : width_(width), height_(height) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }

 private:
  int width_;
  int height_;
};

struct TMobileBitMap {
  std::unique_ptr<TBitMap> BitMap;  // owned drawing surface
  // Size in pixels and the geographic corners and centre of the window.
  TMapArea MapArea;
  // Chart-pixel position of the window's lower-left corner (y up); for the
  // on-screen window relative to the off-screen bitmap's lower-left corner.
  TPointF Offset;
  TPointF Center;  // the window's centre in chart pixels
};

}  // namespace corvane
