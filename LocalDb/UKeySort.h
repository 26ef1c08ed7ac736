#pragma once
// Sorting many records at once by their sort keys (TIndex::SortKey).
//
// Comparing records pairwise touches two random elements of a large array on every step, and
// a collating comparison costs far more than a byte compare. Instead each record's key is made
// once, all keys go into one block, and compact entries (the key's first bytes, where the key
// lies, the element number) are sorted. Ties go to the earlier element, so the sort is stable.

#include <cstdint>
#include <functional>
#include <vector>

#include "UIndex.h"

// The element numbers 0 .. count - 1 in the index's order; false (order untouched) when the
// index has no sort keys. image(i) is the record image of element i.
bool SortByKeys(const TIndex& index, int count,
                const std::function<const std::uint8_t*(int)>& image,
                std::vector<std::uint32_t>& order);
