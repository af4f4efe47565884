#pragma once
// Exact conversion constants, named once.

#include <numbers>

#include "core/types.h"

namespace corvane {

inline constexpr double kPi = std::numbers::pi_v<double>;
inline constexpr double kTwoPi = 2 * kPi;
inline constexpr double kMinutesToRadians = kPi / 10800;  // pi / 10800
inline constexpr double kRadiansToMinutes = 10800 / kPi;  // nautical miles per radian
inline constexpr double kRadiansToDegrees = 180 / kPi;
inline constexpr double kDegreesToRadians = kPi / 180;
inline constexpr double kMetresPerNauticalMile = 1852;

}  // namespace corvane
