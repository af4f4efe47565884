// Decoding throughput of the GRIB reader against ECMWF's ecCodes library on
// the same file in the same run. The file (about 22 MB: 240 records, u and v
// wind of 120 forecast hours on a 300 x 200 grid at 12 bits per value) is
// written by ecCodes itself at the start, into the system's temporary folder.
//
//   Ours/ReadGRIBWind     file -> stream cube: positions, u and v in knots,
//                         polar forms and routing area (what the program uses)
//   ECCodes/DoubleValues  file -> one array of doubles per record
//                         (codes_handle_new_from_file, codes_get_double_array)
//   ECCodes/IntoCube      the same, then the same stream cube filled from the
//                         arrays with the same cube operations as ours: the
//                         like-for-like figure for the decoder alone
//
// Each reports bytes of GRIB read per second; the ratios of the rates are the
// figures to compare. Most of a reading into the cube goes to the cube (its
// vectors and their polar forms), not to the GRIB octets.

#include <benchmark/benchmark.h>
#include <eccodes.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "grib/fast_grib.h"
#include "tides/stream_cube.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

constexpr long kNi = 300;
constexpr long kNj = 200;
constexpr int kSteps = 120;

struct THandleDeleter {
  void operator()(codes_handle* h) const { codes_handle_delete(h); }
};
using THandle = std::unique_ptr<codes_handle, THandleDeleter>;

struct TFileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
using TFile = std::unique_ptr<FILE, TFileCloser>;

void Check(int err, const char* what) {
  if (err != 0) throw std::runtime_error(std::string(what) + ": " + codes_get_error_message(err));
}

// The benchmark file, written once per run.
struct TBenchFile {
  fs::path Base = fs::temp_directory_path() / "corvane-bench-grib";
  std::string Name = "bench.grb";
  std::string Path;
  std::uint64_t Size = 0;

  TBenchFile() {
    const TFileTools tools(Base);
    Path = tools.GetDocumentsPath() + Name;
    THandle h(codes_grib_handle_new_from_samples(nullptr, "regular_ll_sfc_grib1"));
    if (!h) throw std::runtime_error("ecCodes sample regular_ll_sfc_grib1 missing");
    Check(codes_set_long(h.get(), "table2Version", 3), "table2Version");
    Check(codes_set_long(h.get(), "dataDate", 20160612), "dataDate");
    Check(codes_set_long(h.get(), "dataTime", 600), "dataTime");
    Check(codes_set_long(h.get(), "Ni", kNi), "Ni");
    Check(codes_set_long(h.get(), "Nj", kNj), "Nj");
    Check(codes_set_double(h.get(), "latitudeOfFirstGridPointInDegrees", 52.99), "La1");
    Check(codes_set_double(h.get(), "latitudeOfLastGridPointInDegrees", 49.01), "La2");
    Check(codes_set_double(h.get(), "longitudeOfFirstGridPointInDegrees", -4.0), "Lo1");
    Check(codes_set_double(h.get(), "longitudeOfLastGridPointInDegrees", 1.98), "Lo2");
    Check(codes_set_double(h.get(), "iDirectionIncrementInDegrees", 0.02), "Di");
    Check(codes_set_double(h.get(), "jDirectionIncrementInDegrees", 0.02), "Dj");
    Check(codes_set_long(h.get(), "bitsPerValue", 12), "bitsPerValue");
    TFile out(std::fopen(Path.c_str(), "wb"));
    if (!out) throw std::runtime_error("cannot write " + Path);
    std::vector<double> values(static_cast<std::size_t>(kNi * kNj));
    for (int step = 0; step < kSteps; ++step) {
      for (const long parameter : {33L, 34L}) {
        for (std::size_t k = 0; k < values.size(); ++k) {
          const double i = static_cast<double>(k % kNi);
          const double j = static_cast<double>(k / kNi);
          values[k] = parameter == 33 ? 9 * std::sin(0.03 * i + 0.05 * j + 0.1 * step) + 2
                                      : 7 * std::cos(0.04 * i - 0.02 * j + 0.07 * step) - 1;
        }
        Check(codes_set_long(h.get(), "indicatorOfParameter", parameter), "parameter");
        Check(codes_set_long(h.get(), "P1", step), "P1");
        Check(codes_set_double_array(h.get(), "values", values.data(), values.size()), "values");
        const void* message = nullptr;
        std::size_t length = 0;
        Check(codes_get_message(h.get(), &message, &length), "message");
        if (std::fwrite(message, 1, length, out.get()) != length) {
          throw std::runtime_error("cannot write " + Path);
        }
      }
    }
    out.reset();
    Size = fs::file_size(Path);
  }
};

