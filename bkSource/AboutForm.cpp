#include "AboutForm.h"

#include <QFrame>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <memory>

#include "CardinalDate.h"
#include "Contacts.h"
#include "DesignFont.h"
#include "GlassGradient.h"
#include "MessageBoxForm.h"
#include "Options.h"
#include "ProgramPaths.h"
#include "TextIntface.h"
#include "UErrors.h"
#include "Version.h"
#include "VersionTest.h"

namespace {

constexpr const char* kUnit = "bkSource/AboutForm";
constexpr int kClientWidth = 253;
constexpr int kClientHeight = 188;
constexpr int kStripHeight = 40;
// The icon designer, credited in every language.
constexpr const char* kIconDesigner = "Icons Example Studio";

std::unique_ptr<TGlassGradienter> TheGradient;
QPointer<TVersionTestThread> RunningCheck;

TGlassGradienter& Gradient() {
  if (!TheGradient) CreateAboutFormGradient();
  return *TheGradient;
}

bool ApplicationActive() { return QGuiApplication::applicationState() == Qt::ApplicationActive; }

QString Q(const std::string& text) { return QString::fromStdString(text); }

void SetHint(QWidget* widget, const std::string& hint) {
  widget->setToolTip(Q(hint));
  widget->setStatusTip(Q(hint));
}

std::string ProductVersion() { return GetProductVersion(ExecutablePath()); }

}  // namespace

void CreateAboutFormGradient() { TheGradient = std::make_unique<TGlassGradienter>(); }
void FreeAboutFormGradient() { TheGradient.reset(); }

// ---- TLinkLabel ----

TLinkLabel::TLinkLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setCursor(Qt::PointingHandCursor);
  QFont underlined = font();
  underlined.setUnderline(true);
  setFont(underlined);
  UpdateLinkColor();
}

void TLinkLabel::UpdateLinkColor() {
  QPalette link = palette();
  link.setColor(QPalette::WindowText, QGuiApplication::palette().color(QPalette::Link));
  setPalette(link);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick)
    OnClick();
}

void TLinkLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::ApplicationPaletteChange) UpdateLinkColor();
}

// ---- TFormAbout ----

TFormAbout::TFormAbout(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName("FormAbout");
  setFont(DesignFont());
  setFixedSize(kClientWidth, kClientHeight);
  setAutoFillBackground(true);
  CreateControls();
  FormCreate();
}

void TFormAbout::CreateControls() {
  const auto label = [this](QLabel* lb, const char* name, int x, int y) {
    lb->setObjectName(QLatin1String(name));
    lb->setTextFormat(Qt::PlainText);
    lb->move(x, y);
    return lb;
  };
  LbVersion = label(new QLabel(this), "LbVersion", 20, 11);
  LbCopyright = label(new QLabel(this), "LbCopyright", 20, 27);
  LbIcon = label(new QLabel(this), "LbIcon", 20, 43);
  LbIconDesign = static_cast<TLinkLabel*>(label(new TLinkLabel(this), "LbIconDesign", 81, 43));
  LbMail = static_cast<TLinkLabel*>(label(new TLinkLabel(this), "LbMail", 20, 64));
  LbAddr = static_cast<TLinkLabel*>(label(new TLinkLabel(this), "LbAddr", 20, 80));
  LbNewVersion = label(new QLabel(this), "LbNewVersion", 0, 80);
  LbNewVersion->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  LbNewVersion->setWordWrap(true);

  Bevel = new QFrame(this);
  Bevel->setObjectName("Bevel");
  Bevel->setFrameShape(QFrame::HLine);
  Bevel->setFrameShadow(QFrame::Sunken);
  Bevel->setGeometry(0, kClientHeight - kStripHeight - 2, kClientWidth, 2);
  Image = new QLabel(this);
  Image->setObjectName("Image");
  Image->setGeometry(0, kClientHeight - kStripHeight, kClientWidth, kStripHeight);

  BtnOK = new QPushButton(QStringLiteral("OK"), this);
  BtnOK->setObjectName("BtnOK");
  BtnOK->setGeometry(168, 155, 75, 25);
  BtnOK->setDefault(true);  // Escape closes the dialog as its cancel button would
  connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);

  LbAddr->OnClick = [this] { LbAddrClick(); };
  LbIconDesign->OnClick = [this] { LbIconDesignClick(); };
  LbMail->OnClick = [this] { LbMailClick(); };
}

