#pragma once
// The font family of every chart text.

#include <QString>

namespace corvane {

// The family the chart texts are designed for.
inline constexpr const char* kChartFontFamily = "ArialMT";
// A metric-compatible stand-in (same advance widths), shipped by the
// fonts-liberation package.
inline constexpr const char* kChartFontFallback = "Liberation Sans";
inline constexpr const char* kChartFontFallbackFile =
    "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";

// "ArialMT" when the font database has it, otherwise Liberation Sans
// (registered from its file when the database does not list it), otherwise
// the database's default sans-serif family. Needs a running
// QGuiApplication; font substitution would otherwise pick a font of other
// widths for "ArialMT".
QString ResolveChartFontFamily();

}  // namespace corvane
