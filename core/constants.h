#pragma once
// Exact conversion constants, named once.

#include <numbers>

#include "core/types.h"

namespace corvane {

inline constexpr ext kPi = std::numbers::pi_v<ext>;
inline constexpr ext kTwoPi = 2 * kPi;
inline constexpr ext kMinutesToRadians = kPi / 10800;  // pi / 10800
inline constexpr ext kRadiansToMinutes = 10800 / kPi;  // nautical miles per radian
inline constexpr ext kRadiansToDegrees = 180 / kPi;
inline constexpr ext kDegreesToRadians = kPi / 180;
inline constexpr ext kMetresPerNauticalMile = 1852;

}  // namespace corvane
