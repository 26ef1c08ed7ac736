#pragma once
// The two-colour painter behind the bottom strip of every dialog.
//
// A TGradienter keeps a colour pair (top, bottom) for the active and one for the inactive state
// of a dialog and fills a picture label with a vertical gradient from the top colour to the
// bottom one. The colours follow the application palette, the desktop's stand-in for the
// window-caption colours: the active pair runs from the highlight colour lightened toward the
// base colour down to the highlight colour itself; the inactive pair from the window colour
// down to the window colour darkened toward the window text. Each pair is ordered so that the
// strip is never lighter at the bottom than at the top. UpdateColors reads the palette again
// (the dialog calls it when the palette changes).
//
// HighlightTint is the background that the program's dialogs and every second grid row share.

#include <QColor>

class QLabel;

struct TColorPair {
  QColor Top;
  QColor Bottom;
};

class TGradienter {
public:
  TGradienter();
  virtual ~TGradienter() = default;
  TGradienter(const TGradienter&) = delete;
  TGradienter& operator=(const TGradienter&) = delete;

  // Reads the pairs from the application palette again.
  virtual void UpdateColors();
  const TColorPair& Colors(bool active) const { return active ? FActive : FInactive; }

  // Fills the whole of image with the gradient of the state. A label that already shows that
  // gradient at its present size is left alone, so a call from a paint handler does not make
  // the dialog paint again and again.
  void PaintImage(QLabel& image, bool active) const;

private:
  TColorPair FActive;
  TColorPair FInactive;
};

// The colour fraction (0..1) of the way from "from" to "to".
QColor MixColors(const QColor& from, const QColor& to, double fraction);
// Brightness as the eye sees it: 0.299 R + 0.587 G + 0.114 B.
double Luma(const QColor& color);
// The application palette's highlight colour moved 83 % of the way to its base (window) colour.
QColor HighlightTint();
