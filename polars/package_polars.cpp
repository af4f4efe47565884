#include "polars/package_polars.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "core/constants.h"
#include "polars/polar_validity.h"

namespace corvane {

namespace {

// The polar file lists the data columns 1..7 and the fixed-angle rows 1..8.
constexpr int kFileColumns = 7;
constexpr int kFileRows = 8;

// The degree sign U+00B0, in UTF-8: the text files are written as UTF-8.
constexpr const char* kDegreeSign = "\xC2\xB0";

// Tack times that replace a file's when it gives velocities made good: those
// files come from sources that do not list tack times (seconds).
constexpr double kDefaultTackTimeLight = 5;  // columns 1..3
constexpr double kDefaultTackTimeFresh = 4;  // columns 4..7
constexpr int kLastLightColumn = 3;

std::size_t At(int i) { return static_cast<std::size_t>(i); }

// True when every array is as long as nCols and nRows say and there is at
// least one data column and one fixed-angle row.
bool WellFormed(const TPolars& p) {
  if (p.nCols < 3 || p.nRows < 3) return false;
  const auto cols = At(p.nCols);
  const auto rows = At(p.nRows);
  if (p.WindVelocity.size() < cols || p.WindAngles.size() < rows || p.BeatAngles.size() < cols ||
      p.TackTime.size() < cols || p.GybeAngles.size() < cols || p.Velocity.size() < cols) {
    return false;
  }
  for (std::size_t c = 0; c < cols; ++c) {
    if (p.Velocity[c].size() < rows) return false;
  }
  return true;
}

// Item i of a series, or 0 when the series lacks it.
double ValueOr0(const std::vector<double>& series, int i) {
  return i >= 0 && At(i) < series.size() ? series[At(i)] : 0;
}

double VelocityOr0(const TPolars& p, int column, int row) {
  return column >= 0 && At(column) < p.Velocity.size() ? ValueOr0(p.Velocity[At(column)], row) : 0;
}

}  // namespace

// ---------------------------------------------------------------- searches

int TPackagePolars::FindWindColumn(double w, const TPolars& Polars) const {
  if (!WellFormed(Polars)) return -1;
  for (int k = 0; k <= Polars.nCols - 2; ++k) {
    if (Polars.WindVelocity[At(k)] <= w && w <= Polars.WindVelocity[At(k + 1)]) return k;
  }
  return -1;
}

namespace {

// One per-column series interpolated at the wind speed w: linear between
// the data columns around w, held to the first and last data column between
// them and the bounds, 0 beyond the bounds.
template <typename Series>
double ColumnLookup(const TPackagePolars& package, double w, const TPolars& p, Series series) {
  const int k = package.FindWindColumn(w, p);
  if (k < 0) return 0;
  const int firstData = 1;
  const int lastData = p.nCols - 2;
  if (k < firstData) return series(firstData);
  if (k >= lastData) return series(lastData);
  return package.MathTools.LinearFunction(w, p.WindVelocity[At(k)], series(k),
                                          p.WindVelocity[At(k + 1)], series(k + 1));
}

}  // namespace

// ------------------------------------------------------- per-column lookups

double TPackagePolars::GetBeatSpeed(const TPolar& Wind, const TPolars& Polars) const {
  return ColumnLookup(*this, Wind.Betrag, Polars, [&](int c) { return Polars.Velocity[At(c)][0]; });
}

double TPackagePolars::GetBeatAngle(const TPolar& Wind, const TPolars& Polars) const {
  return ColumnLookup(*this, Wind.Betrag, Polars, [&](int c) { return Polars.BeatAngles[At(c)]; });
}

double TPackagePolars::GetRunSpeed(const TPolar& Wind, const TPolars& Polars) const {
  return ColumnLookup(*this, Wind.Betrag, Polars,
                      [&](int c) { return Polars.Velocity[At(c)][At(Polars.nRows - 1)]; });
}

double TPackagePolars::GetGybeAngle(const TPolar& Wind, const TPolars& Polars) const {
  const double angle =
      ColumnLookup(*this, Wind.Betrag, Polars, [&](int c) { return Polars.GybeAngles[At(c)]; });
  return std::min(angle, Polars.GybeAngleMax);
}

double TPackagePolars::GetBeatTackTime(const TPolar& Wind, const TPolars& Polars) const {
  return ColumnLookup(*this, Wind.Betrag, Polars, [&](int c) { return Polars.TackTime[At(c)]; });
}

// ------------------------------------------------------------- reach speed

double TPackagePolars::GetReachSpeedOfColumn(double SailingAngle, int Column,
                                          const TPolars& Polars) const {
  if (!WellFormed(Polars) || Column < 1 || Column > Polars.nCols - 2) return 0;
  const int rows = Polars.nRows;
  const int runRow = rows - 1;
  const auto& speeds = Polars.Velocity[At(Column)];

  // The angle of each row in this column: the beat and run rows sail at the
  // column's own optimum angles, the rows between at the fixed angles.
  auto angleOf = [&](int row) {
    if (row == 0) return Polars.BeatAngles[At(Column)];
    if (row == runRow) return Polars.GybeAngles[At(Column)];
    return Polars.WindAngles[At(row)];
  };

  // Rows in order of angle: the run row moves down to its place among the
  // fixed rows (a gybe angle of 140 stands between 135 and 150). The beat
  // row stays first: it is the only row below the first fixed angle in any
  // sensible table, and the extrapolation below relies on it.
  // The run row's place: below every fixed row whose angle exceeds its own.
  const double runAngle = angleOf(runRow);
  int runPlace = runRow;
  while (runPlace > 1 && runAngle < angleOf(runPlace - 1)) --runPlace;
  const auto order = [&](int place) {
    if (place < runPlace) return place;
    return place == runPlace ? runRow : place - 1;
  };

  const double d = std::fabs(SailingAngle) * kRadiansToDegrees;
  int j = 0;
  while (j < rows - 2 && angleOf(order(j + 1)) <= d) ++j;
  const int r1 = order(j);
  const int r2 = order(j + 1);
  return MathTools.LinearFunction(d, angleOf(r1), speeds[At(r1)], angleOf(r2), speeds[At(r2)]);
}

double TPackagePolars::GetReachSpeed(const TPolar& Wind, double SailingAngle,
                                  const TPolars& Polars) const {
  const double w = Wind.Betrag;
  const int k = FindWindColumn(w, Polars);
  if (k < 0) return 0;
  // The bound columns stand in for their neighbouring data column, so the
  // speed is held outside the data columns' wind range.
  auto speedIn = [&](int column) {
    return GetReachSpeedOfColumn(SailingAngle, std::clamp(column, 1, Polars.nCols - 2), Polars);
  };
  return MathTools.LinearFunction(w, Polars.WindVelocity[At(k)], speedIn(k),
                                  Polars.WindVelocity[At(k + 1)], speedIn(k + 1));
}

void TPackagePolars::GetPolarData(const TPolar& TrueWind, TPolars& Polars) const {
  TPolars& polars = Polars;
  const TPolar& wind = TrueWind;
  polars.BeatSpeed = GetBeatSpeed(wind, polars);
  polars.BeatAngle = GetBeatAngle(wind, polars);
  polars.RunSpeed = GetRunSpeed(wind, polars);
  polars.GybeAngle = GetGybeAngle(wind, polars);
  polars.BeatTackTime = GetBeatTackTime(wind, polars);
}

// ---------------------------------------------------------------- validity

bool TPackagePolars::GetValidBeat(const TPolars& Polars) const {
  return corvane::GetValidBeat(Polars);
}

bool TPackagePolars::GetValidRun(const TPolars& Polars) const {
  return corvane::GetValidRun(Polars);
}

bool TPackagePolars::GetValidReach(const TPolars& Polars) const {
  return corvane::GetValidReach(Polars);
}

// ------------------------------------------------------------- polar files

bool TPackagePolars::LoadPolars(const std::string& FileName, TPolars& Polars) {
  Polars.Reset();
  TStringList lines;
  if (!FileTools.ReadTextFile(FileName, lines)) return false;

  enum class Kind {
    WindVelocity,
    BeatAngles,
    BeatVMG,
    Beat,
    TackTime,
    RunVMG,
    Run,
    GybeAngles,
    Row
  };
  struct Label {
    const char* text;
    Kind kind;
  };
  // Tested in this order: "Beat Angles" and "Beat VMG" before "Beat", "Run
  // VMG" before "Run".
  static constexpr Label kLabels[] = {
      {"Wind Velocity", Kind::WindVelocity},
      {"Beat Angles", Kind::BeatAngles},
      {"Beat VMG", Kind::BeatVMG},
      {"Beat", Kind::Beat},
      {"Tack Time", Kind::TackTime},
      {"Run VMG", Kind::RunVMG},
      {"Run", Kind::Run},
      {"Gybe Angles", Kind::GybeAngles},
  };

  const int runRow = Polars.nRows - 1;
  bool beatIsVMG = false;
  bool runIsVMG = false;
  int dataRow = 0;
  TStringList tokens;

  // The n-th value of the line (n = 1 .. 7) is token first + (n - 1) * step.
  auto readValues = [&](std::size_t first, std::size_t step, auto store) {
    for (int n = 1; n <= kFileColumns; ++n) {
      const std::size_t t = first + At(n - 1) * step;
      if (t >= tokens.size()) break;
      store(n, StringTools.StrToExtended(tokens[t], 0));
    }
  };

  for (const std::string& line : lines) {
    StringTools.GetDelimitedStringList(line, ' ', tokens);
    if (tokens.empty()) continue;  // a blank line is no data row

    Kind kind = Kind::Row;
    for (const Label& label : kLabels) {
      if (line.find(label.text) != std::string::npos) {
        kind = label.kind;
        break;
      }
    }

    switch (kind) {
      case Kind::WindVelocity:  // "Wind Velocity 6 kts 8 kts ...": skip the units
        readValues(2, 2, [&](int n, double v) { Polars.WindVelocity[At(n)] = v; });
        break;
      case Kind::BeatAngles:
        readValues(2, 1, [&](int n, double v) { Polars.BeatAngles[At(n)] = v; });
        break;
      case Kind::BeatVMG:
        readValues(2, 1, [&](int n, double v) { Polars.Velocity[At(n)][0] = v; });
        beatIsVMG = true;
        break;
      case Kind::Beat:
        readValues(1, 1, [&](int n, double v) { Polars.Velocity[At(n)][0] = v; });
        beatIsVMG = false;
        break;
      case Kind::TackTime:
        readValues(2, 1, [&](int n, double v) { Polars.TackTime[At(n)] = v; });
        break;
      case Kind::RunVMG:
        readValues(2, 1, [&](int n, double v) { Polars.Velocity[At(n)][At(runRow)] = v; });
        runIsVMG = true;
        break;
      case Kind::Run:
        readValues(1, 1, [&](int n, double v) { Polars.Velocity[At(n)][At(runRow)] = v; });
        runIsVMG = false;
        break;
      case Kind::GybeAngles:
        readValues(2, 1, [&](int n, double v) { Polars.GybeAngles[At(n)] = v; });
        break;
      case Kind::Row: {
        ++dataRow;
        if (dataRow > kFileRows) break;  // beyond the table: ignored
        const int row = dataRow;
        Polars.WindAngles[At(row)] = StringTools.StrToExtended(tokens[0], 0);
        readValues(1, 1, [&](int n, double v) { Polars.Velocity[At(n)][At(row)] = v; });
        break;
      }
    }
  }

  // A velocity made good along the wind is the boat speed times the cosine
  // of the angle to the wind (to the dead run for the downwind side).
  if (beatIsVMG) {
    for (int c = 0; c < Polars.nCols; ++c) {
      const double angle = Polars.BeatAngles[At(c)];
      if (angle < 90) Polars.Velocity[At(c)][0] /= std::cos(angle * kDegreesToRadians);
    }
  }
  if (runIsVMG) {
    for (int c = 0; c < Polars.nCols; ++c) {
      const double angle = Polars.GybeAngles[At(c)];
      if (angle > 90)
        Polars.Velocity[At(c)][At(runRow)] /= std::cos((180 - angle) * kDegreesToRadians);
    }
  }
  if (beatIsVMG || runIsVMG) {
    for (int c = 1; c <= kFileColumns; ++c) {
      Polars.TackTime[At(c)] =
          c <= kLastLightColumn ? kDefaultTackTimeLight : kDefaultTackTimeFresh;
    }
  }
  return true;
}

bool TPackagePolars::SavePolars(const std::string& FileName, const TPolars& Polars) const {
  const int runRow = Polars.nRows - 1;
  // One line: the head, then per data column a blank and the column's text.
  auto line = [&](std::string head, auto columnText) {
    for (int c = 1; c <= kFileColumns; ++c) head += " " + columnText(c);
    return head;
  };
  auto fixed = [&](double value, int decimals) { return StringTools.ExtendedToStr(value, decimals); };

  TStringList lines;
  lines.push_back(line("Wind Velocity",
                       [&](int c) { return fixed(ValueOr0(Polars.WindVelocity, c), 0) + " kts"; }));
  lines.push_back(line("Beat Angles", [&](int c) {
    return fixed(ValueOr0(Polars.BeatAngles, c), 1) + kDegreeSign;
  }));
  lines.push_back(line("Beat", [&](int c) { return fixed(VelocityOr0(Polars, c, 0), 1); }));
  lines.push_back(line("Tack Time", [&](int c) { return fixed(ValueOr0(Polars.TackTime, c), 1); }));
  for (int row = 1; row <= kFileRows; ++row) {
    lines.push_back(line(fixed(ValueOr0(Polars.WindAngles, row), 0) + kDegreeSign,
                         [&](int c) { return fixed(VelocityOr0(Polars, c, row), 1); }));
  }
  lines.push_back(line("Run", [&](int c) { return fixed(VelocityOr0(Polars, c, runRow), 1); }));
  lines.push_back(line("Gybe Angles", [&](int c) {
    return fixed(ValueOr0(Polars.GybeAngles, c), 1) + kDegreeSign;
  }));
  return FileTools.SaveTextFile(FileName, lines);
}

}  // namespace corvane
