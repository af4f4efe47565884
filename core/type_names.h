#pragma once
// Display names of the leg types and tide types. An unknown code gives the
// empty text.

#include <string>

namespace corvane {

class TTypes {
 public:
  // Leg type (0 not computed, 1 beat, 2 reach, 3 run): "Beat", "Reach", ...
  std::string GetTypeOfCourse(int typeOfCourse) const;
  // Lower-case form of the same: "beat", "reach", "run".
  std::string GetTypeOfCourseSmall(int typeOfCourse) const;
  // Tide type (1 low water, 2 high water): "LW", "HW".
  std::string GetTypeOfTide(int typeOfTide) const;
  // "Lowwater", "Highwater".
  std::string GetTypeOfTideLong(int typeOfTide) const;
};

}  // namespace corvane
