// corvane currents: the tidal stream at one position, or a summary of the
// drawn stream field, for a moment and a calibration.

#include <memory>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "core/constants.h"
#include "core/math_tools.h"
#include "core/string_tools.h"

namespace corvane::cli {

namespace {

// Knots to metres per minute: one knot is one nautical mile (1852 m) per
// hour.
constexpr double kMinutesPerHour = 60;

struct TCurrentsOptions {
  std::string Time;  // "YYYY-MM-DD HH:MM"
  std::string Lon;
  std::string Lat;
  std::optional<int> Shift;  // minutes
  std::optional<int> Range;  // percent
};

std::string SpeedText(double knots) {
  TStringTools tools;
  return tools.ToSpeed(knots, 2) + " (" + tools.ToSpeed(knots * kMetresPerNauticalMile / kMinutesPerHour) + ")";
}

// The first cube of the drawn atlas whose validity area holds the position;
// -1 when none does.
int CubeAt(const TInterfaceApplicationMobile& state, const TMinutes& position) {
  const TMathTools math;
  const TListVektorCubeLight& atlas = state.CubeLoRes;
  for (int c = 0; c < atlas.GetCountCubes(); ++c) {
    if (math.GetInPolygon(position, atlas.ListVektorCube[static_cast<std::size_t>(c)].VektorArea)) return c;
  }
  return -1;
}

int WriteStreamAt(TCliContext& context, const TMinutes& position, std::ostream& out) {
  const TInterfaceApplicationMobile& state = context.State;
  const TMathTools math;
  TStringTools tools;
  out << Row("Position", math.MinutesToGeoPos(position));
  if (CubeAt(state, position) < 0) {
    out << Row("Stream", "none: the position lies outside the stream atlas");
    return kExitFailure;
  }
  if (!context.Currents.GetInWater(position, state)) {
    out << Row("Stream", "none: the position lies ashore");
    return kExitFailure;
  }
  const TPolar stream = context.Currents.GetCurrents(state, position);
  out << Row("Stream", SpeedText(stream.Betrag) + " toward " + tools.ToCompass(stream.Winkel * kRadiansToDegrees));
  return kExitOk;
}

int WriteFieldSummary(TCliContext& context, std::ostream& out) {
  const TInterfaceApplicationMobile& state = context.State;
  const TListVektorCubeLight& atlas = state.CubeLoRes;
  const TMathTools math;
  TStringTools tools;

  int points = 0;
  int arrows = 0;
  double sum = 0;
  TPolar strongest;
  TMinutes strongestAt;
  for (int c = 0; c < atlas.GetCountCubes(); ++c) {
    for (int p = 0; p < atlas.GetCountVektors(c); ++p) {
      const TPolar stream = atlas.GetVektorIntpPolar(c, p);
      ++points;
      sum += stream.Betrag;
      if (stream.Betrag > state.CurrentsMin) ++arrows;
      if (stream.Betrag > strongest.Betrag) {
        strongest = stream;
        strongestAt = atlas.GetVektorMinutes(c, p);
      }
    }
  }
  int slack = 0;
  for (int s = 0; s < atlas.GetCountSlacks(); ++s) {
    if (atlas.GetSlack(s)) ++slack;
  }
  out << Row("Drawn field", std::to_string(points) + " points in " + std::to_string(atlas.GetCountCubes()) +
                                " cube(s), " + std::to_string(arrows) + " above " + tools.ToSpeed(state.CurrentsMin, 1));
  out << Row("Strongest", SpeedText(strongest.Betrag) + " toward " +
                              tools.ToCompass(strongest.Winkel * kRadiansToDegrees) + " at " +
                              math.MinutesToGeoPos(strongestAt));
  out << Row("Mean", SpeedText(points > 0 ? sum / points : 0));
  out << Row("Slack marks", std::to_string(slack) + " of " + std::to_string(atlas.GetCountSlacks()) +
                                " slack positions at or below " + tools.ToSpeed(state.SlackMin, 2));
  return kExitOk;
}

int RunCurrents(TCliContext& context, const TCurrentsOptions& options, std::ostream& out) {
  const std::optional<TDateTime> typed = ParseDateAndTime(options.Time);
  if (!typed) throw TUsageError("--time " + options.Time + ": expected a date and time \"YYYY-MM-DD HH:MM\"");
  if (options.Lon.empty() != options.Lat.empty()) throw TUsageError("--lon and --lat go together");
  std::optional<TMinutes> position;
  if (!options.Lon.empty()) {
    const std::optional<double> lon = ParseCoordinate(options.Lon, false);
    if (!lon) throw TUsageError("--lon " + options.Lon + ": expected degrees east (-1.28 or 1.28W) or 001.16.800W");
    const std::optional<double> lat = ParseCoordinate(options.Lat, true);
    if (!lat) throw TUsageError("--lat " + options.Lat + ": expected degrees north (50.77 or 50.77N) or 050.46.200N");
    position = TMinutes{*lon, *lat};
  }
  context.SetCalibration(options.Shift, options.Range);
  context.SetMoment(*typed);

  const TInterfaceApplicationMobile& state = context.State;
  TStringTools tools;
  out << Row("Moment", context.MomentText());
  out << Row("High water", state.TidesValid ? state.HoursToRefTideText : std::string("no tides for the moment"));
  out << Row("Calibration", tools.ToCalibrationText(state.IndexTideShift, state.IndexRangeShift));
  if (!context.HasStreamAtlas()) {
    out << "No stream atlas is built in (data sets STREAMG and STREAMF): there are no streams to show.\n";
    return kExitFailure;
  }
  if (!state.TidesValid) {
    out << "No tides around the moment: the streams cannot be timed.\n";
    return kExitFailure;
  }
  return position ? WriteStreamAt(context, *position, out) : WriteFieldSummary(context, out);
}

}  // namespace

TCommand AddCurrentsCommand(CLI::App& app) {
  auto options = std::make_shared<TCurrentsOptions>();
  TCommand command;
  command.Sub = app.add_subcommand("currents", "The tidal stream at a position, or a summary of the drawn field");
  command.Sub->add_option("--time", options->Time, "Moment of the streams")
      ->type_name("\"YYYY-MM-DD HH:MM\"")
      ->required();
  command.Sub->add_option("--lon", options->Lon, "Longitude, degrees east (negative west)")->type_name("L");
  command.Sub->add_option("--lat", options->Lat, "Latitude, degrees north")->type_name("L");
  command.Sub->add_option("--shift", options->Shift, "High-water time shift, minutes (multiple of 10, -150 to 150)")
      ->type_name("MIN");
  command.Sub->add_option("--range", options->Range, "Stream speed correction, percent (multiple of 5, -100 to 100)")
      ->type_name("PCT");
  command.Run = [options](TCliContext& context, std::ostream& out) { return RunCurrents(context, *options, out); };
  return command;
}

}  // namespace corvane::cli
