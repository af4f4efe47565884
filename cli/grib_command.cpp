// corvane grib: what a GRIB wind file holds (records, valid times, grid)
// with a summary of every time field, or the wind at one position.
//
// The file is read by the program's own decoder into a wind cube, so the
// numbers are the ones the window and routing work with: knots, and vectors
// that point toward the direction the wind comes from.
//
// Exit codes: 2 when FILE names no readable file (bad argument), 1 when the
// file is read but holds no GRIB wind record (file content), when its
// reading stopped at a faulty record (what was read before is still
// listed, so that a script notices the records left out), or when the
// position lies outside the grid.

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iomanip>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "cli/commands.h"
#include "core/constants.h"
#include "core/date_time.h"
#include "core/date_tools.h"
#include "core/math_tools.h"
#include "core/string_tools.h"
#include "grib/fast_grib.h"
#include "grib/grib_byte_stream.h"

namespace corvane::cli {

namespace {

constexpr int kDegreesPerCircle = 360;

struct TGribOptions {
  std::string File;
  std::string Lon;
  std::string Lat;
  std::string Time;  // "YYYY-MM-DD HH:MM"
};

// The wind of one time field over all grid points with a value.
struct TFieldSummary {
  double MeanSpeed = 0;  // knots
  double MinSpeed = 0;
  double MaxSpeed = 0;
  int MeanDirection = 0;  // whole degrees the wind comes from, 0 ... 359
};

// Degrees the wind comes from, rounded to whole degrees in 0 ... 359, of a
// vector that points toward that direction (x east, y north).
int DirectionFrom(const TCartesian& vektor) {
  const double degrees = std::atan2(vektor.x, vektor.y) * kRadiansToDegrees;
  const int whole = static_cast<int>(std::lround(degrees));
  return ((whole % kDegreesPerCircle) + kDegreesPerCircle) % kDegreesPerCircle;
}

TFieldSummary SummariseField(const TListVektorCubeLight& cube, int field) {
  TFieldSummary summary;
  const int count = cube.GetCountVektors(0, field);
  if (count == 0) return summary;
  TCartesian sum;
  double speeds = 0;
  summary.MinSpeed = HUGE_VALL;
  for (int point = 0; point < count; ++point) {
    const TCartesian vektor = cube.GetVektorCartesian(0, field, point);
    const double speed = std::hypot(vektor.x, vektor.y);
    speeds += speed;
    summary.MinSpeed = std::min(summary.MinSpeed, speed);
    summary.MaxSpeed = std::max(summary.MaxSpeed, speed);
    sum.x += vektor.x;
    sum.y += vektor.y;
  }
  summary.MeanSpeed = speeds / count;
  // The mean direction is that of the mean vector: an average of angles
  // would put a wind veering through north in the south.
  summary.MeanDirection = DirectionFrom(sum);
  return summary;
}

std::string Fixed(double value, int digits) {
  std::ostringstream text;
  text << std::fixed << std::setprecision(digits) << static_cast<double>(value);
  return text.str();
}

std::string Padded(const std::string& text, std::size_t width) {
  return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

std::string WindText(const TCartesian& vektor) {
  TStringTools tools;
  return tools.ToSpeed(std::hypot(vektor.x, vektor.y), 1) + " from " + std::to_string(DirectionFrom(vektor)) + " deg";
}

// The file as typed, or a bare name in the program's folder, where the
// window looks for GRIB files.
std::string FindFile(const TCliContext& context, const std::string& name) {
  if (std::filesystem::is_directory(name)) throw TUsageError(name + ": is a folder, not a GRIB file");
  if (std::filesystem::exists(name)) return name;
  const std::filesystem::path typed(name);
  if (!typed.has_parent_path()) {
    const std::string inFolder = context.Loader.FileTools.GetDocumentsPathForReading() + name;
    if (std::filesystem::exists(inFolder)) return inFolder;
  }
  throw TUsageError(name + ": no such file");
}

class TGribReport {
 public:
  TGribReport(const TCliContext& context, const TListVektorCubeLight& cube) : context_(context), cube_(cube) {}

  // A GMT moment as the user reads it, in local time of the reference port
  // first unless --gmt is given.
  std::string Moment(TDateTime gmt) const {
    const TDateTime local = TDateTools().GMTToLocal(context_.State.TimeZoneOffset, context_.State.TimeZone, gmt);
    if (context_.Options().GMT) return FormatDateTime(kMomentFormat, gmt) + " GMT";
    return FormatDateTime(kMomentFormat, local) + " local (" + FormatDateTime("hh:mm", gmt) + " GMT)";
  }

  // A moment typed by the user (local, or GMT with --gmt) in GMT.
  TDateTime TypedToGMT(TDateTime typed) const {
    if (context_.Options().GMT) return typed;
    return TDateTools().LocalToGMT(context_.State.TimeZoneOffset, context_.State.TimeZone, typed);
  }

  void WriteFields(std::ostream& out) const {
    const int fields = cube_.GetCountFields(0);
    const std::size_t timeWidth = Moment(cube_.GetTimeField(0)).size() + 2;
    out << "\n  " << Padded("Field", 7) << Padded("Valid time", timeWidth) << Padded("Mean kts", 10)
        << Padded("Min kts", 9) << Padded("Max kts", 9) << "Mean dir (from)\n";
    for (int field = 0; field < fields; ++field) {
      const TFieldSummary summary = SummariseField(cube_, field);
      out << "  " << Padded(std::to_string(field + 1), 7) << Padded(Moment(cube_.GetTimeField(field)), timeWidth)
          << Padded(Fixed(summary.MeanSpeed, 1), 10) << Padded(Fixed(summary.MinSpeed, 1), 9)
          << Padded(Fixed(summary.MaxSpeed, 1), 9) << std::setw(3) << std::setfill('0') << summary.MeanDirection
          << std::setfill(' ') << " deg\n";
    }
  }

  // Throws TUsageError when the typed moment is not served by the fields.
  void CheckMoment(TDateTime typed) const {
    if (cube_.GetDateTimeInCube(TypedToGMT(typed))) return;
    throw TUsageError("--time " + FormatDateTime(kMomentFormat, typed) + (context_.Options().GMT ? " GMT" : "") +
                      (cube_.GetCountFields(0) < 2 ? " cannot be served: the file holds a single time field"
                                                   : " lies outside the file's fields, which serve " +
                                                         Moment(cube_.GetTimeFirstField()) + " to " +
                                                         Moment(cube_.GetTimeLastField())));
  }

  // The wind at the position at the moment (checked with CheckMoment), or
  // at every field's valid time.
  int WriteWindAt(const TMinutes& position, const std::optional<TDateTime>& typed, std::ostream& out) const {
    const TMathTools math;
    out << Row("Position", math.MinutesToGeoPos(position));
    TCartesian probe;
    if (!cube_.GetTINFieldVektor(0, 0, position, probe)) {
      out << Row("Wind", "none: the position lies outside the grid");
      return kExitFailure;
    }
    if (typed) {
      const TDateTime gmt = TypedToGMT(*typed);
      out << Row("Moment", Moment(gmt));
      out << Row("Wind", WindText(cube_.GetTINVektor(false, 0, position, gmt)));
      return kExitOk;
    }
    for (int field = 0; field < cube_.GetCountFields(0); ++field) {
      TCartesian vektor;
      cube_.GetTINFieldVektor(0, field, position, vektor);
      out << Row("Field " + std::to_string(field + 1), Moment(cube_.GetTimeField(field)) + "  " + WindText(vektor));
    }
    return kExitOk;
  }

 private:
  const TCliContext& context_;
  const TListVektorCubeLight& cube_;
};

int RunGrib(TCliContext& context, const TGribOptions& options, std::ostream& out) {
  if (options.Lon.empty() != options.Lat.empty()) throw TUsageError("--lon and --lat go together");
  if (!options.Time.empty() && options.Lon.empty()) throw TUsageError("--time needs --lon and --lat");
  std::optional<TMinutes> position;
  if (!options.Lon.empty()) {
    const std::optional<double> lon = ParseCoordinate(options.Lon, false);
    if (!lon) throw TUsageError("--lon " + options.Lon + ": expected degrees east (-1.28 or 1.28W) or 001.16.800W");
    const std::optional<double> lat = ParseCoordinate(options.Lat, true);
    if (!lat) throw TUsageError("--lat " + options.Lat + ": expected degrees north (50.77 or 50.77N) or 050.46.200N");
    position = TMinutes{*lon, *lat};
  }
  std::optional<TDateTime> typed;
  if (!options.Time.empty()) {
    typed = ParseDateAndTime(options.Time);
    if (!typed) throw TUsageError("--time " + options.Time + ": expected a date and time \"YYYY-MM-DD HH:MM\"");
  }

  // The time zone of the reference port comes with the start-up.
  context.Load();
  const std::string path = FindFile(context, options.File);
  TGRIBFileStream stream;
  if (!stream.Open(path)) throw TUsageError(options.File + ": cannot be read");
  TFastGRIB2 grib;
  TListVektorCubeLight cube;
  grib.ReadGRIBStream(stream, kGRIBParameterUWind, kGRIBParameterVWind, cube);
  if (cube.GetCountFields(0) == 0 || grib.GetCountVektors() == 0) {
    throw TContentError(options.File + ": no GRIB edition 1 wind record (parameters 33 and 34) on a regular grid" +
                        (grib.ReadEnd.empty() ? std::string() : " (" + grib.ReadEnd + ")"));
  }

  const TGribReport report(context, cube);
  if (typed) report.CheckMoment(*typed);
  const TMathTools math;
  const int fields = cube.GetCountFields(0);
  const TPointF sw = grib.GetGRIBAreaP1();
  const TPointF ne = grib.GetGRIBAreaP2();
  constexpr double kMinutesPerMillidegree = 0.06;
  out << Row("File", options.File);
  out << Row("Records", std::to_string(grib.GetCountFields()) + " wind records, " + std::to_string(fields) +
                            " time field(s)");
  out << Row("Times", report.Moment(cube.GetTimeFirstField()) +
                          (fields > 1 ? " to " + report.Moment(cube.GetTimeLastField()) : std::string()));
  out << Row("Grid", std::to_string(grib.GridCountX) + " x " + std::to_string(grib.GridCountY) + " points, " +
                         std::to_string(grib.GetCountVektors()) + " with a value");
  out << Row("South-west", math.MinutesToGeoPos(TMinutes{sw.X * kMinutesPerMillidegree, sw.Y * kMinutesPerMillidegree}));
  out << Row("North-east", math.MinutesToGeoPos(TMinutes{ne.X * kMinutesPerMillidegree, ne.Y * kMinutesPerMillidegree}));
  if (!grib.ReadEnd.empty()) out << Row("Reading stopped", grib.ReadEnd);
  int code = kExitOk;
  if (position) {
    code = report.WriteWindAt(*position, typed, out);
  } else {
    report.WriteFields(out);
  }
  return grib.ReadEnd.empty() ? code : kExitFailure;
}

}  // namespace

TCommand AddGribCommand(CLI::App& app) {
  auto options = std::make_shared<TGribOptions>();
  TCommand command;
  command.Sub = app.add_subcommand(
      "grib",
      "What a GRIB wind file holds: records, times, grid and per field the mean, smallest and largest wind "
      "speed (knots) and the mean direction the wind comes from (the direction of the mean vector, whole "
      "degrees); with --lon and --lat the wind there. Exit 2 when FILE cannot be read, 1 when it holds no "
      "GRIB wind, its reading stopped at a faulty record, or the position lies outside its grid");
  command.Sub->add_option("FILE", options->File, "GRIB edition 1 file (a bare name is also looked for in the "
                                                 "program folder)")
      ->required();
  command.Sub->add_option("--lon", options->Lon, "Longitude, degrees east (negative west)")->type_name("L");
  command.Sub->add_option("--lat", options->Lat, "Latitude, degrees north")->type_name("L");
  command.Sub->add_option("--time", options->Time, "Moment of the wind at the position, between the file's "
                                                   "first and last field (default: every field)")
      ->type_name("\"YYYY-MM-DD HH:MM\"");
  command.Run = [options](TCliContext& context, std::ostream& out) { return RunGrib(context, *options, out); };
  return command;
}

}  // namespace corvane::cli
