#pragma once
// Reading a GRIB edition 1 file of one pair of vector components (wind or
// current) into a stream cube: one time field per u record, one vector per
// grid point with a value, knots.
//
// The application services own one instance for the life of the program; it
// keeps the grid and scale values of the last file between readings, and its
// area test answers for the last grid decoded. One reading at a time.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/file_tools.h"
#include "core/types.h"
#include "grib/fast_grib_reader.h"
#include "grib/grib_byte_stream.h"
#include "tides/stream_cube.h"

namespace corvane {

// WMO code table 2 numbers of the components read.
inline constexpr std::uint8_t kGRIBParameterUWind = 33;
inline constexpr std::uint8_t kGRIBParameterVWind = 34;
inline constexpr std::uint8_t kGRIBParameterUCurrent = 49;
inline constexpr std::uint8_t kGRIBParameterVCurrent = 50;

class TFastGRIB2 : public TFastGRIB2Reader {
 public:
  // Files are looked for in the program's folder in the user's documents.
  TFastGRIB2() = default;
  // Files are looked for in the program's folder under documentsBase (tests
  // and batch runs).
  explicit TFastGRIB2(std::filesystem::path documentsBase);

  std::uint8_t uParm = 0;  // parameter numbers of the u and the v component
  std::uint8_t vParm = 0;  // of the current reading
  TFileTools FileTools;

  // Reads the u and v wind (33, 34) of fileName (a bare name with extension,
  // in the program's folder) into cube 0 of `cube`. Wind components are
  // negated, so a vector points where the wind comes from. The list's
  // OffsetAngle (degrees, set by the caller) turns every direction. A
  // missing file leaves one empty cube and no field.
  void ReadGRIBWind(const std::string& fileName, TListVektorCubeLight& cube);
  // Reads the u and v current (49, 50); the list's OffsetAngle becomes 0.
  void ReadGRIBCurrent(const std::string& fileName, TListVektorCubeLight& cube);
  // Reads every record of a byte stream into cube 0 as a reading of a file
  // does (reset, records, finishing), with the given component numbers.
  // Components 33 and 34 are taken as wind and negated.
  void ReadGRIBStream(TGRIBByteStream& stream, std::uint8_t uParameter, std::uint8_t vParameter,
                      TListVektorCubeLight& cube);

  // Records of a wanted parameter (u and v alike) in the last reading.
  std::uint32_t GetCountFields() const { return nRecord; }
  // Values per record: the number of grid positions.
  std::uint32_t GetCountVektors() const { return nData; }
  // South-west and north-east corner of the grid (x longitude, y latitude,
  // millidegrees), taken from the first and last points after the scanning
  // directions.
  TPointF GetGRIBAreaP1() const;
  TPointF GetGRIBAreaP2() const;

  // Diagnostic: writes BitMap to fileName in the program's folder, one line
  // per grid point, "True" or "False". False when the file cannot be written.
  bool DebugBitMap(const std::string& fileName) const;

 private:
  void ReadFile(const std::string& fileName, TListVektorCubeLight& cube);
  // Reset of a reading: per-file state and the cube list.
  void StartFile(TListVektorCubeLight& cube);
  // One record: ok = it was read whole and the reading goes on.
  bool ReadRecord(TGRIBByteStream& stream, TListVektorCubeLight& cube);
  // The positions of the grid points with a value, once per file.
  void SetPositions(TListVektorCubeLight& cube);
  // The values of the current record into the field of the latest u record
  // (a u record opens a new field). False, with ReadEnd, and the cube left
  // as it was, when a value is not a finite number, a u record repeats the
  // valid time of an earlier field, or a new field would pass
  // kGRIBMaxFields or kGRIBMaxDecodedValues.
  bool SetValues(TListVektorCubeLight& cube);
  // Fields in order of their valid times (a file may list them in any
  // order), polar forms, offset angle and routing area after the last record.
  void Finish(TListVektorCubeLight& cube) const;

  // The current record's values (m/s or the unit of the parameter), decoded
  // before any is stored.
  std::vector<float> Values;
};

}  // namespace corvane
