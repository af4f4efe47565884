// Smoke runs of the shallow-water solver on small flat grids: a closed basin
// keeps its water volume, a free-slip wall mirrors the flow, a standing wave
// in a closed channel follows its analytic solution, the result does not
// depend on the number of threads, and the harmonic forcing and fit are
// inverse to each other.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "tools/datagen/streams/swe_solver.h"

namespace corvane {
namespace {

// A closed basin of 40 x 30 cells of 500 m, 8-30 m deep with an island in
// the middle and a drying bank that the initial hump does not reach.
TSweGrid Basin() {
  TSweGrid grid;
  grid.Cartesian = true;
  grid.CellLon = 500;
  grid.CellLat = 500;
  grid.Columns = 40;
  grid.Rows = 30;
  grid.Water.assign(40 * 30, 1);
  grid.Depth.assign(40 * 30, 0.0f);
  for (int j = 0; j < grid.Rows; ++j) {
    for (int i = 0; i < grid.Columns; ++i) {
      const int k = grid.Index(i, j);
      grid.Depth[k] = static_cast<float>(8 + 22 * std::sin(std::numbers::pi * i / 39.0) *
                                                 std::sin(std::numbers::pi * j / 29.0));
      if (i >= 18 && i <= 21 && j >= 13 && j <= 16) grid.Water[k] = 0;
    }
  }
  return grid;
}

TSweParameters Nonlinear(int threads) {
  TSweParameters p;
  p.TimeStep = 8;
  p.DragCoefficient = 0.0025;
  p.Advection = true;
  p.Coriolis = true;
  p.CoriolisFixed = 1.1e-4;
  p.Threads = threads;
  return p;
}

void Hump(TShallowWaterModel& model) {
  for (int j = 0; j < model.Grid().Rows; ++j) {
    for (int i = 0; i < model.Grid().Columns; ++i) {
      const double r2 = std::pow(i - 10.0, 2) + std::pow(j - 15.0, 2);
      model.SetLevel(i, j, static_cast<float>(0.8 * std::exp(-r2 / 20.0)));
    }
  }
}

auto kNoBoundary = [](double, std::vector<float>&) {};

// One thread wherever the number of threads is not what is tested: on a
// loaded machine every barrier of a two-thread run can wait for a time slice.
TEST(ShallowWaterModelTest, AClosedBasinKeepsItsVolume) {
  TShallowWaterModel model(Basin(), Nonlinear(1));
  Hump(model);
  const double before = model.Volume();
  model.Run(1500, kNoBoundary);
  // The water must have moved (the hump spreads and reflects)...
  EXPECT_LT(model.Level(10, 15), 0.5f);
  // ...but not changed in volume beyond float rounding: expressed as a mean
  // level over the basin, less than a micrometre.
  double area = 0;
  for (int j = 0; j < model.Grid().Rows; ++j)
    for (int i = 0; i < model.Grid().Columns; ++i)
      if (model.Grid().IsWater(i, j)) area += model.CellArea(j);
  EXPECT_LT(std::abs(model.Volume() - before) / area, 1e-6);
}

TEST(ShallowWaterModelTest, ResultsDoNotDependOnTheNumberOfThreads) {
  TShallowWaterModel one(Basin(), Nonlinear(1));
  TShallowWaterModel two(Basin(), Nonlinear(2));
  Hump(one);
  Hump(two);
  one.Run(120, kNoBoundary);
  two.Run(120, kNoBoundary);
  for (int j = 0; j < one.Grid().Rows; ++j) {
    for (int i = 0; i < one.Grid().Columns; ++i) {
      ASSERT_EQ(one.Level(i, j), two.Level(i, j)) << i << "," << j;
      ASSERT_EQ(one.FaceU(i, j), two.FaceU(i, j)) << i << "," << j;
      ASSERT_EQ(one.FaceV(i, j), two.FaceV(i, j)) << i << "," << j;
    }
  }
}

// A free-slip wall is a mirror: a basin walled on its west and south sides
// behaves exactly like one quarter of a basin twice as wide and twice as
// long that holds the mirror images of its hump. A wall that dragged the
// stream along it (a closed face read as a still neighbour in the momentum
// advection) breaks the match near the walls.
TEST(ShallowWaterModelTest, AFreeSlipWallActsAsAMirror) {
  constexpr int kQuarter = 20;
  auto flat = [](int columns, int rows) {
    TSweGrid grid;
    grid.Cartesian = true;
    grid.CellLon = 500;
    grid.CellLat = 500;
    grid.Columns = columns;
    grid.Rows = rows;
    grid.Water.assign(static_cast<std::size_t>(columns) * rows, 1);
    grid.Depth.assign(static_cast<std::size_t>(columns) * rows, 20.0f);
    return grid;
  };
  TSweParameters p = Nonlinear(1);
  p.Coriolis = false;  // turning would break the mirror symmetry
  TShallowWaterModel quarter(flat(kQuarter, kQuarter), p);
  TShallowWaterModel whole(flat(2 * kQuarter, 2 * kQuarter), p);
  auto hump = [](double i, double j) {
    const double r2 = std::pow(i - 3.0, 2) + std::pow(j - 5.0, 2);
    return static_cast<float>(1.5 * std::exp(-r2 / 8.0));
  };
  for (int j = 0; j < kQuarter; ++j) {
    for (int i = 0; i < kQuarter; ++i) {
      quarter.SetLevel(i, j, hump(i, j));
      for (int mi : {kQuarter + i, kQuarter - 1 - i})
        for (int mj : {kQuarter + j, kQuarter - 1 - j}) whole.SetLevel(mi, mj, hump(i, j));
    }
  }
  quarter.Run(300, kNoBoundary);
  whole.Run(300, kNoBoundary);
  float largest = 0, moved = 0;
  for (int j = 0; j < kQuarter; ++j) {
    for (int i = 0; i < kQuarter; ++i) {
      largest = std::max(largest, std::abs(quarter.Level(i, j) - whole.Level(kQuarter + i, kQuarter + j)));
      moved = std::max(moved, std::abs(quarter.Level(i, j) - hump(i, j)));
    }
  }
  EXPECT_GT(moved, 0.5f);
  EXPECT_LT(largest, 1e-4f);
}

// The first mode of a closed channel of length L and depth h, linearised and
// without friction: eta = a cos(pi x / L) cos(omega t), omega = pi sqrt(g h) / L.
TEST(ShallowWaterModelTest, AStandingWaveFollowsTheAnalyticSolution) {
  constexpr int kCells = 100;
  constexpr double kDx = 1000, kDepth = 10, kAmplitude = 0.01;
  TSweGrid grid;
  grid.Cartesian = true;
  grid.CellLon = kDx;
  grid.CellLat = kDx;
  grid.Columns = kCells;
  grid.Rows = 3;
  grid.Water.assign(kCells * 3, 1);
  grid.Depth.assign(kCells * 3, static_cast<float>(kDepth));
  TSweParameters p;
  p.TimeStep = 20;
  p.DragCoefficient = 0;
  p.Advection = false;
  p.Coriolis = false;
  p.Threads = 1;
  TShallowWaterModel model(grid, p);
  const double length = kCells * kDx;
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < kCells; ++i)
      model.SetLevel(i, j, static_cast<float>(kAmplitude * std::cos(std::numbers::pi * (i + 0.5) / kCells)));
  const double omega = std::numbers::pi * std::sqrt(p.Gravity * kDepth) / length;
  const double period = 2 * std::numbers::pi / omega;
  struct Case {
    const char* name;
    double fraction;  // of a period
  };
  const Case cases[] = {{"quarter period", 0.25}, {"half period", 0.5}, {"full period", 1.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int target = static_cast<int>(std::lround(c.fraction * period / p.TimeStep));
    const int done = static_cast<int>(std::lround(model.Time() / p.TimeStep));
    model.Run(target - done, kNoBoundary);
    double worst = 0;
    for (int i = 0; i < kCells; ++i) {
      const double exact = kAmplitude * std::cos(std::numbers::pi * (i + 0.5) / kCells) *
                           std::cos(omega * model.Time());
      worst = std::max(worst, std::abs(model.Level(i, 1) - exact));
    }
    EXPECT_LT(worst, 0.02 * kAmplitude);
  }
}

TEST(ShallowWaterModelTest, AnOpenBoundaryOnLandIsRejected) {
  TShallowWaterModel model(Basin(), Nonlinear(1));
  EXPECT_THROW(model.SetOpenBoundary({Basin().Index(19, 14)}), std::invalid_argument);
}

TEST(HarmonicForcingTest, TheFitRecoversTheConstituentOfTheForcing) {
  // One constituent of 28.984 deg/h (M2), f = 1.04, V0 + u = 40 deg, A = 1.3 m,
  // g = 330 deg: h = 1.352 cos(w t - 290 deg).
  THarmonicForcing forcing({28.9841042}, {1.04}, {40});
  forcing.AddPoint({1.3}, {330});
  const double omega = 28.9841042 * std::numbers::pi / 180 / 3600;
  std::vector<double> seconds, values;
  for (int s = 0; s < 12 * 3600 + 1500; s += 60) {
    seconds.push_back(s);
    values.push_back(0.5 + forcing.Level(0, s));
  }
  const THarmonicFit fit = FitHarmonic(seconds, values, omega);
  EXPECT_NEAR(fit.Mean, 0.5, 1e-9);
  EXPECT_NEAR(fit.Amplitude, 1.352, 1e-9);
  EXPECT_NEAR(fit.PhaseDeg, 290, 1e-7);
  std::vector<float> levels;
  forcing.Evaluate(3600, 0.5, levels);
  ASSERT_EQ(levels.size(), 1u);
  EXPECT_NEAR(levels[0], 0.5 * forcing.Level(0, 3600), 1e-6);
}

}  // namespace
}  // namespace corvane
