#include "MainForm.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include "AppSelector.h"
#include "Confirm.h"
#include "DeskLink.h"
#include "DesignFont.h"
#include "FreeSpace.h"
#include "GlassGradient.h"
#include "GlassStrip.h"
#include "PlaceWidget.h"
#include "LangCfg.h"
#include "NamSelDir.h"
#include "Names.h"
#include "ProgramPaths.h"
#include "RegionInfo.h"
#include "Resources.h"
#include "SetupPicture.h"
#include "SpacedLabel.h"
#include "TranspCheckBox.h"
#include "UErrors.h"
#include "UninstallEntry.h"
#include "UserFolders.h"
#include "UserRegistry.h"
#include "Version.h"

bool Installed = false;
std::string LaunchPath;

namespace fs = std::filesystem;

namespace {

const std::string kUnit = "installer/MainForm";
constexpr int kColumn = 260;
constexpr int kColumnWidth = 321;
constexpr std::uintmax_t kMinimumFreeSpace = 8388608;  // 8 MiB

std::unique_ptr<TGlassGradienter> TheGradient;

TGlassGradienter& Gradient() {
  if (TheGradient == nullptr) CreateSetupGradient();
  return *TheGradient;
}

// Texts carry Windows line breaks; the widgets want plain ones.
QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
      .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString Q(const std::string& text) { return Q(std::string_view(text)); }

void MoveTo(QWidget* widget, int y) { widget->move(widget->x(), y); }

void ProcessMessages() { QCoreApplication::processEvents(); }

void Pause(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

[[noreturn]] void Fail(const char* identifier) { throw EGeneral(identifier); }


// Writes the bytes beside path and renames them over it, so that a file in use (a program that
// is still running) is replaced rather than changed under its feet.
bool WriteExecutable(const std::string& path, std::span<const unsigned char> bytes) {
  const std::string temporary = path + ".new";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.flush();
    if (!file) return false;
  }
  std::error_code error;
  fs::permissions(temporary, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                 fs::perms::others_read | fs::perms::others_exec, error);
  if (!error) fs::rename(temporary, path, error);
  if (error) fs::remove(temporary, error);
  return !error;
}

}  // namespace

std::string DefaultInstallDir() {
  const std::string home = UserHomeFolder();
  return (home.empty() ? std::string("/") : home) + ProductIdentifier;
}

void CreateSetupGradient() { TheGradient = std::make_unique<TGlassGradienter>(); }
void FreeSetupGradient() { TheGradient.reset(); }

// ---- window ----

TMainFormSetup::TMainFormSetup() : QWidget(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName("MainFormSetup");
  setFont(DesignFont());
  setFixedSize(600, 392);
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  CreateControls();
  FInstalledKB = 0;
  FPage = 0;
  ReplaceCheckBoxes();
  ComboBoxLang->addItems({QStringLiteral("English"), QStringLiteral("Русский"),
                          QStringLiteral("Українська")});
  ComboBoxLang->setCurrentIndex(0);
  ApplyLanguage(0);
  if (!LocaleShowsCyrillic()) {
    ComboBoxLang->removeItem(2);
    ComboBoxLang->removeItem(1);
  }
  EditPath->setText(Q(DefaultInstallDir()));
  ShowLanguagePage();
}

TMainFormSetup::~TMainFormSetup() = default;

