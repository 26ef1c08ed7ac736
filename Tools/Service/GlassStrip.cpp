#include "GlassStrip.h"

#include <QEvent>
#include <QLabel>
#include <QWidget>

#include "GlassGradient.h"

void GlassStripPaint(TGlassGradienter& painter, QLabel& image, const QWidget& dialog) {
  painter.Paint(image, dialog.isActiveWindow());
}

void GlassStripChanged(TGlassGradienter& painter, QLabel& image, QWidget& dialog,
                       const QEvent& event, std::initializer_list<QWidget*> controls) {
  switch (event.type()) {
    case QEvent::ActivationChange:
      painter.Activated(image, dialog.isActiveWindow());
      break;
    case QEvent::ApplicationPaletteChange:
      painter.ColorsChanged(image);
      break;
    case QEvent::StyleChange:
      for (QWidget* control : controls) control->update();
      break;
    default:
      break;
  }
}
