// corvane polar: the polar table of a boat class as the polar viewer shows
// it, and the import of a polar from another navigation program as the
// user's own polar.

#include <algorithm>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "core/string_tools.h"
#include "polars/own_polars.h"
#include "polars/package_polars.h"
#include "polars/polar_exchange.h"

namespace corvane::cli {

namespace {

struct TPolarOptions {
  std::string Class;      // the class to list
  std::string Import;     // a polar file of another program
  std::string Name;       // the own class to save it as
  bool Overwrite = false;  // replace an existing own polar
};

constexpr std::size_t kLabelWidth = 16;
constexpr std::size_t kCellWidth = 8;

// Characters as the terminal shows them: UTF-8 continuation bytes take no
// column of their own (the degree sign is two bytes).
std::size_t DisplayWidth(const std::string& text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string PadRight(const std::string& text, std::size_t width) {
  const std::size_t shown = DisplayWidth(text);
  return shown >= width ? text : text + std::string(width - shown, ' ');
}

std::string PadLeft(const std::string& text, std::size_t width) {
  const std::size_t shown = DisplayWidth(text);
  return shown >= width ? " " + text : std::string(width - shown, ' ') + text;
}

// The table as the viewer's grid shows it: wind columns across, the rows of
// the grid down, 1 decimal in the user's locale.
void WriteTable(const TPolars& polars, std::ostream& out) {
  const TStringTools tools;
  const auto writeLine = [&out](std::string line) {
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out << line << "\n";
  };
  std::string header = PadRight("True wind speed", kLabelWidth);
  for (int c = kPolarTableFirstColumn; c <= kPolarTableLastColumn; ++c) {
    header += PadLeft(tools.ExtendedToStr(polars.WindVelocity[static_cast<std::size_t>(c)], 0) + " kts", kCellWidth - 1);
    header += " ";
  }
  writeLine(header);
  for (int r = 0; r < kPolarTableRows; ++r) {
    const TPolarTableRow& row = kPolarTableLayout[static_cast<std::size_t>(r)];
    // The digits line up whether a unit follows or not; the seconds are
    // named once at the end of their row.
    const bool seconds = std::string(row.Unit) == " sec";
    std::string line = PadRight(row.Label, kLabelWidth);
    for (int c = kPolarTableFirstColumn; c <= kPolarTableLastColumn; ++c) {
      line += PadLeft(tools.ExtendedToStr(PolarTableValue(polars, r, c), 1), kCellWidth - 1);
      line += PadRight(seconds ? "" : row.Unit, 1);
    }
    writeLine(line + (seconds ? " sec" : ""));
  }
  const TPackagePolars package;
  std::string legs;
  if (package.GetValidBeat(polars)) legs += "beats";
  if (package.GetValidRun(polars)) legs += std::string(legs.empty() ? "" : ", ") + "runs";
  if (package.GetValidReach(polars)) legs += std::string(legs.empty() ? "" : ", ") + "reaches";
  out << "\n" << Row("Routes", legs.empty() ? "no leg (the table is not usable)" : legs);
}

int RunList(TCliContext& context, const std::string& className, std::ostream& out) {
  TInterfaceApplicationMobile& state = context.State;
  context.Loader.LoadListClasses(state);
  const auto found = std::find_if(state.ListClasses.begin(), state.ListClasses.end(),
                                  [&](const std::string& name) { return SameClassName(name, className); });
  if (found == state.ListClasses.end()) {
    throw TUsageError("unknown boat class '" + className + "' (corvane info counts the classes)");
  }
  const auto index = found - state.ListClasses.begin();
  state.BoatClass = *found;
  context.Loader.LoadBoatPolars(state);
  const std::string kind = index < state.CountDinghy                     ? "dinghy"
                           : index < state.CountDinghy + state.CountORCI ? "yacht"
                                                                         : "own polar";
  out << state.BoatClass << " (" << kind << ")\n\n";
  WriteTable(state.Polars, out);
  return kExitOk;
}

int RunImport(TCliContext& context, const TPolarOptions& options, std::ostream& out) {
  if (options.Name.empty()) throw TUsageError("--import needs --name NAME, the name of your own polar");
  const TFileTools& files = context.Loader.FileTools;
  const TStringTools tools;
  const std::string folder = files.GetDocumentsPath();
  if (!files.GetFileNameValid(files.GetPath(folder, options.Name + kOwnPolarExtension), options.Name)) {
    throw TUsageError("--name " + options.Name + ": not a valid file name");
  }
  // The file is read before anything is saved: a rejected file leaves an
  // existing polar as it was.
  const TPolarImport polar = ReadPolarExchangeFile(options.Import);
  if (!polar.Ok) throw TUsageError(options.Import + ": " + polar.Error);

  const std::string name = tools.ToMyBoatName(options.Name);
  const TOwnPolarFile target = FindOwnPolarFile(files, name);
  if (target.Exists && !options.Overwrite) {
    const std::string spelling =
        target.Name == name ? "" : " as " + target.Name + " (class names ignore letter case)";
    throw TUsageError(name + " exists already" + spelling + " (" + target.File + "); give --overwrite to replace it");
  }
  if (!TPackagePolars().SavePolars(target.File, polar.Polars)) throw TContentError("cannot write " + target.File);

  for (const std::string& repair : polar.Repairs) out << "Repaired " << repair << "\n";
  out << "Saved " << target.Name;
  if (target.Name != name) out << " (the existing spelling of " << name << ")";
  out << " to " << target.File << "\n\n";
  WriteTable(polar.Polars, out);
  return kExitOk;
}

}  // namespace

TCommand AddPolarCommand(CLI::App& app) {
  auto options = std::make_shared<TPolarOptions>();
  TCommand command;
  command.Sub = app.add_subcommand("polar", "The polar table of a boat class, or the import of another "
                                            "program's polar as your own");
  command.Sub->add_option("class", options->Class, "Boat class to list (letter case ignored)")->type_name("CLASS");
  command.Sub->add_option("--import", options->Import,
                          "Polar of another program to save as your own: a TWA/TWS matrix or rows of wind "
                          "speed, angles and speeds")
      ->type_name("FILE");
  command.Sub->add_option("--name", options->Name, "Name of your own polar (\"My-\" is put in front)")
      ->type_name("NAME");
  command.Sub->add_flag("--overwrite", options->Overwrite, "Replace your own polar of that name");
  command.Run = [options](TCliContext& context, std::ostream& out) {
    if (!options->Import.empty()) {
      if (!options->Class.empty()) throw TUsageError("give a boat class or --import FILE, not both");
      return RunImport(context, *options, out);
    }
    if (options->Class.empty()) throw TUsageError("polar: give a boat class, or --import FILE --name NAME");
    return RunList(context, options->Class, out);
  };
  return command;
}

}  // namespace corvane::cli
