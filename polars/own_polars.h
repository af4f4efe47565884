#pragma once
// The user's own polars: the files "<class name>.pol" in the program's folder
// of the documents folder, listed after the built-in classes. Both front ends
// save an own polar through FindOwnPolarFile, so that they agree on what an
// existing polar is.
//
// A class is chosen by its name without regard to letter case (a settings
// file or a command line may spell it either way), so two own polars whose
// names differ only in case would hide one another: only the first of them
// could ever be chosen. A save under such a name therefore finds the polar
// already there and replaces it, keeping its spelling, rather than adding a
// second file.

#include <string>

#include "core/file_tools.h"

namespace corvane {

// The file name of an own polar: class name and this extension; the listing
// pattern of the documents folder.
inline constexpr const char* kOwnPolarExtension = ".pol";
inline constexpr const char* kOwnPolarPattern = "*.pol";

struct TOwnPolarFile {
  // The class name the polar is saved under: ClassName, or the spelling of
  // the own polar that exists already.
  std::string Name;
  // The full name of the file.
  std::string File;
  // True when an own polar of that name, in any letter case, exists: a save
  // replaces it.
  bool Exists = false;
};

// True when two class names are the same apart from the letter case of
// ASCII letters (the class names are 7-bit ASCII): the rule by which a class
// is chosen.
bool SameClassName(const std::string& a, const std::string& b);

// Where the own polar ClassName (the final class name, "My-" already put in
// front where the front end does so; a valid file name) is saved in the
// documents folder of Files. An own polar whose name is the same apart from
// letter case is found; one of exactly that spelling is preferred when both
// are there. A folder that cannot be listed counts as empty.
TOwnPolarFile FindOwnPolarFile(const TFileTools& Files, const std::string& ClassName);

}  // namespace corvane