void TMainFormSetup::CreateControls() {
  Bevel = PlaceWidget<QFrame>(this, "Bevel", 0, 342, 600, 2);
  Bevel->setFrameShape(QFrame::HLine);
  Bevel->setFrameShadow(QFrame::Sunken);
  Image = PlaceWidget<QLabel>(this, "Image", 0, 0, 600, 350);
  Image->setPixmap(SetupPicture());
  LbDescript = PlaceWidget<TSpacedLabel>(this, "LbDescript", kColumn, 38, kColumnWidth, 28);
  LbDescript->setWordWrap(true);
  LbLang = PlaceWidget<QLabel>(this, "LbLang", kColumn, 120, kColumnWidth, 14);
  ComboBoxLang = PlaceWidget<QComboBox>(this, "ComboBoxLang", kColumn, 135, 145, 21);
  LbLicense = PlaceWidget<QLabel>(this, "LbLicense", kColumn, 90, kColumnWidth, 14);
  MemoLicense = PlaceWidget<QPlainTextEdit>(this, "MemoLicense", kColumn, 105, kColumnWidth, 190);
  MemoLicense->setReadOnly(true);
  MemoLicense->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  LbPath = PlaceWidget<QLabel>(this, "LbPath", kColumn, 100, kColumnWidth, 14);
  EditPath = PlaceWidget<QLineEdit>(this, "EditPath", kColumn, 115, 240, 21);
  BtnBrowse = PlaceWidget<QPushButton>(this, "BtnBrowse", 506, 113, 75, 25);
  CbMenu = PlaceWidget<QCheckBox>(this, "CbMenu", kColumn, 180, kColumnWidth, 17);
  CbDesktop = PlaceWidget<QCheckBox>(this, "CbDesktop", kColumn, 205, kColumnWidth, 17);
  LbProgress = PlaceWidget<QLabel>(this, "LbProgress", kColumn, 90, kColumnWidth, 14);
  MemoProgress = PlaceWidget<QPlainTextEdit>(this, "MemoProgress", kColumn, 105, kColumnWidth, 170);
  MemoProgress->setReadOnly(true);
  MemoProgress->setLineWrapMode(QPlainTextEdit::NoWrap);
  MemoProgress->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  LbComplete = PlaceWidget<TSpacedLabel>(this, "LbComplete", kColumn, 305, kColumnWidth, 26);
  ImageBott = PlaceWidget<QLabel>(this, "ImageBott", 0, 344, 600, 48);
  LbVersion = PlaceWidget<QLabel>(this, "LbVersion", kColumn, 25, kColumnWidth, 14);
  CbExec = PlaceWidget<QCheckBox>(this, "CbExec", kColumn, 280, kColumnWidth, 17);
  CbQuick = PlaceWidget<QCheckBox>(this, "CbQuick", kColumn, 230, kColumnWidth, 17);
  // The buttons stand on the bottom strip, so they come after it.
  BtnBack = PlaceWidget<QPushButton>(this, "BtnBack", 344, 356, 75, 25);
  BtnNext = PlaceWidget<QPushButton>(this, "BtnNext", 425, 356, 75, 25);
  BtnCancel = PlaceWidget<QPushButton>(this, "BtnCancel", 506, 356, 75, 25);
  for (QCheckBox* box : {CbMenu, CbDesktop, CbExec, CbQuick}) box->setChecked(true);

  connect(BtnNext, &QPushButton::clicked, this, [this] { BtnNextClick(); });
  connect(BtnBack, &QPushButton::clicked, this, [this] { BtnBackClick(); });
  connect(BtnCancel, &QPushButton::clicked, this, [this] { BtnCancelClick(); });
  connect(BtnBrowse, &QPushButton::clicked, this, [this] { BtnBrowseClick(); });
  connect(ComboBoxLang, &QComboBox::activated, this, [this](int position) { ApplyLanguage(position); });
}

void TMainFormSetup::ReplaceCheckBoxes() {
  CbMenu = new TTranspCheckBox(this, CbMenu);
  CbDesktop = new TTranspCheckBox(this, CbDesktop);
  CbQuick = new TTranspCheckBox(this, CbQuick);
  CbExec = new TTranspCheckBox(this, CbExec);
}

