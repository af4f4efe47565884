// Writes the seed corpora of the fuzz programs, each into corpus/<program>
// below the folder given, with the project's own writers: the data-set
// packer (a few records of each built-in data set, loaded by the loaders
// and packed again), the polar writers and the settings writer. Seeds stay
// small (a few KB): the fuzzer finds the rest.
//
//   make_fuzz_seeds tests/fuzz/corpus
//
// The GRIB seeds come from ecCodes instead (make_grib_seeds.sh).

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "core/string_tools.h"
#include "data/data_set_packer.h"
#include "data/package_resource_loader.h"
#include "datasets/builtin_datasets.h"
#include "data_set_input.h"
#include "fuzz_input.h"
#include "polars/package_polars.h"
#include "polars/polar_exchange.h"
#include "polars/polar_records.h"
#include "state/settings_quarne.h"
#include "tides/package_tides.h"

namespace {

using namespace corvane;
namespace fs = std::filesystem;

using TBytes = std::vector<std::uint8_t>;

// How much of each built-in data set a seed keeps.
constexpr std::size_t kSeedBuoys = 4;
constexpr std::size_t kSeedNamedPoints = 3;
constexpr std::size_t kSeedPolygons = 2;
constexpr std::size_t kSeedPolygonPoints = 4;
constexpr std::size_t kSeedTideRecords = 40;
constexpr int kSeedCubes = 2;
constexpr int kSeedCubePoints = 5;
constexpr std::size_t kSeedLabels = 4;

TBytes BytesOf(const std::string& text) { return {text.begin(), text.end()}; }

// The data sets of one fuzz input, joined with the separator the fuzz
// programs cut at.
TBytes Joined(const std::vector<TBytes>& parts) {
  TBytes all;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) all.insert(all.end(), kFuzzPartSeparator.begin(), kFuzzPartSeparator.end());
    all.insert(all.end(), parts[i].begin(), parts[i].end());
  }
  return all;
}

std::string JoinedLines(const TStringList& lines, const std::string& lineEnd) {
  std::string text;
  for (const std::string& line : lines) text += line + lineEnd;
  return text;
}

class TSeedWriter {
 public:
  explicit TSeedWriter(fs::path corpus) : corpus_(std::move(corpus)) {}

  void Write(const std::string& program, const std::string& name, const TBytes& bytes) const {
    const fs::path folder = corpus_ / program;
    fs::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    std::cout << (folder / name).string() << "  " << bytes.size() << " bytes\n";
  }

 private:
  fs::path corpus_;
};

// Everything built in, loaded as at start-up.
struct TBuiltIn {
  explicit TBuiltIn(const fs::path& scratch)
      : Loader(BuiltInResourceStore(), TFileTools(scratch)) {
    TSettingsQuarne().Setup(2, 0, State);
    Loader.LoadListBuoys(State);
    Loader.LoadListMapTilesA(State);
    Loader.LoadListMapTilesB(State);
    Loader.LoadListTowns(State);
    Loader.LoadListFlats(State);
    Loader.LoadListTides(State, Tides);
    LoadStreamAtlas(Loader, State, Tides);
    Loader.LoadListClasses(State);
  }

  TBytes Text(const std::string& name) const {
    return BytesOf(TResourceStream(*BuiltInResourceStore().Open(name)).ReadAllText());
  }

  TPackageResourceLoader Loader;
  TInterfaceApplicationMobile State;
  TPackageTides Tides;
};

// ------------------------------------------------------------ polar files

TPolars BuiltInPolar(TBuiltIn& builtIn, const std::string& records, int index) {
  builtIn.Loader.ReadPolarsRecord(index, records, builtIn.State);
  return builtIn.State.Polars;
}

// The row-per-wind format: per data column its wind speed, then angle and
// speed of the beat point, the fixed rows and the gybe point.
std::string RowsPerWind(const TPolars& polars) {
  std::ostringstream text;
  text << "!  TWS  TWA BSP  TWA BSP ...\n";
  for (int c = kPolarTableFirstColumn; c <= kPolarTableLastColumn; ++c) {
    const auto& speeds = polars.Velocity[static_cast<std::size_t>(c)];
    text << polars.WindVelocity[static_cast<std::size_t>(c)] << "  "
         << polars.BeatAngles[static_cast<std::size_t>(c)] << " " << speeds.front();
    for (int r = 1; r + 1 < polars.nRows; ++r) {
      text << "  " << polars.WindAngles[static_cast<std::size_t>(r)] << " " << speeds[static_cast<std::size_t>(r)];
    }
    text << "  " << polars.GybeAngles[static_cast<std::size_t>(c)] << " " << speeds.back() << "\n";
  }
  return text.str();
}

