#pragma once
// Display texts of quantities and the reading of numbers, positions, times,
// settings items, names and delimited lists back from text.
//
// Every text is English; a unit follows its number after one blank (" kts",
// " nm", " deg", " m/min", " %"). Angles arrive in radians where a function
// says rad and are shown in whole degrees.
//
// Fixed notation ("fixed with n decimals" below). The value is rounded to n
// decimals and written in fixed point with the decimal separator of the
// user's locale (the global C++ locale, std::locale()), no digit grouping,
// and "-" in front of every negative value, so -0.3 with 0 decimals is "-0"
// (the sign follows the value, not the rounded digits; -0.0 counts as 0).
// At most 17 significant digits are kept (enough to read back the same
// double): a value that would need more is rounded at the 17th significant
// digit and the remaining places up to n decimals are written as "0" (1/3
// with 20 decimals is "0.33333333333333331000"). Ties: the decision is taken on the exact binary
// value, and a value exactly halfway between two outputs rounds away from
// zero (0.5 gives "1", 2.5 gives "3", -0.125 with 2 decimals gives "-0.13");
// a decimal such as 1.005 that a double cannot hold exactly rounds the
// way its stored value lies. Non-finite values are written "NAN", "INF" and
// "-INF". A negative number of decimals counts as 0.
//
// Reading numbers (locale-free). Every number read from text goes through
// ConvToFloat and then the global locale's float reader, so "1.5" and "1,5"
// read the same under every locale: "." and "," become the locale's decimal
// separator, digits and "-" stay, everything else is dropped.
//
// Integers ("decimal integer" below) are an optional "+" or "-" followed by
// one or more ASCII digits and nothing else, within the range of int; no
// blanks are skipped.
//
// An instance is used by one thread at a time: the splitting operations use
// the scratch list sl. Every other function is a pure function of its
// arguments and the global locale.

#include <cstdint>
#include <string>

#include "core/type_names.h"
#include "core/types.h"

namespace corvane {

// A result that a routed leg of its type does not have (the laylines of a
// reach, the top approach of a reach or run): a dash rather than "not
// computed", which reads like a failure.
inline constexpr const char* kNotApplicable = "–";

class TStringTools {
 public:
  // Scratch list of the splitting operations, cleared and refilled by every
  // split; its contents are not part of any result.
  TStringList sl;
  // Course-type names used by ToCourseType.
  TTypes Types;

  // --------------------------------------------------------------- numbers

  // value with every "." and "," replaced by the locale's decimal separator,
  // every ASCII digit and "-" kept and every other character dropped; an
  // empty outcome is "0". "12.5 kts" gives "12.5" (with the locale's
  // separator), "+3e2" gives "32", "" gives "0". The outcome is not checked:
  // "1.234,5" gives "1.234.5" (with the locale's separator), which no reader
  // accepts.
  std::string ConvToFloat(const std::string& value) const;

  // The number in value, read locale-free: ConvToFloat(value) read whole by
  // the global locale's float reader. fault when that text is not a number
  // (two separators, a "-" after the first character, a lone "-") or lies
  // beyond the range of double. The empty text reads 0.
  double StrToExtended(const std::string& value, double fault) const;

  // value fixed with kommata decimals (see the file comment).
  std::string ExtendedToStr(double value, int kommata) const;

  // Normalised text of a typed non-negative number, for the course distance
  // edit (decimal = 2). Value is trimmed of blanks and control characters at
  // both ends; then a digit run (whole part) is read from its start, one
  // character of any kind is skipped and a second digit run (fraction) is
  // read. The whole part becomes "0" when empty; the fraction is padded on
  // the right with "0" to decimal digits (a longer one is kept). The
  // candidate is whole + "," + fraction, always with a comma, or the whole
  // part alone when decimal is 0; it is returned when it reads as a number
  // of 0 or more. Otherwise fault fixed with decimal decimals (locale
  // separator) is returned. "1.5" gives "1,50", "12" gives "12,00", "abc"
  // gives "0,00" (decimal 2). Nothing but digits reaches the candidate, so
  // the fallback only serves a whole part beyond the range of double. A
  // negative decimal counts as 0.
  std::string ToFormatPositiveExtended(const std::string& value, int decimal, double fault) const;

  // ------------------------------------------------------------- positions

  // A typed coordinate normalised to "DDD:MM:TTTH": value is trimmed of
  // blanks and control characters at both ends, three digit runs are read
  // with exactly one character of any kind skipped between them, degrees
  // are padded on the left with "0" to three digits, minutes on the left to
  // two, thousandths on the right to three (longer runs are kept), and the
  // upper-cased hemisphere letter (N, S, E or W, either axis) must follow
  // the third run directly. " 1.2.3w " gives "001:02:300W"; "50:75:1n"
  // gives "050:75:100N" (no range check). fault, unchanged, when there is no
  // hemisphere letter in that place ("50 5 55", "050:05:550 N").
  std::string ToFormatGeoPos(const std::string& value, const std::string& fault) const;