void TMainFormSetup::ApplyLanguage(int position) {
  FSetupLang = SetupLangMap[position >= 0 && position < 3 ? position : 0];
  FSetupTexts = &SetupTextOf(FSetupLang);
  const TSetupText& t = *FSetupTexts;
  setWindowTitle(Q(t.Caption));
  LbVersion->setText(Q(t.Version) + " " + Q(GetProductVersion(ExecutablePath())));
  LbDescript->setText(Q(t.Description));
  LbLang->setText(Q(t.ChooseLanguage));
  LbLicense->setText(Q(t.ReadAgreement));
  MemoLicense->setPlainText(Q(t.Agreement));
  LbPath->setText(Q(t.ChooseFolder));
  CbDesktop->setText(Q(t.CreateDesktopLink));
  CbQuick->setText(Q(t.CreateQuickLaunch));
  CbMenu->setText(Q(t.CreateMenuGroup));
  CbExec->setText(Q(t.LaunchAfterInstall));
  BtnNext->setText(Q(t.Next));
  BtnBack->setText(Q(t.Back));
  BtnCancel->setText(Q(t.Cancel));
  BtnBrowse->setText(Q(t.Browse));
  LbComplete->setText(Q(t.NextHint));

  stConfirmFormCaption = t.ConfirmCaption;
  stFileExists = t.FileExists;
  stReplaceQuestion = t.ReplaceQuestion;
  stBtnYes = t.BtnYes;
  stBtnYesToAll = t.BtnYesToAll;
  stBtnNo = t.BtnNo;
  stBtnNoToAll = t.BtnNoToAll;

  QCoreApplication::setApplicationName(Q(t.AppTitle));
}

// ---- pages ----

void TMainFormSetup::ShowOnly(const std::vector<QWidget*>& shown) {
  for (QWidget* page : std::initializer_list<QWidget*>{
           LbLang, ComboBoxLang, LbLicense, MemoLicense, LbPath, EditPath, BtnBrowse, CbMenu,
           CbDesktop, CbQuick, LbProgress, MemoProgress, CbExec})
    page->hide();
  for (QWidget* widget : shown) widget->show();
  LbVersion->show();
  LbDescript->show();
  MoveTo(LbVersion, 25);
  MoveTo(LbDescript, 38);
}

void TMainFormSetup::ShowLanguagePage() {
  ShowOnly({LbLang, ComboBoxLang});
  MoveTo(LbLang, 120);
  MoveTo(ComboBoxLang, 135);
  LbComplete->setText(Q(FSetupTexts->NextHint));
  BtnNext->setText(Q(FSetupTexts->Next));
  BtnNext->show();
  BtnCancel->setText(Q(FSetupTexts->Cancel));
  BtnBack->hide();
  ComboBoxLang->setEnabled(true);
  FPage = 1;
}

void TMainFormSetup::ShowAgreementPage() {
  ShowOnly({LbLicense, MemoLicense});
  MoveTo(LbLicense, 90);
  MemoLicense->setGeometry(kColumn, 105, kColumnWidth, 190);
  LbComplete->setText(Q(FSetupTexts->AgreeHint));
  BtnNext->setText(Q(FSetupTexts->Agree));
  BtnBack->show();
  FPage = 2;
}

void TMainFormSetup::ShowFolderPage() {
  ShowOnly({LbPath, EditPath, BtnBrowse, CbMenu, CbDesktop, CbQuick});
  MoveTo(LbPath, 100);
  MoveTo(EditPath, 115);
  MoveTo(BtnBrowse, 113);
  MoveTo(CbMenu, 180);
  MoveTo(CbDesktop, 205);
  CbQuick->setGeometry(CbDesktop->x(), 230, kColumnWidth, CbQuick->height());
  LbComplete->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  LbComplete->setText(Q(FSetupTexts->NextHint));
  BtnNext->setText(Q(FSetupTexts->Next));
  BtnCancel->setText(Q(FSetupTexts->Cancel));
  FPage = 3;
}

void TMainFormSetup::ShowSummaryPage() {
  ShowOnly({LbProgress, MemoProgress, CbExec});
  LbProgress->setText(Q(FSetupTexts->Preferences));
  MoveTo(LbProgress, 90);
  MemoProgress->setGeometry(kColumn, 105, kColumnWidth, 170);
  LbComplete->setText(Q(FSetupTexts->InstallHint));
  MoveTo(CbExec, 280);
  BtnNext->setText(Q(FSetupTexts->Install));
  FPage = 4;
  FillSummary();
}

void TMainFormSetup::ResolveInstallDir() {
  const std::string typed = TrimBlanks(EditPath->text().toStdString());
  if (typed.empty()) {
    FInstallDir = ExecutableFolder();
    return;
  }
  std::error_code error;
  std::string absolute = fs::absolute(typed, error).lexically_normal().string();
  if (error) absolute = typed;
  if (absolute.back() != '/') absolute += '/';
  FInstallDir = absolute;
}

