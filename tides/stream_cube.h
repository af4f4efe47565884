#pragma once
// The stream cube: a vector field over space and time that holds the tidal
// stream atlas at two resolutions and the GRIB fields.
//
// Units throughout: positions in minutes of arc (east and north positive),
// vectors in knots (x east, y north; directions radians clockwise from north,
// toward which the stream flows), times as date-times (days). Every read
// access with a cube, field, point or slack number outside the lists returns
// the zero value; no operation writes outside its lists.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/math_tools.h"
#include "core/types.h"

namespace corvane {

// One time field of a cube: one vector per point of the cube.
struct TVektorFieldLight {
  std::vector<std::int32_t> ValuePacked;  // packed vectors as loaded
  TListCartesian ValueC;                  // unpacked, x east / y north, knots
  TListPolar ValueP;                      // the same as speed and direction
  // Measured data only.
  std::vector<TAlphaColor> Color;
  TListDateTime DateTime;
  TListSingle TimeStamp;
  std::vector<float> Spring;
  std::vector<std::uint8_t> Range;
  std::vector<float> Accuracy;
  std::vector<char> Mark;
  TMinutes CoordM;  // single-point fields of live feeds
  // Model editor only.
  int Index = 0;
  float Scalar = 0;
  std::string PackAngle;
  std::string PackSpeed;
};

// A bucket grid over the points of one cube's routing index, so that a
// position search looks only at the buckets near the position inside its
// square window instead of walking the whole index, and rules most of those
// points out by a cheap chord length before it computes a great-circle
// distance. Derived data: the cube operations that change the points or the
// routing index mark it stale, and the next search rebuilds it.
struct TStreamPointBuckets {
  struct TEntry {
    double Lon = 0;              // the point's CoordM, copied for locality
    double Lat = 0;
    double X = 0;             // unit vector of the point's CoordB (earth centre
    double Y = 0;             // to the point), for a cheap chord length that
    double Z = 0;             // rules out points before the exact distance
    double XRad = 0;             // the point's CoordB longitude and latitude and
    double YRad = 0;             // the cosine of its latitude, as the great-circle
    double CosLat = 0;           // distance takes them
    std::uint32_t Order = 0;  // position of the point in the routing index
    std::uint32_t Point = 0;  // the point's number in the cube
  };
  bool Valid = false;
  std::size_t SourcePoints = 0;  // CoordM size the grid was built from
  std::size_t SourceIndex = 0;   // routing index size the grid was built from
  double Lon0 = 0;                  // south-west corner of bucket (0, 0)
  double Lat0 = 0;
  double CellLon = 1;               // bucket size, minutes
  double CellLat = 1;
  double MaxAbsLat = 0;             // largest |latitude| of the points, minutes
  int CountX = 0;
  int CountY = 0;
  std::vector<std::uint32_t> CellStart;  // CountX * CountY + 1 offsets into Entries
  std::vector<TEntry> Entries;           // bucket by bucket, routing-index order within

