#pragma once
// The desktop's glass services for dialogs: whether the window frame may be extended into the
// client area and parts of a window keyed out to show it.
//
// The Linux desktops offer no such composition to applications, so Enabled is always false and
// the dialogs paint their bottom strip themselves (GlassGradient.h). ExtendFrame and SetColorKey
// may only be called while Enabled is true (an assertion guards them); ClearLayered is harmless
// at any time.

#include <QColor>

class QWidget;

class TGlassManager {
public:
  TGlassManager();

  bool Enabled() const { return FEnabled; }
  // Asks the desktop again whether glass is on.
  void Update();

  void ExtendFrame(QWidget& window, int height);
  void SetColorKey(QWidget& window, const QColor& color);
  void ClearLayered(QWidget& window);

private:
  bool FEnabled = false;
};
