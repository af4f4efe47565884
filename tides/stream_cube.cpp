#include "tides/stream_cube.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/constants.h"
#include "core/date_time.h"

namespace corvane {

namespace {

// Size of a list as the int the cube's counts are given in.
template <typename List>
int CountOf(const List& list) {
  return static_cast<int>(list.size());
}

template <typename List>
bool InList(const List& list, int i) {
  return i >= 0 && static_cast<std::size_t>(i) < list.size();
}

template <typename T>
T ValueAt(const std::vector<T>& list, int i) {
  return InList(list, i) ? list[static_cast<std::size_t>(i)] : T{};
}

// Whole-field sizing never takes a negative count.
std::size_t SizeOf(int n) { return n > 0 ? static_cast<std::size_t>(n) : 0; }

}  // namespace

// ------------------------------------------------------------------ access

TVektorCubeLight* TListVektorCubeLight::Cube(int cube) {
  return InList(ListVektorCube, cube) ? &ListVektorCube[static_cast<std::size_t>(cube)] : nullptr;
}

const TVektorCubeLight* TListVektorCubeLight::Cube(int cube) const {
  return InList(ListVektorCube, cube) ? &ListVektorCube[static_cast<std::size_t>(cube)] : nullptr;
}

TVektorFieldLight* TListVektorCubeLight::Field(int cube, int field) {
  TVektorCubeLight* c = Cube(cube);
  if (c == nullptr || !InList(c->ListVektorField, field)) return nullptr;
  return &c->ListVektorField[static_cast<std::size_t>(field)];
}

const TVektorFieldLight* TListVektorCubeLight::Field(int cube, int field) const {
  const TVektorCubeLight* c = Cube(cube);
  if (c == nullptr || !InList(c->ListVektorField, field)) return nullptr;
  return &c->ListVektorField[static_cast<std::size_t>(field)];
}

// ---------------------------------------------------------------- building

void TListVektorCubeLight::ClrCubes() {
  unpackedFor_.reset();
  ListVektorCube.clear();
  TimeField.clear();
  TimeStamp.clear();
  ListRoutingArea.clear();
}

int TListVektorCubeLight::AddCube() {
  unpackedFor_.reset();
  ListVektorCube.emplace_back();
  return CountOf(ListVektorCube) - 1;
}

void TListVektorCubeLight::AddFields(int cube, int n) {
  unpackedFor_.reset();
  TVektorCubeLight* c = Cube(cube);
  if (c == nullptr) return;
  c->ListVektorField.resize(SizeOf(n));
  TimeField.resize(SizeOf(n));
  TimeStamp.resize(SizeOf(n));
}

int TListVektorCubeLight::AddField(int cube) {
  unpackedFor_.reset();
  TVektorCubeLight* c = Cube(cube);
  if (c == nullptr) return -1;
  c->ListVektorField.emplace_back();
  TimeField.push_back(0);
  TimeStamp.push_back(0);
  return CountOf(c->ListVektorField) - 1;
}

void TListVektorCubeLight::AddPositions(int cube, int n) {
  TVektorCubeLight* c = Cube(cube);
  if (c == nullptr) return;
  c->CoordM.resize(SizeOf(n));
  c->CoordB.resize(SizeOf(n));
  c->IndexRoutingArea.resize(SizeOf(n));
  for (std::size_t j = 0; j < c->IndexRoutingArea.size(); ++j) {
    c->IndexRoutingArea[j] = static_cast<std::uint32_t>(j);
  }
  c->Buckets.Valid = false;
}

void TListVektorCubeLight::AddPosition(int cube, const TMinutes& position) {
  AddPosition(cube, position, MathTools.MinutesToBogen(position));
}

void TListVektorCubeLight::AddPosition(int cube, const TMinutes& position, const TBogen& radians) {
  TVektorCubeLight* c = Cube(cube);
  if (c == nullptr) return;
  c->CoordM.push_back(position);
  c->CoordB.push_back(radians);
  c->Buckets.Valid = false;
}

void TListVektorCubeLight::SetPosition(int cube, int point, float lat, float lon) {
  const TMinutes position{lon, lat};
  SetPosition(cube, point, position, MathTools.MinutesToBogen(position));
}

void TListVektorCubeLight::SetPosition(int cube, int point, const TMinutes& position,
                                       const TBogen& radians) {
  TVektorCubeLight* c = Cube(cube);
  if (c == nullptr || !InList(c->CoordM, point) || !InList(c->CoordB, point)) return;
  c->CoordM[static_cast<std::size_t>(point)] = position;
  c->CoordB[static_cast<std::size_t>(point)] = radians;
  c->Buckets.Valid = false;
}

void TListVektorCubeLight::SetPosition(int cube, int point, const TGeoPos& position) {
  const TMinutes minutes = MathTools.GeoPosToMinutes(position);
  SetPosition(cube, point, minutes, MathTools.MinutesToBogen(minutes));
}

void TListVektorCubeLight::AddVektors(int cube, int field, int n) {
  unpackedFor_.reset();
  TVektorCubeLight* c = Cube(cube);
  TVektorFieldLight* f = Field(cube, field);
  if (f == nullptr) return;
  const std::size_t size = SizeOf(n);
  f->ValuePacked.resize(size);
  f->ValueC.resize(size);
  f->ValueP.resize(size);
  f->Accuracy.resize(size);
  f->Color.resize(size);
  f->DateTime.resize(size);
  c->VektorCIntp.resize(size);
  c->VektorPIntp.resize(size);
}

void TListVektorCubeLight::SetVektorPacked(int cube, int field, std::int32_t packed, int point) {
  unpackedFor_.reset();
  TVektorFieldLight* f = Field(cube, field);
  if (f == nullptr || !InList(f->ValuePacked, point)) return;
  f->ValuePacked[static_cast<std::size_t>(point)] = packed;
}

void TListVektorCubeLight::AddVektorArea(int cube, int n) {
  TVektorCubeLight* c = Cube(cube);
  if (c == nullptr) return;
  c->VektorArea.resize(SizeOf(n));
}

void TListVektorCubeLight::SetVektorArea(int cube, int vertex, float lat, float lon) {
  TVektorCubeLight* c = Cube(cube);
  if (c == nullptr || !InList(c->VektorArea, vertex)) return;
  c->VektorArea[static_cast<std::size_t>(vertex)] = TMinutes{lon, lat};
}

void TListVektorCubeLight::AddPositionsText(int n) {
  CoordMText.resize(SizeOf(n));
  ValuePText.resize(SizeOf(n));
}

void TListVektorCubeLight::SetPositionText(int i, float lat, float lon) {
  if (!InList(CoordMText, i)) return;
  CoordMText[static_cast<std::size_t>(i)] = TMinutes{lon, lat};
}

void TListVektorCubeLight::AddSlacks(int n) {
  SlackM.resize(SizeOf(n));
  SlackB.resize(SizeOf(n));
}

void TListVektorCubeLight::SetSlackPosition(int i, const TMinutes& position) {
  if (!InList(SlackM, i)) return;
  SlackM[static_cast<std::size_t>(i)] = position;
}

void TListVektorCubeLight::SetSlack(int i, bool flag) {
  if (!InList(SlackB, i)) return;
  SlackB[static_cast<std::size_t>(i)] = flag;
}

void TListVektorCubeLight::SetDefaultRoutingArea(const TRectF& frame) {
  ListRoutingArea = {TMinutes{frame.Left, frame.Bottom}, TMinutes{frame.Left, frame.Top},
                     TMinutes{frame.Right, frame.Top}, TMinutes{frame.Right, frame.Bottom},
                     TMinutes{frame.Left, frame.Bottom}};
}

void TListVektorCubeLight::SetVektorCartesianX(int cube, int field, double value, int point) {
  unpackedFor_.reset();
  TVektorFieldLight* f = Field(cube, field);
  if (f == nullptr || !InList(f->ValueC, point)) return;
  f->ValueC[static_cast<std::size_t>(point)].x = value;
}

void TListVektorCubeLight::SetVektorCartesianY(int cube, int field, double value, int point) {
  unpackedFor_.reset();
  TVektorFieldLight* f = Field(cube, field);
  if (f == nullptr || !InList(f->ValueC, point)) return;
  f->ValueC[static_cast<std::size_t>(point)].y = value;
}

void TListVektorCubeLight::SetVektorPolar(int cube, int field, int point) {
  unpackedFor_.reset();
  TVektorFieldLight* f = Field(cube, field);
  if (f == nullptr || !InList(f->ValueC, point) || !InList(f->ValueP, point)) return;
  const auto j = static_cast<std::size_t>(point);
  f->ValueP[j] = MathTools.CartesianToPolar(f->ValueC[j]);
}

void TListVektorCubeLight::SetVektorPolar(int cube, int field, const TPolar& polar, int point) {
  unpackedFor_.reset();
  TVektorFieldLight* f = Field(cube, field);
  if (f == nullptr || !InList(f->ValueC, point) || !InList(f->ValueP, point)) return;
  const auto j = static_cast<std::size_t>(point);
  f->ValueP[j] = polar;
  f->ValueC[j] = MathTools.PolarToCartesian(polar);
}

// ------------------------------------------------------------- time fields

int TListVektorCubeLight::FieldIndex60(int i) const {
  int j = i + iOffset;
  if (j > 12) j -= 13;
  return j;
}

int TListVektorCubeLight::FieldIndex30(int i) const {
  int j = i - iOffset;
  if (OverlapCharts30) {
    // 25 places: the -6 h 30 min chart (field 0) coincides with the +6 h
    // chart of the tide before and is left out of the ring.
    if (j <= 0) j += 25;
    if (j > 25) j -= 25;
  } else {
    if (j < 0) j += 26;
    if (j > 25) j -= 26;
  }
  return j;
}

int TListVektorCubeLight::GetFieldIndex(int i) const {
  return Charts30 ? FieldIndex30(i) : FieldIndex60(i);
}

void TListVektorCubeLight::SetTimeField(int field, TDateTime t) {
  if (InList(TimeField, field)) TimeField[static_cast<std::size_t>(field)] = t;
}

void TListVektorCubeLight::SetTimeField60Offset(int i, TDateTime t) {
  SetTimeField(FieldIndex60(i), t);
}

void TListVektorCubeLight::SetTimeField30Offset(int i, TDateTime t) {
  SetTimeField(FieldIndex30(i), t);
}

TDateTime TListVektorCubeLight::GetFieldTime(int i) const {
  return ValueAt(TimeField, GetFieldIndex(i));
}

TDateTime TListVektorCubeLight::GetTimeField(int field) const {
  if (field < 0 || field >= GetCountFields(0) || !InList(TimeField, field)) return NowLocal();
  return TimeField[static_cast<std::size_t>(field)];
}

TDateTime TListVektorCubeLight::GetTimeFirstField() const { return GetTimeField(0); }

TDateTime TListVektorCubeLight::GetTimeLastField() const {
  return GetTimeField(GetCountFields(0) - 1);
}

bool TListVektorCubeLight::GetDateTimeInCube(TDateTime t) const {
  return TimeField.size() >= 2 && GetTimeFirstField() <= t && t <= GetTimeLastField();
}

bool TListVektorCubeLight::GetTimeInFields(bool indexed, TDateTime t) const {
  const int count = CountOf(TimeField);
  if (count < 2) return false;
  if (!indexed) return GetTimeFirstField() <= t && t <= GetTimeLastField();
  const int m = OverlapCharts30 ? count - 2 : count - 1;
  return GetFieldTime(0) <= t && t <= GetFieldTime(m);
}

std::optional<TFieldPair> TListVektorCubeLight::GetFieldsAround(bool indexed, TDateTime t) const {
  const int count = CountOf(TimeField);
  const int n = (OverlapCharts30 && !indexed) ? count - 2 : count - 1;
  for (int i = 0; i < n; ++i) {
    const int fb = indexed ? GetFieldIndex(i) : i;
    const int fa = indexed ? GetFieldIndex(i + 1) : i + 1;
    const TDateTime a = ValueAt(TimeField, fb);
    const TDateTime b = ValueAt(TimeField, fa);
    if (a <= t && t <= b) return TFieldPair{fb, fa, a, b};
  }
  return std::nullopt;
}

// ------------------------------------------------------------------ values

TPolar UnpackStreamVektor(std::int32_t packed, double neapRange, double springRange, double tideRange,
                          double speedFactor) {
  // Hundredths of a knot to knots, deliberately held in 32-bit floats.
  const float neap = static_cast<float>(static_cast<double>(packed % 1000) / 100);
  const float spring = static_cast<float>(static_cast<double>((packed / 1000) % 1000) / 100);
  const std::int32_t degrees = packed / 1000000;
  // Straight line through (spring range, spring speed) and (neap range, neap
  // speed). With equal mean ranges there is no line; the atlas speeds are
  // then taken as they are for spring tides.
  double speed = spring;
  if (neapRange != springRange) {
    speed = spring + (tideRange - springRange) * (neap - spring) / (neapRange - springRange);
  }
  speed *= 1 + speedFactor;
  const float direction = static_cast<float>(degrees * kDegreesToRadians);
  return TPolar{speed, direction};
}

void TListVektorCubeLight::GetUnpackCubes(double neapRange, double springRange, double tideRange,
                                          double speedFactor) {
  const std::array<double, 4> key{neapRange, springRange, tideRange, speedFactor};
  if (unpackedFor_ == key) return;
  unpackedFor_ = key;
  for (TVektorCubeLight& cube : ListVektorCube) {
    for (TVektorFieldLight& field : cube.ListVektorField) {
      const std::size_t n =
          std::min({field.ValuePacked.size(), field.ValueC.size(), field.ValueP.size()});
      for (std::size_t j = 0; j < n; ++j) {
        field.ValueP[j] =
            UnpackStreamVektor(field.ValuePacked[j], neapRange, springRange, tideRange, speedFactor);
        field.ValueC[j] = MathTools.PolarToCartesian(field.ValueP[j]);
      }
    }
  }
}

TCartesian BlendStreamVektors(const TMathTools& math, const TCartesian& cb, const TPolar& pb,
                              TDateTime tB, const TCartesian& ca, const TPolar& pa, TDateTime tA,
                              TDateTime t) {
  // Weights in days, taken to 32-bit floats.
  const float wb = static_cast<float>(tA - t);
  const float wa = static_cast<float>(t - tB);
  const float e = wb + wa;
  TCartesian direction;
  if (e > 0) {
    direction.x = (wb * cb.x + wa * ca.x) / e;
    direction.y = (wb * cb.y + wa * ca.y) / e;
  } else if (wb == wa) {
    direction.x = (cb.x + ca.x) / 2;
    direction.y = (cb.y + ca.y) / 2;
  }
  // Direction from the weighted vector but speed from the weighted speeds: a
  // plain vector mean would weaken a stream while it turns.
  const double speedB = std::fabs(pb.Betrag);
  const double speedA = std::fabs(pa.Betrag);
  const double speed = e > 0 ? (wa * speedA + wb * speedB) / e : (speedA + speedB) / 2;
  return math.PolarToCartesian(TPolar{speed, math.CartesianToRadiant(direction)});
}

TCartesian TListVektorCubeLight::BlendVektors(const TCartesian& cb, const TPolar& pb,
                                              TDateTime tB, const TCartesian& ca,
                                              const TPolar& pa, TDateTime tA,
                                              TDateTime t) const {
  return BlendStreamVektors(MathTools, cb, pb, tB, ca, pa, tA, t);
}

void TListVektorCubeLight::GetFieldsIntp(bool indexed, TDateTime t) {
  if (!GetTimeInFields(indexed, t)) return;
  const std::optional<TFieldPair> pair = GetFieldsAround(indexed, t);
  if (!pair) return;
  for (std::size_t c = 0; c < ListVektorCube.size(); ++c) {
    TVektorCubeLight& cube = ListVektorCube[c];
    cube.TimeIntp = t;
    const TVektorFieldLight* before = Field(static_cast<int>(c), pair->FieldBefore);
    const TVektorFieldLight* after = Field(static_cast<int>(c), pair->FieldAfter);
    const std::size_t n = std::min(cube.VektorCIntp.size(), cube.VektorPIntp.size());
    for (std::size_t j = 0; j < n; ++j) {
      const int point = static_cast<int>(j);
      const TCartesian cb = before ? ValueAt(before->ValueC, point) : TCartesian{};
      const TPolar pb = before ? ValueAt(before->ValueP, point) : TPolar{};
      const TCartesian ca = after ? ValueAt(after->ValueC, point) : TCartesian{};
      const TPolar pa = after ? ValueAt(after->ValueP, point) : TPolar{};
      cube.VektorCIntp[j] =
          BlendVektors(cb, pb, pair->TimeBefore, ca, pa, pair->TimeAfter, t);
      cube.VektorPIntp[j] = MathTools.CartesianToPolar(cube.VektorCIntp[j]);
    }
  }
}

void TListVektorCubeLight::GetFieldsTextIntp(TDateTime t) {
  if (!GetTimeInFields(true, t)) return;
  const std::size_t n = std::min(CoordMText.size(), ValuePText.size());
  for (std::size_t i = 0; i < n; ++i) ValuePText[i] = GetVektorIntpAtPosition(CoordMText[i]);
}

void TListVektorCubeLight::ClrVektorFieldFixed() {
  for (TVektorCubeLight& cube : ListVektorCube) {
    std::fill(cube.VektorPIntp.begin(), cube.VektorPIntp.end(), TPolar{});
  }
  std::fill(ValuePText.begin(), ValuePText.end(), TPolar{});
}

// ------------------------------------------------------------ routing area

void TListVektorCubeLight::GetIndexRoutingArea() {
  for (TVektorCubeLight& cube : ListVektorCube) {
    cube.IndexRoutingArea.clear();
    for (std::size_t j = 0; j < cube.CoordM.size(); ++j) {
      if (MathTools.GetInPolygon(cube.CoordM[j], ListRoutingArea)) {
        cube.IndexRoutingArea.push_back(static_cast<std::uint32_t>(j));
      }
    }
    cube.Buckets.Valid = false;
  }
}

void TListVektorCubeLight::ResetIndexRoutingArea() {
  for (TVektorCubeLight& cube : ListVektorCube) {
    cube.IndexRoutingArea.resize(cube.CoordM.size());
    for (std::size_t j = 0; j < cube.IndexRoutingArea.size(); ++j) {
      cube.IndexRoutingArea[j] = static_cast<std::uint32_t>(j);
    }
    cube.Buckets.Valid = false;
  }
}

int TListVektorCubeLight::CloneRoutingArea(const TListMinutes& polygon) {
  ListRoutingArea = polygon;
  return CountOf(ListRoutingArea);
}

int TListVektorCubeLight::UncloneRoutingArea(TListMinutes& polygon) const {
  polygon = ListRoutingArea;
  return CountOf(polygon);
}

int TListVektorCubeLight::CloneVektorArea(int cube, const TListMinutes& polygon) {
  TVektorCubeLight* c = Cube(cube);
  if (c == nullptr) return 0;
  c->VektorArea = polygon;
  return CountOf(c->VektorArea);
}

// ------------------------------------------------------------- read access

int TListVektorCubeLight::GetCountCubes() const { return CountOf(ListVektorCube); }

int TListVektorCubeLight::GetCountFields(int cube) const {
  const TVektorCubeLight* c = Cube(cube);
  return c ? CountOf(c->ListVektorField) : 0;
}

int TListVektorCubeLight::GetCountVektors(int cube, int field) const {
  const TVektorFieldLight* f = Field(cube, field);
  return f ? CountOf(f->ValueC) : 0;
}

int TListVektorCubeLight::GetCountVektors(int cube) const {
  const TVektorCubeLight* c = Cube(cube);
  return c ? CountOf(c->CoordM) : 0;
}

int TListVektorCubeLight::GetCountSlacks() const { return CountOf(SlackM); }

TMinutes TListVektorCubeLight::GetVektorMinutes(int cube, int point) const {
  const TVektorCubeLight* c = Cube(cube);
  return c ? ValueAt(c->CoordM, point) : TMinutes{};
}

TBogen TListVektorCubeLight::GetVektorBogen(int cube, int point) const {
  const TVektorCubeLight* c = Cube(cube);
  return c ? ValueAt(c->CoordB, point) : TBogen{};
}

TPolar TListVektorCubeLight::GetVektorPolar(int cube, int field, int point) const {
  const TVektorFieldLight* f = Field(cube, field);
  return f ? ValueAt(f->ValueP, point) : TPolar{};
}

TCartesian TListVektorCubeLight::GetVektorCartesian(int cube, int field, int point) const {
  const TVektorFieldLight* f = Field(cube, field);
  return f ? ValueAt(f->ValueC, point) : TCartesian{};
}

TPolar TListVektorCubeLight::GetVektorIntpPolar(int cube, int point) const {
  const TVektorCubeLight* c = Cube(cube);
  return c ? ValueAt(c->VektorPIntp, point) : TPolar{};
}

bool TListVektorCubeLight::GetSlack(int slack) const {
  return InList(SlackB, slack) && SlackB[static_cast<std::size_t>(slack)];
}

TMinutes TListVektorCubeLight::GetSlackPosition(int slack) const {
  return ValueAt(SlackM, slack);
}

}  // namespace corvane