std::string Replaced(std::string text, char from, char to) {
  std::replace(text.begin(), text.end(), from, to);
  return text;
}

void WritePolarExchangeSeeds(const TSeedWriter& seeds, TBuiltIn& builtIn) {
  const TPolars dinghy = BuiltInPolar(builtIn, "dinghy", 0);
  const TPolars yacht = BuiltInPolar(builtIn, "polars", 0);
  const std::string matrix = JoinedLines(WritePolarMatrix(dinghy), "\n");
  seeds.Write("polar_exchange", "matrix_semicolon.csv", BytesOf(matrix));
  // Tabs and a decimal comma, with a byte-order mark and "\r\n", as a
  // spreadsheet saves the matrix.
  TStringList spreadsheet = WritePolarMatrix(yacht);
  for (std::string& line : spreadsheet) line = Replaced(Replaced(line, ';', '\t'), '.', ',');
  seeds.Write("polar_exchange", "matrix_tab_comma.txt", BytesOf("\xEF\xBB\xBF" + JoinedLines(spreadsheet, "\r\n")));
  seeds.Write("polar_exchange", "rows_per_wind.pol", BytesOf(RowsPerWind(yacht)));
}

void WritePolarFileSeeds(const TSeedWriter& seeds, TBuiltIn& builtIn, const fs::path& scratch) {
  const TPackagePolars polars;
  for (const auto& [records, name] : {std::pair{"dinghy", "dinghy.pol"}, std::pair{"polars", "yacht.pol"}}) {
    const fs::path file = scratch / name;
    polars.SavePolars(file.string(), BuiltInPolar(builtIn, records, 0));
    std::ifstream in(file, std::ios::binary);
    seeds.Write("polar_file", name, TBytes(std::istreambuf_iterator<char>(in), {}));
  }
}

// ------------------------------------------------------------- settings

void WriteSettingsSeeds(const TSeedWriter& seeds, TBuiltIn& builtIn, const fs::path& scratch) {
  TInterfaceApplicationMobile state;
  TSettingsQuarne().Setup(2, 0, state);
  state.ListBuoysPosition.assign(builtIn.State.ListBuoysPosition.begin(),
                                 builtIn.State.ListBuoysPosition.begin() + 3);
  const fs::path file = scratch / "settings.ini";
  builtIn.Loader.SaveSettingsDevice(state, file.string());
  std::ifstream in(file, std::ios::binary);
  seeds.Write("settings", "region_defaults.ini", TBytes(std::istreambuf_iterator<char>(in), {}));
}

// --------------------------------------------------------------- chart

template <typename T>
std::vector<T> Head(const std::vector<T>& list, std::size_t count) {
  return {list.begin(), list.begin() + static_cast<std::ptrdiff_t>(std::min(count, list.size()))};
}

TListPolygon SmallGroup(const TListPolygon& group) {
  TListPolygon small;
  for (const TPolygon& polygon : Head(group, kSeedPolygons)) small.push_back(Head(polygon, kSeedPolygonPoints));
  return small;
}

TBytes NamedPoints(const TListMinutes& positions, const TStringList& names,
                   const std::vector<std::uint8_t>& aligns) {
  TDataSetPacker packer;
  const std::size_t count = std::min(kSeedNamedPoints, positions.size());
  packer.PackCount(static_cast<std::int32_t>(count));
  for (std::size_t i = 0; i < count; ++i) {
    packer.PackCoord(positions[i]);
    packer.PackString(names[i]);
    packer.PackCount8(aligns[i]);
  }
  return packer.Bytes();
}

