// The built-in chart data sets as the generator wrote them: layouts read back
// with the data-set primitives, counts, the afloat test against the land
// mask, the marks, towns and flats.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/math_tools.h"
#include "data/data_set_packer.h"
#include "data/resource_loader.h"
#include "datasets/builtin_datasets.h"
#include "tools/datagen/bathymetry/land_mask.h"

namespace corvane {
namespace {

// A reader of the tile and named-point layouts of its own, so the test does
// not lean on the generator's code.
struct Tile {
  float West = 0, South = 0, East = 0, North = 0;
  std::int32_t IndexH = 0, IndexV = 0, Typ = 0;
  TListPolygon CoastLines, ShallowWaters, InWaterLines, Waters, Lines10m, Lines5m, Heights;
};

struct Point {
  TMinutes Position;
  std::string Name;
  std::uint8_t Align = 0;
  std::uint8_t Type = 0;
  std::string ShortCut;
};

struct Chart {
  std::vector<Tile> Tiles;
  TListPolygon Drafts;
  std::vector<TListPolygon> InvDrafts;
  std::vector<Point> Buoys, Towns, Flats;
  std::int32_t BuoyCount = 0, TownCount = 0, FlatCount = 0;
};

TListPolygon ReadGroup(const TPackageSuperResourceLoader& loader, TResourceStream& stream) {
  TListPolygon group(std::max(0, loader.ReadInt32(stream)));
  for (TPolygon& polygon : group) {
    polygon.resize(std::max(0, loader.ReadInt32(stream)));
    for (TPointF& p : polygon) {
      p.X = loader.ReadFloat(stream);
      p.Y = loader.ReadFloat(stream);
    }
  }
  return group;
}

std::vector<Point> ReadPoints(const TPackageSuperResourceLoader& loader, TResourceStream stream,
                              bool buoy, std::int32_t& count) {
  count = loader.ReadInt32(stream);
  std::vector<Point> points;
  while (stream.Remaining() > 0) {
    Point p;
    p.Position = loader.ReadMinutes(stream);
    p.Name = loader.ReadString(stream);
    p.Align = loader.ReadByte(stream);
    if (buoy) {
      p.Type = loader.ReadByte(stream);
      p.ShortCut = loader.ReadString(stream);
    }
    points.push_back(p);
  }
  return points;
}

std::vector<std::uint8_t> AllBytes(const TResourceStore& store, const std::string& name) {
  TResourceStream stream = *store.Open(name);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream.Size()));
  stream.Read(bytes.data(), bytes.size());
  return bytes;
}

