#include "core/list_extended.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <vector>

namespace corvane {
namespace {

TListExtended ListOf(const std::vector<double>& values) {
  TListExtended list;
  for (std::size_t k = 0; k < values.size(); ++k) {
    list.Add(values[k], 100 + static_cast<int>(k));
  }
  return list;
}

std::vector<int> SortedPositions(const TListExtended& list) {
  std::vector<int> positions;
  for (int i = 0; i < list.Count(); ++i) positions.push_back(list.GetIndex(i));
  return positions;
}

TEST(ListExtended, UnsortedListReadsBackInInsertionOrder) {
  const TListExtended list = ListOf({3, 1, 2});
  EXPECT_EQ(SortedPositions(list), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(list.Indices(), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(list.GetValue(0), 3);
  EXPECT_EQ(list.GetValueIndex(0), 100);
}

TEST(ListExtended, SortOrdersThePermutationNotTheItems) {
  TListExtended list = ListOf({3, 1, 2});
  list.Sort();
  EXPECT_EQ(SortedPositions(list), (std::vector<int>{1, 2, 0}));
  EXPECT_EQ(list.GetValue(0), 1);
  EXPECT_EQ(list.GetValue(2), 3);
  EXPECT_EQ(list.GetValueIndex(0), 101);  // the tag travels with its value
  EXPECT_EQ(list.GetValueIndex(2), 100);
  EXPECT_EQ(list.GetItem(0).Value, 3);    // items stay where they were added
}

TEST(ListExtended, EqualValuesKeepThisQuicksortsOrder) {
  struct Case {
    const char* name;
    std::vector<double> values;
    std::vector<int> positions;
  };
  // Traced by hand through the partition; a stable sort would give
  // {0, 1, 2} and {1, 3, 0, 2}.
  const Case cases[] = {
      {"all equal come out reversed", {1, 1, 1}, {2, 1, 0}},
      {"two pairs", {2, 1, 2, 1}, {3, 1, 0, 2}},
      {"single item", {5}, {0}},
      {"already sorted", {1, 2, 3, 4}, {0, 1, 2, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TListExtended list = ListOf(c.values);
    list.Sort();
    EXPECT_EQ(SortedPositions(list), c.positions);
  }
}

TEST(ListExtended, SortOrdersManyValuesAscending) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> draw(0, 40);  // many repeats
  std::vector<double> values;
  for (int k = 0; k < 500; ++k) values.push_back(draw(random) / 4.0);

  TListExtended list = ListOf(values);
  list.Sort();
  std::vector<int> positions = SortedPositions(list);
  for (int i = 1; i < list.Count(); ++i) EXPECT_LE(list.GetValue(i - 1), list.GetValue(i));
  std::sort(positions.begin(), positions.end());
  for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(positions[i], i);  // a permutation
}

TEST(ListExtended, OutOfRangeReads) {
  TListExtended list = ListOf({3, 1, 2});
  list.Sort();
  struct Case {
    const char* name;
    int i;
  };
  for (const Case& c : {Case{"past the end", 5}, Case{"count", 3}, Case{"negative", -1}}) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(list.GetIndex(c.i), 0);
    // Reads go through GetIndex, so they see the first item added.
    EXPECT_EQ(list.GetValue(c.i), 3);
    EXPECT_EQ(list.GetValueIndex(c.i), 100);
  }
  EXPECT_THROW(list.GetItem(3), std::out_of_range);
  EXPECT_THROW(list.GetItem(-1), std::out_of_range);

  const TListExtended empty;
  EXPECT_EQ(empty.GetIndex(0), 0);
  EXPECT_EQ(empty.GetValue(0), 0);
  EXPECT_EQ(empty.GetValueIndex(0), 0);
}

TEST(ListExtended, SetValueWritesTheItemInSortedOrder) {
  TListExtended list = ListOf({3, 1, 2});
  list.Sort();
  list.SetValue(10, 0);  // the smallest is the item added second
  EXPECT_EQ(list.GetItem(1).Value, 10);
  EXPECT_EQ(list.GetValue(0), 10);  // the order is not redone until Sort

  list.SetValue(99, 3);
  list.SetValue(99, -1);
  EXPECT_EQ(list.GetItem(0).Value, 3);
  EXPECT_EQ(list.GetItem(2).Value, 2);
}

TEST(ListExtended, AddReturnsAnItemThatStaysValid) {
  TListExtended list;
  TExtended& first = list.Add();
  EXPECT_EQ(first.Value, 0);
  EXPECT_EQ(first.Index, 0);
  for (int k = 0; k < 1000; ++k) list.Add(k, k);
  first.Value = -1;
  first.Index = 42;
  EXPECT_EQ(list.Count(), 1001);
  EXPECT_EQ(list.GetItem(0).Index, 42);
  list.Sort();
  EXPECT_EQ(list.GetValueIndex(0), 42);
}

TEST(ListExtended, ItemsAddedAfterSortAreAppendedUnsorted) {
  TListExtended list = ListOf({3, 1, 2});
  list.Sort();
  list.Add(0, 7);
  EXPECT_EQ(SortedPositions(list), (std::vector<int>{1, 2, 0, 3}));
  list.Sort();
  EXPECT_EQ(list.GetIndex(0), 3);
}

TEST(ListExtended, ClearEmptiesItemsAndOrder) {
  TListExtended list = ListOf({3, 1, 2});
  list.Sort();
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(list.Indices().empty());
  list.Add(5, 1);
  EXPECT_EQ(list.GetIndex(0), 0);
  EXPECT_EQ(list.GetValue(0), 5);
}

}  // namespace
}  // namespace corvane
