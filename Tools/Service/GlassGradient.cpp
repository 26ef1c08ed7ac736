#include "GlassGradient.h"

#include <QAbstractButton>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include "UErrors.h"

namespace {
constexpr const char* kUnit = "Tools/Service/GlassGradient";
}

TGlassGradienter::TGlassGradienter() = default;

QWidget& TGlassGradienter::OwnerForm(QLabel& image) {
  QWidget* form = image.window();
  Assert(form != &image && form->isWindow(), "image.Owner myst be TForm type", kUnit);
  return *form;
}

void TGlassGradienter::ShowBevel(QWidget& form, bool visible) {
  for (QFrame* frame : form.findChildren<QFrame*>(QStringLiteral("Bevel"))) {
    if (qobject_cast<QLabel*>(frame) != nullptr) continue;  // a label is a frame too
    frame->setVisible(visible);
    return;
  }
}

void TGlassGradienter::Paint(QLabel& image, bool active) {
  QWidget& form = OwnerForm(image);
  // A recreated native window has lost what was applied to the old one.
  if (FApplied && form.internalWinId() != FAppliedWindow) FApplied = false;

  if (FManager.Enabled()) {
    if (FApplied) return;  // the keyed strip shows the glass; painting it again would flicker
    QPixmap key(image.size());
    key.fill(ColorKey);
    image.setPixmap(key);
    FManager.SetColorKey(form, ColorKey);
    FManager.ExtendFrame(form, image.height());
    ShowBevel(form, false);
  } else {
    if (!FApplied) {
      FManager.ClearLayered(form);
      ShowBevel(form, true);
    }
    PaintImage(image, active);
  }
  FApplied = true;
  FAppliedWindow = form.internalWinId();
}

void TGlassGradienter::UpdateColors() {
  FManager.Update();
  FApplied = false;
  if (!FManager.Enabled()) TGradienter::UpdateColors();
}

void TGlassGradienter::Activated(QLabel& image, bool active) {
  Paint(image, active);
  image.update();
  QWidget& form = OwnerForm(image);
  for (QAbstractButton* button : form.findChildren<QAbstractButton*>())
    if (button->isVisible()) button->update();
  if (active) form.update();
}

void TGlassGradienter::ColorsChanged(QLabel& image) {
  UpdateColors();
  image.update();
  OwnerForm(image).update();
}

void TGlassGradienter::ChangeEvent(const QEvent& event, QLabel& image, bool active,
                                   std::initializer_list<QWidget*> buttonsOnStrip) {
  switch (event.type()) {
    case QEvent::ActivationChange:
      Activated(image, active);
      break;
    case QEvent::StyleChange:
      for (QWidget* button : buttonsOnStrip) button->update();
      break;
    case QEvent::ApplicationPaletteChange:
      ColorsChanged(image);
      break;
    default:
      break;
  }
}