class ChartDataSets : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    store_ = std::make_unique<TResourceStore>(BuiltInResourceStore());
    const TPackageSuperResourceLoader loader(*store_);
    chart_ = std::make_unique<Chart>();
    ASSERT_TRUE(store_->FindResource("TILES") && store_->FindResource("TILESB"));
    TResourceStream tiles = *store_->Open("TILES");
    const std::int32_t count = loader.ReadInt32(tiles);
    for (std::int32_t i = 0; i < count; ++i) {
      Tile t;
      t.West = loader.ReadFloat(tiles);
      t.South = loader.ReadFloat(tiles);
      t.East = loader.ReadFloat(tiles);
      t.North = loader.ReadFloat(tiles);
      t.IndexH = loader.ReadInt32(tiles);
      t.IndexV = loader.ReadInt32(tiles);
      t.Typ = loader.ReadInt32(tiles);
      t.CoastLines = ReadGroup(loader, tiles);
      t.ShallowWaters = ReadGroup(loader, tiles);
      t.InWaterLines = ReadGroup(loader, tiles);
      t.Waters = ReadGroup(loader, tiles);
      chart_->Tiles.push_back(t);
    }
    tilesLeft_ = tiles.Remaining();
    TResourceStream second = *store_->Open("TILESB");
    tilesBCount_ = loader.ReadInt32(second);
    for (std::int32_t i = 0; i < tilesBCount_ && i < count; ++i) {
      Tile& t = chart_->Tiles[i];
      t.Lines10m = ReadGroup(loader, second);
      t.Lines5m = ReadGroup(loader, second);
      t.Heights = ReadGroup(loader, second);
    }
    chart_->Drafts = ReadGroup(loader, second);
    const std::int32_t groups = loader.ReadInt32(second);
    for (std::int32_t i = 0; i < groups; ++i) chart_->InvDrafts.push_back(ReadGroup(loader, second));
    tilesBLeft_ = second.Remaining();
    chart_->Buoys = ReadPoints(loader, *store_->Open("BUOYS"), true, chart_->BuoyCount);
    chart_->Towns = ReadPoints(loader, *store_->Open("TOWNS"), false, chart_->TownCount);
    chart_->Flats = ReadPoints(loader, *store_->Open("FLATS"), false, chart_->FlatCount);

    std::string error;
    std::optional<TLandMask> mask = TLandMask::Load(CORVANE_LAND_MASK_FILE, error);
    ASSERT_TRUE(mask.has_value()) << error;
    mask_ = std::make_unique<TLandMask>(std::move(*mask));
  }
  static void TearDownTestSuite() {
    mask_.reset();
    chart_.reset();
    store_.reset();
  }

  // The chart's afloat test: inside an in-water polygon of a tile not of
  // Typ 1. Polygons never leave their tile, so other tiles are skipped.
  static bool Afloat(const TMinutes& p) {
    const TMathTools math;
    for (const Tile& t : chart_->Tiles) {
      if (t.Typ == 1 || p.Lon < t.West || p.Lon > t.East || p.Lat < t.South || p.Lat > t.North) continue;
      for (const TPolygon& polygon : t.InWaterLines) {
        if (math.GetInPolygon(p, polygon)) return true;
      }
    }
    return false;
  }
  static bool InAny(const TMinutes& p, const TListPolygon& group) {
    const TMathTools math;
    return std::any_of(group.begin(), group.end(),
                       [&](const TPolygon& polygon) { return math.GetInPolygon(p, polygon); });
  }
  static bool DeepEnough(const TMinutes& p, std::size_t line) {
    const TMathTools math;
    return math.GetInPolygon(p, chart_->Drafts[line]) && !InAny(p, chart_->InvDrafts[line]);
  }
  // Uniform positions in the frame, in thousandths, from a fixed seed.
  static std::vector<TMinutes> RandomPositions(int count, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<TMinutes> out;
    for (int i = 0; i < count; ++i) {
      out.push_back({(-100000 + static_cast<int>(random() % 40000)) / 1000.0,
                     (3032000 + static_cast<int>(random() % 20000)) / 1000.0});
    }
    return out;
  }

  // Read once for the whole suite: the data sets are large and never change.
  static inline std::unique_ptr<TResourceStore> store_;
  static inline std::unique_ptr<Chart> chart_;
  static inline std::unique_ptr<TLandMask> mask_;
  static inline std::int64_t tilesLeft_ = -1, tilesBLeft_ = -1;
  static inline std::int32_t tilesBCount_ = 0;
};

TEST_F(ChartDataSets, FrameTextGivesTheFrameCorners) {
  ASSERT_TRUE(store_->FindResource("MAPINI"));
  EXPECT_EQ(store_->Open("MAPINI")->ReadAllText(),
            "[SEACHART]\nLonW=001:40:000W\nLatS=050:32:000N\nLonE=001:00:000W\nLatN=050:52:000N\n");
}

