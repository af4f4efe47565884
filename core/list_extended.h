#pragma once
// A list of values with caller tags that can be sorted without moving the
// items: Sort reorders a permutation (Indices) beside them, so each item
// keeps its insertion position and its tag while the values are read back
// in ascending order.

#include <memory>
#include <vector>

#include "core/types.h"

namespace corvane {

// One value with a caller's tag, for example the position of a grid point.
struct TExtended {
  double Value = 0;
  int Index = 0;
};

class TListExtended {
 public:
  // Removes every item and the sort order.
  void Clear();

  // Appends a zeroed item and returns it for the caller to fill. The
  // reference stays valid until Clear or the list's end, however many items
  // follow. The item's position goes to the end of Indices, so an unsorted
  // list reads back in insertion order.
  TExtended& Add();
  // Appends an item with the given value and tag.
  TExtended& Add(double value, int index);

  // Orders Indices by ascending Value; the items themselves stay where they
  // are. Equal values end up in the order this particular quicksort
  // (Hoare partition, middle pivot) leaves them, which the routing relies
  // on, so it is not a stable sort and must not be swapped for one. Items
  // added after a Sort are appended unsorted until the next Sort.
  void Sort();

  // Insertion position of the i-th item in sorted order (i from 0); 0 when
  // i is outside [0, Count()).
  int GetIndex(int i) const;
  // Value of the item at GetIndex(i): for i outside [0, Count()) that is the
  // first item added; 0 on an empty list.
  double GetValue(int i) const;
  // Tag of the item at GetIndex(i), with the same edges as GetValue.
  int GetValueIndex(int i) const;
  // Writes the Value of the i-th item in sorted order; does nothing for i
  // outside [0, Count()), so a bad index never overwrites another item.
  void SetValue(double value, int i);

  // The item at an insertion position in [0, Count()); any other position
  // is a programming error and throws std::out_of_range.
  TExtended& GetItem(int position);
  const TExtended& GetItem(int position) const;

  int Count() const;

  // Insertion positions of the items in sorted order.
  const std::vector<int>& Indices() const { return SortedPositions; }

 private:
  void QuickSort(int lo, int hi);

  // Held by pointer so references handed out by Add survive growth.
  std::vector<std::unique_ptr<TExtended>> Items;
  std::vector<int> SortedPositions;
};

}  // namespace corvane
