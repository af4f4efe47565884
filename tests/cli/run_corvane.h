#pragma once
// Runs the command-line program in the test process on the built-in data
// sets, with a fresh documents folder, and keeps its exit code and both
// outputs.

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "datasets/builtin_datasets.h"
#include "support/temp_folder.h"

namespace corvane {

struct TCorvaneOutcome {
  int code = -1;
  std::string out;
  std::string err;
};

class TCorvaneRunner {
 public:
  TCorvaneOutcome Run(std::vector<std::string> args) const {
    args.insert(args.begin(), {"corvane", "--documents", documents_.path().string()});
    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());
    std::ostringstream out;
    std::ostringstream err;
    TCorvaneOutcome outcome;
    outcome.code = cli::RunCorvane(static_cast<int>(argv.size()), argv.data(), out, err, BuiltInResourceStore());
    outcome.out = out.str();
    outcome.err = err.str();
    return outcome;
  }

  const TTempFolder& Documents() const { return documents_; }

 private:
  TTempFolder documents_;
};

}  // namespace corvane
