#pragma once
// The data sets built into the program.

#include "data/resource_store.h"

namespace corvane {

// A store over every data set embedded at build time, named by its file name
// without extension in upper case ("MAPINI", "TILES", ...).
TResourceStore BuiltInResourceStore();

}  // namespace corvane
