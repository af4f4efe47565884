#pragma once
// What every command of the command-line program shares: the common
// options, the reading of dates, times and positions typed on the command
// line, the one-line error rule for bad arguments, and the application state
// brought up by the same start-up as the window's.
//
// Times typed by the user are local times of the reference port (the clock
// of the tide list) unless --gmt is given; the state keeps the chosen moment
// in GMT and in local time, as the window does.

#include <optional>
#include <stdexcept>
#include <string>

#include "core/types.h"
#include "data/package_resource_loader.h"
#include "data/resource_store.h"
#include "startup/startup.h"
#include "state/application_state.h"
#include "analysis/current_field.h"

namespace corvane::cli {

inline constexpr int kExitOk = 0;
// The command ran but could not give its answer (no stream atlas, no tides).
inline constexpr int kExitFailure = 1;
// Bad arguments: one line on standard error.
inline constexpr int kExitUsage = 2;

// Date-time format of every moment the program prints.
inline constexpr const char* kMomentFormat = "yyyy-mm-dd hh:mm";

// An argument the program cannot use. The message is the whole line the
// user reads (without the program name in front), and the exit code is 2.
class TUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file named on the command line that exists but whose content the
// program cannot use (a file that holds no GRIB record, say). The message is
// the whole line on standard error, and the exit code is 1.
class TContentError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Options accepted before or after the command's name.
struct TCommonOptions {
  // Program folder to use instead of the user's (settings file, own polars,
  // GRIB files are looked for in it directly). Empty: the user's.
  std::string Documents;
  // Settings file to read instead of the one in the program's folder.
  std::string Settings;
  // Times typed and printed are GMT instead of local time.
  bool GMT = false;
};

// "YYYY-MM-DD": the date at midnight; nothing unless the text is exactly
// that form and names a day of the years 1 to 9999.
std::optional<TDateTime> ParseDate(const std::string& text);
// "HH:MM" (hour 0-23, one or two digits; minute two digits): a time of day
// (date part 0); nothing otherwise.
std::optional<TDateTime> ParseClockTime(const std::string& text);
// "YYYY-MM-DD HH:MM" (a "T" may stand for the blank); nothing otherwise.
std::optional<TDateTime> ParseDateAndTime(const std::string& text);

// A longitude (latitude false) or latitude in minutes of arc, east and
// north positive. Accepted forms: decimal degrees with an optional sign
// ("-1.2769") or a hemisphere letter after them ("1.2769W"), and the
// program's own display form "DDD.MM.TTTH" or "DDD:MM:TTTH" ("001.16.614W").
// Nothing for other text, a letter of the other axis, or a value beyond 180
// (longitude) or 90 (latitude) degrees.
std::optional<double> ParseCoordinate(const std::string& text, bool latitude);

// One line of a two-column listing: two blanks, the label padded to 18
// characters, the value, a line break.
std::string Row(const std::string& label, const std::string& value);

// The state and the services of one run of the program.
class TCliContext {
 public:
  TCliContext(TCommonOptions options, TResourceStore store);
  TCliContext(const TCliContext&) = delete;
  TCliContext& operator=(const TCliContext&) = delete;

  const TCommonOptions& Options() const { return options_; }
  const TResourceStore& Store() const { return store_; }

  // Runs the start-up (region defaults, background load, join) once; later
  // calls do nothing. Throws TUsageError when --settings names no file or a
  // folder. The settings file is read, never written, and no folder is
  // created.
  void Load();

  // The chosen moment from a time typed by the user (local, or GMT with
  // --gmt); then the tidal model and the drawn field are brought up to date.
  // Throws TUsageError naming the time and the table's span when the moment
  // lies outside the tide table.
  void SetMoment(TDateTime typed);

  // Sets the calibration from a high-water shift in minutes (a multiple of
  // 10 from -150 to 150) and a speed correction in percent (a multiple of 5
  // from -100 to 100); nothing for an absent value. Throws TUsageError
  // otherwise, naming the option.
  void SetCalibration(std::optional<int> shiftMinutes, std::optional<int> rangePercent);

  // The chosen moment as the user reads it: "2016-09-01 15:00 local
  // (14:00 GMT)", or with --gmt "2016-09-01 14:00 GMT (15:00 local)".
  std::string MomentText() const;

  // True when the drawn (low-resolution) stream atlas holds at least one
  // point with its vectors.
  bool HasStreamAtlas() const;

  TPackageResourceLoader Loader;
  TPackageCurrents Currents;
  TInterfaceApplicationMobile State;
  TStartupResult Startup;
  // The settings file read, or looked for when it does not exist.
  std::string SettingsFile;
  bool SettingsFileFound = false;
  // A file named on the command line was read only in part (a GRIB file
  // whose reading stopped at a faulty record): the command works with what
  // was read and exits with 1.
  bool InputReadInPart = false;

 private:
  TCommonOptions options_;
  TResourceStore store_;
  bool loaded_ = false;
};

}  // namespace corvane::cli