  // Points that lie on a lattice: each at one of a few distinct longitudes
  // and one of a few distinct latitudes, at most one per crossing, as on the
  // regular grid of a GRIB file with or without a bit map. A search then
  // counts the points of a window from a table of sums and walks outward over
  // the lattice's columns and rows, so a long thin grid (one column of
  // 65535 points, say) costs no more than a square one. Valid only when
  // IsLattice; Entries and CellStart are then left empty.
  struct TLattice {
    std::vector<double> Lon;  // distinct longitudes of the points, ascending (minutes)
    std::vector<double> Lat;  // distinct latitudes, ascending
    // The radians the points of each column and row hold (every point of a
    // column holds the same, ascending with the column) and the cosine of
    // each row's latitude, as the great-circle distance takes them.
    std::vector<double> XRad;
    std::vector<double> YRad;
    std::vector<double> CosLat;
    double MinCosLat = 0;  // smallest of CosLat
    // Per crossing (row by row: Lat index x Lon.size() + Lon index): the
    // number of its point in the cube + 1, 0 where no point lies, and the
    // point's position in the routing index.
    std::vector<std::uint32_t> Point;
    std::vector<std::uint32_t> Order;
    std::uint32_t Count = 0;  // points on the lattice
    // (Lon.size() + 1) x (Lat.size() + 1) sums: entry (i, j) counts the
    // points in columns below i and rows below j.
    std::vector<std::uint32_t> Sum;
  };
  bool IsLattice = false;
  TLattice Lattice;
};

// One of the three nearest grid points of a position search.
struct TNearestPoint {
  int Point = -1;      // point number in the cube; -1 for an empty slot
  float Distance = 0;  // great-circle distance, nautical miles (32-bit float)
};

// Nearest first.
using TNearestPositions = std::array<TNearestPoint, 3>;

// Fills the buckets over the points of `index` (positions into coordM and
// coordB); points that do not exist or are not finite are left out.
void BuildStreamPointBuckets(const TListMinutes& coordM, const TListBogen& coordB,
                             const std::vector<std::uint32_t>& index, TStreamPointBuckets& buckets);
// The three points of the buckets nearest to the position, as
// TListVektorCubeLight::GetNearestPositions describes; reads the buckets only,
// so threads may share them.
TNearestPositions FindNearestPositions(const TStreamPointBuckets& buckets, const TMathTools& math,
                                       const TMinutes& position);

// One cube: its points, its time fields and its validity polygon.
struct TVektorCubeLight {
  TListMinutes CoordM;  // points in data-set order
  TListBogen CoordB;    // the same in radians
  std::vector<TVektorFieldLight> ListVektorField;
  TListMinutes VektorArea;  // validity polygon
  TDateTime TimeIntp = 0;   // moment of the last time interpolation
  std::vector<TCartesian> VektorCIntp;
  TListPolar VektorPIntp;
  // The points the position searches consider, ascending. Change it (and the
  // points) through the operations of TListVektorCubeLight, which keep the
  // search buckets in step; a direct edit that keeps both sizes would leave
  // the buckets stale.
  std::vector<std::uint32_t> IndexRoutingArea;
  // Search buckets over IndexRoutingArea; filled on demand by the searches.
  mutable TStreamPointBuckets Buckets;
};

// The packed atlas vector P unpacked as TListVektorCubeLight::GetUnpackCubes
// describes, in polar form.
TPolar UnpackStreamVektor(std::int32_t packed, double neapRange, double springRange, double tideRange,
                          double speedFactor);
// TListVektorCubeLight::GetWeightedVektor and BlendVektors, for callers
// without a cube list.
TCartesian WeightedStreamVektor(const TNearestPositions& nearest, const TListCartesian& values);
TCartesian BlendStreamVektors(const TMathTools& math, const TCartesian& cb, const TPolar& pb,
                              TDateTime tB, const TCartesian& ca, const TPolar& pa, TDateTime tA,
                              TDateTime t);

// The pair of time fields around a moment and their times.
struct TFieldPair {
  int FieldBefore = 0;
  int FieldAfter = 0;
  TDateTime TimeBefore = 0;
  TDateTime TimeAfter = 0;
};

struct TListVektorCubeLight {
  TMathTools MathTools;
  std::string ModelName;
  TRectF ModelFrame;  // minutes: Left/Right longitudes, Bottom/Top latitudes
  bool Charts30 = false;
  bool OverlapCharts30 = false;
  int iOffset = 0;
  TListDateTime TimeField;  // one per field, shared by all cubes
  TListSingle TimeStamp;
  std::vector<TVektorCubeLight> ListVektorCube;
  TListMinutes ListRoutingArea;
  TListMinutes CoordMText;  // label positions
  TListPolar ValuePText;    // vectors interpolated at the labels
  int IndexField = 0;
  int IndexFieldBefore = 0;
  int IndexFieldAfter = 0;
  float FetchRadius = 0;
  double OffsetAngle = 0;  // degrees, turn applied to GRIB directions
  TListMinutes SlackM;
  std::vector<bool> SlackB;

  // ------------------------------------------------------------- building
  // A cube or field number outside the lists makes these do nothing (the
  // Add operations that return an index then return -1).