  // A coordinate text in minutes of arc, negative for W and S: the three
  // digit runs are read from position 0 (nothing is trimmed) with exactly
  // one character of any kind skipped between them, so both "050:05:550N"
  // and "050.05.550N" give 3005.55; "001:02:800W" gives -62.8. The
  // thousandths run is padded on the right to three digits ("55" is 0.55
  // minutes) and a longer run is kept ("5555" is 5.555 minutes). The
  // hemisphere letter must follow the third run directly; without it the
  // result is 0. An empty degree or minute group counts as 0, as an empty
  // thousandths group does ("::5N" gives 0.5): the edits always pass a text
  // normalised by ToFormatGeoPos, and a partly typed position then stays
  // readable instead of jumping to 0.
  double GeoPosToMinutes(const std::string& geoPos) const;

  // The run of ASCII digits that begins at the zero-based startIndex
  // (possibly empty); startIndex is left on the first character after the
  // run. A startIndex outside the text gives "" and is not moved.
  std::string ToNumberOfString(const std::string& value, int& startIndex) const;

  // The character at the zero-based startIndex upper-cased when it is one of
  // s S n N e E w W, otherwise "" (also outside the text).
  std::string ToHemisphereOfString(const std::string& value, int startIndex) const;

  // ------------------------------------------------- times and durations

  // "hh:mm": each number in decimal with a "0" in front when it has one
  // digit (7, 5 gives "07:05"; 123, 0 gives "123:00").
  std::string FormatTime(std::uint16_t hour, std::uint16_t minute) const;
  // "hh:mm:ss" by the same rule.
  std::string FormatTime(std::uint16_t hour, std::uint16_t minute, std::uint16_t second) const;

  // Whole minutes as "hh:mm": minutes div 60 and minutes mod 60 (135 gives
  // "02:15"). The hours are not limited to 16 bits (6000000 gives
  // "100000:00"). A negative count is written as its magnitude with "-" in
  // front (-90 gives "-01:30").
  std::string MinutesToString(std::int64_t minutes) const;

  // Hours as "hh:mm:ss", every part truncated toward zero: H = trunc(times),
  // M = trunc((times - H) * 60), S = trunc(((times - H) * 60 - M) * 60).
  // 1.5 gives "01:30:00", 26.25 gives "26:15:00", 1.999999 gives
  // "01:59:59" (never rounded up). A negative duration is written as its
  // magnitude with "-" in front. The hours are not limited to two digits or
  // to 16 bits; NaN gives "00:00:00", and a magnitude of 1e9 hours or more
  // (infinity included) is written as "999999999:59:59".
  // A date-time's time of day is ToTimeOfDay.
  std::string ToTimes(double times) const;
  // Minutes and seconds of ToTimes as "mm:ss", the whole hours dropped: 0.5
  // gives "30:00", 1.25 gives "15:00". A negative value gives the text of
  // its magnitude, without a sign (the time labels put their own sign or
  // blank in front).
  std::string ToTimesShort(double times) const;
  // The time of day of a date-time as "hh:mm:ss h:m:s" (24-hour clock),
  // rounded to the nearest millisecond first and then truncated to the
  // second, so 23:59:59.9996 counts as 00:00:00 of the next day. Before
  // 1899-12-30 the absolute value of the fraction is the time of day.
  // "not computed" when valid is false.
  std::string ToTimeOfDay(TDateTime times, bool valid) const;
  // ToTimes(times) + " h:m:s"; "not computed" when valid is false.
  std::string ToTimes(double times, bool valid) const;

  // Seconds fixed with 0 decimals + " sec"; "not computed" when valid is
  // false.
  std::string ToSeconds(double seconds, bool valid) const;

  // Hours to high water: "HW" when exactly 0, otherwise fixed with 1
  // decimal with "+" in front of positive values (2.5 gives "+2.5", -1 gives
  // "-1.0", 0.01 gives "+0.0").
  std::string ToTideTime(float tideTime) const;

  // Hours as a signed "hh:mm": minutes = round(|timeStamp| * 60) with halves
  // to even, written by MinutesToString with "-" in front of negative values
  // and "+" otherwise (-1.5 gives "-01:30", 0 gives "+00:00"). NaN counts
  // as 0.
  std::string ToTimeStamp(float timeStamp) const;

  // ------------------------------------------- speeds, angles and distances

