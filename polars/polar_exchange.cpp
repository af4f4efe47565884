#include "polars/polar_exchange.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <system_error>
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
// Beyond this a number in a message is written with an exponent; the
// hundredths would not fit the integer that Num rounds to.
constexpr double kLargestPlainNumber = 1e12;
// The characters of a cell quoted in a message; a longer cell is cut.
constexpr std::size_t kQuotedCellLength = 32;

std::size_t At(int i) { return static_cast<std::size_t>(i); }

// A number as the messages and the exported matrix write it: up to two
// decimals, trailing zeros dropped, a decimal point in every locale.
std::string Num(double value) {
  if (!(std::fabs(value) < kLargestPlainNumber)) {
    std::array<char, 32> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return error == std::errc() ? std::string(buffer.data(), end) : "?";
  }
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

// A cell's text in quotes for a message: a control character (a stray "\r",
// an escape sequence) is written as \xNN so that it cannot break or colour
// the message, and a long cell is cut (never inside a UTF-8 character).
std::string Quote(const std::string& cell) {
  std::string text = "'";
  std::size_t i = 0;
  for (; i < cell.size() && i < kQuotedCellLength; ++i) {
    const auto c = static_cast<unsigned char>(cell[i]);
    if (c < 0x20 || c == 0x7F) {
      constexpr const char* kHex = "0123456789ABCDEF";
      text += "\\x";
      text += kHex[c >> 4];
      text += kHex[c & 0xF];
    } else {
      text += cell[i];
    }
  }
  while (i < cell.size() && (static_cast<unsigned char>(cell[i]) & 0xC0) == 0x80) text += cell[i++];
  if (i < cell.size()) text += "...";
  return text + "'";
}

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

// A cell read as a number: the value, or what is wrong with the text.
struct TCellNumber {
  std::optional<double> Value;
  const char* Fault = "";  // "is not a number", ... when there is no value
};

// A cell as a number, read without regard to the user's locale, with or
// without an exponent; a decimal comma is taken when the cells are not
// separated by commas. Only text that is wholly one finite number has a
// value.
TCellNumber ParseNumber(std::string text, bool decimalComma) {
  text = Trim(text);
  if (decimalComma) std::replace(text.begin(), text.end(), ',', '.');
  // from_chars takes no "+"; a sign after it ("+-5") is not a number.
  if (!text.empty() && text.front() == '+' && (text.size() == 1 || text[1] != '-')) text.erase(0, 1);
  if (text.empty()) return {std::nullopt, "is not a number"};
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::general);
  if (stop != end || error == std::errc::invalid_argument) return {std::nullopt, "is not a number"};
  if (error == std::errc::result_out_of_range) return {std::nullopt, "is out of range"};
  if (!std::isfinite(value)) return {std::nullopt, "is not a finite number"};
  return {value, ""};
}

// Values given so far (wind speeds, angles), each with the line that gave
// it. A new value is looked up among its neighbours in order, so the check
// for a repeat costs a logarithm rather than a comparison with every earlier
// value.
class TSeenValues {
 public:
  // The line of an earlier value that is the same as value (closer than
  // kSame); nothing when there is none, and value is remembered.
  std::optional<int> Repeat(double value, int line) {
    const auto near = seen_.upper_bound(value - kSame);
    if (near != seen_.end() && near->first < value + kSame) return near->second;
    seen_.emplace(value, line);
    return std::nullopt;
  }

 private:
  std::map<double, int> seen_;
};

// The separator of a line: ";", else a tab, else ",", else blanks (0).
char SeparatorOf(const std::string& line) {
  for (const char separator : {';', '\t', ','}) {
    if (line.find(separator) != std::string::npos) return separator;
  }
  return 0;
}

// Every cell of a line (see SplitCells).
constexpr std::size_t kAllCells = std::numeric_limits<std::size_t>::max() - 1;

