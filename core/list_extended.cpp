#include "core/list_extended.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace corvane {

void TListExtended::Clear() {
  Items.clear();
  SortedPositions.clear();
}

TExtended& TListExtended::Add() {
  SortedPositions.push_back(static_cast<int>(Items.size()));
  Items.push_back(std::make_unique<TExtended>());
  return *Items.back();
}

TExtended& TListExtended::Add(double value, int index) {
  TExtended& item = Add();
  item.Value = value;
  item.Index = index;
  return item;
}

void TListExtended::Sort() {
  if (Count() < 2) return;
  QuickSort(0, Count() - 1);
}

void TListExtended::QuickSort(int lo, int hi) {
  if (lo >= hi) return;
  auto value = [this](int k) { return Items[SortedPositions[k]]->Value; };
  const double pivot = value((lo + hi) / 2);
  int i = lo;
  int j = hi;
  // Hoare partition. The pivot value itself stops both scans, and every swap
  // leaves a stopper behind each scan, so neither leaves [lo, hi] (a NaN
  // value stops them as well, since every comparison with it is false).
  while (j >= i) {
    while (pivot > value(i)) ++i;
    while (value(j) > pivot) --j;
    if (j >= i) {
      std::swap(SortedPositions[i], SortedPositions[j]);
      ++i;
      --j;
    }
  }
  QuickSort(lo, j);
  QuickSort(i, hi);
}

int TListExtended::GetIndex(int i) const {
  if (i < 0 || i >= Count()) return 0;
  return SortedPositions[i];
}

double TListExtended::GetValue(int i) const {
  if (Items.empty()) return 0;
  return Items[GetIndex(i)]->Value;
}

int TListExtended::GetValueIndex(int i) const {
  if (Items.empty()) return 0;
  return Items[GetIndex(i)]->Index;
}

void TListExtended::SetValue(double value, int i) {
  if (i < 0 || i >= Count()) return;
  Items[SortedPositions[i]]->Value = value;
}

TExtended& TListExtended::GetItem(int position) {
  return const_cast<TExtended&>(std::as_const(*this).GetItem(position));
}

const TExtended& TListExtended::GetItem(int position) const {
  if (position < 0 || position >= Count()) {
    throw std::out_of_range("TListExtended::GetItem: position " + std::to_string(position) +
                            " outside [0, " + std::to_string(Count()) + ")");
  }
  return *Items[position];
}

int TListExtended::Count() const { return static_cast<int>(Items.size()); }

}  // namespace corvane