TEST_F(ChartDataSets, TilesFormTenRowsOfEightFromTheNorthWest) {
  ASSERT_EQ(chart_->Tiles.size(), 80u);
  EXPECT_EQ(tilesLeft_, 0);
  EXPECT_EQ(tilesBCount_, 80);
  EXPECT_EQ(tilesBLeft_, 0);
  int landOnly = 0;
  for (std::size_t i = 0; i < chart_->Tiles.size(); ++i) {
    const Tile& t = chart_->Tiles[i];
    SCOPED_TRACE("tile " + std::to_string(i));
    const int column = static_cast<int>(i % 8) + 1, row = static_cast<int>(i / 8) + 1;
    EXPECT_EQ(t.IndexH, column);
    EXPECT_EQ(t.IndexV, row);
    EXPECT_EQ(t.West, -100.0f + 5 * (column - 1));
    EXPECT_EQ(t.East, t.West + 5);
    EXPECT_EQ(t.North, 3052.0f - 2 * (row - 1));
    EXPECT_EQ(t.South, t.North - 2);
    ASSERT_TRUE(t.Typ == 0 || t.Typ == 1);
    if (t.Typ == 1) {
      ++landOnly;
      EXPECT_TRUE(t.InWaterLines.empty() && t.ShallowWaters.empty() && t.Waters.empty() &&
                  t.Lines10m.empty() && t.Lines5m.empty());
    } else {
      EXPECT_FALSE(t.InWaterLines.empty());
    }
    EXPECT_GE(t.Heights.size(), 9u);
    for (const TListPolygon* group : {&t.CoastLines, &t.ShallowWaters, &t.InWaterLines, &t.Waters,
                                      &t.Lines10m, &t.Lines5m, &t.Heights}) {
      for (const TPolygon& polygon : *group) {
        if (polygon.empty()) continue;
        ASSERT_GE(polygon.size(), 4u);
        EXPECT_EQ(polygon.front().X, polygon.back().X);
        EXPECT_EQ(polygon.front().Y, polygon.back().Y);
        for (const TPointF& p : polygon) {
          // Clipped to the tile (thousandths round within 0.0005').
          ASSERT_TRUE(p.X >= t.West - 0.001f && p.X <= t.East + 0.001f && p.Y >= t.South - 0.001f &&
                      p.Y <= t.North + 0.001f);
        }
      }
    }
  }
  EXPECT_GT(landOnly, 0);
  EXPECT_LT(landOnly, 20);
}

TEST_F(ChartDataSets, WritingWhatWasReadGivesTheSameBytes) {
  TDataSetPacker tiles, second;
  tiles.PackCount(static_cast<std::int32_t>(chart_->Tiles.size()));
  second.PackCount(static_cast<std::int32_t>(chart_->Tiles.size()));
  for (const Tile& t : chart_->Tiles) {
    for (float c : {t.West, t.South, t.East, t.North}) tiles.PackCoord32(c);
    tiles.PackCount(t.IndexH);
    tiles.PackCount(t.IndexV);
    tiles.PackCount(t.Typ);
    for (const TListPolygon* g : {&t.CoastLines, &t.ShallowWaters, &t.InWaterLines, &t.Waters})
      tiles.PackPolygonGroup(*g);
    for (const TListPolygon* g : {&t.Lines10m, &t.Lines5m, &t.Heights}) second.PackPolygonGroup(*g);
  }
  second.PackPolygonGroup(chart_->Drafts);
  second.PackCount(static_cast<std::int32_t>(chart_->InvDrafts.size()));
  for (const TListPolygon& g : chart_->InvDrafts) second.PackPolygonGroup(g);
  EXPECT_TRUE(tiles.Bytes() == AllBytes(*store_, "TILES"));
  EXPECT_TRUE(second.Bytes() == AllBytes(*store_, "TILESB"));

  struct Case {
    const char* name;
    const std::vector<Point>* points;
    std::int32_t count;
    bool buoy;
  };
  for (const Case& c : {Case{"BUOYS", &chart_->Buoys, chart_->BuoyCount, true},
                        Case{"TOWNS", &chart_->Towns, chart_->TownCount, false},
                        Case{"FLATS", &chart_->Flats, chart_->FlatCount, false}}) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.count, static_cast<std::int32_t>(c.points->size()));
    TDataSetPacker packer;
    packer.PackCount(c.count);
    for (const Point& p : *c.points) {
      packer.PackCoord(p.Position);
      packer.PackString(p.Name);
      packer.PackCount8(p.Align);
      if (c.buoy) {
        packer.PackCount8(p.Type);
        packer.PackString(p.ShortCut);
      }
    }
    EXPECT_TRUE(packer.Bytes() == AllBytes(*store_, c.name));
  }
}

