#include "data/data_set_packer.h"

#include <gtest/gtest.h>

#include "data/resource_loader.h"

namespace corvane {
namespace {

TPackageSuperResourceLoader LoaderOf(const TDataSetPacker& packer) {
  TResourceStore store;
  store.Add("D", packer.Bytes());
  return TPackageSuperResourceLoader(std::move(store));
}

TEST(DataSetPackerTest, EveryPrimitiveReadsBackAsWritten) {
  TDataSetPacker packer;
  packer.PackCount(-123456);
  packer.PackCount8(200);
  packer.PackCoord32(-76.0625);
  packer.PackCoord(TMinutes{-100, 3052});
  packer.PackFloatShort(7.35);
  packer.PackString("Wreck Buoy");
  packer.PackString("");

  auto loader = LoaderOf(packer);
  auto s = *loader.OpenResource("d");
  EXPECT_EQ(loader.ReadInt32(s), -123456);
  EXPECT_EQ(loader.ReadByte(s), 200);
  EXPECT_EQ(loader.ReadFloat(s), static_cast<float>(-76.063));  // rounded half away from zero
  const TMinutes corner = loader.ReadMinutes(s);
  EXPECT_EQ(corner.Lon, -100);
  EXPECT_EQ(corner.Lat, 3052);
  EXPECT_EQ(loader.ReadFloatShort(s), 735.0 / 100);
  EXPECT_EQ(loader.ReadString(s), "Wreck Buoy");
  EXPECT_EQ(loader.ReadString(s), "");
  EXPECT_EQ(s.Remaining(), 0);
}

TEST(DataSetPackerTest, ModelFramePolygonsAndVectors) {
  TDataSetPacker packer;
  packer.PackModelFrame(TRectF{-94.203f, 3051.18f, -62.8f, 3041.13f}, "Model");
  packer.PackPolygonGroup({{{-90, 3045}, {-89.5f, 3045}, {-89.5f, 3046}}, {}});
  packer.PackVektor(360, 123, 45);

  auto loader = LoaderOf(packer);
  auto s = *loader.OpenResource("D");
  EXPECT_EQ(loader.ReadInt32(s), -94203);  // left
  EXPECT_EQ(loader.ReadInt32(s), 3041130);  // bottom
  EXPECT_EQ(loader.ReadInt32(s), -62800);   // right
  EXPECT_EQ(loader.ReadInt32(s), 3051180);  // top
  EXPECT_EQ(loader.ReadString(s), "Model");
  EXPECT_EQ(loader.ReadInt32(s), 2);  // polygons
  EXPECT_EQ(loader.ReadInt32(s), 3);  // points of the first
  EXPECT_EQ(loader.ReadFloat(s), -90);
  EXPECT_EQ(loader.ReadFloat(s), 3045);
  s.Seek(s.Position() + 4 * 4);
  EXPECT_EQ(loader.ReadInt32(s), 0);  // the empty polygon keeps its place
  EXPECT_EQ(loader.ReadInt32(s), 360123045);
}

TEST(DataSetPackerTest, RefusesWhatTheFormatCannotHold) {
  TDataSetPacker packer;
  EXPECT_THROW(packer.PackString(std::string(256, 'x')), std::length_error);
  EXPECT_THROW(packer.PackString("caf\xC3\xA9"), std::invalid_argument);
  EXPECT_THROW(packer.PackCoord32(3.0e6), std::out_of_range);
  EXPECT_THROW(packer.PackVektor(361, 0, 0), std::out_of_range);
  EXPECT_THROW(packer.PackVektor(0, 1000, 0), std::out_of_range);
  EXPECT_THROW(packer.PackVektor(0, 0, -1), std::out_of_range);
  EXPECT_TRUE(packer.Bytes().empty());
}

}  // namespace
}  // namespace corvane
