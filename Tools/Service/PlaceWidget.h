#pragma once
// Building a fixed-layout window control by control, at the positions its design gives.

#include <QWidget>

// A new control of kind T on parent, named (tests and the decoration find controls by name)
// and placed at x, y with the size.
template <class T>
T* PlaceWidget(QWidget* parent, const char* name, int x, int y, int width, int height) {
  auto* widget = new T(parent);
  widget->setObjectName(name);
  widget->setGeometry(x, y, width, height);
  return widget;
}
