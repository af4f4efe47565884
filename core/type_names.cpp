#include "core/type_names.h"

namespace corvane {

std::string TTypes::GetTypeOfCourse(int typeOfCourse) const {
  switch (typeOfCourse) {
    case 0: return "not computed";
    case 1: return "Beat";
    case 2: return "Reach";
    case 3: return "Run";
    default: return "";
  }
}

std::string TTypes::GetTypeOfCourseSmall(int typeOfCourse) const {
  switch (typeOfCourse) {
    case 0: return "not computed";
    case 1: return "beat";
    case 2: return "reach";
    case 3: return "run";
    default: return "";
  }
}

std::string TTypes::GetTypeOfTide(int typeOfTide) const {
  switch (typeOfTide) {
    case 1: return "LW";
    case 2: return "HW";
    default: return "";
  }
}

std::string TTypes::GetTypeOfTideLong(int typeOfTide) const {
  switch (typeOfTide) {
    case 1: return "Lowwater";
    case 2: return "Highwater";
    default: return "";
  }
}

}  // namespace corvane