void WriteChartSeeds(const TSeedWriter& seeds, TBuiltIn& builtIn) {
  const TInterfaceApplicationMobile& s = builtIn.State;
  // The tile with the fewest coast polygons, its groups cut short.
  const auto tile = std::min_element(s.ListMapTiles.begin(), s.ListMapTiles.end(), [](const auto& a, const auto& b) {
    return a.CoastLines.size() < b.CoastLines.size();
  });
  TDataSetPacker tiles;
  tiles.PackCount(1);
  tiles.PackCoord(tile->P1);
  tiles.PackCoord(tile->P2);
  tiles.PackCount(tile->IndexH);
  tiles.PackCount(tile->IndexV);
  tiles.PackCount(tile->Typ);
  for (const TListPolygon* group : {&tile->CoastLines, &tile->ShallowWaters, &tile->InWaterLines, &tile->Waters}) {
    tiles.PackPolygonGroup(SmallGroup(*group));
  }
  TDataSetPacker tilesB;
  tilesB.PackCount(1);
  for (const TListPolygon* group : {&tile->Lines10m, &tile->Lines5m, &tile->Heights}) {
    tilesB.PackPolygonGroup(SmallGroup(*group));
  }
  tilesB.PackPolygonGroup(SmallGroup(s.ListDrafts));
  tilesB.PackCount(1);
  tilesB.PackPolygonGroup(SmallGroup(s.ListInvDrafts.empty() ? TListPolygon{} : s.ListInvDrafts.front()));

  // Buoys keep their own names: the loader appended " - " and the shortcut.
  const TStringList buoyNames = [] {
    TStringList names;
    auto stream = BuiltInResourceStore().Open("BUOYS");
    TPackageSuperResourceLoader reader{TResourceStore()};
    reader.ReadInt32(*stream);
    while (stream->Position() < stream->Size() && names.size() < kSeedBuoys) {
      reader.ReadMinutes(*stream);
      names.push_back(reader.ReadString(*stream));
      reader.ReadByte(*stream);
      reader.ReadByte(*stream);
      reader.ReadString(*stream);
    }
    return names;
  }();
  TDataSetPacker buoys;
  buoys.PackCount(static_cast<std::int32_t>(buoyNames.size()));
  for (std::size_t i = 0; i < buoyNames.size(); ++i) {
    buoys.PackCoord(s.ListBuoysPosition[i]);
    buoys.PackString(buoyNames[i]);
    buoys.PackCount8(s.ListBuoysAlign[i]);
    buoys.PackCount8(s.ListBuoysType[i]);
    buoys.PackString(s.ListBuoysShortCut[i]);
  }
  // Course areas: no built-in data set holds them; three circles on the
  // first buoys.
  TDataSetPacker courses;
  for (std::size_t i = 0; i < std::min<std::size_t>(3, buoyNames.size()); ++i) {
    courses.PackCoord(s.ListBuoysPosition[i]);
    courses.PackString("Area " + std::to_string(i + 1));
    courses.PackCount8(static_cast<std::uint8_t>(50 * (i + 1)));
  }
  seeds.Write("chart_loader", "chart_head.bin",
              Joined({builtIn.Text("MAPINI"), tiles.Bytes(), tilesB.Bytes(), buoys.Bytes(),
                      NamedPoints(s.ListTownsPosition, s.ListTownsName, s.ListTownsAlign),
                      NamedPoints(s.ListFlatsPosition, s.ListFlatsName, s.ListFlatsAlign), courses.Bytes()}));
}

// ---------------------------------------------------------- tide table

TBytes TideRecords(const TListTides& table, std::size_t first, std::size_t count) {
  TDataSetPacker packer;
  for (std::size_t i = first; i < std::min(first + count, table.size()); ++i) {
    const TTides& record = table[i];
    packer.PackCount8(record.Gauge);
    packer.PackCount8(record.Hour);
    packer.PackCount8(record.Minute);
    packer.PackCount8(record.Level < 0 ? 1 : 0);
    packer.PackCount8(static_cast<std::uint8_t>(std::lround(std::abs(record.Level) * 10)));
  }
  return packer.Bytes();
}

void WriteTideTableSeeds(const TSeedWriter& seeds, TBuiltIn& builtIn) {
  const TListTides& main = builtIn.Tides.TidalAtlasMainPort;
  seeds.Write("tide_table", "main_port_head.bin",
              Joined({builtIn.Text("TIDESINI"), TideRecords(main, 0, kSeedTideRecords)}));
  seeds.Write("tide_table", "two_ports.bin",
              Joined({builtIn.Text("TIDESINI"), TideRecords(main, 0, kSeedTideRecords / 2),
                      TideRecords(main, kSeedTideRecords, kSeedTideRecords / 2)}));
}