TEST_F(ChartDataSets, AfloatTestAgreesWithTheLandMask) {
  int agree = 0;
  const std::vector<TMinutes> positions = RandomPositions(10000, 1);
  for (const TMinutes& p : positions) agree += Afloat(p) == !mask_->IsLand(p.Lon, p.Lat);
  EXPECT_GE(agree, 9950) << "of 10000";
}

TEST_F(ChartDataSets, DraftAreasAreNestedAndAfloat) {
  ASSERT_EQ(chart_->Drafts.size(), 4u);
  ASSERT_EQ(chart_->InvDrafts.size(), 4u);
  const std::vector<TMinutes> positions = RandomPositions(4000, 2);
  for (std::size_t line = 0; line < 4; ++line) {
    SCOPED_TRACE("depth line " + std::to_string(line + 1));
    ASSERT_GE(chart_->Drafts[line].size(), 4u);
    int deep = 0, deepAfloat = 0, deeperToo = 0;
    for (const TMinutes& p : positions) {
      if (!DeepEnough(p, line)) continue;
      ++deep;
      deepAfloat += Afloat(p);
    }
    // A deeper line holds less water, all of it deep enough for this one.
    if (line > 0) {
      for (const TMinutes& p : positions) {
        if (DeepEnough(p, line)) deeperToo += DeepEnough(p, line - 1);
      }
      EXPECT_GE(deeperToo, deep * 99 / 100);
    }
    EXPECT_GT(deep, 1000);
    EXPECT_GE(deepAfloat, deep * 995 / 1000);
  }
}

TEST_F(ChartDataSets, BuoysAreTheMovableMarksNavigationMarksAndCodedRacingMarks) {
  const auto& buoys = chart_->Buoys;
  ASSERT_EQ(buoys.size(), 195u);
  const TMathTools math;
  const TMinutes centre{-76.615, 3046.475};
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE("movable mark " + std::to_string(i));
    EXPECT_EQ(buoys[i].Name, std::to_string(i + 1));
    EXPECT_EQ(buoys[i].Type, 13);
    EXPECT_TRUE(buoys[i].ShortCut.empty());
    EXPECT_LT(math.DistanceOfMinutes(centre, buoys[i].Position), 2);
  }
  // The codes accepted by the shortcut memo, first character then seconds.
  const std::vector<std::pair<char, std::string>> table = {
      {'1', "1456789ABCEFGHJKLMN"}, {'2', "012345689ABCDEFGHJKRSTUWXYZ"},
      {'3', "0123ABCDEFGHJKLNPQRSTUVWXYZ"}, {'4', "0123456ABCDEFGHJKLMNPQRSTUVWXYZ"},
      {'5', "ABCDEFGHJKMNPQRS"}, {'6', "ABCDEFGHJKLMNPRS"},
      {'7', "012345ABCDEFGHJKMNPQRSTUVWXYZ"}, {'8', "25NSWXY"},
      {'H', "E"}, {'J', "B"}, {'X', "B"}};
  std::set<std::string> accepted;
  for (const auto& [first, seconds] : table)
    for (char second : seconds) accepted.insert(std::string{first, second});
  std::set<std::string> codes, names;
  const std::set<int> racingTypes = {1, 2, 16, 17, 18, 19, 20, 24};
  const std::set<int> landFeatures = {6, 11, 12};
  int uncoded = 0;
  for (std::size_t i = 0; i < buoys.size(); ++i) {
    const Point& b = buoys[i];
    SCOPED_TRACE("buoy " + std::to_string(i) + " " + b.Name);
    EXPECT_LE(b.Name.size(), 29u);
    EXPECT_FALSE(b.Name.empty());
    EXPECT_TRUE(std::all_of(b.Name.begin(), b.Name.end(), [](char c) { return c >= 32 && c < 127; }));
    EXPECT_TRUE(names.insert(b.Name).second) << "name twice";
    EXPECT_LE(b.Type, 25);
    EXPECT_LE(b.Align, 2);
    if (b.ShortCut.empty()) {
      ++uncoded;
      EXPECT_FALSE(racingTypes.count(b.Type)) << "racing mark without a code";
    } else {
      EXPECT_TRUE(accepted.count(b.ShortCut)) << b.ShortCut;
      EXPECT_TRUE(codes.insert(b.ShortCut).second) << b.ShortCut << " twice";
      EXPECT_TRUE(racingTypes.count(b.Type)) << int{b.Type};
    }
    if (landFeatures.count(b.Type)) {
      EXPECT_TRUE(mask_->IsLand(b.Position.Lon, b.Position.Lat));
      EXPECT_FALSE(Afloat(b.Position));
    } else {
      EXPECT_TRUE(Afloat(b.Position)) << "mark ashore";
    }
  }
  EXPECT_EQ(codes, accepted);
  EXPECT_EQ(uncoded, 20);
}

