#pragma once
// Depth-averaged nonlinear shallow-water model on a regular latitude/longitude
// grid: the hydrodynamic model the tidal stream atlas is sampled from.
//
// Equations (depth-averaged, spherical metrics taken per row):
//   d(eta)/dt + div(D U) = 0,                         D = h + eta
//   dU/dt + (U . grad) U + f k x U = -g grad(eta) - Cd |U| U / D
// with eta the level above the rest level (m), h the rest depth (m, negative
// on drying banks), U = (u east, v north) in m/s, f the Coriolis parameter,
// Cd the quadratic bottom-friction coefficient.
//
// Discretisation: Arakawa C-grid (levels at cell centres, u on west/east
// faces, v on south/north faces), forward-backward time stepping (continuity
// first, then momentum with the new levels; Mesinger & Arakawa 1976, stable
// for gravity waves up to a Courant number of 1), first-order upwind momentum
// advection, Coriolis from the face-averaged other component of the previous
// step, semi-implicit bottom friction (U_new = U* / (1 + dt Cd |U| / D)).
// Fluxes use the total depth of the upwind cell (Stelling & Duinmeijer 2003),
// which keeps drying cells from being emptied below their bed; a face whose
// upwind depth is below the drying threshold carries no flow. Continuity is
// written as the divergence of face fluxes times face lengths over the cell
// area, so the volume of a closed basin is conserved to rounding, except
// where a cell would be drained below its bed in one step and its level is
// clamped to the bed.
//
// Open boundaries: cells whose level is prescribed every step (clamped
// elevation). Land cells are walls (free slip: no lateral friction; in the
// advection terms a face beside a wall takes its own velocity for the face
// across it, so the wall neither drags nor drives the stream along it).
//
// The rows are shared among worker threads; each value of a step depends only
// on values of the previous phase, so the results do not depend on the number
// of threads.

#include <cstdint>
#include <functional>
#include <vector>

namespace corvane {

// The model grid: cell (i, j) is column i from the west, row j from the south.
struct TSweGrid {
  double West = 0;          // minutes of arc, west edge of column 0
  double South = 0;         // minutes of arc, south edge of row 0
  double CellLon = 0.1;     // minutes of longitude per column (> 0)
  double CellLat = 0.1;     // minutes of latitude per row (> 0)
  int Columns = 0;
  int Rows = 0;
  std::vector<std::uint8_t> Water;  // per cell, row-major: 1 water, 0 land
  std::vector<float> Depth;         // per cell: rest depth (m); negative dries
  // A flat (Cartesian) grid: CellLon and CellLat are then metres and the
  // Coriolis parameter is Parameters.CoriolisFixed; tests use it.
  bool Cartesian = false;

  int Index(int i, int j) const { return j * Columns + i; }
  bool IsWater(int i, int j) const {
    return i >= 0 && j >= 0 && i < Columns && j < Rows && Water[Index(i, j)] != 0;
  }
  double CellCentreLon(int i) const { return West + (i + 0.5) * CellLon; }
  double CellCentreLat(int j) const { return South + (j + 0.5) * CellLat; }
};

struct TSweParameters {
  double Gravity = 9.81;           // m/s^2
  double TimeStep = 4;             // s
  double DragCoefficient = 0.0025; // quadratic bottom friction Cd (dimensionless)
  double DryDepth = 0.05;          // m: a face whose upwind depth is below it carries no flow
  double MaxSpeed = 6;             // m/s: cap on a face velocity (only drying cells reach it)
  bool Advection = true;
  bool Coriolis = true;
  double CoriolisFixed = 0;        // 1/s, Cartesian grids only
  int Threads = 2;
};

class TShallowWaterModel {
 public:
  static constexpr double kEarthRadius = 6371000;  // m, mean radius
  static constexpr double kOmega = 7.2921159e-5;   // rad/s, Earth's rotation

  TShallowWaterModel(TSweGrid grid, TSweParameters parameters);

  const TSweGrid& Grid() const { return grid_; }
  const TSweParameters& Parameters() const { return parameters_; }
  double Time() const { return time_; }  // seconds since the start

  // The cells whose level is prescribed, as cell indices (water cells only).
  void SetOpenBoundary(std::vector<int> cells);
  const std::vector<int>& OpenBoundary() const { return boundary_; }

  // Runs `steps` time steps. Before each, boundaryLevels(t, levels) is
  // called with the time at the end of the step (s) and a vector as long as
  // the open boundary, to be filled with the prescribed levels (m). After
  // each step, afterStep (when given) may read the model; both are called on
  // one thread while the workers wait.
  void Run(int steps, const std::function<void(double, std::vector<float>&)>& boundaryLevels,
           const std::function<void()>& afterStep = {});