void TMainFormSetup::FillSummary() {
  FLines.clear();
  const TSetupText& t = *FSetupTexts;
  AddLine(Q(t.InstallLanguage));
  AddLine("    " + ComboBoxLang->currentText());
  ResolveInstallDir();
  AddLine(Q(t.InstallFolder));
  AddLine("    \"" + Q(FInstallDir) + "\"");
  for (QCheckBox* box : {CbMenu, CbDesktop, CbQuick}) {
    AddLine(box->text());
    AddLine("    " + Q(box->isChecked() ? t.Yes : t.No));
  }
  AddLine(QString());
}

void TMainFormSetup::BtnNextClick() {
  switch (FPage) {
    case 1: ShowAgreementPage(); break;
    case 2: ShowFolderPage(); break;
    case 3: ShowSummaryPage(); break;
    case 4: RunInstallation(); break;
    default: break;
  }
}

void TMainFormSetup::BtnBackClick() {
  switch (FPage) {
    case 2: ShowLanguagePage(); break;
    case 3: ShowAgreementPage(); break;
    case 4: ShowFolderPage(); break;
    default: break;
  }
}

void TMainFormSetup::BtnCancelClick() { close(); }

void TMainFormSetup::BtnBrowseClick() {
  std::string start = EditPath->text().toStdString();
  if (start.empty() || start.back() != '/') start += '/';
  const std::string tail = std::string(ProductIdentifier) + "/";
  // The proposed folder usually does not exist yet: open the chooser on its parent.
  if (start.size() > tail.size() &&
      QString::fromStdString(start.substr(start.size() - tail.size() - 1))
              .compare(QString::fromStdString("/" + tail), Qt::CaseInsensitive) == 0)
    start.erase(start.size() - tail.size());
  if (SelectDirWithName(ProductIdentifier, start, std::string(FSetupTexts->BrowseFolders),
                        LbPath->text().toStdString(), "OK", std::string(FSetupTexts->Cancel),
                        this))
    EditPath->setText(Q(start));
}

void TMainFormSetup::ShowSuccess() {
  LbComplete->setText(Q(FSetupTexts->Success));
  BtnCancel->setText(Q(FSetupTexts->Exit));
  BtnNext->hide();
  BtnBack->hide();
  Installed = true;
}

void TMainFormSetup::ShowFailure() {
  LbComplete->setText(Q(FSetupTexts->Failure));
  BtnCancel->setText(Q(FSetupTexts->Exit));
  BtnNext->show();
  BtnBack->show();
}

void TMainFormSetup::closeEvent(QCloseEvent* event) {
  Installed = Installed && CbExec->isChecked();
  if (Installed) LaunchPath = FInstallDir + "book";
  QWidget::closeEvent(event);
}

void TMainFormSetup::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  GlassStripPaint(Gradient(), *ImageBott, *this);
}

void TMainFormSetup::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (ImageBott == nullptr) return;  // still being built
  GlassStripChanged(Gradient(), *ImageBott, *this, *event,
                    {BtnBack, BtnNext, BtnCancel, BtnBrowse, CbMenu, CbDesktop, CbQuick, CbExec});
}

// ---- the installation run ----

QStringList TMainFormSetup::ProgressLines() const { return FLines; }

void TMainFormSetup::AddLine(const QString& line) {
  FLines.append(line);
  MemoProgress->setPlainText(FLines.join('\n'));
  MemoProgress->verticalScrollBar()->setValue(MemoProgress->verticalScrollBar()->maximum());
}

void TMainFormSetup::AddDetail(const std::string& text) { AddLine("    " + Q(text)); }

TConfirmForm& TMainFormSetup::Confirm() {
  Assert(ConfirmForm() != nullptr, "The replacement dialog must be created", kUnit);
  return *ConfirmForm();
}

