#include "app/window/window_settings.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "core/settings_tools.h"

namespace corvane {
namespace {

// Keys of the section; unique in the whole file, since the settings reader
// looks keys up without regard to sections.
constexpr const char* kKeyWidth = "WINDOWWIDTH";
constexpr const char* kKeyHeight = "WINDOWHEIGHT";
constexpr const char* kKeySideColumn = "WINDOWSIDECOLUMN";
constexpr const char* kKeyMaximized = "WINDOWMAXIMIZED";

bool IsSectionHeader(const std::string& line) {
  const auto first = line.find_first_not_of(" \t");
  return first != std::string::npos && line[first] == '[';
}

bool IsWindowSection(const std::string& line) {
  std::string trimmed;
  for (char c : line) {
    if (c != ' ' && c != '\t' && c != '\r') trimmed += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return trimmed == std::string("[") + kWindowSection + "]";
}

}  // namespace

std::optional<TWindowGeometry> ReadWindowGeometry(const std::string& file) {
  const TSettingsTools tools;
  TWindowGeometry g;
  g.Width = tools.Read("", file, kKeyWidth, kWindowSection, 0);
  g.Height = tools.Read("", file, kKeyHeight, kWindowSection, 0);
  g.SideColumnWidth = tools.Read("", file, kKeySideColumn, kWindowSection, 0);
  g.Maximized = tools.Read("", file, kKeyMaximized, kWindowSection, 0) != 0;
  if (g.Width <= 0 || g.Height <= 0 || g.SideColumnWidth <= 0) return std::nullopt;
  return g;
}

bool WriteWindowGeometry(const std::string& file, const TWindowGeometry& geometry) {
  std::vector<std::string> lines;
  {
    std::ifstream in(file);
    std::string line;
    bool inWindow = false;
    while (std::getline(in, line)) {
      if (IsSectionHeader(line)) inWindow = IsWindowSection(line);
      if (!inWindow) lines.push_back(line);
    }
  }
  std::ostringstream text;
  for (const std::string& line : lines) text << line << "\n";
  text << "[" << kWindowSection << "]\n"
       << kKeyWidth << "=" << geometry.Width << "\n"
       << kKeyHeight << "=" << geometry.Height << "\n"
       << kKeySideColumn << "=" << geometry.SideColumnWidth << "\n"
       << kKeyMaximized << "=" << (geometry.Maximized ? 1 : 0) << "\n";

  const std::filesystem::path target(file);
  std::error_code error;
  if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), error);
  const std::filesystem::path temporary = target.string() + ".window.tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text.str();
    if (!out) return false;
  }
  std::filesystem::rename(temporary, target, error);
  return !error;
}

}  // namespace corvane
