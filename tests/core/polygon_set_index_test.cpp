// The polygon set index answers as GetInPolygon does polygon by polygon:
// on random rings (self-crossing ones too), on their vertices and edges, on
// band boundaries, and for a union of overlapping polygons.

#include "core/polygon_set_index.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "core/math_tools.h"

namespace corvane {
namespace {

// A ring of n points around a centre, at random radii and, when `tangled`,
// at random angles, so that its edges cross.
TPolygon RandomRing(std::mt19937& random, float lon, float lat, int n, bool tangled) {
  std::uniform_real_distribution<float> radius(0.05f, 0.6f);
  std::uniform_real_distribution<float> turn(0, 6.2831853f);
  TPolygon ring;
  for (int k = 0; k < n; ++k) {
    const float angle = tangled ? turn(random) : 6.2831853f * static_cast<float>(k) / static_cast<float>(n);
    const float r = radius(random);
    ring.push_back({lon + r * std::cos(angle), lat + r * std::sin(angle)});
  }
  return ring;
}

bool AnyContains(const TMathTools& math, const std::vector<TPolygon>& polygons, const TMinutes& p) {
  for (const TPolygon& polygon : polygons) {
    if (math.GetInPolygon(p, polygon)) return true;
  }
  return false;
}

TEST(PolygonSetIndexTest, AnswersAsEveryPolygonWalkedInTurn) {
  const TMathTools math;
  std::mt19937 random(20161);
  struct Case {
    const char* name;
    int polygons;
    int points;
    bool tangled;
    double band;
  };
  const Case cases[] = {
      {"one simple ring", 1, 40, false, 0.05},
      {"overlapping rings", 4, 25, false, 0.05},
      {"self-crossing rings", 3, 30, true, 0.05},
      {"bands wider than the rings", 3, 12, false, 5},
      {"bands much finer than the edges", 2, 8, false, 0.001},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<TPolygon> polygons;
    for (int k = 0; k < c.polygons; ++k) {
      polygons.push_back(RandomRing(random, -80.0f + 0.3f * k, 3045.0f + 0.2f * k, c.points, c.tangled));
    }
    std::vector<const TPolygon*> pointers;
    for (const TPolygon& p : polygons) pointers.push_back(&p);
    const TPolygonSetIndex index(pointers, c.band);

    std::vector<TMinutes> queries;
    std::uniform_real_distribution<double> lon(-81, -78.5);
    std::uniform_real_distribution<double> lat(3044, 3046.5);
    for (int k = 0; k < 4000; ++k) queries.push_back(TMinutes{lon(random), lat(random)});
    // Vertices, edge midpoints and the parallels of vertices, where the
    // crossing rule and the band edges decide.
    for (const TPolygon& p : polygons) {
      for (std::size_t k = 0; k < p.size(); ++k) {
        const TPointF& a = p[k];
        const TPointF& b = p[(k + 1) % p.size()];
        queries.push_back(TMinutes{a.X, a.Y});
        queries.push_back(TMinutes{(a.X + b.X) / 2.0, (a.Y + b.Y) / 2.0});
        queries.push_back(TMinutes{a.X - 0.01, a.Y});
      }
    }
    int disagreements = 0;
    for (const TMinutes& q : queries) {
      if (index.Contains(q) != AnyContains(math, polygons, q)) ++disagreements;
    }
    EXPECT_EQ(disagreements, 0);

    // The same rings as positions in minutes.
    std::vector<TListMinutes> rings;
    for (const TPolygon& p : polygons) {
      TListMinutes& ring = rings.emplace_back();
      for (const TPointF& v : p) ring.push_back(TMinutes{v.X, v.Y});
    }
    std::vector<const TListMinutes*> ringPointers;
    for (const TListMinutes& ring : rings) ringPointers.push_back(&ring);
    const TPolygonSetIndex minutes(ringPointers, c.band);
    int minuteDisagreements = 0;
    for (const TMinutes& q : queries) {
      bool expected = false;
      for (const TListMinutes& ring : rings) expected = expected || math.GetInPolygon(q, ring);
      if (minutes.Contains(q) != expected) ++minuteDisagreements;
    }
    EXPECT_EQ(minuteDisagreements, 0);
  }
}

TEST(PolygonSetIndexTest, DegenerateInputEnclosesNothing) {
  const TPolygon line{{-80, 3045}, {-79, 3046}};
  const TPolygon flat{{-80, 3045}, {-79, 3045}, {-78, 3045}};
  const TPolygonSetIndex index(std::vector<const TPolygon*>{&line, &flat});
  const TPolygonSetIndex none;
  for (const TMinutes& p : {TMinutes{-79.5, 3045.5}, TMinutes{-79, 3045},
                            TMinutes{std::numeric_limits<double>::quiet_NaN(), 3045}}) {
    EXPECT_FALSE(index.Contains(p));
    EXPECT_FALSE(none.Contains(p));
  }
  EXPECT_TRUE(none.Empty());
}

}  // namespace
}  // namespace corvane
