#include "tools/datagen/polars/polar_pack.h"

#include "polars/polar_records.h"

namespace corvane::vpp {

void PackPolarsRecord(TDataSetPacker& packer, const TPolars& polars) {
  for (const ext value : PolarsRecordValues(polars)) packer.PackFloatShort(value);
}

TDataSetPacker PackClassNames(const std::vector<std::string>& names) {
  TDataSetPacker packer;
  for (const std::string& name : names) packer.PackString(name);
  return packer;
}

TDataSetPacker PackPolarsRecords(const std::vector<TPolars>& tables) {
  TDataSetPacker packer;
  for (const TPolars& polars : tables) PackPolarsRecord(packer, polars);
  return packer;
}

}  // namespace corvane::vpp