  // Removes all cubes and empties TimeField, TimeStamp and ListRoutingArea.
  void ClrCubes();
  // Appends an empty cube; returns its index.
  int AddCube();
  // Gives the cube n fields (n >= 0) and sets the lengths of TimeField and
  // TimeStamp to n.
  void AddFields(int cube, int n);
  // Appends one field to the cube and one entry (0) to TimeField and
  // TimeStamp; returns the new field's index.
  int AddField(int cube);
  // Sizes CoordM, CoordB and the routing index to n points and makes the
  // routing index all points 0 ... n - 1.
  void AddPositions(int cube, int n);
  // Appends one point; the radians are computed when not given. The routing
  // index is left as it is (ResetIndexRoutingArea takes the point in).
  void AddPosition(int cube, const TMinutes& position);
  void AddPosition(int cube, const TMinutes& position, const TBogen& radians);
  // Stores point `point` in minutes and in radians.
  void SetPosition(int cube, int point, float lat, float lon);
  void SetPosition(int cube, int point, const TMinutes& position, const TBogen& radians);
  void SetPosition(int cube, int point, const TGeoPos& position);
  // Sizes the field's ValuePacked, ValueC, ValueP, Accuracy, Color and
  // DateTime, and the cube's VektorCIntp and VektorPIntp, to n vectors.
  void AddVektors(int cube, int field, int n);
  void SetVektorPacked(int cube, int field, std::int32_t packed, int point);
  // Sizes and fills the cube's validity polygon.
  void AddVektorArea(int cube, int n);
  void SetVektorArea(int cube, int vertex, float lat, float lon);
  // Sizes CoordMText and ValuePText to n and fills the label positions.
  void AddPositionsText(int n);
  void SetPositionText(int i, float lat, float lon);
  // Sizes SlackM and SlackB to n, fills the positions and sets the flags.
  void AddSlacks(int n);
  void SetSlackPosition(int i, const TMinutes& position);
  void SetSlack(int i, bool flag);
  // The routing area becomes the frame's rectangle: (Left, Bottom),
  // (Left, Top), (Right, Top), (Right, Bottom), (Left, Bottom).
  void SetDefaultRoutingArea(const TRectF& frame);

  // GRIB fields: set one component of ValueC; ValueP from ValueC; or ValueP
  // given and ValueC derived.
  void SetVektorCartesianX(int cube, int field, double value, int point);
  void SetVektorCartesianY(int cube, int field, double value, int point);
  void SetVektorPolar(int cube, int field, int point);
  void SetVektorPolar(int cube, int field, const TPolar& polar, int point);

  // ---------------------------------------------------------- time fields

  // The atlas field that window position i uses (one correction each way):
  // hourly ring j = i + iOffset, j - 13 when j > 12; 30-minute ring
  // j = i - iOffset, +26 when j < 0, -26 when j > 25; 30-minute ring with
  // OverlapCharts30 (25 places) j = i - iOffset, +25 when j <= 0, -25 when
  // j > 25, so field 0 is never used.
  int GetFieldIndex(int i) const;
  // TimeField[field] = t (fields in chronological order, GRIB).
  void SetTimeField(int field, TDateTime t);
  // TimeField[field of window position i] = t, through the hourly ring
  // (60) or the 30-minute ring with OverlapCharts30 as set (30); a field
  // outside TimeField is left alone.
  void SetTimeField60Offset(int i, TDateTime t);
  void SetTimeField30Offset(int i, TDateTime t);
  // TimeField[GetFieldIndex(i)]: the window's times in chronological order;
  // 0 outside the list.
  TDateTime GetFieldTime(int i) const;
  // TimeField[field]; the computer's current local date-time when field is
  // not below the field count of cube 0 (or outside TimeField).
  TDateTime GetTimeField(int field) const;
  TDateTime GetTimeFirstField() const;  // GetTimeField(0)
  TDateTime GetTimeLastField() const;   // GetTimeField(fields of cube 0 - 1)
  // TimeField has at least 2 entries and GetTimeFirstField <= t <=
  // GetTimeLastField (GRIB fields).
  bool GetDateTimeInCube(TDateTime t) const;
  // Whether t lies in the window: indexed, between GetFieldTime(0) and
  // GetFieldTime(m) with m = count - 2 when OverlapCharts30, else count - 1;
  // not indexed, between the first and last field times. False for fewer
  // than 2 fields.
  bool GetTimeInFields(bool indexed, TDateTime t) const;
  // The first consecutive pair of window positions (indexed) or fields (not
  // indexed) whose times enclose t, both ends included; nothing when none
  // does. A moment on a chart time belongs to the pair that ends there,
  // except the first time, which starts the first pair.
  std::optional<TFieldPair> GetFieldsAround(bool indexed, TDateTime t) const;

