// libFuzzer target over the GRIB reader: any bytes, read as wind and as
// current by one reader (so the second reading starts from the state the
// first left), must neither crash nor touch memory outside its buffers.
// AddressSanitizer reports what a bounds check would have missed,
// UndefinedBehaviorSanitizer a conversion or shift that overflows.

#include <cstddef>
#include <cstdint>
#include <span>

#include "grib/fast_grib.h"
#include "grib/grib_byte_stream.h"
#include "tides/stream_cube.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  const std::span<const std::uint8_t> bytes(data, size);
  TFastGRIB2 grib;
  // Small grids only, so that a few octets cannot ask for more memory than
  // the fuzzer allows; the limit check itself is exercised all the same.
  grib.MaxGridPoints = 1u << 14;
  TListVektorCubeLight cube;
  cube.OffsetAngle = 10;
  {
    TGRIBMemoryStream stream(bytes);
    grib.ReadGRIBStream(stream, kGRIBParameterUWind, kGRIBParameterVWind, cube);
  }
  {
    TGRIBMemoryStream stream(bytes);
    grib.ReadGRIBStream(stream, kGRIBParameterUCurrent, kGRIBParameterVCurrent, cube);
  }
  (void)grib.GetInGRIBArea({-60, 3030});
  (void)grib.GetGRIBAreaP1();
  return 0;
}
