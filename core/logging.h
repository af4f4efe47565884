#pragma once
// An in-memory debug log of text lines that can be loaded and saved; the grid
// debugging of routing writes through it.
//
// Number formats of the lines:
//   general  the shortest text that reads back as the same value (integers in
//            decimal), with the decimal separator of the process's global C++
//            locale, exponent notation where it is shorter;
//   w.d      fixed point with d decimals and the point ".", right-aligned in a
//            field of at least w characters (as printf "%w.df").
//
// File operations raise std::filesystem::filesystem_error with the file
// system's error; the other operations do not raise.
//
// Numbers (double and float) go through AddItem, date-times (TDateTime, also
// a double) through AddDateTime.

#include <concepts>
#include <string>
#include <type_traits>

#include "core/types.h"

namespace corvane {

// Two times in hours (for example a leg's start and finish).
struct TLogHours {
  double First = 0;
  double Second = 0;
};

// Integer screen point.
struct TLogPoint {
  int X = 0;
  int Y = 0;
};

class TLogging {
 public:
  TStringList List;
  std::string Value;

  // Empties the list.
  void Clear();
  // Empties the list and writes the empty list to fileName.
  void Clear(const std::string& fileName);

  const TStringList& GetLog() const;
  // Appends the lines of another list.
  void AddLog(const TStringList& lines);

  // Replaces the list by the lines of the file ("\n" or "\r\n").
  void LoadFromFile(const std::string& fileName);
  // Writes the list, each line followed by "\n", replacing the file.
  void SaveToFile(const std::string& fileName) const;

  // --- One line per call (K is the key) ---

  // An empty line.
  void AddItem();
  // K=general integer.
  template <std::integral I>
    requires(!std::same_as<I, bool>)
  void AddItem(const std::string& key, I value) {
    AddTextLine(key, std::to_string(value));
  }
  // K=1 or K=0.
  void AddItem(const std::string& key, bool value);
  // K=14.10.
  void AddItem(const std::string& key, double value);
  void AddItem(const std::string& key, float value);
  // K=general(second)   general(first)   (three blanks; the order is
  // second first).
  void AddItem(const std::string& key, double first, double second);
  // K=general(index)   general(value).
  template <std::integral I>
  void AddItem(const std::string& key, I index, double value) {
    AddIndexedLine(key, std::to_string(index), value);
  }
  // K=text.
  void AddItem(const std::string& key, const std::string& text);
  void AddItem(const std::string& key, const char* text);
  // Three lines: K; first + "  " + second; an empty line.
  void AddItem(const std::string& key, const std::string& first, const std::string& second);
  // The text itself.
  void AddItem(const std::string& text);
  // K=dd.mm.yyyy  hh:mm, or the date-time alone.
  void AddDateTime(const std::string& key, TDateTime value);
  void AddDateTime(TDateTime value);
  // One line per entry: K=entry, or the entry alone.
  void AddItem(const std::string& key, const TStringList& list);
  void AddItem(const TStringList& list);
  // general.
  void AddItem(double value);
  void AddItem(float value);
  // K=x 8.4   y 8.4; Lon 8.4   Lat 8.4; First 8.4   Second 8.4.
  void AddItem(const std::string& key, const TCartesian& value);
  void AddItem(const std::string& key, const TMinutes& value);
  void AddItem(const std::string& key, const TLogHours& value);
  // K=Betrag 8.4   Winkel in degrees 8.4.
  void AddItem(const std::string& key, const TPolar& value);
  // K=Lon   Lat.
  void AddItem(const std::string& key, const TGeoPos& value);
  // K=general(X)   general(Y).
  void AddItem(const std::string& key, const TLogPoint& value);
  // K=X 10.4   Y 10.4.
  void AddItem(const std::string& key, const TPointF& value);

  // --- Time stamps of update runs, in folder + "Update.log" ---

  // Loads Update.log (a missing file counts as empty), appends text and the
  // line "Start=hh:mm:ss" with the current local time, saves it.
  void AddTimeStampStart(const std::string& folder, const std::string& text);
  // Loads Update.log, appends "End=hh:mm:ss" and an empty line, saves it.
  void AddTimeStampEnd(const std::string& folder);
  // Appends the current local time as "hh:mm:ss.zzz".
  void AddTimeStamp();

  // The number texts of the line formats, for callers that build their own
  // lines.
  static std::string FormatGeneral(double value);
  // decimals 0 to 100; a text that cannot be written gives the empty text.
  static std::string FormatFixed(double value, int width, int decimals);

 private:
  void AddTextLine(const std::string& key, const std::string& text);
  void AddIndexedLine(const std::string& key, const std::string& index, double value);
  void AddPairLine(const std::string& key, double first, double second, int width);
};

}  // namespace corvane
