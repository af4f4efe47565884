// Loaders of the polar library: the class list (built-in dinghy and yacht
// names, then the user's polar files) and the polar table of the chosen
// class, from a built-in record or from the user's file.

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#include "data/package_resource_loader.h"
#include "polars/own_polars.h"
#include "polars/polar_records.h"

namespace corvane {

namespace {

constexpr const char* kDinghyNames = "dinghyn";
constexpr const char* kDinghyRecords = "dinghy";
constexpr const char* kYachtNames = "polarsn";
constexpr const char* kYachtRecords = "polars";

}  // namespace

int TPackageResourceLoader::ReadClassNames(const std::string& resourceName, TStringList& strings) {
  auto stream = OpenResource(resourceName);
  if (!stream) return 0;
  int count = 0;
  // Every name consumes at least its length byte, so the loop ends.
  while (stream->Position() < stream->Size()) {
    strings.push_back(ReadString(*stream));
    ++count;
  }
  return count;
}

void TPackageResourceLoader::LoadListClasses(TInterfaceApplicationMobile& state) {
  state.ListClasses.clear();
  state.CountDinghy = ReadClassNames(kDinghyNames, state.ListClasses);
  state.CountORCI = ReadClassNames(kYachtNames, state.ListClasses);
  // A documents folder that cannot be listed adds no user classes.
  FileTools.GetFileNameWithoutExtension(FileTools.GetDocumentsPathForReading(), kOwnPolarPattern,
                                        state.ListClasses);
}

void TPackageResourceLoader::ReadPolarsRecord(int index, const std::string& resourceName,
                                              TInterfaceApplicationMobile& state) {
  if (index < 0) return;
  auto stream = OpenResource(resourceName);
  if (!stream) return;
  // Only the record's own bytes are copied out; the part of it that lies past
  // the end of the data set stays zero, as every read past the end gives 0.
  std::array<std::uint8_t, static_cast<std::size_t>(kPolarsRecordSize)> record{};
  const std::int64_t start = static_cast<std::int64_t>(index) * kPolarsRecordSize;
  const std::int64_t present =
      std::clamp<std::int64_t>(stream->Size() - start, 0, kPolarsRecordSize);
  if (present > 0) {
    stream->Seek(start);
    stream->Read(record.data(), static_cast<std::size_t>(present));
  }
  corvane::ReadPolarsRecord(std::span<const std::uint8_t>(record), 0, state.Polars);
}

bool TPackageResourceLoader::LoadUserPolars(const std::string& className,
                                            TInterfaceApplicationMobile& state) {
  const std::string folder = FileTools.GetDocumentsPathForReading();
  const std::string fileName = className + kOwnPolarExtension;
  const std::string file = FileTools.GetPath(folder, fileName);
  // A class name with a folder separator in it does not name a file of the
  // documents folder; such a name (from a hand-edited settings file, say)
  // must not reach a file elsewhere.
  if (!FileTools.GetFileNameValid(file, fileName) || !FileTools.GetFileExists(file)) return false;
  return PackagePolars.LoadPolars(file, state.Polars);
}

void TPackageResourceLoader::LoadBoatPolars(TInterfaceApplicationMobile& state) {
  const auto& classes = state.ListClasses;
  const auto found = std::find_if(classes.begin(), classes.end(), [&](const std::string& name) {
    return SameClassName(name, state.BoatClass);
  });
  int i = 0;
  if (found != classes.end()) {
    i = static_cast<int>(found - classes.begin());
  } else if (!classes.empty()) {
    state.BoatClass = classes.front();
  }

  if (i < state.CountDinghy) {
    ReadPolarsRecord(i, kDinghyRecords, state);
  } else if (i < state.CountDinghy + state.CountORCI) {
    ReadPolarsRecord(i - state.CountDinghy, kYachtRecords, state);
  } else {
    LoadUserPolars(state.BoatClass, state);
  }
}

}  // namespace corvane
