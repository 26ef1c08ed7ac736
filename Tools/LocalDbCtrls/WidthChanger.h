#pragma once
// TWidthChanger: spreads a change of the total width over a row of sections in proportion to
// their widths, one pixel at a time, so that growing by n and then shrinking by n gives every
// section back exactly its width.
//
// Each section is a node of a ring with its base width (its width when the ring was last built
// or reset), an accumulator and the width the distribution has given it. Growing walks the ring
// forward adding the base to the accumulator and gives a pixel whenever it passes the base total;
// a shrink step is the exact inverse of a grow step and walks backward. A given width may fall
// below the minimum; the shown width never does, and Total is the sum of the shown widths.

#include <cstdint>
#include <vector>

class TWidthChanger {
public:
  // widths: the sections' widths in order (at least one; Assert otherwise); minWidth: the
  // smallest width a section shows.
  TWidthChanger(const std::vector<int>& widths, int minWidth);

  int Count() const { return static_cast<int>(nodes_.size()); }
  int Total() const { return total_; }
  int MinWidth() const { return minWidth_; }
  // The shown width of section i (Assert for an index out of range).
  int SectionWidth(int i) const;

  void Grow(int n);
  // Shrinks by n, but never below every section at its minimum: the sections cannot give up
  // more, and asking them to would never end.
  void Shrink(int n);
  // Grows or shrinks to a total of w (see Shrink for the lower bound).
  void SetTotal(int w);
  // Takes the present widths as the new proportions (after the user moved a divider). The
  // count must stay the same.
  void Reset(const std::vector<int>& widths);

private:
  struct TWidthNode {
    std::uint64_t Base = 0;
    std::uint64_t Acc = 0;
    int Cur = 0;
  };

  void Build(const std::vector<int>& widths);
  int Shown(const TWidthNode& node) const { return node.Cur > minWidth_ ? node.Cur : minWidth_; }

  std::vector<TWidthNode> nodes_;
  int cursor_ = 0;  // where the next grow step starts; a shrink step first moves back one
  std::uint64_t baseTotal_ = 0;
  int total_ = 0;
  int minWidth_ = 0;
};
