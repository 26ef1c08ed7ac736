#include "Confirm.h"

#include <filesystem>
#include <memory>

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "DesignFont.h"
#include "GlassGradient.h"
#include "GlassStrip.h"
#include "StringUtils.h"
#include "UErrors.h"

std::string stConfirmFormCaption;
std::string stFileExists;
std::string stReplaceQuestion;
std::string stBtnYes;
std::string stBtnYesToAll;
std::string stBtnNo;
std::string stBtnNoToAll;

namespace {

const std::string kUnit = "installer/Confirm";

std::unique_ptr<TGlassGradienter> TheGradient;
TConfirmForm* TheForm = nullptr;

TGlassGradienter& Gradient() {
  if (TheGradient == nullptr) CreateConfirmGradient();
  return *TheGradient;
}

QPushButton* NewButton(QWidget* parent, const char* name, int x, int width, int result,
                       QDialog* dialog) {
  auto* button = new QPushButton(parent);
  button->setObjectName(name);
  button->setGeometry(x, 169, width, 25);
  button->setAutoDefault(false);
  QObject::connect(button, &QPushButton::clicked, dialog, [dialog, result] { dialog->done(result); });
  return button;
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

void CreateConfirmGradient() { TheGradient = std::make_unique<TGlassGradienter>(); }

void FreeConfirmGradient() {
  TheGradient.reset();
  for (std::string* text : {&stConfirmFormCaption, &stFileExists, &stReplaceQuestion, &stBtnYes,
                            &stBtnYesToAll, &stBtnNo, &stBtnNoToAll})
    text->clear();
}

TConfirmForm* ConfirmForm() { return TheForm; }

TConfirmForm::TConfirmForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint) {
  Assert(!stConfirmFormCaption.empty(), "Not Assigned stConfirmFormCaption", kUnit);
  Assert(!stFileExists.empty(), "Not Assigned stFileExists", kUnit);
  Assert(!stReplaceQuestion.empty(), "Not Assigned stReplaceQuestion", kUnit);
  Assert(!stBtnYes.empty(), "Not Assigned stBtnYes", kUnit);
  Assert(!stBtnYesToAll.empty(), "Not Assigned stBtnYesToAll", kUnit);
  Assert(!stBtnNo.empty(), "Not Assigned stBtnNo", kUnit);
  Assert(!stBtnNoToAll.empty(), "Not Assigned stBtnNoToAll", kUnit);

  setObjectName("ConfirmForm");
  setFont(DesignFont());
  setFixedSize(372, 202);
  setModal(true);
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);

  LbQuestion = new QLabel(this);
  LbQuestion->setObjectName("LbQuestion");
  LbQuestion->setGeometry(24, 24, 330, 41);
  LbQuestion->setAlignment(Qt::AlignCenter);
  Bevel = new QFrame(this);
  Bevel->setObjectName("Bevel");
  Bevel->setFrameShape(QFrame::HLine);
  Bevel->setFrameShadow(QFrame::Sunken);
  Bevel->setGeometry(0, 160, 372, 2);
  Image = new QLabel(this);
  Image->setObjectName("Image");
  Image->setGeometry(0, 162, 372, 40);
  BtnYes = NewButton(this, "BtnYes", 16, 70, mrYes, this);
  BtnYesToAll = NewButton(this, "BtnYesToAll", 92, 90, mrYesToAll, this);
  BtnNo = NewButton(this, "BtnNo", 188, 70, mrNo, this);
  BtnNoToAll = NewButton(this, "BtnNoToAll", 264, 90, mrNoToAll, this);
  BtnYes->setDefault(true);
  if (TheForm == nullptr) TheForm = this;
  connect(this, &QObject::destroyed, [this] {
    if (TheForm == this) TheForm = nullptr;
  });
}

void TConfirmForm::ApplyConfirmTexts() {
  setWindowTitle(Q(stConfirmFormCaption));
  BtnYes->setText(Q(stBtnYes));
  BtnYesToAll->setText(Q(stBtnYesToAll));
  BtnNo->setText(Q(stBtnNo));
  BtnNoToAll->setText(Q(stBtnNoToAll));
}

bool TConfirmForm::MayWrite(const std::string& path) {
  Assert(FGroupMode >= 0 && FGroupMode <= 2, "Strange Group Mode Value", kUnit);
  std::error_code error;
  if (FGroupMode == 1 || !std::filesystem::exists(path, error)) return true;
  if (FGroupMode == 2) return false;
  // Three lines: the path keeps its start and its file name, with an ellipsis in between.
  const QString shown = EllipsisPath(Q(path), LbQuestion->fontMetrics(), LbQuestion->width());
  LbQuestion->setText(Q(stFileExists) + "\n" + shown + "\n" + Q(stReplaceQuestion));
  const int answer = exec();
  if (answer == mrYesToAll) FGroupMode = 1;
  if (answer == mrNoToAll) FGroupMode = 2;
  return answer == mrYes || answer == mrYesToAll;
}

void TConfirmForm::showEvent(QShowEvent* event) {
  ApplyConfirmTexts();
  QDialog::showEvent(event);
}

void TConfirmForm::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  if (Image != nullptr) GlassStripPaint(Gradient(), *Image, *this);
}

void TConfirmForm::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (Image == nullptr) return;  // still being built
  GlassStripChanged(Gradient(), *Image, *this, *event, {BtnYes, BtnYesToAll, BtnNo, BtnNoToAll});
}
