#include "polars/polar_exchange.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <optional>
#include <set>
#include <stdexcept>
#include <utility>

#include "core/constants.h"
#include "core/file_tools.h"
#include "core/math_tools.h"

namespace corvane {

namespace {

// The table's data columns and fixed-angle rows.
constexpr int kFirstColumn = 1;
constexpr int kLastColumn = 7;
constexpr int kFirstFixedRow = 1;
constexpr int kLastFixedRow = 8;
constexpr int kRunRow = 9;
constexpr int kTableColumns = 9;
constexpr int kTableRows = 10;

// Tack times of a polar whose source lists none (seconds), as for a polar
// file given by velocities made good.
constexpr double kTackTimeLight = 5;  // columns 1..3
constexpr double kTackTimeFresh = 4;  // columns 4..7
constexpr int kLastLightColumn = 3;

// The beam: upwind points lie below it, downwind points above it (degrees).
constexpr double kBeamAngle = 90;
constexpr double kMaxAngle = 180;
// Two angles or wind speeds closer than this are the same (the files carry
// at most a few decimals).
constexpr double kSame = 1e-6;
// The exported numbers carry hundredths.
constexpr double kExportScale = 100;

std::size_t At(int i) { return static_cast<std::size_t>(i); }

// A number as the messages and the exported matrix write it: up to two
// decimals, trailing zeros dropped, a decimal point in every locale.
std::string Num(double value) {
  const long long hundredths = std::llround(value * kExportScale);
  const long long whole = std::llabs(hundredths) / 100;
  const long long fraction = std::llabs(hundredths) % 100;
  std::string text = (hundredths < 0 ? "-" : "") + std::to_string(whole);
  if (fraction != 0) {
    text += '.';
    text += static_cast<char>('0' + fraction / 10);
    if (fraction % 10 != 0) text += static_cast<char>('0' + fraction % 10);
  }
  return text;
}

std::string AtLine(int line) { return "line " + std::to_string(line) + ": "; }

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// A cell as a number, read without regard to the user's locale; a decimal
// comma is taken when the cells are not separated by commas. Nothing for
// text that is not wholly one finite number.
std::optional<double> ParseNumber(std::string text, bool decimalComma) {
  text = Trim(text);
  if (decimalComma) std::replace(text.begin(), text.end(), ',', '.');
  if (!text.empty() && text.front() == '+') text.erase(0, 1);
  if (text.empty()) return std::nullopt;
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
  if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  return static_cast<double>(value);
}

// The separator of a line: ";", else a tab, else ",", else blanks (0).
char SeparatorOf(const std::string& line) {
  for (const char separator : {';', '\t', ','}) {
    if (line.find(separator) != std::string::npos) return separator;
  }
  return 0;
}

// The cells of a line. With a separator every cell is kept, empty ones too
// (a trailing empty cell is dropped); with blanks the runs of blanks and
// tabs separate and there are no empty cells.
std::vector<std::string> SplitCells(const std::string& line, char separator) {
  std::vector<std::string> cells;
  if (separator == 0) {
    std::size_t pos = 0;
    while (true) {
      pos = line.find_first_not_of(" \t\r", pos);
      if (pos == std::string::npos) break;
      const std::size_t end = line.find_first_of(" \t\r", pos);
      cells.push_back(line.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
      if (end == std::string::npos) break;
      pos = end;
    }
    return cells;
  }
  std::size_t start = 0;
  while (true) {
    const std::size_t end = line.find(separator, start);
    cells.push_back(Trim(line.substr(start, end == std::string::npos ? std::string::npos : end - start)));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  if (!cells.empty() && cells.back().empty()) cells.pop_back();
  return cells;
}

bool IsMatrixHeader(const std::string& firstCell) {
  const std::string cell = Lower(firstCell);
  return cell == "twa/tws" || cell == "twa\\tws" || cell == "twa";
}

// The speeds of one wind speed of the file against angle.
struct TCurve {
  double Wind = 0;
  int Line = 0;  // the line that names the wind speed
  std::vector<std::pair<double, double>> Points;  // (angle, speed > 0), sorted by angle
  std::vector<double> Zeros;                   // angles given a speed of exactly 0
};

// A failure that rejects the file.
struct TReject {
  std::string Message;
};

// ---------------------------------------------------------------- readers

void AddPoint(TCurve& curve, double angle, double speed) {
  if (speed > 0) {
    curve.Points.emplace_back(angle, speed);
  } else {
    curve.Zeros.push_back(angle);
  }
}

void CheckAngle(double angle, int line) {
  if (!(angle >= 0 && angle <= kMaxAngle)) {
    throw TReject{AtLine(line) + "angle " + Num(angle) + " is outside 0 to 180"};
  }
}

void CheckSpeed(double speed, const std::string& where, int line) {
  if (speed < 0) throw TReject{AtLine(line) + "speed " + Num(speed) + where + " is negative"};
}

// Wind speeds given twice reject the file; out of order they are sorted.
void SortCurves(std::vector<TCurve>& curves, int line, const std::string& what,
                std::vector<std::string>& repairs) {
  for (std::size_t i = 0; i < curves.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      if (std::fabs(curves[i].Wind - curves[j].Wind) < kSame) {
        throw TReject{AtLine(curves[i].Line) + "wind speed " + Num(curves[i].Wind) + " is given twice"};
      }
    }
  }
  const auto byWind = [](const TCurve& a, const TCurve& b) { return a.Wind < b.Wind; };
  if (!std::is_sorted(curves.begin(), curves.end(), byWind)) {
    std::stable_sort(curves.begin(), curves.end(), byWind);
    repairs.push_back(AtLine(line) + "wind speeds not in ascending order; the " + what + " were sorted");
  }
}

std::vector<TCurve> ReadMatrix(const std::vector<std::string>& lines, std::size_t header,
                               std::vector<std::string>& repairs) {
  const int headerLine = static_cast<int>(header) + 1;
  const char separator = SeparatorOf(lines[header]);
  const bool decimalComma = separator != ',';
  const std::vector<std::string> head = SplitCells(lines[header], separator);
  if (head.size() < 2) throw TReject{AtLine(headerLine) + "no wind speeds after '" + head.front() + "'"};

  std::vector<TCurve> curves;
  for (std::size_t i = 1; i < head.size(); ++i) {
    const auto wind = ParseNumber(head[i], decimalComma);
    if (!wind) throw TReject{AtLine(headerLine) + "wind speed '" + head[i] + "' is not a number"};
    if (!(*wind > 0)) throw TReject{AtLine(headerLine) + "wind speed " + Num(*wind) + " is not above 0"};
    curves.push_back(TCurve{*wind, headerLine, {}, {}});
  }

  // Rows: the angle and, per wind speed, the cell (empty when not given).
  struct TRow {
    double Angle;
    int Line;
    std::vector<std::optional<double>> Speeds;
  };
  std::vector<TRow> rows;
  for (std::size_t n = header + 1; n < lines.size(); ++n) {
    const int line = static_cast<int>(n) + 1;
    const std::string text = Trim(lines[n]);
    if (text.empty() || text.front() == '!') continue;
    const std::vector<std::string> cells = SplitCells(lines[n], separator);
    const auto angle = ParseNumber(cells.front(), decimalComma);
    if (!angle) throw TReject{AtLine(line) + "angle '" + cells.front() + "' is not a number"};
    CheckAngle(*angle, line);
    for (const TRow& row : rows) {
      if (std::fabs(row.Angle - *angle) < kSame) {
        throw TReject{AtLine(line) + "angle " + Num(*angle) + " is given twice (line " + std::to_string(row.Line) +
                      ")"};
      }
    }
    if (cells.size() - 1 > curves.size()) {
      throw TReject{AtLine(line) + std::to_string(cells.size() - 1) + " speeds for " +
                    std::to_string(curves.size()) + " wind speeds"};
    }
    TRow row{*angle, line, std::vector<std::optional<double>>(curves.size())};
    for (std::size_t i = 1; i < cells.size(); ++i) {
      if (cells[i].empty()) continue;
      const std::string where = " under " + Num(curves[i - 1].Wind) + " kts";
      const auto speed = ParseNumber(cells[i], decimalComma);
      if (!speed) throw TReject{AtLine(line) + "'" + cells[i] + "'" + where + " is not a number"};
      CheckSpeed(*speed, where, line);
      row.Speeds[i - 1] = *speed;
    }
    rows.push_back(std::move(row));
  }
  if (rows.empty()) throw TReject{AtLine(headerLine) + "no angle rows follow the wind speeds"};

  const auto byAngle = [](const TRow& a, const TRow& b) { return a.Angle < b.Angle; };
  const auto unordered = std::is_sorted_until(rows.begin(), rows.end(), byAngle);
  if (unordered != rows.end()) {
    repairs.push_back(AtLine(unordered->Line) + "angles not in ascending order; the rows were sorted");
    std::stable_sort(rows.begin(), rows.end(), byAngle);
  }

  for (std::size_t c = 0; c < curves.size(); ++c) {
    // An empty cell between two given ones is a missing speed; the line
    // through the neighbouring angles stands in for it. Empty cells before
    // the first and after the last given one are where the wind's polar
    // ends.
    std::size_t first = rows.size();
    std::size_t last = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
      if (!rows[r].Speeds[c]) continue;
      first = std::min(first, r);
      last = r;
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
      if (rows[r].Speeds[c]) {
        AddPoint(curves[c], rows[r].Angle, *rows[r].Speeds[c]);
      } else if (r > first && r < last) {
        repairs.push_back(AtLine(rows[r].Line) + "no speed under " + Num(curves[c].Wind) + " kts at " +
                          Num(rows[r].Angle) + " deg; interpolated between the neighbouring angles");
      }
    }
  }
  SortCurves(curves, headerLine, "columns", repairs);
  return curves;
}

std::vector<TCurve> ReadWindRows(const std::vector<std::string>& lines, std::vector<std::string>& repairs) {
  std::vector<TCurve> curves;
  int firstLine = 0;
  for (std::size_t n = 0; n < lines.size(); ++n) {
    const int line = static_cast<int>(n) + 1;
    const std::string text = Trim(lines[n]);
    if (text.empty() || text.front() == '!') continue;
    // Every separator separates; runs of them make no empty values.
    const char separator = SeparatorOf(text);
    std::vector<std::string> tokens;
    for (const std::string& cell : SplitCells(text, separator)) {
      for (std::string& token : SplitCells(cell, 0)) tokens.push_back(std::move(token));
    }
    std::vector<double> values;
    for (const std::string& token : tokens) {
      const auto value = ParseNumber(token, separator != ',');
      if (!value) {
        if (curves.empty()) {
          throw TReject{AtLine(line) + "'" + token +
                        "' begins neither a TWA/TWS matrix nor a row of wind speed, angles and speeds"};
        }
        throw TReject{AtLine(line) + "'" + token + "' is not a number"};
      }
      values.push_back(*value);
    }
    if (firstLine == 0) firstLine = line;
    TCurve curve{values.front(), line, {}, {}};
    if (!(curve.Wind > 0)) throw TReject{AtLine(line) + "wind speed " + Num(curve.Wind) + " is not above 0"};
    if (values.size() < 3) {
      throw TReject{AtLine(line) + "wind speed " + Num(curve.Wind) + " has no angle and speed"};
    }
    if (values.size() % 2 == 0) throw TReject{AtLine(line) + "angle " + Num(values.back()) + " has no speed"};
    std::vector<std::pair<double, double>> pairs;
    for (std::size_t i = 1; i + 1 < values.size(); i += 2) {
      const double angle = values[i];
      const double speed = values[i + 1];
      CheckAngle(angle, line);
      CheckSpeed(speed, " at " + Num(angle) + " deg", line);
      for (const auto& pair : pairs) {
        if (std::fabs(pair.first - angle) < kSame) {
          throw TReject{AtLine(line) + "angle " + Num(angle) + " is given twice"};
        }
      }
      pairs.emplace_back(angle, speed);
    }
    const auto byAngle = [](const auto& a, const auto& b) { return a.first < b.first; };
    if (!std::is_sorted(pairs.begin(), pairs.end(), byAngle)) {
      repairs.push_back(AtLine(line) + "angles not in ascending order; the pairs were sorted");
      std::stable_sort(pairs.begin(), pairs.end(), byAngle);
    }
    for (const auto& [angle, speed] : pairs) AddPoint(curve, angle, speed);
    curves.push_back(std::move(curve));
  }
  SortCurves(curves, firstLine, "rows", repairs);
  return curves;
}

// -------------------------------------------------------------- resampling

// The series of one wind speed that the table holds.
struct TColumn {
  double BeatAngle = 0, BeatSpeed = 0, GybeAngle = 0, RunSpeed = 0;
  std::vector<double> Fixed;  // speeds at the fixed angles, rows 1..8
};

TColumn ResampleCurve(const TCurve& curve, const std::vector<double>& fixedAngles, const TMathTools& math,
                      std::vector<std::string>& repairs) {
  TColumn column;
  const std::string wind = Num(curve.Wind) + " kts";
  // Best velocity made good, upwind and downwind, among the file's points.
  double bestUp = 0;
  double bestDown = 0;
  for (const auto& [angle, speed] : curve.Points) {
    const double vmg = speed * std::cos(angle * kDegreesToRadians);
    if (angle < kBeamAngle && vmg > bestUp) {
      bestUp = vmg;
      column.BeatAngle = angle;
      column.BeatSpeed = speed;
    }
    if (angle > kBeamAngle && -vmg > bestDown) {
      bestDown = -vmg;
      column.GybeAngle = angle;
      column.RunSpeed = speed;
    }
  }
  if (!(bestUp > 0)) throw TReject{AtLine(curve.Line) + wind + " has no speed below 90 deg"};
  if (!(bestDown > 0)) throw TReject{AtLine(curve.Line) + wind + " has no speed above 90 deg"};

  const auto& points = curve.Points;
  for (const double angle : fixedAngles) {
    const bool zero = std::any_of(curve.Zeros.begin(), curve.Zeros.end(),
                                  [&](double z) { return std::fabs(z - angle) < kSame; });
    if (zero) {
      column.Fixed.push_back(0);
      continue;
    }
    if (angle < points.front().first || angle > points.back().first) {
      const auto& nearest = angle < points.front().first ? points.front() : points.back();
      repairs.push_back(AtLine(curve.Line) + wind + " gives no speed at " + Num(angle) + " deg; the speed at " +
                        Num(nearest.first) + " deg is used");
      column.Fixed.push_back(nearest.second);
      continue;
    }
    const auto upper = std::lower_bound(points.begin(), points.end(), angle,
                                        [](const auto& p, double a) { return p.first < a; });
    if (std::fabs(upper->first - angle) < kSame || upper == points.begin()) {
      column.Fixed.push_back(upper->second);
      continue;
    }
    const auto lower = std::prev(upper);
    column.Fixed.push_back(math.LinearFunction(angle, lower->first, lower->second, upper->first, upper->second));
  }
  return column;
}

TPolars Resample(const std::vector<TCurve>& curves, std::vector<std::string>& repairs) {
  const TMathTools math;
  TPolars polars;
  polars.Reset();
  const std::vector<double> fixedAngles(polars.WindAngles.begin() + kFirstFixedRow,
                                     polars.WindAngles.begin() + kLastFixedRow + 1);
  std::vector<TColumn> columns;
  for (const TCurve& curve : curves) columns.push_back(ResampleCurve(curve, fixedAngles, math, repairs));

  // One value of the table's column c from the file's columns around its
  // wind speed; held to the nearest one beyond them.
  bool heldLow = false;
  bool heldHigh = false;
  for (int c = kFirstColumn; c <= kLastColumn; ++c) {
    const double w = polars.WindVelocity[At(c)];
    std::size_t hi = 0;
    while (hi < curves.size() && curves[hi].Wind < w - kSame) ++hi;
    std::size_t lo = hi;
    double share = 0;  // of the higher file column
    if (hi == curves.size()) {
      lo = hi = curves.size() - 1;
      if (!heldHigh) {
        repairs.push_back(AtLine(curves.back().Line) + "the file's highest wind speed is " + Num(curves.back().Wind) +
                          " kts; the columns above it repeat it");
      }
      heldHigh = true;
    } else if (std::fabs(curves[hi].Wind - w) >= kSame) {
      if (hi == 0) {
        if (!heldLow) {
          repairs.push_back(AtLine(curves.front().Line) + "the file's lowest wind speed is " +
                            Num(curves.front().Wind) + " kts; the columns below it repeat it");
        }
        heldLow = true;
      } else {
        lo = hi - 1;
        share = math.LinearFunction(w, curves[lo].Wind, 0, curves[hi].Wind, 1);
      }
    }
    const auto blend = [&](auto member) {
      return (1 - share) * member(columns[lo]) + share * member(columns[hi]);
    };
    polars.BeatAngles[At(c)] = blend([](const TColumn& k) { return k.BeatAngle; });
    polars.Velocity[At(c)][0] = blend([](const TColumn& k) { return k.BeatSpeed; });
    polars.GybeAngles[At(c)] = blend([](const TColumn& k) { return k.GybeAngle; });
    polars.Velocity[At(c)][kRunRow] = blend([](const TColumn& k) { return k.RunSpeed; });
    for (int r = kFirstFixedRow; r <= kLastFixedRow; ++r) {
      polars.Velocity[At(c)][At(r)] = blend([r](const TColumn& k) { return k.Fixed[At(r - kFirstFixedRow)]; });
    }
    polars.TackTime[At(c)] = c <= kLastLightColumn ? kTackTimeLight : kTackTimeFresh;
  }
  return polars;
}

// An interpolated cell's speed, held so that its velocity made good stays
// below that of the column's own beat point (upwind) or gybe point
// (downwind): the straight line between two points can pass above a
// column's best velocity made good near its optimum, and a reader that looks
// for the best point would then take another angle. The cap is written in
// hundredths, rounded down, and kept strictly below.
double HeldBelowBestVmg(double speed, double angle, const TPolars& p, int c) {
  speed = std::round(speed * kExportScale) / kExportScale;  // as written
  const double cosine = std::fabs(std::cos(angle * kDegreesToRadians));
  if (!(cosine > kSame)) return speed;
  const bool upwind = angle < kBeamAngle;
  const double bestAngle = upwind ? p.BeatAngles[At(c)] : p.GybeAngles[At(c)];
  const double bestSpeed = upwind ? p.Velocity[At(c)][0] : p.Velocity[At(c)][kRunRow];
  const double best = std::round(bestSpeed * kExportScale) / kExportScale *
                   std::fabs(std::cos(std::round(bestAngle * kExportScale) / kExportScale * kDegreesToRadians));
  if (speed * cosine < best) return speed;
  double cap = std::floor(best / cosine * kExportScale) / kExportScale;
  if (cap * cosine >= best - kSame) cap -= 1 / kExportScale;
  return std::min(speed, std::max<double>(cap, 0));
}

}  // namespace

bool PolarTableShaped(const TPolars& p) {
  if (p.nCols != kTableColumns || p.nRows != kTableRows) return false;
  if (p.WindVelocity.size() != At(kTableColumns) || p.WindAngles.size() != At(kTableRows) ||
      p.BeatAngles.size() != At(kTableColumns) || p.GybeAngles.size() != At(kTableColumns) ||
      p.TackTime.size() != At(kTableColumns) || p.Velocity.size() != At(kTableColumns)) {
    return false;
  }
  return std::all_of(p.Velocity.begin(), p.Velocity.end(),
                     [](const std::vector<double>& v) { return v.size() == At(kTableRows); });
}

// "\xC2\xB0" is the degree sign U+00B0 in UTF-8.
const std::array<TPolarTableRow, kPolarTableRows> kPolarTableLayout{{
    {"Beat angle", "\xC2\xB0"},
    {"Beat speed", ""},
    {"Beat tack time", " sec"},
    {"52\xC2\xB0", ""},
    {"60\xC2\xB0", ""},
    {"75\xC2\xB0", ""},
    {"90\xC2\xB0", ""},
    {"110\xC2\xB0", ""},
    {"120\xC2\xB0", ""},
    {"135\xC2\xB0", ""},
    {"150\xC2\xB0", ""},
    {"Run speed", ""},
    {"Gybe angle", "\xC2\xB0"},
}};

namespace {

// Rows of the layout that are not boat speeds.
constexpr int kBeatAngleRow = 0;
constexpr int kTackTimeRow = 2;
constexpr int kGybeAngleRow = 12;
constexpr int kFirstSpeedRowOfFixed = 3;  // "52°" is Velocity row 1

template <typename Table>
auto& ValueAt(Table& p, int row, int column) {
  if (row < 0 || row >= kPolarTableRows || column < kPolarTableFirstColumn || column > kPolarTableLastColumn) {
    throw std::out_of_range("polar table cell " + std::to_string(row) + ", " + std::to_string(column));
  }
  const std::size_t c = At(column);
  switch (row) {
    case kBeatAngleRow:
      return p.BeatAngles.at(c);
    case kTackTimeRow:
      return p.TackTime.at(c);
    case kGybeAngleRow:
      return p.GybeAngles.at(c);
    case 1:
      return p.Velocity.at(c).at(0);
    case kGybeAngleRow - 1:
      return p.Velocity.at(c).at(kRunRow);
    default:
      return p.Velocity.at(c).at(At(row - kFirstSpeedRowOfFixed + kFirstFixedRow));
  }
}

}  // namespace

double& PolarTableValue(TPolars& Polars, int Row, int Column) { return ValueAt(Polars, Row, Column); }
double PolarTableValue(const TPolars& Polars, int Row, int Column) { return ValueAt(Polars, Row, Column); }

TPolarImport ReadPolarExchange(const std::vector<std::string>& Lines) {
  TPolarImport result;
  result.Polars.Reset();
  std::size_t first = 0;
  while (first < Lines.size() && (Trim(Lines[first]).empty() || Trim(Lines[first]).front() == '!')) ++first;
  try {
    if (first == Lines.size()) throw TReject{AtLine(1) + "the file holds no polar"};
    const std::vector<std::string> head = SplitCells(Lines[first], SeparatorOf(Lines[first]));
    const std::vector<TCurve> curves = IsMatrixHeader(head.front()) ? ReadMatrix(Lines, first, result.Repairs)
                                                                    : ReadWindRows(Lines, result.Repairs);
    result.Polars = Resample(curves, result.Repairs);
    result.Ok = true;
  } catch (const TReject& reject) {
    result.Error = reject.Message;
    result.Repairs.clear();
  }
  return result;
}

TPolarImport ReadPolarExchangeFile(const std::string& FileName) {
  TStringList lines;
  if (!TFileTools().ReadTextFile(FileName, lines)) {
    TPolarImport result;
    result.Polars.Reset();
    result.Error = "cannot read " + FileName;
    return result;
  }
  return ReadPolarExchange(lines);
}

std::vector<std::string> WritePolarMatrix(const TPolars& Polars) {
  std::string header = "TWA\\TWS";
  if (!PolarTableShaped(Polars)) return {header};
  for (int c = kFirstColumn; c <= kLastColumn; ++c) header += ";" + Num(Polars.WindVelocity[At(c)]);

  // Each column's own points, angles at the hundredths written; a beat or
  // gybe point on a fixed angle takes that angle's place.
  const auto written = [](double value) { return std::round(value * kExportScale) / kExportScale; };
  std::vector<std::vector<std::pair<double, double>>> own(At(kTableColumns));
  std::set<double> angles;
  for (int c = kFirstColumn; c <= kLastColumn; ++c) {
    auto& points = own[At(c)];
    const auto add = [&](double angle, double speed) {
      angle = written(angle);
      const auto same = std::find_if(points.begin(), points.end(), [&](const auto& p) { return p.first == angle; });
      if (same != points.end()) {
        same->second = speed;
      } else {
        points.emplace_back(angle, speed);
      }
      angles.insert(angle);
    };
    for (int r = kFirstFixedRow; r <= kLastFixedRow; ++r) add(Polars.WindAngles[At(r)], Polars.Velocity[At(c)][At(r)]);
    add(Polars.BeatAngles[At(c)], Polars.Velocity[At(c)][0]);
    add(Polars.GybeAngles[At(c)], Polars.Velocity[At(c)][kRunRow]);
    std::sort(points.begin(), points.end());
  }

  const TMathTools math;
  std::vector<std::string> lines{header};
  for (const double angle : angles) {
    std::string line = Num(angle);
    for (int c = kFirstColumn; c <= kLastColumn; ++c) {
      const auto& points = own[At(c)];
      line += ';';
      const auto upper = std::lower_bound(points.begin(), points.end(), angle,
                                          [](const auto& p, double a) { return p.first < a; });
      if (upper == points.end()) continue;
      const bool optimum = angle == written(Polars.BeatAngles[At(c)]) || angle == written(Polars.GybeAngles[At(c)]);
      if (upper->first == angle) {
        line += Num(optimum ? upper->second : HeldBelowBestVmg(upper->second, angle, Polars, c));
      } else if (upper != points.begin()) {
        const auto lower = std::prev(upper);
        const double speed = math.LinearFunction(angle, lower->first, lower->second, upper->first, upper->second);
        line += Num(HeldBelowBestVmg(speed, angle, Polars, c));
      }
    }
    // Cells left empty at the end of the row are not written.
    while (line.back() == ';') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

bool SavePolarMatrix(const std::string& FileName, const TPolars& Polars) {
  return TFileTools().SaveTextFile(FileName, WritePolarMatrix(Polars));
}

}  // namespace corvane