// ---------------------------------------------------- tidal stream atlas

void WriteStreamAtlasSeeds(const TSeedWriter& seeds, TBuiltIn& builtIn) {
  const TListVektorCubeLight& cube = builtIn.State.CubeLoRes;
  const int cubes = std::min(kSeedCubes, cube.GetCountCubes());
  TDataSetPacker grid;
  grid.PackModelFrame(cube.ModelFrame, cube.ModelName);
  TDataSetPacker vectors;
  TDataSetPacker areas;
  for (int c = 0; c < cubes; ++c) {
    const TVektorCubeLight& one = cube.ListVektorCube[static_cast<std::size_t>(c)];
    const int points = std::min(kSeedCubePoints, cube.GetCountVektors(c));
    grid.PackCount(points);
    for (int j = 0; j < points; ++j) grid.PackCoord(cube.GetVektorMinutes(c, j));
    vectors.PackCount(points);
    for (const TVektorFieldLight& field : one.ListVektorField) {
      for (int j = 0; j < points; ++j) vectors.PackCount(field.ValuePacked[static_cast<std::size_t>(j)]);
    }
    const TListMinutes area = Head(one.VektorArea, kSeedCubePoints);
    areas.PackCount(static_cast<std::int32_t>(area.size()));
    for (const TMinutes& vertex : area) areas.PackCoord(vertex);
  }
  const auto positions = [](const TListMinutes& list) {
    TDataSetPacker packer;
    const TListMinutes head = Head(list, kSeedLabels);
    packer.PackCount(static_cast<std::int32_t>(head.size()));
    for (const TMinutes& p : head) packer.PackCoord(p);
    return packer.Bytes();
  };
  seeds.Write("stream_atlas", "atlas_head.bin",
              Joined({builtIn.Text("TIDESINI"), grid.Bytes(), vectors.Bytes(), areas.Bytes(),
                      positions(cube.CoordMText), positions(cube.SlackM)}));
}

// ------------------------------------------------------ polar library

TBytes PolarRecords(TBuiltIn& builtIn, const std::string& records, int count) {
  TDataSetPacker packer;
  for (int i = 0; i < count; ++i) {
    for (double value : PolarsRecordValues(BuiltInPolar(builtIn, records, i))) packer.PackFloatShort(value);
  }
  return packer.Bytes();
}

TBytes ClassNames(const TStringList& names) {
  TDataSetPacker packer;
  for (const std::string& name : names) packer.PackString(name);
  return packer.Bytes();
}

void WritePolarDataSetSeeds(const TSeedWriter& seeds, TBuiltIn& builtIn) {
  const TStringList& classes = builtIn.State.ListClasses;
  const auto dinghies = classes.begin();
  const auto yachts = classes.begin() + builtIn.State.CountDinghy;
  const TStringList dinghyNames(dinghies, dinghies + 2);
  const TStringList yachtNames(yachts, yachts + 1);
  const TBytes library = Joined({ClassNames(dinghyNames), PolarRecords(builtIn, "dinghy", 2),
                                 ClassNames(yachtNames), PolarRecords(builtIn, "polars", 1)});
  seeds.Write("polar_data_set", "second_dinghy.bin", Joined({library, BytesOf(dinghyNames[1])}));
  seeds.Write("polar_data_set", "first_yacht.bin", Joined({library, BytesOf(yachtNames[0])}));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_fuzz_seeds CORPUS_FOLDER\n";
    return 2;
  }
  const TFuzzScratch& scratch = FuzzScratch();
  TBuiltIn builtIn(scratch.Folder());
  const TSeedWriter seeds{fs::path(argv[1])};
  WritePolarExchangeSeeds(seeds, builtIn);
  WritePolarFileSeeds(seeds, builtIn, scratch.Folder());
  WriteSettingsSeeds(seeds, builtIn, scratch.Folder());
  WriteChartSeeds(seeds, builtIn);
  WriteTideTableSeeds(seeds, builtIn);
  WriteStreamAtlasSeeds(seeds, builtIn);
  WritePolarDataSetSeeds(seeds, builtIn);
  return 0;
}
