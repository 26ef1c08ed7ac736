#pragma once
// The window events a dialog with a decorated bottom strip answers (GlassGradient.h), in one
// place for the dialogs that have nothing else to do on them.
//
// A dialog calls GlassStripPaint at the end of its paintEvent and GlassStripChanged after the
// base class has handled a changeEvent:
// - activation change: the strip painted for the new state, refreshed with the buttons on it,
//   and the whole dialog when it becomes active;
// - palette change: new colours, strip and dialog refreshed;
// - style change (how focus rectangles and accelerators are drawn): the listed controls are
//   repainted.

#include <initializer_list>

class QEvent;
class QLabel;
class QWidget;
class TGlassGradienter;

// The application's active state as the strip shows it: the dialog is the active window.
void GlassStripPaint(TGlassGradienter& painter, QLabel& image, const QWidget& dialog);

void GlassStripChanged(TGlassGradienter& painter, QLabel& image, QWidget& dialog,
                       const QEvent& event, std::initializer_list<QWidget*> controls);
