#include "MainForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusTipEvent>
#include <QStyleOption>
#include <QTimer>

#include "AboutForm.h"
#include "BookData.h"
#include "Contacts.h"
#include "DateEdit.h"
#include "DesignFont.h"
#include "EditForm.h"
#include "EximRep.h"
#include "Keyboard.h"
#include "LocalDbEdit.h"
#include "MessageBoxForm.h"
#include "Names.h"
#include "Options.h"
#include "PhoneEdit.h"
#include "Print.h"
#include "QtLanguage.h"
#include "RegionInfo.h"
#include "StringUtils.h"
#include "TextIntface.h"

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

void SetActionTexts(QAction* action, const std::string& caption, const std::string& hint) {
  action->setText(Q(caption));
  action->setStatusTip(Q(hint));
  action->setToolTip(Q(hint));
}

void SetMenuTexts(QMenu* menu, const std::string& caption, const std::string& hint) {
  menu->setTitle(Q(caption));
  menu->menuAction()->setStatusTip(Q(hint));
  menu->setToolTip(Q(hint));
}

// Sets the mode once constructed and the browse mode when it goes, also by an exception.
class TModeScope {
public:
  TModeScope(TMainFormBook& form, TMainFormBook::TMode mode) : FForm(form) { FForm.SetMode(mode); }
  ~TModeScope() { FForm.SetMode(TMainFormBook::ModeBrowse); }
  TModeScope(const TModeScope&) = delete;
  TModeScope& operator=(const TModeScope&) = delete;

private:
  TMainFormBook& FForm;
};

void CentreOver(QWidget& dialog, const QWidget& owner) {
  const QRect area = owner.frameGeometry();
  dialog.move(area.center() - QPoint(dialog.width() / 2, dialog.height() / 2));
}

}  // namespace

// ---- TStatusBar ----

TStatusBar::TStatusBar(QWidget* parent) : QWidget(parent) {
  setObjectName("StatusBar");
  // Not clickable: presses go to the window below it, which offers its context menu.
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TStatusBar::SetPanelText(int panel, const QString& text) {
  if (FTexts[panel] == text) return;
  FTexts[panel] = text;
  update();
}

void TStatusBar::SetPanelWidth(int panel, int width) {
  if (FWidths[panel] == width) return;
  FWidths[panel] = width;
  update();
}

QSize TStatusBar::sizeHint() const { return {100, fontMetrics().height() + 6}; }

void TStatusBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  int left = 0;
  for (int panel = 0; panel < 2; ++panel) {
    // The last panel takes what is left of the bar.
    const int width = panel == 1 ? std::max(0, this->width() - left) : FWidths[panel];
    const QRect frame(left, 1, width - 2, height() - 2);
    QStyleOption option;
    option.initFrom(this);
    option.rect = frame;
    style()->drawPrimitive(QStyle::PE_FrameStatusBarItem, &option, &painter, this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(frame.adjusted(TextMargin, 0, -TextMargin, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, FTexts[panel]);
    left += width;
  }
}

// ---- TMainFormBook ----

TMainFormBook::TMainFormBook(TBook& book) : QWidget(nullptr), FBook(book) {
  setObjectName("MainFormBook");
  setFont(DesignFont());
  setMinimumSize(MinWidth, MinHeight);
  resize(DesignedClientWidth, DesignedClientHeight);
  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu->popup(mapToGlobal(at)); });

  StatusBar = new TStatusBar(this);
  Timer = new QTimer(this);
  Timer->setObjectName("Timer");
  Timer->setInterval(1000);
  connect(Timer, &QTimer::timeout, this, [this] { UpdateClock(); });
  HintTimer = new QTimer(this);
  HintTimer->setObjectName("HintTimer");
  HintTimer->setInterval(1200);
  HintTimer->setTimerType(Qt::PreciseTimer);  // a hint stays its full 3 seconds
  connect(HintTimer, &QTimer::timeout, this, [this] { HintTimerTimer(); });

  CreateActions();
  CreatePopupMenu();
  FormCreate();
  Timer->start();
  SetMainWindow(this);
}

TMainFormBook::~TMainFormBook() {
  qApp->removeEventFilter(this);
  if (MainWindow() == this) SetMainWindow(nullptr);
}