void TFormAbout::FormCreate() {
  LbAddr->setText(QString::fromLatin1(ProductHostText));
  LbAddr->adjustSize();
  LbMail->setText(QString::fromLatin1(SupportMailText));
  LbMail->adjustSize();
  LbIcon->setText(QStringLiteral("Icon design:"));
  LbIcon->adjustSize();
  LbIconDesign->setText(QString::fromLatin1(kIconDesigner));
  LbIconDesign->adjustSize();
  LbCopyright->setText(Q(GetLegalNotice(ExecutablePath())));
  LbCopyright->adjustSize();
  const int left = LbAddr->geometry().right() + 1 + 2;
  LbNewVersion->setGeometry(left, LbAddr->y(), kClientWidth - 2 - left, 2 * LbAddr->height());
  ApplyTexts();
  StartVersionCheck(*this);
}

void TFormAbout::ApplyTexts() {
  const TTextRecord& texts = CurrentTexts();
  setWindowTitle(Q(texts.AboutCaption));
  SetHint(BtnOK, texts.AboutOKHint);
  SetHint(LbAddr, texts.AboutAddrHint);
  LbVersion->setText(Q(texts.VersionPrefix + ProductVersion()));
  LbVersion->adjustSize();
  SetHint(LbMail, texts.AboutMailHint);
  SetHint(LbIconDesign, texts.AboutIconDesignHint);
  if (isVisible()) LbNewVersion->setText(FNewVersionKnown ? Q(texts.NewVersionMark) : QString());
}

void TFormAbout::showEvent(QShowEvent* event) {
  LbNewVersion->setText(FNewVersionKnown ? Q(CurrentTexts().NewVersionMark) : QString());
  QDialog::showEvent(event);
}

void TFormAbout::LbAddrClick() {
  OpenScrambledAddress(CurrentProductPageAddress(), "?" + VersionQuery());
}

void TFormAbout::LbIconDesignClick() { OpenScrambledAddress(CurrentDesignerPageAddress(), ""); }

void TFormAbout::LbMailClick() {
  const TTextRecord& texts = CurrentTexts();
  const std::string subject = FormatIndexed(texts.SupportSubject, {ProductVersion()});
  if (!SendMailTo(SupportMailAddress, subject, texts.SupportBody))
    ShowMessageBox(texts.SendMailError, texts.SendingMessage, 48, "OK", texts.CloseErrorHint);
}

void TFormAbout::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  Gradient().Paint(*Image, ApplicationActive());
}

void TFormAbout::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  Gradient().ChangeEvent(*event, *Image, isActiveWindow(), {BtnOK});
}

// ---- the update check ----

void UpdateNewVersionFlag(TFormAbout& about) {
  const std::string last = ProgOptions->LastVersion();
  about.SetNewVersionKnown(!last.empty() && last != ProductVersion());
}

void StartVersionCheck(TFormAbout& about) {
  Assert(ProgOptions != nullptr, "ProgOptions must be assigned", kUnit);
  UpdateNewVersionFlag(about);
  if (Now() <= NextMonthDate(ProgOptions->TestDate())) return;
  auto* thread = new TVersionTestThread(about);
  QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
  RunningCheck = thread;
  thread->start();
}

TVersionTestThread::TVersionTestThread(TFormAbout& about) : FAbout(&about) {}

void TVersionTestThread::run() {
  const std::string address = VersionRequestAddress();
  bool tested = false;
  bool available = false;
  std::string newVersion;
  {
    const TVersionTest test(address);
    tested = test.Tested();
    available = test.NewVersionAvailable();
    if (available) newVersion = test.NewVersion();
  }
  if (!tested) return;  // a failed request changes nothing
  const TDateTime checked = Now();
  // The settings and the window belong to the user-interface thread: the result goes there.
  QMetaObject::invokeMethod(
      qApp,
      [about = FAbout, checked, available, newVersion] {
        if (!ProgOptions) return;
        ProgOptions->SetTestDate(checked);
        if (available) ProgOptions->SetLastVersion(newVersion);
        if (about) UpdateNewVersionFlag(*about);
      },
      Qt::QueuedConnection);
}

bool VersionCheckRunning() { return RunningCheck && !RunningCheck->isFinished(); }

void StopVersionCheck() {
  if (!RunningCheck) return;
  TVersionTestThread* thread = RunningCheck;
  thread->exit();  // ends the request's wait, which cancels it
  thread->wait();
  delete thread;
}
