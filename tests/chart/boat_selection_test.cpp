#include "chart/boat_selection.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// Boats one minute apart going east, drawn 100 pixels apart.
void Line(int count, TListBoat& boats, TPolygon& pixels) {
  for (int i = 0; i < count; ++i) {
    TBoat& boat = boats.Add();
    boat.CoordM = TMinutes{static_cast<double>(i), 0};
    boat.Time = i * 0.1;
    pixels.push_back(TPointF{i * 100.0f, 0});
  }
}

TEST(BoatSelectionTest, MarkersSpreadOverEachLegBetweenTacks) {
  TListBoat boats;
  TPolygon pixels;
  Line(9, boats, pixels);
  // One leg of 800 pixels with 300 pixels per marker: 2 markers, the first
  // boats at least 8/3 and 16/3 nautical miles from the start.
  EXPECT_EQ(GetBoatsAlongTrack(boats, pixels, 300, TMathTools()), (std::vector<int>{3, 6}));
  // A tack at boat 3 makes two legs of 300 px (1 marker, 1.5 nm on) and
  // 500 px (1 marker, 2.5 nm on).
  boats.Items[3].Tack = true;
  EXPECT_EQ(GetBoatsAlongTrack(boats, pixels, 300, TMathTools()), (std::vector<int>{2, 6}));
  EXPECT_TRUE(GetBoatsAlongTrack(boats, pixels, 2000, TMathTools()).empty());
}

TEST(BoatSelectionTest, BoatAtTheMoment) {
  TListBoat boats;
  TPolygon pixels;
  Line(5, boats, pixels);  // times 0, 0.1, ... 0.4 h
  EXPECT_EQ(GetBoatAtTime(boats, 0.22, 1), 2);
  EXPECT_EQ(GetBoatAtTime(boats, 5, 1), 0);  // none nearer than 1 h: the first boat
  EXPECT_EQ(GetBoatAtTime(boats, 0.5, 1), 4);
  EXPECT_EQ(GetBoatAtTime(TListBoat{}, 0, 1), -1);
}

}  // namespace
}  // namespace corvane
