#include "WidthChanger.h"

#include <algorithm>

#include "UErrors.h"

namespace {
constexpr const char* kUnit = "Tools/LocalDbCtrls/WidthChanger";
}

TWidthChanger::TWidthChanger(const std::vector<int>& widths, int minWidth) : minWidth_(minWidth) {
  Assert(!widths.empty(), "OwnerSections param must have Sections", kUnit);
  Build(widths);
}

void TWidthChanger::Build(const std::vector<int>& widths) {
  nodes_.assign(widths.size(), {});
  baseTotal_ = 0;
  total_ = 0;
  for (std::size_t i = 0; i < widths.size(); ++i) {
    const int width = widths[i] > 0 ? widths[i] : 0;
    nodes_[i] = {static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(width), width};
    baseTotal_ += static_cast<std::uint64_t>(width);
    total_ += Shown(nodes_[i]);
  }
  cursor_ = 0;
}

int TWidthChanger::SectionWidth(int i) const {
  Assert(i >= 0 && i < Count(), "Invalid section index", kUnit);
  return Shown(nodes_[static_cast<std::size_t>(i)]);
}

void TWidthChanger::Grow(int n) {
  while (n > 0) {
    TWidthNode& node = nodes_[static_cast<std::size_t>(cursor_)];
    node.Acc += node.Base;
    if (node.Acc >= baseTotal_) {
      node.Acc -= baseTotal_;
      ++node.Cur;
      if (node.Cur > minWidth_) {
        ++total_;
        --n;
      }
    }
    cursor_ = (cursor_ + 1) % Count();
  }
}

void TWidthChanger::Shrink(int n) {
  // With every section at its minimum no step could lower the total any more.
  n = std::min(n, total_ - Count() * minWidth_);
  while (n > 0) {
    cursor_ = (cursor_ + Count() - 1) % Count();
    TWidthNode& node = nodes_[static_cast<std::size_t>(cursor_)];
    if (node.Acc < node.Base) {
      node.Acc += baseTotal_ - node.Base;
      --node.Cur;
      if (node.Cur >= minWidth_) {
        --total_;
        --n;
      }
    } else {
      node.Acc -= node.Base;
    }
  }
}

void TWidthChanger::SetTotal(int w) {
  if (w < total_)
    Shrink(total_ - w);
  else if (w > total_)
    Grow(w - total_);
}

void TWidthChanger::Reset(const std::vector<int>& widths) {
  Assert(static_cast<int>(widths.size()) == Count(), "Sections must be assigned", kUnit);
  Build(widths);
}
