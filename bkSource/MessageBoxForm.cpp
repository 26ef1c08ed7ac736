#include "MessageBoxForm.h"

#include <QApplication>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "DesignFont.h"
#include "GlassGradient.h"
#include "Gradient.h"
#include "RosesPicture.h"

namespace {

QPointer<TFormMessageBox> TheBox;
QPointer<QWidget> TheMainWindow;
std::unique_ptr<TGlassGradienter> TheGradient;

const QColor kAgeColor(176, 0, 0);

TGlassGradienter& Gradient() {
  if (TheGradient == nullptr) CreateMessageBoxGradient();
  return *TheGradient;
}

QString Text(const std::string& text) {
  // Texts break their lines with CR LF; a label wants line feeds alone.
  return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QLabel* NewLabel(QWidget* parent, const char* name, QRect geometry) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setGeometry(geometry);
  label->setTextFormat(Qt::PlainText);  // names and paths are never markup
  return label;
}

QPushButton* NewButton(QWidget* parent, const char* name, QRect geometry) {
  auto* button = new QPushButton(parent);
  button->setObjectName(name);
  button->setGeometry(geometry);
  return button;
}

void SetButton(QPushButton& button, const std::string& caption, const std::string& hint) {
  button.setText(QString::fromStdString(caption));
  button.setToolTip(QString::fromStdString(hint));
  button.setStatusTip(QString::fromStdString(hint));
}

void CentreOver(QWidget& dialog, const QRect& area) {
  dialog.move(area.center() - QPoint(dialog.width() / 2, dialog.height() / 2));
}

bool ApplicationActive() { return QGuiApplication::applicationState() == Qt::ApplicationActive; }

}  // namespace

void SetMainWindow(QWidget* window) { TheMainWindow = window; }
QWidget* MainWindow() { return TheMainWindow; }
TFormMessageBox* FormMessageBox() { return TheBox; }

void CreateMessageBoxGradient() { TheGradient = std::make_unique<TGlassGradienter>(); }
void FreeMessageBoxGradient() { TheGradient.reset(); }

// ---- TFormMessageBox ----

TFormMessageBox::TFormMessageBox(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName("FormMessageBox");
  setFont(DesignFont());
  setFixedSize(314, 142);
  setAutoFillBackground(true);
  QPalette tinted = palette();
  tinted.setColor(QPalette::Window, HighlightTint());
  setPalette(tinted);
  CreateControls();
}

void TFormMessageBox::CreateControls() {
  Bevel = new QFrame(this);
  Bevel->setObjectName("Bevel");
  Bevel->setFrameShape(QFrame::HLine);
  Bevel->setFrameShadow(QFrame::Sunken);
  Bevel->setGeometry(0, 100, 314, 2);
  Image = NewLabel(this, "Image", QRect(0, 102, 314, 40));

  LbQuery = NewLabel(this, "LbQuery", QRect(72, 8, 234, 86));
  LbQuery->setAlignment(Qt::AlignCenter);
  LbQuery->setWordWrap(true);

  ImageIcon = NewLabel(this, "ImageIcon", QRect(12, 16, 48, 64));
  ImageIcon->setAlignment(Qt::AlignCenter);
  ImageIcon->setPixmap(RosesPicture());

  LbAge = NewLabel(this, "LbAge", QRect(48, 50, 30, 33));
  LbAge->setFont(DesignFont(27));
  LbAge->setText(QStringLiteral("88"));
  QPalette red = LbAge->palette();
  red.setColor(QPalette::WindowText, Qt::red);
  LbAge->setPalette(red);

  Btn1 = NewButton(this, "Btn1", QRect(140, 109, 80, 25));
  Btn2 = NewButton(this, "Btn2", QRect(226, 108, 80, 25));
  connect(Btn1, &QPushButton::clicked, this, [this] { done(mrOk); });
  connect(Btn2, &QPushButton::clicked, this, [this] { done(FTwoButtons ? mrCancel : mrOk); });
}