  // -------------------------------------------------------------- values

  // Unpacks every vector of every field of every cube from ValuePacked:
  // N = (P mod 1000) / 100 and S = (P div 1000 mod 1000) / 100 knots as
  // 32-bit floats, A = P div 1000000 degrees; speed = (S + (R - Rs) (N - S) /
  // (Rn - Rs)) (1 + k), the straight line through the spring speed at the
  // spring range and the neap speed at the neap range, not clamped;
  // direction A in radians as a 32-bit float. neapRange Rn and springRange Rs
  // are the mean ranges in metres, tideRange R the day's range, speedFactor
  // k the user's correction as a fraction (0 = none, -1 = no stream). When
  // the two mean ranges are equal the line is undefined and the spring speed
  // is used. Starts from the packed values; a call with the arguments of the
  // last one, with no field changed through the operations here since,
  // finds the values unpacked already and returns at once.
  void GetUnpackCubes(double neapRange, double springRange, double tideRange, double speedFactor);
  // Blends the vector of the field before (cartesian cb, polar pb, time tB)
  // with the one of the field after (ca, pa, tA) at moment t. Weights
  // wb = tA - t and wa = t - tB (days, 32-bit floats), e = wb + wa. The
  // direction is that of (wb cb + wa ca) / e (of the mean vector when e <= 0
  // and wb = wa, of the zero vector otherwise), the speed the weighted mean
  // (wa |pa| + wb |pb|) / e, or the plain mean of the two speeds when
  // e <= 0. A stream that turns between two charts so keeps its strength.
  TCartesian BlendVektors(const TCartesian& cb, const TPolar& pb, TDateTime tB,
                          const TCartesian& ca, const TPolar& pa, TDateTime tA,
                          TDateTime t) const;
  // Interpolates every cube's fields to t into VektorCIntp, VektorPIntp and
  // TimeIntp. Nothing changes when t is outside the window or no pair is
  // found. The tidal atlas uses indexed = true (the ring), GRIB fields false.
  void GetFieldsIntp(bool indexed, TDateTime t);
  // ValuePText[i] = GetVektorIntpAtPosition(CoordMText[i]) when t is in the
  // (indexed) window. Reads VektorCIntp: call GetFieldsIntp for t first.
  void GetFieldsTextIntp(TDateTime t);
  // Every VektorPIntp entry and every ValuePText entry becomes the zero
  // vector (VektorCIntp and the fields stay).
  void ClrVektorFieldFixed();

  // ------------------------------------------------- positions and search

