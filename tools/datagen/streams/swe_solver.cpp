#include "tools/datagen/streams/swe_solver.h"

#include <algorithm>
#include <barrier>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <thread>
#include <utility>

namespace corvane {

namespace {

constexpr double kMetresPerMinuteLat =
    TShallowWaterModel::kEarthRadius * std::numbers::pi / (180.0 * 60.0);

double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

}  // namespace

TShallowWaterModel::TShallowWaterModel(TSweGrid grid, TSweParameters parameters)
    : grid_(std::move(grid)), parameters_(parameters) {
  const int nx = grid_.Columns;
  const int ny = grid_.Rows;
  const std::size_t cells = static_cast<std::size_t>(nx) * ny;
  if (nx < 1 || ny < 1 || grid_.Water.size() != cells || grid_.Depth.size() != cells ||
      !(grid_.CellLon > 0) || !(grid_.CellLat > 0) || !(parameters_.TimeStep > 0)) {
    throw std::invalid_argument("shallow-water model: inconsistent grid or time step");
  }
  // Metrics: on the sphere a cell is R dphi high and R cos(phi) dlambda wide;
  // the width is taken at the cell's centre latitude and, for the v fluxes,
  // at the face latitude.
  dx_.resize(ny);
  dxFace_.resize(ny + 1);
  fu_.resize(ny);
  fv_.resize(ny + 1);
  if (grid_.Cartesian) {
    dy_ = grid_.CellLat;
    std::fill(dx_.begin(), dx_.end(), grid_.CellLon);
    std::fill(dxFace_.begin(), dxFace_.end(), grid_.CellLon);
    const auto f = static_cast<float>(parameters_.Coriolis ? parameters_.CoriolisFixed : 0);
    std::fill(fu_.begin(), fu_.end(), f);
    std::fill(fv_.begin(), fv_.end(), f);
  } else {
    dy_ = grid_.CellLat * kMetresPerMinuteLat;
    for (int j = 0; j <= ny; ++j) {
      const double latFace = Radians((grid_.South + j * grid_.CellLat) / 60.0);
      dxFace_[j] = grid_.CellLon * kMetresPerMinuteLat * std::cos(latFace);
      fv_[j] = parameters_.Coriolis ? static_cast<float>(2 * kOmega * std::sin(latFace)) : 0.0f;
      if (j < ny) {
        const double lat = Radians(grid_.CellCentreLat(j) / 60.0);
        dx_[j] = grid_.CellLon * kMetresPerMinuteLat * std::cos(lat);
        fu_[j] = parameters_.Coriolis ? static_cast<float>(2 * kOmega * std::sin(lat)) : 0.0f;
      }
    }
  }
  h_.assign(cells, 0.0f);
  for (std::size_t k = 0; k < cells; ++k) h_[k] = grid_.Water[k] ? grid_.Depth[k] : 0.0f;
  eta_.assign(cells, 0.0f);
  // A cell whose bed lies above the rest level starts dry, its level on the bed.
  for (std::size_t k = 0; k < cells; ++k) {
    if (grid_.Water[k] && h_[k] < 0) eta_[k] = -h_[k];
  }
  etaNext_ = eta_;
  u_.assign(static_cast<std::size_t>(nx + 1) * ny, 0.0f);
  uNext_ = u_;
  v_.assign(static_cast<std::size_t>(nx) * (ny + 1), 0.0f);
  vNext_ = v_;
  uOpen_.assign(u_.size(), 0);
  vOpen_.assign(v_.size(), 0);
  for (int j = 0; j < ny; ++j) {
    for (int i = 1; i < nx; ++i) {
      uOpen_[static_cast<std::size_t>(j) * (nx + 1) + i] =
          grid_.IsWater(i - 1, j) && grid_.IsWater(i, j) ? 1 : 0;
    }
  }
  for (int j = 1; j < ny; ++j) {
    for (int i = 0; i < nx; ++i) {
      vOpen_[static_cast<std::size_t>(j) * nx + i] =
          grid_.IsWater(i, j - 1) && grid_.IsWater(i, j) ? 1 : 0;
    }
  }
  fixed_.assign(cells, 0);
  boundarySlot_.assign(cells, -1);

  // Rows shared so that each thread gets about as many water cells.
  const int threads = std::max(1, parameters_.Threads);
  std::vector<long> waterBefore(ny + 1, 0);
  for (int j = 0; j < ny; ++j) {
    long count = 0;
    for (int i = 0; i < nx; ++i) count += grid_.Water[grid_.Index(i, j)];
    waterBefore[j + 1] = waterBefore[j] + count;
  }
  rowSplit_.assign(threads + 1, ny);
  rowSplit_[0] = 0;
  for (int t = 1; t < threads; ++t) {
    const long target = waterBefore[ny] * t / threads;
    int j = rowSplit_[t - 1];
    while (j < ny && waterBefore[j] < target) ++j;
    rowSplit_[t] = j;
  }
}

void TShallowWaterModel::SetOpenBoundary(std::vector<int> cells) {
  std::fill(fixed_.begin(), fixed_.end(), 0);
  std::fill(boundarySlot_.begin(), boundarySlot_.end(), -1);
  boundary_ = std::move(cells);
  for (std::size_t b = 0; b < boundary_.size(); ++b) {
    const int k = boundary_[b];
    if (k < 0 || k >= static_cast<int>(fixed_.size()) || !grid_.Water[k]) {
      throw std::invalid_argument("shallow-water model: open boundary cell on land or outside");
    }
    fixed_[k] = 1;
    boundarySlot_[k] = static_cast<int>(b);
  }
  boundaryLevels_.assign(boundary_.size(), 0.0f);
}

double TShallowWaterModel::StableTimeStep(double tide, double courant) const {
  float deepest = 0;
  for (float h : h_) deepest = std::max(deepest, h);
  const double c = std::sqrt(parameters_.Gravity * (deepest + tide));
  double best = 1e30;
  for (int j = 0; j < grid_.Rows; ++j) {
    const double inv = std::sqrt(1 / (dx_[j] * dx_[j]) + 1 / (dy_ * dy_));
    best = std::min(best, courant / (c * inv));
  }
  return best;
}

void TShallowWaterModel::Run(int steps,
                             const std::function<void(double, std::vector<float>&)>& boundaryLevels,
                             const std::function<void()>& afterStep) {
  if (steps <= 0) return;
  const int threads = static_cast<int>(rowSplit_.size()) - 1;
  const double dt = parameters_.TimeStep;
  int phase = 0;  // 0: levels done, 1: velocities done
  int done = 0;
  boundaryLevels(time_ + dt, boundaryLevels_);
  // The completion step runs on one thread while the others wait: it closes
  // a time step (new fields become current) and asks for the next forcing.
  auto completion = [&]() noexcept {
    if (phase == 0) {
      phase = 1;
      return;
    }
    phase = 0;
    std::swap(eta_, etaNext_);
    std::swap(u_, uNext_);
    std::swap(v_, vNext_);
    time_ += dt;
    ++done;
    if (afterStep) afterStep();
    if (done < steps) boundaryLevels(time_ + dt, boundaryLevels_);
  };
  std::barrier sync(threads, completion);
  auto work = [&](int t) {
    const int from = rowSplit_[t];
    const int to = rowSplit_[t + 1];
    for (int s = 0; s < steps; ++s) {
      StepLevels(from, to);
      sync.arrive_and_wait();
      StepVelocities(from, to);
      sync.arrive_and_wait();
    }
  };
  std::vector<std::thread> pool;
  for (int t = 1; t < threads; ++t) pool.emplace_back(work, t);
  work(0);
  for (std::thread& thread : pool) thread.join();
}

void TShallowWaterModel::StepLevels(int rowFrom, int rowTo) {
  const int nx = grid_.Columns;
  const float dt = static_cast<float>(parameters_.TimeStep);
  const float dy = static_cast<float>(dy_);
  const float* h = h_.data();
  const float* eta = eta_.data();
  float* next = etaNext_.data();
  const float* u = u_.data();
  const float* v = v_.data();
  const std::uint8_t* water = grid_.Water.data();
  for (int j = rowFrom; j < rowTo; ++j) {
    const float area = static_cast<float>(dx_[j] * dy_);
    const float dxS = static_cast<float>(dxFace_[j]);
    const float dxN = static_cast<float>(dxFace_[j + 1]);
    const std::size_t row = static_cast<std::size_t>(j) * nx;
    const float* uRow = u + static_cast<std::size_t>(j) * (nx + 1);
    const float* vS = v + row;
    const float* vN = v + row + nx;
    for (int i = 0; i < nx; ++i) {
      const std::size_t k = row + i;
      if (!water[k]) continue;
      if (fixed_[k]) {
        next[k] = std::max(boundaryLevels_[boundarySlot_[k]], -h[k]);
        continue;
      }
      const float d = h[k] + eta[k];
      // Face fluxes (m^3/s) with the upwind cell's total depth. Closed faces
      // hold a zero velocity, so their neighbour's depth never matters.
      const float uw = uRow[i], ue = uRow[i + 1];
      const float vs = vS[i], vn = vN[i];
      const float dW = i > 0 ? h[k - 1] + eta[k - 1] : 0.0f;
      const float dE = i + 1 < nx ? h[k + 1] + eta[k + 1] : 0.0f;
      const float dS = j > 0 ? h[k - nx] + eta[k - nx] : 0.0f;
      const float dN = j + 1 < grid_.Rows ? h[k + nx] + eta[k + nx] : 0.0f;
      const float fw = uw * (uw > 0 ? dW : d) * dy;
      const float fe = ue * (ue > 0 ? d : dE) * dy;
      const float fs = vs * (vs > 0 ? dS : d) * dxS;
      const float fn = vn * (vn > 0 ? d : dN) * dxN;
      const float level = eta[k] - dt * (fe - fw + fn - fs) / area;
      // The upwind depths keep a cell from losing more than it holds unless
      // several faces drain it at once; then the level stops at the bed.
      next[k] = std::max(level, -h[k]);
    }
  }
}

void TShallowWaterModel::StepVelocities(int rowFrom, int rowTo) {
  const int nx = grid_.Columns;
  const int ny = grid_.Rows;
  const float dt = static_cast<float>(parameters_.TimeStep);
  const float g = static_cast<float>(parameters_.Gravity);
  const float cd = static_cast<float>(parameters_.DragCoefficient);
  const float dry = static_cast<float>(parameters_.DryDepth);
  const float cap = static_cast<float>(parameters_.MaxSpeed);
  const float dy = static_cast<float>(dy_);
  const bool advection = parameters_.Advection;
  const float* h = h_.data();
  const float* eta = etaNext_.data();
  const float* u = u_.data();
  const float* v = v_.data();
  float* uOut = uNext_.data();
  float* vOut = vNext_.data();
  const std::size_t uStride = static_cast<std::size_t>(nx) + 1;

  // u faces of rows [rowFrom, rowTo).
  for (int j = rowFrom; j < rowTo; ++j) {
    const float dx = static_cast<float>(dx_[j]);
    const float f = fu_[j];
    const std::size_t row = static_cast<std::size_t>(j) * nx;
    const std::size_t uRow = static_cast<std::size_t>(j) * uStride;
    for (int i = 1; i < nx; ++i) {
      const std::size_t q = uRow + i;
      if (!uOpen_[q]) {
        uOut[q] = 0;
        continue;
      }
      const std::size_t kW = row + i - 1, kE = row + i;
      const float dW = h[kW] + eta[kW];
      const float dE = h[kE] + eta[kE];
      if (dW < dry && dE < dry) {
        uOut[q] = 0;
        continue;
      }
      const float uq = u[q];
      // v averaged onto the u face from the four surrounding v faces.
      const std::size_t vS = row, vN = row + nx;
      const float vbar = 0.25f * (v[vS + i - 1] + v[vS + i] + v[vN + i - 1] + v[vN + i]);
      float tendency = -g * (eta[kE] - eta[kW]) / dx + f * vbar;
      if (advection) {
        const float dudx = uq > 0 ? (uq - u[q - 1]) / dx : (u[q + 1] - uq) / dx;
        // A neighbour across a wall takes the face's own velocity: the wall
        // is free slip, so it neither drags nor drives the stream along it.
        const float uSouth = j > 0 && uOpen_[q - uStride] ? u[q - uStride] : uq;
        const float uNorth = j + 1 < ny && uOpen_[q + uStride] ? u[q + uStride] : uq;
        const float dudy = vbar > 0 ? (uq - uSouth) / dy : (uNorth - uq) / dy;
        tendency -= uq * dudx + vbar * dudy;
      }
      float un = uq + dt * tendency;
      const float upwind = un > 0 ? dW : dE;
      if (upwind < dry) {
        uOut[q] = 0;
        continue;
      }
      const float depth = std::max(0.5f * (dW + dE), dry);
      un /= 1 + dt * cd * std::sqrt(uq * uq + vbar * vbar) / depth;
      uOut[q] = std::clamp(un, -cap, cap);
    }
  }
  // v faces of rows [rowFrom, rowTo) (the south face of each row; the edges
  // of the domain stay closed).
  for (int j = std::max(rowFrom, 1); j < rowTo; ++j) {
    const float f = fv_[j];
    const std::size_t row = static_cast<std::size_t>(j) * nx;
    const float dxFace = static_cast<float>(dxFace_[j]);
    for (int i = 0; i < nx; ++i) {
      const std::size_t q = row + i;
      if (!vOpen_[q]) {
        vOut[q] = 0;
        continue;
      }
      const std::size_t kS = q - nx, kN = q;
      const float dS = h[kS] + eta[kS];
      const float dN = h[kN] + eta[kN];
      if (dS < dry && dN < dry) {
        vOut[q] = 0;
        continue;
      }
      const float vq = v[q];
      const std::size_t uS = static_cast<std::size_t>(j - 1) * uStride + i;
      const std::size_t uN = static_cast<std::size_t>(j) * uStride + i;
      const float ubar = 0.25f * (u[uS] + u[uS + 1] + u[uN] + u[uN + 1]);
      float tendency = -g * (eta[kN] - eta[kS]) / dy - f * ubar;
      if (advection) {
        const float vWest = i > 0 && vOpen_[q - 1] ? v[q - 1] : vq;
        const float vEast = i + 1 < nx && vOpen_[q + 1] ? v[q + 1] : vq;
        const float dvdx = ubar > 0 ? (vq - vWest) / dxFace : (vEast - vq) / dxFace;
        const float dvdy = vq > 0 ? (vq - v[q - nx]) / dy : (v[q + nx] - vq) / dy;
        tendency -= ubar * dvdx + vq * dvdy;
      }
      float vn = vq + dt * tendency;
      const float upwind = vn > 0 ? dS : dN;
      if (upwind < dry) {
        vOut[q] = 0;
        continue;
      }
      const float depth = std::max(0.5f * (dS + dN), dry);
      vn /= 1 + dt * cd * std::sqrt(vq * vq + ubar * ubar) / depth;
      vOut[q] = std::clamp(vn, -cap, cap);
    }
  }
}

float TShallowWaterModel::Level(int i, int j) const {
  if (!grid_.IsWater(i, j)) return 0;
  return eta_[grid_.Index(i, j)];
}

void TShallowWaterModel::SetLevel(int i, int j, float level) {
  if (!grid_.IsWater(i, j)) return;
  const int k = grid_.Index(i, j);
  eta_[k] = std::max(level, -h_[k]);
  etaNext_[k] = eta_[k];
}

float TShallowWaterModel::TotalDepth(int i, int j) const {
  if (!grid_.IsWater(i, j)) return 0;
  const int k = grid_.Index(i, j);
  return h_[k] + eta_[k];
}

void TShallowWaterModel::CellVelocity(int i, int j, float& east, float& north) const {
  east = north = 0;
  if (!grid_.IsWater(i, j)) return;
  east = 0.5f * (FaceU(i, j) + FaceU(i + 1, j));
  north = 0.5f * (FaceV(i, j) + FaceV(i, j + 1));
}

double TShallowWaterModel::Volume() const {
  double total = 0;
  for (int j = 0; j < grid_.Rows; ++j) {
    double row = 0;
    for (int i = 0; i < grid_.Columns; ++i) {
      const int k = grid_.Index(i, j);
      if (grid_.Water[k]) row += static_cast<double>(h_[k]) + eta_[k];
    }
    total += row * dx_[j] * dy_;
  }
  return total;
}

THarmonicForcing::THarmonicForcing(std::vector<double> speedsDegPerHour,
                                   std::vector<double> nodalFactors,
                                   std::vector<double> argumentsDeg)
    : f_(std::move(nodalFactors)) {
  if (speedsDegPerHour.size() != f_.size() || argumentsDeg.size() != f_.size()) {
    throw std::invalid_argument("harmonic forcing: one speed, factor and argument per constituent");
  }
  for (double s : speedsDegPerHour) omega_.push_back(Radians(s) / 3600.0);
  for (double a : argumentsDeg) phi_.push_back(Radians(a));
  cos_.resize(omega_.size());
  sin_.resize(omega_.size());
}

int THarmonicForcing::AddPoint(const std::vector<double>& amplitudes,
                               const std::vector<double>& phasesDeg) {
  if (amplitudes.size() != omega_.size() || phasesDeg.size() != omega_.size()) {
    throw std::invalid_argument("harmonic forcing: one amplitude and phase per constituent");
  }
  // f A cos(w t + phi - g) = f A cos(phi - g) cos(w t) - f A sin(phi - g) sin(w t).
  std::vector<double> a(omega_.size()), b(omega_.size());
  for (std::size_t c = 0; c < omega_.size(); ++c) {
    const double p = phi_[c] - Radians(phasesDeg[c]);
    a[c] = f_[c] * amplitudes[c] * std::cos(p);
    b[c] = -f_[c] * amplitudes[c] * std::sin(p);
  }
  a_.push_back(std::move(a));
  b_.push_back(std::move(b));
  return static_cast<int>(a_.size()) - 1;
}

void THarmonicForcing::Evaluate(double seconds, double scale, std::vector<float>& levels) const {
  for (std::size_t c = 0; c < omega_.size(); ++c) {
    cos_[c] = std::cos(omega_[c] * seconds);
    sin_[c] = std::sin(omega_[c] * seconds);
  }
  levels.resize(a_.size());
  for (std::size_t p = 0; p < a_.size(); ++p) {
    double sum = 0;
    for (std::size_t c = 0; c < omega_.size(); ++c) sum += a_[p][c] * cos_[c] + b_[p][c] * sin_[c];
    levels[p] = static_cast<float>(scale * sum);
  }
}

double THarmonicForcing::Level(int point, double seconds) const {
  double sum = 0;
  for (std::size_t c = 0; c < omega_.size(); ++c) {
    sum += a_[point][c] * std::cos(omega_[c] * seconds) + b_[point][c] * std::sin(omega_[c] * seconds);
  }
  return sum;
}

THarmonicFit FitHarmonic(const std::vector<double>& seconds, const std::vector<double>& values,
                         double omega) {
  // Normal equations of the three-parameter least-squares fit.
  double m[3][3] = {};
  double r[3] = {};
  for (std::size_t n = 0; n < seconds.size() && n < values.size(); ++n) {
    const double basis[3] = {1, std::cos(omega * seconds[n]), std::sin(omega * seconds[n])};
    for (int a = 0; a < 3; ++a) {
      r[a] += basis[a] * values[n];
      for (int b = 0; b < 3; ++b) m[a][b] += basis[a] * basis[b];
    }
  }
  // Gaussian elimination with partial pivoting.
  int order[3] = {0, 1, 2};
  for (int c = 0; c < 3; ++c) {
    int pivot = c;
    for (int k = c + 1; k < 3; ++k) {
      if (std::abs(m[order[k]][c]) > std::abs(m[order[pivot]][c])) pivot = k;
    }
    std::swap(order[c], order[pivot]);
    const double p = m[order[c]][c];
    if (p == 0) return {};
    for (int k = c + 1; k < 3; ++k) {
      const double factor = m[order[k]][c] / p;
      for (int b = c; b < 3; ++b) m[order[k]][b] -= factor * m[order[c]][b];
      r[order[k]] -= factor * r[order[c]];
    }
  }
  double x[3] = {};
  for (int c = 2; c >= 0; --c) {
    double s = r[order[c]];
    for (int b = c + 1; b < 3; ++b) s -= m[order[c]][b] * x[b];
    x[c] = s / m[order[c]][c];
  }
  THarmonicFit fit;
  fit.Mean = x[0];
  fit.Amplitude = std::hypot(x[1], x[2]);
  // a cos + b sin = A cos(w t - p) with p = atan2(b, a).
  double p = std::atan2(x[2], x[1]) * 180.0 / std::numbers::pi;
  if (p < 0) p += 360;
  fit.PhaseDeg = p;
  return fit;
}

}  // namespace corvane
