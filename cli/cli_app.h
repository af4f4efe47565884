#pragma once
// The command-line program as a function, so that tests run it with their
// own arguments, data sets and output streams.

#include <ostream>

#include "data/resource_store.h"

namespace corvane::cli {

// Reads the arguments (argv[0] is the program's name), runs the command on
// the data sets of store and returns the exit code: 0 done, 1 the command
// could not give its answer (the reason on out), 2 bad arguments (one line
// "corvane: ..." on err). --help and --version print to out and return 0.
int RunCorvane(int argc, const char* const argv[], std::ostream& out, std::ostream& err,
               const TResourceStore& store);

}  // namespace corvane::cli
