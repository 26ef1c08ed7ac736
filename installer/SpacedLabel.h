#pragma once
// A label whose lines stand a little further apart than the font alone would set them.
//
// The wizard's font reports a line pitch no larger than its letters (about 10 px for 11 px
// letters), so a label of two lines reads as one cramped block. TSpacedLabel paints its plain
// text with a pitch of the font's height and two pixels, as the designed two-line labels
// expect (26 px for two lines), keeping the label's alignment and word wrap. Its text() is
// the plain text that was set.

#include <QLabel>

class TSpacedLabel : public QLabel {
public:
  using QLabel::QLabel;
  // The distance from one line's top to the next one's.
  int LinePitch() const;

protected:
  void paintEvent(QPaintEvent* event) override;
};
