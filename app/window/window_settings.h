#pragma once
// The window's own section of the settings file: its size and the width of
// the side column. The settings file is written whole by the settings
// writer after most commands; this section is added back after every such
// write and when the window closes, so the file's other keys and sections
// are never touched here.

#include <optional>
#include <string>

namespace corvane {

inline constexpr const char* kWindowSection = "WINDOW";

struct TWindowGeometry {
  int Width = 1600;   // pixels of the window's frame-less area
  int Height = 1000;
  int SideColumnWidth = 430;  // pixels of the panel column beside the chart
  bool Maximized = false;
};

// The section of file; nothing when the file or the section is missing or
// a size is not a positive whole number.
std::optional<TWindowGeometry> ReadWindowGeometry(const std::string& file);

// Replaces the window section of file by geometry (appended at the end),
// keeping every other line as it is; creates the file when it is missing.
// The text goes to a file beside it that is then renamed, so a crash leaves
// the old or the new file. False when it could not be written.
bool WriteWindowGeometry(const std::string& file, const TWindowGeometry& geometry);

}  // namespace corvane