  // The first cube whose validity polygon contains the position; 0 when none
  // does (so cube 0 wins where it overlaps a sub-area).
  int GetCubeIndex(const TMinutes& position) const;
  // The three points of the cube's routing index nearest to the position,
  // nearest first. Passes with a square window of half-width d = 1', 1.5',
  // 2', ... (minutes of longitude and latitude, edges excluded) until one
  // holds three points; of the points in that square the three with the
  // smallest great-circle distance (32-bit float nautical miles) win, ties
  // going to the point earlier in the routing index. A nearer point just
  // outside that square is not considered. Works on the search buckets:
  // rings of buckets outward from the position, stopping once no farther
  // bucket can hold one of the three, and exact distances only for points
  // a chord bound cannot rule out; the result is bit for bit that of
  // GetNearestPositionsByScan. Every slot is empty (point -1) when the cube
  // does not exist, its routing index has fewer than 3 usable points, or the
  // position is not finite.
  TNearestPositions GetNearestPositions(int cube, const TMinutes& position) const;
  // The same result by walking the whole routing index pass after pass; the
  // reference the bucket search is checked and measured against.
  TNearestPositions GetNearestPositionsByScan(int cube, const TMinutes& position) const;
  // Inverse-distance weighting of the three nearest points' vectors: with
  // distances d1, d2, d3, the weights d2 d3, d1 d3, d1 d2 (1/d brought to a
  // common denominator); zero when the weights sum to 0. A position on a
  // grid point gets that point's vector. A point beyond `values` counts as
  // the zero vector.
  TCartesian GetWeightedVektor(const TNearestPositions& nearest,
                               const TListCartesian& values) const;
  // The time-interpolated field (VektorCIntp) at a position: the cube of
  // GetCubeIndex, its three nearest points, inverse-distance weighted, in
  // polar form. Zero when that cube has fewer than 3 points or fewer than 3
  // points in its routing index.
  TPolar GetVektorIntpAtPosition(const TMinutes& position) const;
  // The field's vector (ValueC) at a position, inverse-distance weighted
  // from the cube's three nearest points. False, with the zero vector, when
  // the cube's routing index has fewer than 3 points or the position is
  // outside ListRoutingArea.
  bool GetTINFieldVektor(int cube, int field, const TMinutes& position, TCartesian& vektor) const;
  // The field at a position and a moment: the two fields around t (through
  // the ring when indexed), each weighted in space as GetTINFieldVektor, then
  // blended in time. The zero vector when no pair of fields encloses t or
  // the position search fails. Does not test the window first. Routing calls
  // it for every node and step of its grids.
  TCartesian GetTINVektor(bool indexed, int cube, const TMinutes& position, TDateTime t) const;
  // The cube's VektorPIntp becomes the polar form of GetTINFieldVektor at
  // each position (the zero vector where it fails).
  void GetTINField(int cube, int field, const TListMinutes& positions);

  // --------------------------------------------------------- routing area

  // Every cube's routing index becomes the ascending list of its points that
  // lie inside ListRoutingArea.
  void GetIndexRoutingArea();
  // Every cube's routing index becomes all points 0 ... n - 1.
  void ResetIndexRoutingArea();
  // Copies the polygon into ListRoutingArea; returns its vertex count.
  int CloneRoutingArea(const TListMinutes& polygon);
  // Copies ListRoutingArea out; returns its vertex count.
  int UncloneRoutingArea(TListMinutes& polygon) const;
  // Copies the polygon into the cube's VektorArea; returns its vertex count
  // (0 when the cube does not exist).
  int CloneVektorArea(int cube, const TListMinutes& polygon);

  // ---------------------------------------------------------- read access

  int GetCountCubes() const;
  int GetCountFields(int cube) const;
  // Length of the field's ValueC.
  int GetCountVektors(int cube, int field) const;
  // The cube's point count; 0 when there are no cubes.
  int GetCountVektors(int cube) const;
  int GetCountSlacks() const;
  TMinutes GetVektorMinutes(int cube, int point) const;
  TBogen GetVektorBogen(int cube, int point) const;
  TPolar GetVektorPolar(int cube, int field, int point) const;
  TCartesian GetVektorCartesian(int cube, int field, int point) const;
  // Zero vector when the point is outside VektorPIntp.
  TPolar GetVektorIntpPolar(int cube, int point) const;
  bool GetSlack(int slack) const;
  TMinutes GetSlackPosition(int slack) const;

 private:
  // The arguments of the last unpacking, while no field has changed since.
  std::optional<std::array<double, 4>> unpackedFor_;
  TVektorCubeLight* Cube(int cube);
  const TVektorCubeLight* Cube(int cube) const;
  TVektorFieldLight* Field(int cube, int field);
  const TVektorFieldLight* Field(int cube, int field) const;
  // Window position -> field with the hourly and the 30-minute ring.
  int FieldIndex60(int i) const;
  int FieldIndex30(int i) const;
  // Rebuilds a cube's search buckets when they are stale.
  void EnsureBuckets(const TVektorCubeLight& cube) const;
};

}  // namespace corvane
