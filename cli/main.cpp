// corvane: the headless command-line program over the same state and
// start-up as the window.

#include <iostream>

#include "cli/cli_app.h"
#include "datasets/builtin_datasets.h"

int main(int argc, char** argv) {
  return corvane::cli::RunCorvane(argc, argv, std::cout, std::cerr, corvane::BuiltInResourceStore());
}