void TFormMessageBox::Prepare(const std::string& text, const std::string& caption, int kind,
                              const std::string& firstCaption, const std::string& firstHint,
                              const std::string& secondCaption,
                              const std::string& secondHint) {
  setWindowTitle(QString::fromStdString(caption));
  FTwoButtons = (kind & 0x0F) == 1;
  Btn1->setVisible(FTwoButtons);
  Btn1->setDefault(FTwoButtons);
  Btn2->setDefault(!FTwoButtons);
  if (FTwoButtons) {
    SetButton(*Btn1, firstCaption, firstHint);
    SetButton(*Btn2, secondCaption, secondHint);
    Btn1->setFocus();
  } else {
    SetButton(*Btn2, firstCaption, firstHint);
    Btn2->setFocus();
  }
  const int pictureKind = kind & 0xF0;
  SetIcon(pictureKind);
  SetText(text, pictureKind == 128);
}

void TFormMessageBox::SetIcon(int pictureKind) {
  struct TIconKind {
    int Kind;
    const char* ThemeName;
    QStyle::StandardPixmap Standard;
  };
  static constexpr TIconKind kIcons[] = {
      {16, "dialog-error", QStyle::SP_MessageBoxCritical},
      {32, "dialog-question", QStyle::SP_MessageBoxQuestion},
      {48, "dialog-warning", QStyle::SP_MessageBoxWarning},
      {64, "dialog-information", QStyle::SP_MessageBoxInformation},
  };
  for (const TIconKind& icon : kIcons) {
    if (icon.Kind != pictureKind) continue;
    const QIcon themed = QIcon::fromTheme(icon.ThemeName, style()->standardIcon(icon.Standard));
    ImageIcon->setPixmap(themed.pixmap(32, 32));
    return;
  }
  // Any other kind keeps the picture that is there, the roses in a new dialog.
}

void TFormMessageBox::SetText(const std::string& text, bool birthday) {
  if (!birthday) {
    LbAge->hide();
    LbQuery->setText(Text(text));
    return;
  }
  // The age is the last line; the text keeps its final line break.
  const std::size_t lastBreak = text.rfind('\n');
  const std::size_t ageStart = lastBreak == std::string::npos ? 0 : lastBreak + 1;
  LbQuery->setText(Text(text.substr(0, ageStart)));
  LbAge->setText(QString::fromStdString(text.substr(ageStart)));
  QPalette dark = LbAge->palette();
  dark.setColor(QPalette::WindowText, kAgeColor);
  LbAge->setPalette(dark);
  LbAge->show();
  LbAge->raise();
}

void TFormMessageBox::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  Gradient().Paint(*Image, ApplicationActive());
}

void TFormMessageBox::changeEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::ActivationChange:
      QDialog::changeEvent(event);
      Gradient().Activated(*Image, isActiveWindow());
      return;
    case QEvent::StyleChange:  // how buttons draw their cues may have changed
      QDialog::changeEvent(event);
      Btn1->update();
      Btn2->update();
      return;
    case QEvent::ApplicationPaletteChange: {
      QPalette tinted = palette();
      tinted.setColor(QPalette::Window, HighlightTint());
      setPalette(tinted);
      Gradient().ColorsChanged(*Image);
      QDialog::changeEvent(event);
      return;
    }
    default:
      QDialog::changeEvent(event);
  }
}

void TFormMessageBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    done(FTwoButtons ? mrCancel : mrOk);
    return;
  }
  QDialog::keyPressEvent(event);
}

// Only the title bar's close button arrives here: Escape is handled above.
void TFormMessageBox::reject() { done(mrCancel); }

// ---- ShowMessageBox ----

int ShowMessageBox(const std::string& text, const std::string& caption, int kind,
                   const std::string& firstCaption, const std::string& firstHint,
                   const std::string& secondCaption, const std::string& secondHint) {
  const bool created = TheBox == nullptr;
  if (created) TheBox = new TFormMessageBox(TheMainWindow);
  TFormMessageBox& box = *TheBox;
  const bool isMain = TheMainWindow == nullptr;

  if (isMain)
    CentreOver(box, QGuiApplication::primaryScreen()->availableGeometry());
  else
    CentreOver(box, TheMainWindow->frameGeometry());
  box.Prepare(text, caption, kind, firstCaption, firstHint, secondCaption, secondHint);

  const int result = box.exec();
  if (created && isMain) delete TheBox.data();
  return result == mrOk ? mrOk : mrCancel;
}
