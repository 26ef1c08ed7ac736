#pragma once
// The stable sort behind index activation: a merge sort that hands runs of at most 17 items to
// an insertion sort and merges through a scratch buffer of half the items. It sorts element
// numbers rather than the elements themselves, so each element is moved only once, when the
// caller applies the final order.

#include <cstdint>
#include <vector>

namespace MergeSortDetail {

// compare(a, b) < 0 when item a orders before item b.
template <typename Compare>
void InsertionSort(std::uint32_t* items, int lo, int hi, Compare& compare) {
  for (int c = lo + 1; c <= hi; ++c) {
    const std::uint32_t spare = items[c];
    int e = c;
    while (e > lo && compare(spare, items[e - 1]) < 0) {
      items[e] = items[e - 1];
      --e;
    }
    items[e] = spare;
  }
}

template <typename Compare>
void MergeSort(std::uint32_t* items, int lo, int hi, std::uint32_t* buffer, Compare& compare) {
  const int mid = lo + (hi - lo) / 2;
  if (lo < mid) {
    if (mid - lo > 16) MergeSort(items, lo, mid, buffer, compare);
    else InsertionSort(items, lo, mid, compare);
  }
  if (mid + 1 < hi) {
    if (hi - (mid + 1) > 16) MergeSort(items, mid + 1, hi, buffer, compare);
    else InsertionSort(items, mid + 1, hi, compare);
  }
  const int b = mid - lo + 1;
  for (int j = 0; j < b; ++j) buffer[j] = items[lo + j];
  int j = 0;
  int i = mid + 1;
  int k = lo;
  // Taking the left item on ties keeps equal items in their previous order.
  while (j < b && i <= hi) {
    items[k++] = compare(buffer[j], items[i]) > 0 ? items[i++] : buffer[j++];
  }
  while (j < b) items[k++] = buffer[j++];
}

}  // namespace MergeSortDetail

template <typename Compare>
void StableSort(std::vector<std::uint32_t>& items, Compare compare) {
  const int count = static_cast<int>(items.size());
  if (count < 2) return;
  std::vector<std::uint32_t> buffer(static_cast<std::size_t>((count + 1) / 2));
  MergeSortDetail::MergeSort(items.data(), 0, count - 1, buffer.data(), compare);
}
