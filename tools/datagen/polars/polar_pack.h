#pragma once
// Writing the polar data sets: the names data sets ("DINGHYN", "POLARSN") as
// consecutive short strings and the record data sets ("DINGHY", "POLARS") as
// one 544-byte record per class, in the order of polars/polar_records.h, each
// value a short coordinate (TDataSetPacker::PackFloatShort).

#include <string>
#include <vector>

#include "data/data_set_packer.h"
#include "polars/polars.h"

namespace corvane::vpp {

// Appends one polar record to the packer.
void PackPolarsRecord(TDataSetPacker& packer, const TPolars& polars);

// A names data set of the given class names, in order.
TDataSetPacker PackClassNames(const std::vector<std::string>& names);

// A record data set of the given tables, in order.
TDataSetPacker PackPolarsRecords(const std::vector<TPolars>& tables);

}  // namespace corvane::vpp
