#include "TranspCheckBox.h"

#include "UErrors.h"

namespace {

QWidget* CheckedOwner(QObject* owner, QCheckBox* replaced) {
  const std::string unit = "Tools/LocalDbCtrls/TranspCheckBox";
  Assert(owner != nullptr, "Not assigned AOwner param", unit);
  Assert(replaced != nullptr, "Not assigned replaced param", unit);
  auto* widget = qobject_cast<QWidget*>(owner);
  Assert(widget != nullptr, "AOwner param not is TWinControl", unit);
  return widget;
}

}  // namespace

TTranspCheckBox::TTranspCheckBox(QObject* owner, QCheckBox* replaced)
    : QCheckBox(CheckedOwner(owner, replaced)) {
  setObjectName(replaced->objectName() + "asTransparent");
  setGeometry(replaced->geometry());
  setSizePolicy(replaced->sizePolicy());
  setPalette(replaced->palette());
  setFont(replaced->font());
  setText(replaced->text());
  setChecked(replaced->isChecked());
  setVisible(!replaced->isHidden());
  setAutoFillBackground(false);
  setAttribute(Qt::WA_NoSystemBackground);
  QWidget::setTabOrder(replaced, this);
  delete replaced;
}