  // Level above the rest level (m) of a cell; 0 on land. A dry cell shows
  // its bed (-h).
  float Level(int i, int j) const;
  void SetLevel(int i, int j, float level);
  // Total depth (m) of a cell; 0 on land.
  float TotalDepth(int i, int j) const;
  // Velocity (m/s) at a cell centre, the mean of the two faces in each
  // direction; zero on land.
  void CellVelocity(int i, int j, float& east, float& north) const;
  // Velocity on a face: u on the west face of cell (i, j) (i = 0 ... Columns),
  // v on the south face (j = 0 ... Rows).
  float FaceU(int i, int j) const { return u_[static_cast<std::size_t>(j) * (grid_.Columns + 1) + i]; }
  float FaceV(int i, int j) const { return v_[static_cast<std::size_t>(j) * grid_.Columns + i]; }
  // Water volume above the rest-level datum plus the rest volume: the sum of
  // total depth times cell area (m^3), in double precision.
  double Volume() const;
  // Area of a cell of row j (m^2).
  double CellArea(int j) const { return dx_[j] * dy_; }
  // Largest stable time step (s) for the grid and its deepest cell with a
  // tide of `tide` metres, for a Courant number `courant` (<= 1).
  double StableTimeStep(double tide, double courant) const;

 private:
  void StepLevels(int rowFrom, int rowTo);
  void StepVelocities(int rowFrom, int rowTo);

  TSweGrid grid_;
  TSweParameters parameters_;
  double time_ = 0;
  double dy_ = 0;                 // m, row height
  std::vector<double> dx_;        // m, cell width per row
  std::vector<double> dxFace_;    // m, width at the south face of row j (Rows + 1)
  std::vector<float> fu_;         // Coriolis parameter at the u faces of row j
  std::vector<float> fv_;         // Coriolis parameter at the v faces of row j (Rows + 1)
  std::vector<float> h_;          // rest depth per cell (0 on land)
  std::vector<float> eta_, etaNext_;
  std::vector<float> u_, uNext_;  // (Columns + 1) x Rows
  std::vector<float> v_, vNext_;  // Columns x (Rows + 1)
  std::vector<std::uint8_t> uOpen_, vOpen_;
  std::vector<std::uint8_t> fixed_;       // per cell: level prescribed
  std::vector<int> boundary_;
  std::vector<int> boundarySlot_;         // per cell: index into the boundary or -1
  std::vector<float> boundaryLevels_;
  std::vector<int> rowSplit_;             // thread t owns rows [rowSplit_[t], rowSplit_[t+1])
};

// Tidal forcing at a set of points: h(t) = sum_k f_k A_k cos(w_k t + phi_k - g_k),
// the harmonic prediction (f nodal factor, A amplitude, w speed, phi = V0 + u
// the astronomical argument at t = 0, g the phase lag), evaluated as
// sum_k (a_k cos(w_k t) + b_k sin(w_k t)) with the per-point coefficients
// computed once.
class THarmonicForcing {
 public:
  // speedsDegPerHour, nodalFactors, argumentsDeg: one per constituent.
  THarmonicForcing(std::vector<double> speedsDegPerHour, std::vector<double> nodalFactors,
                   std::vector<double> argumentsDeg);
  // Adds a point with its amplitudes (m) and phase lags (deg), one per
  // constituent; returns its index.
  int AddPoint(const std::vector<double>& amplitudes, const std::vector<double>& phasesDeg);
  // Levels (m) of every point at t seconds after the epoch, times `scale`.
  void Evaluate(double seconds, double scale, std::vector<float>& levels) const;
  double Level(int point, double seconds) const;
  int Points() const { return static_cast<int>(a_.size()); }

 private:
  std::vector<double> omega_;                 // rad/s
  std::vector<double> f_, phi_;               // nodal factor, argument (rad)
  std::vector<std::vector<double>> a_, b_;    // per point, per constituent
  mutable std::vector<double> cos_, sin_;
};

// Least-squares fit of mean + a cos(w t) + b sin(w t) to samples; returns
// amplitude and the phase p (deg, 0-360) of the form A cos(w t - p).
struct THarmonicFit {
  double Mean = 0;
  double Amplitude = 0;
  double PhaseDeg = 0;
};
THarmonicFit FitHarmonic(const std::vector<double>& seconds, const std::vector<double>& values,
                         double omegaRadPerSecond);

}  // namespace corvane
