#include "FormUninstall.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "AppSelector.h"
#include "AutoStart.h"
#include "CfgParams.h"
#include "DeskLink.h"
#include "DeleteExe.h"
#include "DesignFont.h"
#include "GlassGradient.h"
#include "GlassStrip.h"
#include "PlaceWidget.h"
#include "Names.h"
#include "ProgramPaths.h"
#include "Recycle.h"
#include "StringUtils.h"
#include "UninstallEntry.h"
#include "UserRegistry.h"

namespace fs = std::filesystem;

namespace {

std::unique_ptr<TGlassGradienter> TheGradient;

TGlassGradienter& Gradient() {
  if (TheGradient == nullptr) CreateUninstGradient();
  return *TheGradient;
}

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void Pause(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool Exists(const std::string& path) {
  std::error_code error;
  return fs::exists(path, error);
}


}  // namespace

void CreateUninstGradient() { TheGradient = std::make_unique<TGlassGradienter>(); }
void FreeUninstGradient() { TheGradient.reset(); }

TMainUninstForm::TMainUninstForm(const std::string& uninstDir)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
  FUninstDir = fs::absolute(uninstDir).lexically_normal().string();
  if (FUninstDir.back() != '/') FUninstDir += '/';
  CreateControls();
  LbProgress->hide();
  LbFolder->setText(EllipsisPath(Q(FUninstDir), LbFolder->fontMetrics(), LbFolder->width()));

  TUserRegistry registry;
  if (registry.OpenKey(UninstallKey, false)) {
    // A value outside the three languages gives English, also for the launchers' names.
    const int language = registry.ReadInteger("InstallLang").value_or(LangEnglish);
    FUninstLang = language >= 0 && language < LanguageCount ? language : LangEnglish;
    ApplyUninstLanguage(FUninstLang);
    return;
  }
  // Nothing to uninstall: say so in the language the program last spoke here.
  BtnDelete->hide();
  CbDeleteData->hide();
  FUninstLang = LanguageFromConfig();
  ApplyUninstLanguage(FUninstLang);
  LbDescription->setText(Q(FTexts->CantUninstall));
  LbProgress->setText(Q(FTexts->NoEntry));
  LbProgress->show();
  BtnCancel->setText(Q(FTexts->Exit));
}

TMainUninstForm::~TMainUninstForm() = default;

void TMainUninstForm::CreateControls() {
  setObjectName("MainUninstForm");
  setFont(DesignFont());
  setFixedSize(298, 154);
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);

  Bevel = PlaceWidget<QFrame>(this, "Bevel", 0, 112, 298, 2);
  Bevel->setFrameShape(QFrame::HLine);
  Bevel->setFrameShadow(QFrame::Sunken);
  Image = PlaceWidget<QLabel>(this, "Image", 0, 114, 298, 40);
  LbDescription = PlaceWidget<QLabel>(this, "LbDescription", 8, 8, 282, 14);
  LbDescription->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  LbDescription->setWordWrap(true);
  LbFolder = PlaceWidget<QLabel>(this, "LbFolder", 8, 23, 279, 14);
  LbFolder->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  CbDeleteData = PlaceWidget<QCheckBox>(this, "CbDeleteData", 64, 53, 201, 17);
  LbProgress = PlaceWidget<QLabel>(this, "LbProgress", 8, 80, 279, 14);
  LbProgress->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  MemoErrors = PlaceWidget<QPlainTextEdit>(this, "MemoErrors", 8, 41, 282, 66);
  MemoErrors->setReadOnly(true);
  MemoErrors->setLineWrapMode(QPlainTextEdit::NoWrap);
  MemoErrors->hide();
  BtnDelete = PlaceWidget<QPushButton>(this, "BtnDelete", 134, 121, 75, 25);
  BtnCancel = PlaceWidget<QPushButton>(this, "BtnCancel", 215, 121, 75, 25);
  BtnDelete->setDefault(true);
  BtnDelete->setFocus();
  connect(BtnDelete, &QPushButton::clicked, this, [this] { BtnDeleteClick(); });
  connect(BtnCancel, &QPushButton::clicked, this, [this] { BtnCancelClick(); });
}

int TMainUninstForm::LanguageFromConfig() const {
  const std::string path = FUninstDir + "book.cfg";
  if (!Exists(path)) return LangEnglish;
  try {
    TCfgOptions options(path, TOpenRetries{1, {}});
    TStringParam language(&options, "ProgLang", "Language");
    const std::string tag = TrimBlanks(language.Value());
    for (int index : {LangRussian, LangUkrainian})
      if (tag == LanguageTags[index]) return index;
  } catch (const std::exception&) {
  }
  return LangEnglish;
}

void TMainUninstForm::ApplyUninstLanguage(int language) {
  FTexts = &NativeTextOf(language);
  setWindowTitle(Q(FTexts->Caption));
  LbDescription->setText(Q(FTexts->Question));
  CbDeleteData->setText(Q(FTexts->DeleteData));
  BtnDelete->setText(Q(FTexts->Remove));
  BtnCancel->setText(Q(FTexts->Cancel));
  QCoreApplication::setApplicationName(Q(FTexts->AppTitle));
}

// ---- the run ----