const TBenchFile& BenchFile() {
  static const TBenchFile file;
  return file;
}

void BM_Ours_ReadGRIBWind(benchmark::State& state) {
  const TBenchFile& file = BenchFile();
  TFastGRIB2 grib(file.Base);
  TListVektorCubeLight cube;
  for (auto _ : state) {
    grib.ReadGRIBWind(file.Name, cube);
    benchmark::DoNotOptimize(cube.ListVektorCube.data());
  }
  if (cube.GetCountFields(0) != kSteps) state.SkipWithError("wrong field count");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.Size));
  state.counters["records"] = static_cast<double>(grib.GetCountFields());
}
BENCHMARK(BM_Ours_ReadGRIBWind)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_ECCodes_DoubleValues(benchmark::State& state) {
  const TBenchFile& file = BenchFile();
  std::vector<double> values;
  long records = 0;
  for (auto _ : state) {
    TFile in(std::fopen(file.Path.c_str(), "rb"));
    records = 0;
    int err = 0;
    while (THandle h{codes_handle_new_from_file(nullptr, in.get(), PRODUCT_GRIB, &err)}) {
      std::size_t size = 0;
      Check(codes_get_size(h.get(), "values", &size), "size");
      values.resize(size);
      Check(codes_get_double_array(h.get(), "values", values.data(), &size), "values");
      benchmark::DoNotOptimize(values.data());
      ++records;
    }
  }
  if (records != 2 * kSteps) state.SkipWithError("wrong record count");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.Size));
  state.counters["records"] = static_cast<double>(records);
}
BENCHMARK(BM_ECCodes_DoubleValues)->Unit(benchmark::kMillisecond)->MinTime(3);

// ecCodes as the decoder behind the same cube: positions from the first
// record's latitudes and longitudes, u and v in knots (wind negated), polar
// forms and routing area as the reader leaves them.
void BM_ECCodes_IntoCube(benchmark::State& state) {
  const TBenchFile& file = BenchFile();
  const TMathTools math;
  TListVektorCubeLight cube;
  std::vector<double> values;
  std::vector<double> lats;
  std::vector<double> lons;
  for (auto _ : state) {
    cube.ClrCubes();
    cube.AddCube();
    TFile in(std::fopen(file.Path.c_str(), "rb"));
    int err = 0;
    int field = -1;
    while (THandle h{codes_handle_new_from_file(nullptr, in.get(), PRODUCT_GRIB, &err)}) {
      std::size_t size = 0;
      Check(codes_get_size(h.get(), "values", &size), "size");
      values.resize(size);
      Check(codes_get_double_array(h.get(), "values", values.data(), &size), "values");
      if (cube.GetCountVektors(0) == 0) {
        lats.resize(size);
        lons.resize(size);
        std::size_t n = size;
        Check(codes_get_double_array(h.get(), "latitudes", lats.data(), &n), "latitudes");
        Check(codes_get_double_array(h.get(), "longitudes", lons.data(), &n), "longitudes");
        for (std::size_t k = 0; k < size; ++k) {
          const double lon = lons[k] > 180 ? lons[k] - 360 : lons[k];
          cube.AddPosition(0, TMinutes{static_cast<double>(lon) * 60, static_cast<double>(lats[k]) * 60});
        }
      }
      long parameter = 0;
      Check(codes_get_long(h.get(), "indicatorOfParameter", &parameter), "parameter");
      const int count = static_cast<int>(size);
      if (parameter == 33) {
        field = cube.AddField(0);
        cube.AddVektors(0, field, count);
        for (int k = 0; k < count; ++k) {
          cube.SetVektorCartesianX(0, field, math.MsToKn(-static_cast<float>(values[static_cast<std::size_t>(k)])), k);
        }
      } else if (parameter == 34 && field >= 0) {
        for (int k = 0; k < count; ++k) {
          cube.SetVektorCartesianY(0, field, math.MsToKn(-static_cast<float>(values[static_cast<std::size_t>(k)])), k);
        }
      }
    }
    for (int f = 0; f < cube.GetCountFields(0); ++f) {
      for (int k = 0; k < cube.GetCountVektors(0, f); ++k) cube.SetVektorPolar(0, f, k);
    }
    cube.ResetIndexRoutingArea();
    benchmark::DoNotOptimize(cube.ListVektorCube.data());
  }
  if (cube.GetCountFields(0) != kSteps) state.SkipWithError("wrong field count");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.Size));
}
BENCHMARK(BM_ECCodes_IntoCube)->Unit(benchmark::kMillisecond)->MinTime(3);

}  // namespace
}  // namespace corvane
