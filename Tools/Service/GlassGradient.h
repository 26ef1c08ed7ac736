#pragma once
// The decoration of a dialog's bottom strip.
//
// A decorated dialog ends in a picture label (named "Image", 40 pixels high, bottom-aligned)
// with the dialog's buttons standing on it, and may have a one-line separator above it: a
// QFrame named "Bevel". Where the desktop offers glass (TGlassManager) the strip is keyed out
// once and the separator hidden; on the Linux desktops it never does, so the strip is painted
// with the caption-coloured gradient of TGradienter for the dialog's active or inactive state
// and the separator shows.
//
// One painter serves one dialog kind; the program creates them at start-up. A dialog calls:
// - Paint from its paint handler, with the application's active state;
// - Activated from its activation-change handler, with the new state: paints the strip and
//   refreshes it, the buttons on it and, when activating, the whole dialog;
// - ColorsChanged from its palette-change handler: new colours, strip and dialog refreshed.

#include <QColor>
#include <QEvent>
#include <initializer_list>

#include "Gradient.h"
#include "GlassManager.h"

class QLabel;
class QWidget;

class TGlassGradienter : public TGradienter {
public:
  // The colour that glass keys out of a dialog.
  static inline const QColor ColorKey{16, 117, 25};

  TGlassGradienter();

  TGlassManager& Manager() { return FManager; }
  bool Applied() const { return FApplied; }

  // image must lie on a dialog (assertion otherwise).
  void Paint(QLabel& image, bool active);
  void UpdateColors() override;

  void Activated(QLabel& image, bool active);
  void ColorsChanged(QLabel& image);
  // A decorated dialog's change event, after the dialog's own handling: an activation change
  // goes to Activated, a palette change to ColorsChanged, and a style change repaints the
  // buttons on the strip (their access-key cues).
  void ChangeEvent(const QEvent& event, QLabel& image, bool active,
                   std::initializer_list<QWidget*> buttonsOnStrip);

private:
  static QWidget& OwnerForm(QLabel& image);
  static void ShowBevel(QWidget& form, bool visible);

  TGlassManager FManager;
  bool FApplied = false;
  quintptr FAppliedWindow = 0;
};