TEST_F(ChartDataSets, DefaultCourseLegIsABeatInTheDefaultWind) {
  ASSERT_EQ(chart_->Buoys.size(), 195u);
  const TMathTools math;
  const TMinutes start = chart_->Buoys[183].Position, top = chart_->Buoys[177].Position;
  const double distance = math.DistanceOfMinutes(start, top);
  const double bearing = math.AngleOfMinutes(start, top);
  EXPECT_GE(distance, 2);
  EXPECT_LE(distance, 4);
  EXPECT_GE(bearing, 30);
  EXPECT_LE(bearing, 90);
}

TEST_F(ChartDataSets, TownsStandOnLandAndFlatsOnDryingAreas) {
  ASSERT_EQ(chart_->Towns.size(), 12u);
  ASSERT_EQ(chart_->Flats.size(), 15u);
  struct Case {
    const char* kind;
    const std::vector<Point>* points;
  };
  for (const Case& c : {Case{"town", &chart_->Towns}, Case{"flat", &chart_->Flats}}) {
    std::set<std::string> names;
    for (const Point& p : *c.points) {
      SCOPED_TRACE(std::string(c.kind) + " " + p.Name);
      EXPECT_TRUE(names.insert(p.Name).second);
      EXPECT_TRUE(std::all_of(p.Name.begin(), p.Name.end(), [](char ch) { return ch >= 32 && ch < 127; }));
      EXPECT_LE(p.Align, 2);
      // A label beside the point runs away from the nearer frame edge.
      if (p.Align == 1) {
        EXPECT_LT(p.Position.Lon, -64);
      }
      if (p.Align == 2) {
        EXPECT_GT(p.Position.Lon, -96);
      }
      EXPECT_TRUE(p.Position.Lon > -100 && p.Position.Lon < -60 && p.Position.Lat > 3032 &&
                  p.Position.Lat < 3052);
    }
  }
  for (const Point& town : chart_->Towns) {
    SCOPED_TRACE(town.Name);
    EXPECT_TRUE(mask_->IsLand(town.Position.Lon, town.Position.Lat));
    EXPECT_FALSE(Afloat(town.Position));
  }
  for (const Point& flat : chart_->Flats) {
    SCOPED_TRACE(flat.Name);
    bool drying = false;
    for (const Tile& t : chart_->Tiles) {
      if (t.Typ != 1 && InAny(flat.Position, t.ShallowWaters)) drying = true;
    }
    EXPECT_TRUE(drying);
    EXPECT_TRUE(Afloat(flat.Position));
  }
}

}  // namespace
}  // namespace corvane