void TMainFormBook::CreateActions() {
  const auto action = [this](const char* name, const char* category, QList<QKeySequence> keys,
                             std::function<void()> handler) {
    auto* act = new QAction(this);
    act->setObjectName(QLatin1String(name));
    act->setProperty("Category", QLatin1String(category));
    act->setShortcuts(keys);
    act->setShortcutContext(Qt::WindowShortcut);
    connect(act, &QAction::triggered, this, std::move(handler));
    addAction(act);
    return act;
  };
  ActExit = action("ActExit", "File", {Qt::Key_Escape}, [this] { close(); });
  ActUpperName = action("ActUpperName", "File", {}, [this] { ActUpperNameExecute(); });
  ActUpperName->setCheckable(true);
  ActInsert = action("ActInsert", "Operation", {Qt::Key_Insert}, [this] { RunInsertDialog(); });
  ActEdit = action("ActEdit", "Operation", {Qt::Key_Return, Qt::Key_Enter},
                   [this] { RunEditDialog(); });
  ActDelete = action("ActDelete", "Operation", {Qt::Key_Delete}, [this] { RunDeleteQuestion(); });
  ActSort = action("ActSort", "Operation", {Qt::Key_F9}, [this] {
    GridBook->SortByColumn(GridBook->Col() - GridBook->FixedCols());
  });
  ActSearchStart = action("ActSearchStart", "Operation", {Qt::Key_F3},
                          [this] { ActSearchStartExecute(); });
  ActSearchStop = action("ActSearchStop", "Operation", {}, [this] { GridBook->StopSearch(); });
  ActRusLang = action("ActRusLang", "Lang", {}, [this] { SwitchLanguage(LangRussian); });
  ActUkrLang = action("ActUkrLang", "Lang", {}, [this] { SwitchLanguage(LangUkrainian); });
  ActEngLang = action("ActEngLang", "Lang", {}, [this] { SwitchLanguage(LangEnglish); });
  for (QAction* language : {ActRusLang, ActUkrLang, ActEngLang}) language->setCheckable(true);
  ActAbout = action("ActAbout", "Help", {}, [this] { ActAboutExecute(); });
  // F1 is the help action's secondary shortcut: it has no primary one.
  ActHelp = action("ActHelp", "Help", {QKeySequence(), Qt::Key_F1},
                   [] { ShellOpen(CurrentTexts().HelpAddress); });
  ActExport = action("ActExport", "ExImRep", {}, [this] { RunJob<TCsvExport>(); });
  ActImport = action("ActImport", "ExImRep", {}, [this] { RunJob<TCsvImport>(); });
  ActPrint = action("ActPrint", "ExImRep", {}, [this] { RunJob<TListReport>(); });
}

void TMainFormBook::CreatePopupMenu() {
  PopupMenu = new QMenu(this);
  PopupMenu->setObjectName("PopupMenu");
  PopupMenu->addActions({ActInsert, ActEdit, ActDelete, ActSort, ActSearchStart, ActSearchStop});
  PopupMenu->addSeparator()->setObjectName("N3");
  PopupMenu->addAction(ActUpperName);
  PopupMenu->addSeparator()->setObjectName("N1");
  MenuHelp = PopupMenu->addMenu(QString());
  MenuHelp->setObjectName("MenuHelp");
  MenuHelp->addActions({ActHelp, ActAbout});
  MenuFile = PopupMenu->addMenu(QString());
  MenuFile->setObjectName("MenuFile");
  MenuFile->addActions({ActExport, ActImport, ActPrint});
  MenuLang = PopupMenu->addMenu(QString());
  MenuLang->setObjectName("MenuLang");
  MenuLang->addActions({ActEngLang, ActRusLang, ActUkrLang});
  PopupMenu->addSeparator()->setObjectName("N2");
  PopupMenu->addAction(ActExit);
}

void TMainFormBook::FormCreate() {
  RestoreBounds();
  SetStatusText("");
  UpdateClock();
  FitStatusPanels();
  FHintLocked = false;
  // Hints of menu items and controls anywhere in the program reach the window as status tips.
  qApp->installEventFilter(this);
  CreateGrid();
  SetMode(ModeBrowse);
  const int language = ProgOptions->ProgLang();
  ActRusLang->setChecked(language == LangRussian);
  ActUkrLang->setChecked(language == LangUkrainian);
  ActEngLang->setChecked(language == LangEnglish);
  if (!LocaleShowsCyrillic()) {
    ActRusLang->setEnabled(false);
    ActUkrLang->setEnabled(false);
  }
  ActUpperName->setChecked(ProgOptions->UpperName());
  ApplyTexts();
}

