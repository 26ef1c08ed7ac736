#pragma once
// A check box that lets the window's picture show behind its caption.
//
// TTranspCheckBox takes the place of an existing check box: it is created on the same parent
// with the replaced box's name followed by "asTransparent", its geometry, size policy, tab
// order, text colour, caption, checked state and colours, and the replaced box is destroyed.
// It paints no background of its own, so whatever lies under it (the wizard's picture) shows
// through.

#include <QCheckBox>

class TTranspCheckBox : public QCheckBox {
public:
  // Contract checks (assertions): owner and replaced must be given, and owner must be a widget.
  TTranspCheckBox(QObject* owner, QCheckBox* replaced);
};
