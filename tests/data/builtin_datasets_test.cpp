#include "datasets/builtin_datasets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace corvane {
namespace {

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The embedded copy of every data file must equal the file in the source
// tree, byte for byte, and be found under its name in any letter case.
TEST(BuiltInDataSetsTest, EmbedsEveryDataFileExactly) {
  const TResourceStore store = BuiltInResourceStore();
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(CORVANE_DATASETS_DIR)) {
    const auto extension = entry.path().extension().string();
    const auto name = entry.path().filename().string();
    if (!entry.is_regular_file() || name == "CMakeLists.txt" || extension == ".md" || extension == ".h" ||
        extension == ".cpp") {
      continue;
    }
    ++files;
    std::string stem = entry.path().stem().string();
    SCOPED_TRACE(stem);
    std::string lower = stem;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    ASSERT_TRUE(store.FindResource(lower));
    auto stream = store.Open(lower);
    const auto expected = ReadFile(entry.path());
    std::vector<std::uint8_t> actual(static_cast<std::size_t>(stream->Size()));
    ASSERT_TRUE(stream->Read(actual.data(), actual.size()));
    EXPECT_EQ(actual, expected);
  }
  EXPECT_EQ(store.Names().size(), files);  // nothing but the data files
}

TEST(ResourceStoreTest, FixtureStoresReplaceByNameAndStreamsStayInBounds) {
  TResourceStore store;
  store.Add("tides", std::string("old"));
  store.Add("TIDES", std::string("new!"));
  ASSERT_EQ(store.Names(), std::vector<std::string>{"TIDES"});
  auto stream = *store.Open("Tides");
  EXPECT_EQ(stream.Size(), 4);
  char buffer[8] = {};
  EXPECT_FALSE(stream.Read(buffer, 5));
  EXPECT_EQ(stream.Position(), 0);
  stream.Seek(99);
  EXPECT_EQ(stream.Position(), 4);
  stream.Seek(-3);
  EXPECT_EQ(stream.Position(), 0);
  EXPECT_EQ(stream.ReadAllText(), "new!");
}

}  // namespace
}  // namespace corvane