  // Knots fixed with 1 decimal + " kts"; "not computed" when valid is false.
  std::string ToSpeed(double speed, bool valid) const;
  // Knots fixed with digits decimals + " kts".
  std::string ToSpeed(double speed, int digits) const;
  // Metres per minute fixed with 1 decimal + " m/min".
  std::string ToSpeed(double speed) const;
  // speed * 100 fixed with 0 decimals, "0" put in front until it has at
  // least 3 characters (0.07 gives "007", 12.5 gives "1250"). Meant for
  // values of 0 or more; a negative one keeps the literal rule ("0-7").
  std::string ToSpeed3(double speed) const;

  // Degrees fixed with 0 decimals + " deg"; "not computed" when valid is
  // false.
  std::string ToCompass(double compass, bool valid) const;
  // ToCompass(compass, true).
  std::string ToCompass(double compass) const;

  // A wind direction in radians as degrees fixed with 0 decimals + " deg".
  std::string ToWindDirection(double windDirection) const;
  // Radians as degrees fixed with 0 decimals, no unit.
  std::string ToAngle(double angle) const;
  // Radians as degrees fixed with 0 decimals, "0" put in front until it has
  // at least 3 characters (7 deg gives "007"). Meant for directions in
  // [0, 360); a negative one keeps the literal rule (-7 deg gives "0-7").
  std::string ToAngle3(double angle) const;
  // The same for bias (degrees) + the angle in degrees.
  std::string ToAngle3(double angle, double bias) const;

  // Degrees fixed with 0 decimals, "+" in front of positive values (the
  // sign follows the value: 0.3 gives "+0"), " deg" appended when withUnit
  // is true; "not computed" when valid is false.
  std::string ToWindshift(double windshift, bool valid, bool withUnit) const;

  // Nautical miles fixed with 2 decimals + " nm"; "not computed" when valid
  // is false.
  std::string ToDistance(double value, bool valid) const;
  // ToDistance(value, true).
  std::string ToDistance(double value) const;

  // A wind (Betrag knots, Winkel radians): speed fixed with 0 decimals,
  // " kts   " (three blanks), degrees fixed with 0 decimals, " deg".
  std::string ToWind(const TPolar& wind) const;
  // A stream (metres per minute, radians): speed fixed with 0 decimals,
  // " m/min  " (two blanks), degrees fixed with 0 decimals, " deg".
  std::string ToCurrent(double speed, double angle) const;

  // -------------------------------------------------- settings and choices

  // Item of the tide-shift list (index 0-30): v = index * 10 - 150 minutes
  // + " min", "+" in front when v > 0 (15 gives "0 min", 16 "+10 min", 0
  // "-150 min"). Other indices follow the same formula.
  std::string ToTideShift(int indexTideShift) const;
  // The first blank-separated word of an item read locale-free ("+10 min"
  // reads 10); 0 when it is not a number.
  double ToTideShift(const std::string& tideShift) const;

  // Item of the range-shift list (index 0-40): v = index * 5 - 100 percent
  // + " %", "+" in front when v > 0 (20 gives "0 %", 40 "+100 %", 0
  // "-100 %").
  std::string ToRangeShift(int indexRangeShift) const;
  // The first blank-separated word of an item read locale-free; 0 when it
  // is not a number.
  double ToRangeShift(const std::string& rangeShift) const;

  // "Time " + t + " min    Range " + r + " %" (four blanks after "min"),
  // t and r the values of the two list items with "+" in front when
  // positive: 16, 19 gives "Time +10 min    Range -5 %".
  std::string ToCalibrationText(int indexTideShift, int indexRangeShift) const;

  // A wind-speed list item in knots: 5 when it begins with "<" ("<6 kts"),
  // otherwise its first blank-separated word read locale-free ("12 kts"
  // gives 12); 0 when that word is not a number.
  double ToWindSpeed(const std::string& windSpeed) const;
  // A wind-direction item (first blank-separated word, degrees, read
  // locale-free) in radians; 0 when it is not a number.
  double ToWindDirection(const std::string& windDirection) const;
  // The wind angle edit as whole degrees: the whole text as a decimal
  // integer; 0 when it is not one, is negative or is above 359.
  int ToWindAngle(const std::string& windAngle) const;

  // Item of the top-mark list: v = index - 10 in decimal + " deg", "+" in
  // front when v > 0 (10 gives "0 deg", 12 "+2 deg", 7 "-3 deg").
  std::string ToTopmark(int index) const;
  // The number followed directly by "%" (no blank): 80 gives "80%".
  std::string ToRange(std::uint8_t range) const;

  // ------------------------------------------------------------------ names