void TMainUninstForm::BtnDeleteClick() {
  LbProgress->clear();
  LbProgress->show();
  const bool withData = CbDeleteData->isChecked();
  const TNativeText& t = *FTexts;
  RunUninstallStep(t.ClosingProgram, true, &TMainUninstForm::StepCloseProgram);
  RunUninstallStep(t.RemovingDesktop, true, &TMainUninstForm::StepDesktopLink);
  RunUninstallStep(t.RemovingQuick, true, &TMainUninstForm::StepQuickLaunchLink);
  RunUninstallStep(t.RemovingGroup, true, &TMainUninstForm::StepMenuGroup);
  RunUninstallStep(t.RemovingData, withData, &TMainUninstForm::StepContactsData);
  RunUninstallStep(t.RemovingExchange, withData, &TMainUninstForm::StepExchangeFolders);
  RunUninstallStep(t.RemovingFiles, true, &TMainUninstForm::StepProgramFiles);
  // Once anything failed the program stays registered, so that it can be uninstalled again.
  RunUninstallStep(t.RemovingEntry, FErrorText.empty(), &TMainUninstForm::StepUninstallEntry);
  RunUninstallStep(t.RemovingEntry, FErrorText.empty(), &TMainUninstForm::StepAutoStart);
  if (!FErrorText.empty()) {
    ShowErrors();
    return;
  }
  DeleteOnExit = true;
  close();
}

void TMainUninstForm::RunUninstallStep(std::string_view text, bool enabled,
                                       void (TMainUninstForm::*step)()) {
  if (!enabled) return;
  LbProgress->setText(Q(text));
  QCoreApplication::processEvents();
  Pause(100);
  (this->*step)();
}

void TMainUninstForm::ShowErrors() {
  BtnDelete->hide();
  CbDeleteData->hide();
  LbProgress->hide();
  BtnCancel->setText(Q(FTexts->Exit));
  LbFolder->setText(Q(FTexts->NotComplete));
  MemoErrors->setPlainText(QString::fromStdString(FErrorText));
  MemoErrors->show();
}

void TMainUninstForm::ShowFailureText(const std::string& text) {
  FErrorText = text;
  ShowErrors();
}

void TMainUninstForm::Note(std::string_view what, const std::string& path) {
  FErrorText += std::string(what) + "\n  " + path + "\n";
}

void TMainUninstForm::DeleteFileNoted(const std::string& path) {
  std::error_code error;
  if (Exists(path) && !fs::remove(path, error)) Note(FTexts->CantRemoveFile, path);
}

void TMainUninstForm::RecycleFileNoted(const std::string& path) {
  if (Exists(path) && !RecycleFile(path)) Note(FTexts->CantRemoveFile, path);
}

void TMainUninstForm::RecycleDirNoted(const std::string& path) {
  if (Exists(path) && !RecycleDir(path)) Note(FTexts->CantRemoveFolder, path);
}

void TMainUninstForm::StepCloseProgram() {
  const std::string program = ResolvedProgramPath(FUninstDir + "book");
  AskCopyToQuit(ProductIdentifier, program);
  QCoreApplication::processEvents();
  Pause(50);
  for (int attempt = 0; attempt < 40 && IsCopyRunning(ProductIdentifier, program); ++attempt) {
    QCoreApplication::processEvents();
    Pause(100);
  }
  if (IsCopyRunning(ProductIdentifier, program)) FErrorText += std::string(FTexts->CantClose) + "\n";
}

void TMainUninstForm::StepDesktopLink() {
  DeleteFileNoted(GetDesktopFolder(false) + LinkFileName(std::string(ShortcutNames[FUninstLang])));
}

void TMainUninstForm::StepQuickLaunchLink() {
  DeleteFileNoted(GetQuickLaunchFolder(false) +
                  LinkFileName(std::string(ShortcutNames[FUninstLang])));
}

void TMainUninstForm::StepMenuGroup() {
  const std::string programs = GetProgramsFolder(false);
  if (programs.empty()) return;
  const std::string group = programs + ProductIdentifier + "/";
  DeleteFileNoted(group + LinkFileName(std::string(ShortcutNames[FUninstLang])));
  DeleteFileNoted(group + LinkFileName(std::string(UninstallShortcutNames[FUninstLang])));
  std::error_code error;
  if (Exists(group) && !fs::remove(group, error)) Note(FTexts->CantRemoveFolder, group);
}

void TMainUninstForm::StepContactsData() {
  RecycleFileNoted(FUninstDir + "book.dat");
  RecycleDirNoted(FUninstDir + "Hist");
}

void TMainUninstForm::StepExchangeFolders() {
  RecycleDirNoted(FUninstDir + "Export");
  RecycleDirNoted(FUninstDir + "Import");
}

void TMainUninstForm::StepProgramFiles() {
  DeleteFileNoted(FUninstDir + "book");
  DeleteFileNoted(FUninstDir + "book.cfg");
}

void TMainUninstForm::StepUninstallEntry() {
  TUserRegistry registry;
  if (!registry.DeleteKey(UninstallKey)) Note(FTexts->CantRemoveKey, UninstallKey);
}

void TMainUninstForm::StepAutoStart() {
  const std::string entry = AutoStartFolder() + ProductIdentifier + ".desktop";
  if (Exists(entry) && !DeleteAutoStartValue(ProductIdentifier))
    Note(FTexts->CantRemoveValue, entry);
}

void TMainUninstForm::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (Image != nullptr) GlassStripPaint(Gradient(), *Image, *this);
}

void TMainUninstForm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (Image == nullptr || BtnCancel == nullptr) return;  // still being built
  GlassStripChanged(Gradient(), *Image, *this, *event, {BtnDelete, BtnCancel, CbDeleteData});
}
