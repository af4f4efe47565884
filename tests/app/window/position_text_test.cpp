#include "app/window/position_text.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(PositionTextTest, PositionsReadAsDegreesAndMinutes) {
  struct Case {
    const char* input;
    const char* expected;
  };
  const Case cases[] = {
      {"001.18.498W", "001\u00B018.498'W"},
      {"050:47:123N", "050\u00B047.123'N"},
      {"1234:05:6789E", "1234\u00B005.6789'E"},
      // Not of the data formats: left alone.
      {"001.18.498", "001.18.498"},
      {"001.18.W", "001.18.W"},
      {"1.2.3w", "1.2.3w"},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(ToDegreesAndMinutes(c.input), c.expected);
  }
}

}  // namespace
}  // namespace corvane