  // The leg-type name of TTypes::GetTypeOfCourse ("Beat", "Reach", "Run",
  // "not computed", "" for an unknown code); "not computed" when valid is
  // false.
  std::string ToCourseType(int typeOfCourse, bool valid) const;
  // The number in decimal, followed by " - " and name when name is not
  // empty (3, "Alpha" gives "3 - Alpha").
  std::string ToWaypoint(int number, const std::string& name) const;
  // "Mark " + value when value is exactly "1" or "2" (the two movable marks
  // are stored as 1 and 2); otherwise value.
  std::string ToExtendedNameMovableMark(const std::string& value) const;
  // When value begins with "Mark", the single character at zero-based
  // position 5 ("Mark 2" gives "2"; "" when the text is shorter); otherwise
  // value.
  std::string ToOriginalNameMovableMark(const std::string& value) const;
  // value when it already begins with "My-", otherwise "My-" + value.
  std::string ToMyBoatName(const std::string& value) const;

  // -------------------------------------------------------- delimited lists
  //
  // A strict split cuts the text at every delimiter and nowhere else: blanks
  // stay in the items, two delimiters in a row give an empty item, the
  // empty text gives no item, and a text ending in the delimiter gives an
  // empty last item.

  // The item at the zero-based index of a strict split; "" when index is
  // negative or past the last item.
  std::string GetDelimitedString(int index, char delimiter, const std::string& text);
  // That item read locale-free; 0 when there is no such item or it is not a
  // number.
  double GetDelimitedExtended(int index, char delimiter, const std::string& text);
  // That item as a decimal integer; 0 when there is no such item or it is
  // not one.
  int GetDelimitedInteger(int index, char delimiter, const std::string& text);

  // Fills list with the items of text: one trailing delimiter is removed,
  // then the text is split strictly ("A;B;" gives A, B; "A;;B" gives A, "",
  // B; "" gives none). list is cleared first.
  void GetDelimitedStringList(const std::string& text, char delimiter, TStringList& list);
  // The blank-separated form: one trailing blank is removed, every run of
  // three blanks and then every run of two blanks is replaced by one blank
  // (one left-to-right pass each, so up to four blanks in a row become one
  // but five become two and leave an empty item), then the text is split
  // strictly at blanks. list is cleared first.
  void GetDelimitedStringList(const std::string& text, TStringList& list);
  // The items joined with the delimiter between them, none at the end; ""
  // for an empty list.
  std::string SetDelimitedStringList(char delimiter, const TStringList& list) const;

  // Sets the item at index to "" and keeps its place; nothing when index is
  // out of range.
  void DelDelimitedStringList(int index, TStringList& list) const;
  // Removes the item at index, the later items moving up; nothing when index
  // is out of range.
  void DelAndMoveDelimitedStringList(int index, TStringList& list) const;
  // Moves an item. Nothing when the indices are equal, either is negative,
  // or indexOld is past the end. With both inside the list the item is taken
  // out at indexOld and put in at indexNew; with indexNew past the end it is
  // appended and its old place is set to "".
  void MoveDelimitedStringList(int indexOld, int indexNew, TStringList& list) const;
  // Removes every empty item.
  void ClrDelimitedStringList(TStringList& list) const;

  // Fills list with the items of text split as by GetDelimitedStringList,
  // each read as a decimal integer. Every item must be one: otherwise the
  // result is false and list is left empty. list is cleared first.
  bool GetDelimitedIntegerList(const std::string& text, char delimiter, TIntegerArray& list);
  // The integers in decimal joined with the delimiter between them; "" for
  // an empty list.
  std::string SetDelimitedIntegerList(char delimiter, const TIntegerArray& list) const;

  // --------------------------------------------------------------- helpers

  // True when inString contains value (case-sensitive). An empty value is
  // never found.
  bool GetValueInString(const std::string& value, const std::string& inString) const;
  // ExtendedToStr(value, kommata) followed by right blanks (none when right
  // is 0 or less).
  std::string ExtendedToStrPadRight(double value, int kommata, int right) const;
  // A screen point: X and Y fixed with 0 decimals, two blanks between.
  std::string ToPointF(const TPointF& point) const;
  // timeMeasured (seconds) fixed with 0 decimals + " sec   " (three blanks)
  // + distanceMeasured (metres) fixed with 1 decimal + " m".
  std::string ToTracking(double distanceMeasured, double timeMeasured) const;

  // Item index of list as a decimal integer; fault when index is negative,
  // past the end, or the item is not one.
  int GetListInteger(const TStringList& list, int index, int fault) const;
  // Item index read locale-free; fault when index is out of range or the
  // item is not a number.
  double GetListExtended(const TStringList& list, int index, double fault) const;
  // Item index; fault when index is out of range.
  std::string GetListString(const TStringList& list, int index, const std::string& fault) const;
  // Item index as a flag: false only for exactly "0"; fault when index is
  // out of range.
  bool GetListBoolean(const TStringList& list, int index, bool fault) const;

 private:
  // Strict split of text at delimiter into sl.
  void SplitStrict(const std::string& text, char delimiter);
};

}  // namespace corvane