// The values of a line between runs of the delimiters (no empty values); at
// most maxValues + 1 of them.
std::vector<std::string> SplitRuns(const std::string& line, const char* delimiters, std::size_t maxValues) {
  std::vector<std::string> values;
  std::size_t pos = 0;
  while (values.size() <= maxValues) {
    pos = line.find_first_not_of(delimiters, pos);
    if (pos == std::string::npos) break;
    const std::size_t end = line.find_first_of(delimiters, pos);
    values.push_back(line.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
    if (end == std::string::npos) break;
    pos = end;
  }
  return values;
}

// The cells of a line, at most maxCells + 1 of them. With a separator every
// cell is kept, empty ones too (a trailing empty cell is dropped); with
// blanks the runs of blanks and tabs separate and there are no empty cells.
// A line with more cells than its reader takes is refused, so it is split no
// further than one cell past the limit: a line of a million cells then costs
// no more than one at the limit.
std::vector<std::string> SplitCells(const std::string& line, char separator, std::size_t maxCells = kAllCells) {
  if (separator == 0) return SplitRuns(line, " \t\r", maxCells);
  std::vector<std::string> cells;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = line.find(separator, start);
    cells.push_back(Trim(line.substr(start, end == std::string::npos ? std::string::npos : end - start)));
    if (end == std::string::npos) break;
    start = end + 1;
    if (cells.size() > maxCells) return cells;  // and more follow
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

// The number of a cell, or the file rejected naming the cell:
// "line N: <before>'<cell>'<after> is not a number".
double NumberOrReject(const std::string& cell, bool decimalComma, int line, const std::string& before,
                      const std::string& after) {
  const TCellNumber number = ParseNumber(cell, decimalComma);
  if (!number.Value) throw TReject{AtLine(line) + before + Quote(cell) + after + " " + number.Fault};
  return *number.Value;
}

// A line whose cells are all empty holds separators alone: not an empty line
// that a program wrote between blocks, but a table that lost its values.
[[noreturn]] void RejectSeparatorsAlone(int line) { throw TReject{AtLine(line) + "only separators, no values"}; }

// More of something than a polar may hold; line is where the limit is passed.
void CheckCount(std::size_t count, std::size_t limit, const std::string& what, int line) {
  if (count > limit) {
    throw TReject{AtLine(line) + "more than " + std::to_string(limit) + " " + what + ", the most a polar may hold"};
  }
}

void CheckWind(double wind, int line) {
  if (!(wind > 0)) throw TReject{AtLine(line) + "wind speed " + Num(wind) + " is not above 0"};
  if (wind > kPolarMaxWindSpeed) {
    throw TReject{AtLine(line) + "wind speed " + Num(wind) + " is above " + Num(kPolarMaxWindSpeed) + " kts"};
  }
}

void CheckAngle(double angle, int line) {
  if (!(angle >= 0 && angle <= kMaxAngle)) {
    throw TReject{AtLine(line) + "angle " + Num(angle) + " is outside 0 to 180"};
  }
}

void CheckSpeed(double speed, const std::string& where, int line) {
  if (speed < 0) throw TReject{AtLine(line) + "speed " + Num(speed) + where + " is negative"};
  if (speed > kPolarMaxBoatSpeed) {
    throw TReject{AtLine(line) + "speed " + Num(speed) + where + " is above " + Num(kPolarMaxBoatSpeed) + " kts"};
  }
}

// Wind speeds given twice reject the file; out of order they are sorted.
void SortCurves(std::vector<TCurve>& curves, int line, const std::string& what,
                std::vector<std::string>& repairs) {
  TSeenValues winds;
  for (const TCurve& curve : curves) {
    if (winds.Repeat(curve.Wind, curve.Line)) {
      throw TReject{AtLine(curve.Line) + "wind speed " + Num(curve.Wind) + " is given twice"};
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
  const std::vector<std::string> head = SplitCells(lines[header], separator, 1 + kPolarMaxWindSpeeds);
  if (head.size() < 2) throw TReject{AtLine(headerLine) + "no wind speeds after " + Quote(head.front())};
  CheckCount(head.size() - 1, kPolarMaxWindSpeeds, "wind speeds", headerLine);

  std::vector<TCurve> curves;
  for (std::size_t i = 1; i < head.size(); ++i) {
    if (head[i].empty()) {
      throw TReject{AtLine(headerLine) + "cell " + std::to_string(i + 1) + " is empty where a wind speed belongs"};
    }
    const double wind = NumberOrReject(head[i], decimalComma, headerLine, "wind speed ", "");
    CheckWind(wind, headerLine);
    curves.push_back(TCurve{wind, headerLine, {}, {}});
  }

  // Rows: the angle and, per wind speed, the cell (empty when not given).
  struct TRow {
    double Angle;
    int Line;
    std::vector<std::optional<double>> Speeds;
  };
  std::vector<TRow> rows;
  TSeenValues angles;
  for (std::size_t n = header + 1; n < lines.size(); ++n) {
    const int line = static_cast<int>(n) + 1;
    const std::string text = Trim(lines[n]);
    if (text.empty() || text.front() == '!') continue;
    const std::vector<std::string> cells = SplitCells(lines[n], separator, 1 + curves.size());
    if (std::all_of(cells.begin(), cells.end(), [](const std::string& cell) { return cell.empty(); })) {
      RejectSeparatorsAlone(line);
    }
    if (cells.front().empty()) throw TReject{AtLine(line) + "the first cell is empty where the angle belongs"};
    CheckCount(rows.size() + 1, kPolarMaxAngles, "angles", line);
    const double angle = NumberOrReject(cells.front(), decimalComma, line, "angle ", "");
    CheckAngle(angle, line);
    if (const auto earlier = angles.Repeat(angle, line)) {
      throw TReject{AtLine(line) + "angle " + Num(angle) + " is given twice (line " + std::to_string(*earlier) + ")"};
    }
    if (cells.size() - 1 > curves.size()) {
      // Counted whole for the message alone.
      throw TReject{AtLine(line) + std::to_string(SplitCells(lines[n], separator).size() - 1) + " speeds for " +
                    std::to_string(curves.size()) + " wind speeds"};
    }
    TRow row{angle, line, std::vector<std::optional<double>>(curves.size())};
    for (std::size_t i = 1; i < cells.size(); ++i) {
      if (cells[i].empty()) continue;
      const std::string where = " under " + Num(curves[i - 1].Wind) + " kts";
      const double speed = NumberOrReject(cells[i], decimalComma, line, "", where);
      CheckSpeed(speed, where, line);
      row.Speeds[i - 1] = speed;
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
    // Every separator separates; runs of them make no empty values. Split no
    // further than one value past the wind speed, the most pairs a polar may
    // hold and an angle without its speed.
    const char separator = SeparatorOf(text);
    const char delimiters[] = {' ', '\t', '\r', separator, '\0'};
    const std::vector<std::string> tokens = SplitRuns(text, delimiters, 2 + 2 * kPolarMaxAngles);
    if (tokens.empty()) RejectSeparatorsAlone(line);
    if (curves.empty() && !ParseNumber(tokens.front(), separator != ',').Value) {
      throw TReject{AtLine(line) + Quote(tokens.front()) +
                    " begins neither a TWA/TWS matrix nor a row of wind speed, angles and speeds"};
    }
    CheckCount(curves.size() + 1, kPolarMaxWindSpeeds, "wind speeds", line);
    CheckCount((tokens.size() - 1) / 2, kPolarMaxAngles, "angles", line);
    std::vector<double> values;
    for (const std::string& token : tokens) values.push_back(NumberOrReject(token, separator != ',', line, "", ""));
    if (firstLine == 0) firstLine = line;
    TCurve curve{values.front(), line, {}, {}};
    CheckWind(curve.Wind, line);
    if (values.size() < 3) {
      throw TReject{AtLine(line) + "wind speed " + Num(curve.Wind) + " has no angle and speed"};
    }
    if (values.size() % 2 == 0) throw TReject{AtLine(line) + "angle " + Num(values.back()) + " has no speed"};
    std::vector<std::pair<double, double>> pairs;
    TSeenValues angles;
    for (std::size_t i = 1; i + 1 < values.size(); i += 2) {
      const double angle = values[i];
      const double speed = values[i + 1];
      CheckAngle(angle, line);
      CheckSpeed(speed, " at " + Num(angle) + " deg", line);
      if (angles.Repeat(angle, line)) throw TReject{AtLine(line) + "angle " + Num(angle) + " is given twice"};
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

namespace {

// The lines with every "\r\n", "\r" or "\n" inside one of them taken as a
// line break: a file of an older program ends its lines in "\r" alone, which
// a reader splitting at "\n" leaves inside one long line.
std::vector<std::string> SplitLineBreaks(const std::vector<std::string>& lines) {
  std::vector<std::string> split;
  for (const std::string& text : lines) {
    std::size_t start = 0;
    while (true) {
      const std::size_t end = text.find_first_of("\r\n", start);
      if (end == std::string::npos) break;
      split.push_back(text.substr(start, end - start));
      start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    split.push_back(text.substr(start));
  }
  return split;
}

TPolarImport Rejected(const std::string& error) {
  TPolarImport result;
  result.Polars.Reset();
  result.Error = error;
  return result;
}

}  // namespace

TPolarImport ReadPolarExchange(const std::vector<std::string>& Lines) {
  TPolarImport result;
  result.Polars.Reset();
  const std::vector<std::string> lines = SplitLineBreaks(Lines);
  std::size_t first = 0;
  while (first < lines.size() && (Trim(lines[first]).empty() || Trim(lines[first]).front() == '!')) ++first;
  try {
    if (first == lines.size()) throw TReject{AtLine(1) + "the file holds no polar"};
    // A first line of separators alone has no cells; the reader of wind rows
    // names it.
    const std::vector<std::string> head = SplitCells(lines[first], SeparatorOf(lines[first]), 1);
    const bool matrix = !head.empty() && IsMatrixHeader(head.front());
    const std::vector<TCurve> curves =
        matrix ? ReadMatrix(lines, first, result.Repairs) : ReadWindRows(lines, result.Repairs);
    result.Polars = Resample(curves, result.Repairs);
    result.Ok = true;
  } catch (const TReject& reject) {
    result.Error = reject.Message;
    result.Repairs.clear();
  }
  return result;
}

TPolarImport ReadPolarExchangeFile(const std::string& FileName) {
  const std::string cannotRead = "cannot read " + FileName;
  // A folder opens as a stream and reads as an empty file.
  std::error_code error;
  if (std::filesystem::is_directory(FileName, error)) return Rejected(cannotRead);
  std::ifstream in(FileName, std::ios::binary);
  if (!in) return Rejected(cannotRead);
  // One byte more than the limit is read: a larger file is told by what was
  // read rather than by its size, which a pipe or a device does not have.
  std::string text(kPolarFileMaxBytes + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (in.bad()) return Rejected(cannotRead);
  text.resize(static_cast<std::size_t>(in.gcount()));
  if (text.size() > kPolarFileMaxBytes) {
    return Rejected("the file is larger than " + std::to_string(kPolarFileMaxBytes) +
                    " bytes, the most a polar file may hold");
  }
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  return ReadPolarExchange({text});
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