void TMainFormSetup::RunStep(std::string_view text, bool enabled,
                             const std::function<void()>& step) {
  if (!enabled) return;
  AddLine(Q(text) + "...");
  const qsizetype line = FLines.size() - 1;
  try {
    step();
  } catch (...) {
    FLines[line] = Q(text) + "   - " + Q(FSetupTexts->Error);
    MemoProgress->setPlainText(FLines.join('\n'));
    throw;
  }
  FLines[line] = Q(text) + "   - Ok";
  AddLine(QString());
}

void TMainFormSetup::RunInstallation() {
  const TSetupText& t = *FSetupTexts;
  LbProgress->setText(Q(t.InstallStatus));
  LbComplete->setText(Q(t.Installing));
  LbComplete->setAlignment(Qt::AlignCenter);
  BtnBack->hide();
  BtnNext->hide();
  BtnCancel->setText(Q(t.Exit));
  FillSummary();
  Confirm().ResetGroupMode();
  FInstalledKB = 0;
  Assert(!FInstallDir.empty(), "No Set Setup Path", kUnit);
  TUserRegistry registry;
  FRegistry = &registry;
  bool succeeded = true;
  try {
    RunStep(t.StepRunningCopy, true, [this] { StepCloseRunningCopy(); });
    RunStep(t.StepFreeSpace, true, [this] { StepCheckFreeSpace(); });
    RunStep(t.StepCreateDir, true, [this] { StepCreateDir(); });
    RunStep(t.StepCopyFiles, true, [this] { StepCopyFiles(); });
    RunStep(t.StepRegister, true, [this] { StepRegister(); });
    RunStep(t.StepConfig, true, [this] { StepCreateConfig(); });
    RunStep(t.StepMenuGroup, CbMenu->isChecked(), [this] { StepMenuGroup(); });
    RunStep(t.StepDesktopLink, CbDesktop->isChecked(), [this] { StepDesktopLink(); });
    RunStep(t.StepQuickLaunch, CbQuick->isChecked(), [this] { StepQuickLaunchLink(); });
  } catch (const std::exception&) {
    succeeded = false;
  }
  registry.CloseKey();
  FRegistry = nullptr;
  if (succeeded) ShowSuccess();
  else ShowFailure();
}

void TMainFormSetup::StepCloseRunningCopy() {
  const std::string program = ResolvedProgramPath(FInstallDir + "book");
  AskCopyToQuit(ProductIdentifier, program);
  ProcessMessages();
  Pause(50);
  for (int attempt = 0; attempt < 40 && IsCopyRunning(ProductIdentifier, program); ++attempt) {
    ProcessMessages();
    Pause(100);
  }
  if (IsCopyRunning(ProductIdentifier, program)) {
    AddDetail(std::string(FSetupTexts->CantCloseCopy));
    Fail("errCloseRunProgram");
  }
}

void TMainFormSetup::StepCheckFreeSpace() {
  // Where a drive letter would be asked for, the folder must be an absolute path.
  if (FInstallDir.empty() || FInstallDir.front() != '/') {
    AddDetail(std::string(FSetupTexts->BadDrive) + " \"" + FInstallDir + "\"");
    Fail("errPathDrive");
  }
  const TFreeSpace space = FreeSpaceFor(FInstallDir);
  if (!space.Bytes || *space.Bytes < kMinimumFreeSpace) {
    AddDetail(std::string(FSetupTexts->NoFreeSpace) + " " + space.Folder);
    Fail("errDiskSpace");
  }
}

void TMainFormSetup::StepCreateDir() {
  std::error_code error;
  const std::string folder = FInstallDir.substr(0, FInstallDir.size() - 1);
  if (fs::is_directory(folder, error)) return;
  const std::string parent = folder.substr(0, folder.rfind('/') + 1);
  if (!fs::is_directory(parent, error)) {
    AddDetail(std::string(FSetupTexts->NoFolder) + "  \"" + parent + "\"");
    Fail("errMainDirCreate");
  }
  if (!fs::create_directory(folder, error) || error) Fail("errMainDirCreate");
}

void TMainFormSetup::StepCopyFiles() {
  WriteResourceFile("EXEFILE", "PROGRAM", FInstallDir + "book");
  WriteResourceFile("EXEFILE", "UNINST", FInstallDir + "uninst");
}

