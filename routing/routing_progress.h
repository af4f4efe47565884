#pragma once
// How the routing of a leg tells how far it has come, and learns that it
// should stop, without knowing who listens: a window's bar on another thread,
// a terminal, or nobody. The engine calls it from the thread that routes the
// leg; an implementation shared by legs that route in parallel must be safe
// for that.

#include <string>

namespace corvane {

// Progress constant K of the dynamic grid's lines.
inline constexpr int kProgressK = 5;
// The end of a leg's scale, 2 K + 76: the leg type is decided at 2 K + 5,
// the dynamic grid built at 2 K + 70.
inline constexpr float kLegProgressEnd = 2 * kProgressK + 76;
static_assert(kLegProgressEnd == 86);
inline constexpr float kLegProgressAfterCourseType = 2 * kProgressK + 5;

class TRoutingProgress {
 public:
  virtual ~TRoutingProgress() = default;
  // The leg has reached `value` on the scale 0 ... kLegProgressEnd at the
  // stage named by `text`.
  virtual void Report(const std::string& text, float value) = 0;
  // True once the run should stop; the leg then ends with the failure
  // "Routing cancelled" at its next grid line.
  virtual bool StopRequested() const { return false; }
};

}  // namespace corvane