void TMainFormBook::AttachDialogs(TFormAbout* about, TFormEdit* edit) {
  FFormAbout = about;
  FFormEdit = edit;
  if (FFormEdit != nullptr)
    FFormEdit->OnHint = [this](const std::string& hint) { ShowHintText(hint); };
}

// ---- place, size and settings ----

void TMainFormBook::RestoreBounds() {
  const int width = ProgOptions->Width();
  const int height = ProgOptions->Height();
  if (width >= MinWidth && height >= MinHeight) {
    move(ProgOptions->Left(), ProgOptions->Top());
    resize(width, height);
    return;
  }
  resize(DesignedClientWidth, DesignedClientHeight);
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  move(screen.width() / 2 - this->width() / 2, screen.height() / 2 - this->height() / 2);
}

void TMainFormBook::SaveWindowSettings() {
  ProgOptions->SetLeft(x());
  ProgOptions->SetTop(y());
  ProgOptions->SetWidth(width());
  ProgOptions->SetHeight(height());
  ProgOptions->SetNameWidth(GridBook->ColWidth(1));
  ProgOptions->SetHouseWidth(GridBook->ColWidth(2));
  ProgOptions->SetWorkWidth(GridBook->ColWidth(3));
  ProgOptions->SetBirthWidth(GridBook->ColWidth(4));
}

void TMainFormBook::closeEvent(QCloseEvent* event) {
  SaveWindowSettings();
  QWidget::closeEvent(event);
}

void TMainFormBook::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int barHeight = StatusBar->sizeHint().height();
  StatusBar->setGeometry(0, height() - barHeight, width(), barHeight);
  if (GridBook != nullptr) GridBook->setGeometry(0, 0, width(), height() - barHeight);
  FitStatusPanels();
}

// ---- status bar and hints ----

void TMainFormBook::SetStatusText(const std::string& text) {
  FStatusText = text;
  const int room = StatusBar->PanelWidth(0) - 2 - 2 * TStatusBar::TextMargin;
  StatusBar->SetPanelText(0, EllipsisEnd(Q(text), StatusBar->fontMetrics(), room));
}

QString TMainFormBook::StatusPanelText(int panel) const { return StatusBar->PanelText(panel); }
int TMainFormBook::StatusPanelWidth(int panel) const { return StatusBar->PanelWidth(panel); }

void TMainFormBook::FitStatusPanels() {
  const QFontMetrics metrics = StatusBar->fontMetrics();
  const int clock = metrics.horizontalAdvance(StatusBar->PanelText(1) + QLatin1Char('0')) +
                    2 * TStatusBar::TextMargin;
  const int first = width() - clock;
  if (StatusBar->PanelWidth(0) == first) return;
  StatusBar->SetPanelWidth(0, first);
  SetStatusText(FStatusText);
  StatusBar->repaint();
}

void TMainFormBook::UpdateClock() { StatusBar->SetPanelText(1, Q(FormatDateTimeLong(Now()))); }

void TMainFormBook::ShowHintText(const std::string& hint) {
  if (FHintLocked) return;
  HintTimer->stop();
  SetStatusText(" " + hint);
  FHintLocked = hint == CurrentTexts().ImproperDate;
  HintTimer->setInterval(HintMilliseconds);
  HintTimer->start();
}

void TMainFormBook::HintTimerTimer() {
  SetStatusText("");
  HintTimer->stop();
  FHintLocked = false;
}