void TMainFormSetup::WriteResourceFile(const std::string& type, const std::string& name,
                                       const std::string& path) {
  AddDetail(path);
  ProcessMessages();
  const auto bytes = FindResource(type, name);
  Assert(bytes.has_value(), "Missing resource " + name, kUnit);
  std::error_code error;
  if (Confirm().MayWrite(path)) {
    if (!WriteExecutable(path, *bytes)) Fail("errFileCopy");
    FInstalledKB += static_cast<std::int32_t>(bytes->size() / 1024);
  } else if (fs::exists(path, error)) {
    FInstalledKB += static_cast<std::int32_t>(fs::file_size(path, error) / 1024);
  }
  if (!fs::exists(path, error)) Fail("errFileCopy");
}

void TMainFormSetup::StepRegister() {
  const TSetupText& t = *FSetupTexts;
  TUserRegistry& registry = *FRegistry;
  if (!registry.OpenKey(UninstallKey, true)) Fail("errOpenRegistryKey");
  const bool written =
      registry.WriteString("DisplayName", ProductIdentifier) &&
      registry.WriteString("UninstallString", FInstallDir + "uninst") &&
      registry.WriteString("DisplayIcon", FInstallDir + "book") &&
      registry.WriteString("DisplayVersion", GetProductVersion(ExecutablePath())) &&
      registry.WriteInteger("NoModify", 1) && registry.WriteInteger("NoRepair", 1) &&
      registry.WriteString("Publisher", std::string(t.Publisher)) &&
      registry.WriteString("UrlInfoAbout", std::string(t.HomePage)) &&
      registry.WriteString("UrlUpdateInfo", std::string(t.ProductPage)) &&
      registry.WriteString("HelpLink", std::string(t.HelpPage)) &&
      registry.WriteInteger("InstallLang", FSetupLang) &&
      registry.WriteInteger("EstimatedSize", FInstalledKB);
  if (!written) Fail("errOpenRegistryKey");
}

void TMainFormSetup::StepCreateConfig() {
  const std::string config = FInstallDir + "book.cfg";
  AddDetail(config);
  ProcessMessages();
  if (Confirm().MayWrite(config))
    WriteLanguageConfig(config, SetupLangMap[std::max(0, ComboBoxLang->currentIndex())]);
  std::error_code error;
  if (!fs::exists(config, error)) Fail("errCreateCfgFile");
}

void TMainFormSetup::WriteMenuLink(const std::string& group, const std::string& target,
                                   std::string_view name, std::string_view description) {
  const std::string path = group + LinkFileName(std::string(name));
  AddDetail(path);
  std::string written;
  if (Confirm().MayWrite(path) &&
      !CreateLink(target, std::string(name), std::string(description), "", written, group))
    Fail("errCreateMenuLnk");
}

void TMainFormSetup::StepMenuGroup() {
  std::string group;
  if (!CreateProgramGroup(ProductIdentifier, group)) {
    AddDetail(group);
    Fail("errCreateMenuGroup");
  }
  WriteMenuLink(group, FInstallDir + "book", ShortcutNames[FSetupLang],
                FSetupTexts->ProgramDescription);
  WriteMenuLink(group, FInstallDir + "uninst", UninstallShortcutNames[FSetupLang],
                FSetupTexts->UninstallDescription);
}

void TMainFormSetup::StepDesktopLink() {
  const std::string name(ShortcutNames[FSetupLang]);
  const std::string path = GetDesktopFolder(true) + LinkFileName(name);
  AddDetail(path);
  std::string written;
  if (Confirm().MayWrite(path) &&
      !CreateDesktopLink(FInstallDir + "book", name, std::string(FSetupTexts->ProgramDescription),
                         "", written))
    Fail("errCreateDesktopLnk");
}

void TMainFormSetup::StepQuickLaunchLink() {
  const std::string name(ShortcutNames[FSetupLang]);
  const std::string path = GetQuickLaunchFolder(true) + LinkFileName(name);
  AddDetail(path);
  std::string written;
  if (Confirm().MayWrite(path) &&
      !CreateQuickLaunchLink(FInstallDir + "book", name, "", "", written))
    Fail("errCreateQuickLaunchLnk");
}
