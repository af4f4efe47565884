#pragma once
// Reading the built-in data sets: the primitive encodings every data-set
// format is built from, and the key=value texts (chart frame, tide-table
// header, settings file).

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "core/math_tools.h"
#include "core/string_tools.h"
#include "core/types.h"
#include "data/resource_store.h"

namespace corvane {

// A key=value entry that should hold a decimal integer holds something else.
class TIniConversionError : public std::runtime_error {
 public:
  TIniConversionError(const std::string& key, const std::string& value);
  const std::string& Key() const { return key_; }
  const std::string& Value() const { return value_; }

 private:
  std::string key_;
  std::string value_;
};

// Base of the data-set loaders. All primitives are little-endian and never
// fail: a read that finds too few bytes returns 0 and leaves the position
// where it was, so a truncated record is completed with zeros and the record
// loop that reads "while bytes remain" ends after it.
class TPackageSuperResourceLoader {
 public:
  explicit TPackageSuperResourceLoader(TResourceStore store);

  // True when a data set of that name exists (any letter case).
  bool FindResource(const std::string& name) const;
  // A stream over the data set, or nothing when it does not exist.
  std::optional<TResourceStream> OpenResource(const std::string& name) const;
  // The data set's text split into lines (a trailing carriage return is
  // dropped from each); nothing when it does not exist.
  std::optional<TStringList> ReadResourceLines(const std::string& name) const;

  // Signed 32-bit integer; 0, without moving, when fewer than 4 bytes remain.
  std::int32_t ReadInt32(TResourceStream& stream) const;
  // Unsigned byte; 0, without moving, at the end.
  std::uint8_t ReadByte(TResourceStream& stream) const;
  // Coordinate: int32 thousandths of a minute of arc. The quotient is taken
  // in extended precision and then rounded to a 32-bit float on purpose: that
  // rounding is part of the format, and every later comparison sees it.
  float ReadFloat(TResourceStream& stream) const;
  // Short coordinate: int32 hundredths, in extended precision.
  double ReadFloatShort(TResourceStream& stream) const;
  // Position: longitude coordinate, then latitude coordinate.
  TMinutes ReadMinutes(TResourceStream& stream) const;
  // Short string: a length byte n, then n single-byte characters. Bytes past
  // the end read as zero characters, so the text keeps its length n. Bytes
  // above 127 are taken as Latin-1 and returned as UTF-8.
  std::string ReadString(TResourceStream& stream) const;

  // The value of the first line whose text before the first "=" equals key
  // exactly (case and blanks count); the default when no line matches or the
  // value is empty. The value is the text between the first and second "=".
  std::string ReadIniString(const TStringList& lines, const std::string& key,
                            const std::string& defaultText);
  // ReadIniString read as a decimal integer (optional sign, digits, nothing
  // else, within 32 bits). Throws TIniConversionError naming key and value
  // otherwise: the caller decides whether that ends its load.
  int ReadIniInteger(const TStringList& lines, const std::string& key,
                     const std::string& defaultText);
  int ReadIniInteger(const TStringList& lines, const std::string& key, int defaultValue);
  // ReadIniString read locale-free ("." and "," both decimal separators);
  // unreadable text gives 0.
  double ReadIniExtended(const TStringList& lines, const std::string& key,
                      const std::string& defaultText);
  // The numeric default goes through its text with 2 decimals first, so a
  // default of 0.125 comes back as 0.13 when the key is missing.
  double ReadIniExtended(const TStringList& lines, const std::string& key, double defaultValue);
  // True exactly when the value text is "1" or "-1"; the default is written
  // as "1" or "0" first.
  bool ReadIniBoolean(const TStringList& lines, const std::string& key, bool defaultValue);

  TStringTools StringTools;
  TMathTools MathTools;

 protected:
  const TResourceStore& Store() const { return store_; }

 private:
  TResourceStore store_;
};

// Splits a text into lines at "\n", dropping one "\r" before each break; a
// final line break does not make an empty last line.
TStringList SplitLines(const std::string& text);

// Reads a decimal integer: optional "-" or "+", then digits only, within 32
// bits; nothing otherwise.
std::optional<int> ParseDecimalInteger(const std::string& text);

}  // namespace corvane