bool TMainFormBook::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    // Leaving an item sends an empty tip; the last hint keeps its 3 seconds.
    const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
    if (!tip.isEmpty()) ShowHintText(tip.toStdString());
    return false;
  }
  if (GridBook != nullptr && watched == GridBook->viewport()) {
    if (event->type() == QEvent::MouseButtonPress) {
      // The viewport holds only data cells: the header row and the indicator column are
      // widgets of their own.
      FClickedOnData = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    } else if (event->type() == QEvent::MouseButtonDblClick) {
      if (ActEdit->isEnabled() && FClickedOnData) ActEdit->trigger();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

// ---- modes ----

void TMainFormBook::SetMode(TMode mode) {
  FMode = mode;
  const bool busy = mode == ModeBusy;
  const bool searching = mode == ModeSearching;
  const bool hasRecords = FBook.Table().RecordCount() > 0;
  ActInsert->setEnabled(!busy);
  for (QAction* contactAction : {ActEdit, ActDelete, ActSort})
    contactAction->setEnabled(!busy && hasRecords);
  ActSearchStart->setEnabled(!busy && !searching && hasRecords);
  ActSearchStop->setEnabled(searching);
  ActSearchStart->setVisible(!searching);
  ActSearchStop->setVisible(searching);
  ActExit->setShortcut(searching ? QKeySequence() : QKeySequence(Qt::Key_Escape));
  ActSearchStop->setShortcut(searching ? QKeySequence(Qt::Key_Escape) : QKeySequence());
  ActDelete->setShortcut(Qt::Key_Delete);
  for (QAction* job : MenuFile->actions()) job->setEnabled(!busy && !searching);
  SetStatusText("");
}

// ---- the grid ----

void TMainFormBook::CreateGrid() {
  TTableBook& table = FBook.Table();
  const TTextRecord& texts = CurrentTexts();
  const std::vector<TDataColumn> columns = {
      {TTableBook::FieldName, Qt::AlignLeft, ProgOptions->NameWidth(), texts.ColName,
       &table.IndName, true},
      {TTableBook::FieldHouse, Qt::AlignRight, ProgOptions->HouseWidth(), texts.ColHouse,
       &table.IndHouse, true},
      {TTableBook::FieldWork, Qt::AlignRight, ProgOptions->WorkWidth(), texts.ColWork,
       &table.IndWork, true},
      {TTableBook::FieldBirth, Qt::AlignHCenter, ProgOptions->BirthWidth(), texts.ColBirth,
       &table.IndBirthMonth, true}};
  GridBook = new TDataGrid(this, false, columns, &table);
  GridBook->setObjectName("GridBook");
  GridBook->setGeometry(0, 0, width(), height() - StatusBar->sizeHint().height());
  GridBook->setContextMenuPolicy(Qt::NoContextMenu);  // the window's menu serves the grid too
  GridBook->OnBeginSearch = [this](std::string&) { SetMode(ModeSearching); };
  GridBook->OnEndSearch = [this](std::string&) { SetMode(ModeBrowse); };
  GridBook->OnSearchChange = [this](std::string& text) { SearchChanged(text); };
  GridBook->OnColumnClick = [this](int column, TIndex*& index) { ColumnClicked(column, index); };
  GridBook->OnKeyPress = [this](QChar& key) { FilterSearchKey(key); };
  GridBook->viewport()->installEventFilter(this);
  GridBook->setFocus();
}

void TMainFormBook::FilterSearchKey(QChar& key) {
  const char16_t c = key.unicode();
  const bool digit = c >= u'0' && c <= u'9';
  bool passes = true;
  switch (GridBook->Col()) {
    case 2:
    case 3:
      passes = digit || c == u'\b' || c == u' ' || c == u'+' || c == u'-';
      break;
    case 4:
      passes = digit || c == u'\b' || c == u',' || c == u'-' || c == u'.' || c == u'/';
      break;
    default:
      break;
  }
  if (!passes) key = QChar();
}

void TMainFormBook::SearchChanged(std::string& text) {
  std::string status = " " + CurrentTexts().StateNames[ModeSearching];
  if (!text.empty()) status += "  \"" + text + "\"";
  SetStatusText(status);
  switch (GridBook->Col()) {
    case 1:
      FBook.FindName(text);
      break;
    case 2:
      FBook.FindHouse(text);
      break;
    case 3:
      FBook.FindWork(text);
      break;
    case 4:
      FBook.FindBirth(text);
      break;
    default:
      break;
  }
  SetBirthCaption(BirthCaption(FBook.Table().GetIndex()));
}

std::string TMainFormBook::BirthCaption(const TIndex* index) const {
  const TTextRecord& texts = CurrentTexts();
  const TTableBook& table = FBook.Table();
  if (index == &table.IndBirthDay) return texts.ColBirth + texts.BirthDaySuffix;
  if (index == &table.IndBirthMonth) return texts.ColBirth + texts.BirthMonthSuffix;
  if (index == &table.IndBirthYear) return texts.ColBirth + texts.BirthYearSuffix;
  return texts.ColBirth;
}

void TMainFormBook::SetBirthCaption(const std::string& caption) {
  const int section = 4 - GridBook->FixedCols();
  if (GridBook->GetColumnCaption(section) != caption) GridBook->SetColumnCaption(section, caption);
}

// Sorting by the birthday column again and again cycles day, month, year.
void TMainFormBook::ColumnClicked(int column, TIndex*& index) {
  if (column != 4) {
    SetBirthCaption(CurrentTexts().ColBirth);
    return;
  }
  TTableBook& table = FBook.Table();
  const TIndex* active = table.GetIndex();
  if (active == &table.IndBirthDay)
    index = &table.IndBirthMonth;
  else if (active == &table.IndBirthMonth)
    index = &table.IndBirthYear;
  else
    index = &table.IndBirthDay;
  SetBirthCaption(BirthCaption(index));
}

void TMainFormBook::ActSearchStartExecute() {
  if (GridBook->isEnabled() && GridBook->isVisible()) GridBook->setFocus(Qt::OtherFocusReason);
  GridBook->StartSearch();
}

// ---- contact commands ----

void TMainFormBook::EndSearchBeforeDialog() {
  if (ActSearchStop->isEnabled()) ActSearchStop->trigger();
}

void TMainFormBook::PrepareEditDialog(const std::string& caption) {
  FFormEdit->setWindowTitle(Q(caption));
  CentreOver(*FFormEdit, *this);
}

bool TMainFormBook::ShowEditDialog() {
  FFormEdit->EditName->setFocus(Qt::OtherFocusReason);
  GridBook->clearFocus();
  return FFormEdit->exec() == QDialog::Accepted;
}

namespace {

TContactTexts DialogTexts(const TFormEdit& form) {
  return {form.EditName->text().toStdString(),  form.EditHouse->text().toStdString(),
          form.EditWork->text().toStdString(),  form.EditMobile->text().toStdString(),
          form.EditBirth->DateText(),           form.Memo->toPlainText().toStdString()};
}

}  // namespace

void TMainFormBook::RunInsertDialog() {
  EndSearchBeforeDialog();
  const TModeScope mode(*this, ModeAdding);
  PrepareEditDialog(CurrentTexts().EditInsertCaption);
  FFormEdit->EditName->clear();
  FFormEdit->EditHouse->clear();
  FFormEdit->EditWork->clear();
  FFormEdit->EditBirth->SetDateText("");
  FFormEdit->EditMobile->clear();
  FFormEdit->Memo->clear();
  FFormEdit->Memo->moveCursor(QTextCursor::Start);
  TintDialogs();
  if (!ShowEditDialog()) return;
  FBook.InsertContact(DialogTexts(*FFormEdit));
  GridBook->RefreshData();
}

void TMainFormBook::RunEditDialog() {
  EndSearchBeforeDialog();
  const TModeScope mode(*this, ModeEditing);
  PrepareEditDialog(CurrentTexts().EditViewCaption);
  const TContactTexts contact = FBook.CurrentContact();
  // Filling the name runs the dialog's autocorrection on it.
  FFormEdit->EditName->setText(Q(contact.Name));
  FFormEdit->EditName->selectAll();
  FFormEdit->EditHouse->setText(Q(contact.House));
  FFormEdit->EditWork->setText(Q(contact.Work));
  FFormEdit->EditBirth->SetDateText(contact.Birth);
  FFormEdit->EditMobile->setText(Q(contact.Mobile));
  FFormEdit->Memo->setPlainText(Q(contact.Note));
  FFormEdit->Memo->moveCursor(QTextCursor::Start);
  if (!ShowEditDialog()) return;
  FBook.EditContact(DialogTexts(*FFormEdit));
  GridBook->RefreshData();
}

void TMainFormBook::RunDeleteQuestion() {
  EndSearchBeforeDialog();
  const TModeScope mode(*this, ModeDeleting);
  const TTextRecord& texts = CurrentTexts();
  std::string question = texts.DeleteQuestion;
  const std::string name = FBook.CurrentContact().Name;
  if (!name.empty()) question += "\r\n" + name;
  question += "?";
  if (ShowMessageBox(question, texts.DeleteCaption, 33, texts.YesCaption, texts.DeleteYesHint,
                     texts.NoCaption, texts.DeleteNoHint) != mrOk)
    return;
  FBook.DeleteContact();
  GridBook->RefreshData();
}

void TMainFormBook::RunJobSteps(const std::function<void()>& createExecuteFree) {
  SetMode(ModeBusy);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  GridBook->setEnabled(false);
  // Restores the window whatever the job did, then lets a failure go on.
  struct TRestore {
    TMainFormBook& Form;
    ~TRestore() {
      Form.GridBook->setEnabled(true);
      Form.GridBook->RefreshData();
      QApplication::restoreOverrideCursor();
      Form.SetMode(ModeBrowse);
      if (Form.GridBook->isVisible()) Form.GridBook->setFocus(Qt::OtherFocusReason);
    }
  } restore{*this};
  createExecuteFree();
}

// ---- options, languages, help, about ----

void TMainFormBook::ActUpperNameExecute() {
  ProgOptions->SetUpperName(!ProgOptions->UpperName());
  ActUpperName->setChecked(ProgOptions->UpperName());
}

void TMainFormBook::SwitchLanguage(int language) {
  SelectLanguage(language);
  SelectQtLanguage(language);
  ProgOptions->SetProgLang(language);
  ApplyLanguage();
  ActRusLang->setChecked(language == LangRussian);
  ActUkrLang->setChecked(language == LangUkrainian);
  ActEngLang->setChecked(language == LangEnglish);
}

void TMainFormBook::ApplyLanguage() {
  QCoreApplication::setApplicationName(Q(CurrentTexts().AppTitle));
  ApplyTexts();
  if (FFormAbout != nullptr) FFormAbout->ApplyTexts();
  if (FFormEdit != nullptr) FFormEdit->ApplyTexts();
  FitStatusPanels();
  ActivateLanguageLayout(CurrentTexts().LangCode);
}

void TMainFormBook::ApplyTexts() {
  const TTextRecord& t = CurrentTexts();
  setWindowTitle(Q(t.AppTitle));
  SetActionTexts(ActExit, t.ActExitCaption, t.ActExitHint);
  SetActionTexts(ActUpperName, t.ActUpperNameCaption, t.ActUpperNameHint);
  SetActionTexts(ActInsert, t.ActInsertCaption, t.ActInsertHint);
  SetActionTexts(ActEdit, t.ActEditCaption, t.ActEditHint);
  SetActionTexts(ActDelete, t.ActDeleteCaption, t.ActDeleteHint);
  SetActionTexts(ActSort, t.ActSortCaption, t.ActSortHint);
  SetActionTexts(ActSearchStart, t.ActSearchStartCaption, t.ActSearchStartHint);
  SetActionTexts(ActSearchStop, t.ActSearchStopCaption, t.ActSearchStopHint);
  SetActionTexts(ActRusLang, t.ActRusLangCaption, t.ActRusLangHint);
  SetActionTexts(ActUkrLang, t.ActUkrLangCaption, t.ActUkrLangHint);
  SetActionTexts(ActEngLang, t.ActEngLangCaption, t.ActEngLangHint);
  SetActionTexts(ActAbout, t.ActAboutCaption, t.ActAboutHint);
  SetActionTexts(ActHelp, t.ActHelpCaption, t.ActHelpHint);
  SetActionTexts(ActExport, t.ActExportCaption, t.ActExportHint);
  SetActionTexts(ActImport, t.ActImportCaption, t.ActImportHint);
  SetActionTexts(ActPrint, t.ActPrintCaption, t.ActPrintHint);
  if (PrintManager != nullptr) {
    PrintManager->PageNoFormat = t.PageNoFormat;
    PrintManager->PrinterErrorText = t.PrinterError;
  }
  SetMenuTexts(MenuHelp, t.MenuHelpCaption, t.MenuHelpHint);
  SetMenuTexts(MenuFile, t.MenuFileCaption, t.MenuFileHint);
  SetMenuTexts(MenuLang, t.MenuLangCaption, t.MenuLangHint);
  const std::string captions[] = {t.ColName, t.ColHouse, t.ColWork, t.ColBirth};
  for (int section = 0; section < 4; ++section)
    GridBook->SetColumnCaption(section, captions[section]);
  GridBook->InvalidateData();
  UpdateClock();
}

void TMainFormBook::ActAboutExecute() {
  if (FFormAbout == nullptr) return;
  CentreOver(*FFormAbout, *this);
  FFormAbout->exec();
}

// ---- colours ----

void TMainFormBook::TintDialogs() {
  for (QWidget* dialog : {static_cast<QWidget*>(FFormAbout), static_cast<QWidget*>(FFormEdit)}) {
    if (dialog == nullptr) continue;
    QPalette tinted = dialog->palette();
    tinted.setColor(QPalette::Window, GridBook->StripeColor());
    dialog->setPalette(tinted);
    dialog->setAutoFillBackground(true);
  }
}

void TMainFormBook::SysColorChange() {
  GridBook->UpdateColors();
  StatusBar->update();
  GridBook->UpdateHeaderStyle();
  TintDialogs();
}

void TMainFormBook::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // The desktop's colours reach the window as a change of the palette it inherits.
  if (event->type() == QEvent::ApplicationPaletteChange || event->type() == QEvent::PaletteChange)
    SysColorChange();
}
