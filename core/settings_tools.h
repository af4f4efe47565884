#pragma once
// Reads single values from a sectioned ini file:
//
//   [Section]
//   Key=Value
//
// The file is folder + "/" (added when folder does not end with it) +
// fileName; an empty folder means fileName alone. Section and key are
// compared without regard to letter case; blanks around section names, keys
// and values are ignored; lines starting with ";" or "#" are comments; a
// UTF-8 byte-order mark and "\r\n" line ends are accepted. When a key occurs
// more than once in the section, the first occurrence wins.
//
// Every overload returns its default (the current local time for the
// date-time overload) when the file cannot be read, the section or key is
// missing or the value cannot be read; none raises.

#include <concepts>
#include <optional>
#include <string>
#include <string_view>

#include "core/types.h"

namespace corvane {

// Text format of date-times in ini files, for FormatDateTime (date_time.h).
// A fixed format, since the locale's date format differs between computers.
inline constexpr const char* kSettingsDateTimeFormat = "dd.mm.yyyy hh:mm:ss";

class TSettingsTools {
 public:
  // The value as text (an empty value is returned as the empty text), or
  // defaultValue.
  std::string Read(const std::string& folder, const std::string& fileName, const std::string& key,
                   const std::string& section, const std::string& defaultValue) const;

  // The value as a number, or defaultValue. The decimal separator may be the
  // one of the process's global C++ locale, "." or "," (files travel between
  // computers with different locales); a leading "+" and an exponent are
  // accepted; a value that is not wholly a finite number gives the default.
  // The result has the type of the default (float or double).
  template <std::floating_point F>
  F Read(const std::string& folder, const std::string& fileName, const std::string& key,
         const std::string& section, F defaultValue) const {
    const auto value = ReadNumber(folder, fileName, key, section);
    return value ? static_cast<F>(*value) : defaultValue;
  }

  // The value as a whole decimal number in the range of int (a leading "+" or
  // "-" allowed; "0x" or "$" introduce hexadecimal), or defaultValue.
  int Read(const std::string& folder, const std::string& fileName, const std::string& key,
           const std::string& section, int defaultValue) const;

  // The value as a date-time in kSettingsDateTimeFormat ("dd.mm.yyyy
  // hh:mm:ss"; one-digit fields, the seconds, or the whole time may be left
  // out, and ".zzz" milliseconds may follow the seconds). NowLocal() when the
  // key is missing or the value is not a valid date-time.
  TDateTime Read(const std::string& folder, const std::string& fileName, const std::string& key,
                 const std::string& section) const;

  // The raw value text, or nullopt when the file, section or key is missing.
  std::optional<std::string> ReadValue(const std::string& folder, const std::string& fileName,
                                       const std::string& key, const std::string& section) const;

  // The number parser used by the floating-point overload.
  static std::optional<double> ParseNumber(std::string_view text);
  // The date-time parser used by the date-time overload.
  static std::optional<TDateTime> ParseDateTime(std::string_view text);

 private:
  std::optional<double> ReadNumber(const std::string& folder, const std::string& fileName,
                                const std::string& key, const std::string& section) const;
};

}  // namespace corvane
