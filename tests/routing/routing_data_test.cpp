#include "routing/routing_data.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(RoutingDataTest, NewTrackHasDefaultStyleAndStableAddress) {
  TListRoutingData list;
  TRoutingData& first = list.Add();
  for (int i = 0; i < 20; ++i) list.Add();
  EXPECT_EQ(list.GetItem(0), &first);
  EXPECT_EQ(list.GetItem(21), nullptr);
  EXPECT_EQ(list.GetItem(-1), nullptr);
  EXPECT_EQ(first.ColorTrack, 0xFFFF0000u);
  EXPECT_EQ(first.ColorLaylines, 0xFF008000u);
  EXPECT_EQ(first.ColorLaylinesNoCurrents, 0xFFFFFF00u);
  EXPECT_TRUE(first.DrawLaylines);
  EXPECT_EQ(first.StrokeDash, TStrokeDash::Solid);
  EXPECT_EQ(first.TypeOfCourse, 0);
}

}  // namespace
}  // namespace corvane
