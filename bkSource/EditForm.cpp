#include "EditForm.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <memory>

#include "DateEdit.h"
#include "DesignFont.h"
#include "GlassGradient.h"
#include "IntEdit.h"
#include "Options.h"
#include "PhoneEdit.h"
#include "TextIntface.h"

namespace {

std::unique_ptr<TGlassGradienter> TheGradient;

TGlassGradienter& Gradient() {
  if (!TheGradient) CreateEditFormGradient();
  return *TheGradient;
}

bool ApplicationActive() { return QGuiApplication::applicationState() == Qt::ApplicationActive; }

QString Q(const std::string& text) { return QString::fromStdString(text); }

void SetActionTexts(QAction* action, const std::string& caption, const std::string& hint) {
  action->setText(Q(caption));
  action->setStatusTip(Q(hint));
  action->setToolTip(Q(hint));
}

// The designed client size.
constexpr int kClientWidth = 286;
constexpr int kClientHeight = 262;
constexpr int kStripHeight = 40;

}  // namespace

void CreateEditFormGradient() { TheGradient = std::make_unique<TGlassGradienter>(); }
void FreeEditFormGradient() { TheGradient.reset(); }

QString CapitalizeName(const QString& name) {
  QString result = name;
  for (int i = 0; i < result.size(); ++i) {
    const bool wordStart = i == 0 || result[i - 1] == QLatin1Char(' ') ||
                           result[i - 1] == QLatin1Char(',') || result[i - 1] == QLatin1Char('-') ||
                           result[i - 1] == QLatin1Char('.');
    result[i] = wordStart ? name[i].toUpper() : name[i].toLower();
  }
  return result;
}

TFormEdit::TFormEdit(QWidget* owner) : QDialog(owner) {
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFont(DesignFont());
  setFixedSize(kClientWidth, kClientHeight);
  CreateDesignedControls();
  CreateActions();
  FormCreate();
}

void TFormEdit::CreateDesignedControls() {
  const auto label = [this](const char* name, int x, int y) {
    auto* lb = new QLabel(this);
    lb->setObjectName(QLatin1String(name));
    lb->move(x, y);
    return lb;
  };
  LbName = label("LbName", 16, 9);
  LbHouse = label("LbHouse", 16, 49);
  LbWork = label("LbWork", 156, 49);
  LbMobile = label("LbMobile", 16, 91);
  LbBirth = label("LbBirth", 156, 91);
  LbNote = label("LbNote", 16, 134);

  Memo = new QPlainTextEdit(this);
  Memo->setObjectName("Memo");
  Memo->setGeometry(15, 148, 260, 61);
  Memo->setTabChangesFocus(true);
  connect(Memo, &QPlainTextEdit::textChanged, this, [this] { NoteChange(); });

  Bevel = new QFrame(this);
  Bevel->setObjectName("Bevel");
  Bevel->setFrameShape(QFrame::HLine);
  Bevel->setFrameShadow(QFrame::Sunken);
  Bevel->setGeometry(0, kClientHeight - kStripHeight - 2, 341, 2);

  Image = new QLabel(this);
  Image->setObjectName("Image");
  Image->setGeometry(0, kClientHeight - kStripHeight, kClientWidth, kStripHeight);

  BtnSave = new QPushButton(this);
  BtnSave->setObjectName("BtnSave");
  BtnSave->setGeometry(101, 229, 85, 25);
  BtnSave->setDefault(true);
  connect(BtnSave, &QPushButton::clicked, this, [this] { TrySave(); });
  BtnCancel = new QPushButton(this);
  BtnCancel->setObjectName("BtnCancel");
  BtnCancel->setGeometry(193, 229, 85, 25);
  BtnCancel->setAutoDefault(false);
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormEdit::CreateActions() {
  const auto action = [this](const char* name, QList<QKeySequence> keys) {
    auto* act = new QAction(this);
    act->setObjectName(QLatin1String(name));
    act->setShortcuts(keys);
    act->setShortcutContext(Qt::WindowShortcut);
    addAction(act);
    return act;
  };
  // The edits handle their own standard keys; the actions serve the menu and the keys the
  // edits do not know (Alt+Backspace).
  ActEditUndo = action("ActEditUndo", {QKeySequence::Undo});
  ActEditCut = action("ActEditCut", {QKeySequence::Cut});
  ActEditCopy = action("ActEditCopy", {QKeySequence::Copy});
  ActEditPaste = action("ActEditPaste", {QKeySequence::Paste});
  ActEditDelete = action("ActEditDelete", {QKeySequence::Delete});
  ActEditSelectAll = action("ActEditSelectAll", {QKeySequence::SelectAll});
  ActSave = action("ActSave", {QKeySequence(Qt::CTRL | Qt::Key_S)});

  const auto onFocused = [this](QAction* act, void (TLocalDbEdit::*edit)(),
                                std::function<void(QPlainTextEdit*)> memo) {
    connect(act, &QAction::triggered, this, [this, edit, memo] {
      QWidget* focused = focusWidget();
      if (auto* line = dynamic_cast<TLocalDbEdit*>(focused))
        (line->*edit)();
      else if (focused == Memo)
        memo(Memo);
    });
  };
  onFocused(ActEditUndo, &TLocalDbEdit::UndoText, [](QPlainTextEdit* m) { m->undo(); });
  onFocused(ActEditCut, &TLocalDbEdit::CutText, [](QPlainTextEdit* m) { m->cut(); });
  onFocused(ActEditCopy, &TLocalDbEdit::CopyText, [](QPlainTextEdit* m) { m->copy(); });
  onFocused(ActEditPaste, &TLocalDbEdit::PasteText, [](QPlainTextEdit* m) { m->paste(); });
  onFocused(ActEditDelete, &TLocalDbEdit::ClearText,
            [](QPlainTextEdit* m) { m->textCursor().removeSelectedText(); });
  onFocused(ActEditSelectAll, &TLocalDbEdit::selectAll, [](QPlainTextEdit* m) { m->selectAll(); });
  connect(ActSave, &QAction::triggered, this, [this] { TrySave(); });

  PopupMenu = new QMenu(this);
  PopupMenu->setObjectName("PopupMenu");
  PopupMenu->addAction(ActEditUndo);
  PopupMenu->addSeparator();
  PopupMenu->addActions({ActEditCut, ActEditCopy, ActEditPaste, ActEditDelete});
  PopupMenu->addSeparator();
  PopupMenu->addAction(ActEditSelectAll);
  connect(PopupMenu, &QMenu::aboutToShow, this, [this] { UpdateEditActions(); });
  // Shortcuts stay live between menus; each command checks the focused edit itself.
  connect(PopupMenu, &QMenu::aboutToHide, this, [this] {
    for (QAction* act : PopupMenu->actions()) act->setEnabled(true);
  });
  Memo->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Memo, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { ShowPopupMenu(Memo->viewport(), at); });
}

void TFormEdit::ShowPopupMenu(QWidget* edit, const QPoint& at) {
  PopupMenu->exec(edit->mapToGlobal(at));
}

void TFormEdit::UpdateEditActions() {
  QWidget* focused = focusWidget();
  bool readOnly = true, selection = false, undo = false, empty = true;
  if (auto* line = dynamic_cast<QLineEdit*>(focused)) {
    readOnly = line->isReadOnly();
    selection = line->hasSelectedText();
    undo = line->isUndoAvailable();
    empty = line->text().isEmpty();
  } else if (focused == Memo) {
    readOnly = Memo->isReadOnly();
    selection = Memo->textCursor().hasSelection();
    undo = Memo->document()->isUndoAvailable();
    empty = Memo->document()->isEmpty();
  }
  ActEditUndo->setEnabled(!readOnly && undo);
  ActEditCut->setEnabled(!readOnly && selection);
  ActEditCopy->setEnabled(selection);
  ActEditPaste->setEnabled(!readOnly && !QApplication::clipboard()->text().isEmpty());
  ActEditDelete->setEnabled(!readOnly && selection);
  ActEditSelectAll->setEnabled(!empty);
}

template <typename TEdit>
TEdit* TFormEdit::CreateEdit(QLabel* label, int width) {
  auto* edit = new TEdit(this);
  edit->resize(width, 21);
  PlaceLabelled(edit, label);
  edit->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(edit, &QWidget::customContextMenuRequested, this,
          [this, edit](const QPoint& at) { ShowPopupMenu(edit, at); });
  return edit;
}

// An edit stands one pixel left of its label and one pixel below it.
void TFormEdit::PlaceLabelled(QWidget* edit, QLabel* label) {
  edit->move(label->x() - 1, label->y() + label->sizeHint().height() + 1);
}

void TFormEdit::FormCreate() {
  EditName = CreateEdit<TStringEdit>(LbName, 260);
  EditName->setObjectName("EditName");
  EditName->setMaxLength(NameMaxLength);
  connect(EditName, &QLineEdit::textChanged, this, [this] { EditNameChange(); });
  EditHouse = CreateEdit<TPhoneEdit>(LbHouse, 120);
  EditHouse->setObjectName("EditHouse");
  EditWork = CreateEdit<TPhoneEdit>(LbWork, 120);
  EditWork->setObjectName("EditWork");
  EditMobile = CreateEdit<TPhoneEdit>(LbMobile, 120);
  EditMobile->setObjectName("EditMobile");
  EditBirth = CreateEdit<TDateEdit>(LbBirth, 120);
  EditBirth->setObjectName("EditBirth");

  QWidget* const order[] = {EditName, EditHouse, EditWork, EditMobile,
                            EditBirth, Memo,     BtnSave,  BtnCancel};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);

  ActEditUndo->setShortcuts({QKeySequence::Undo, QKeySequence(Qt::ALT | Qt::Key_Backspace)});
  ActEditSelectAll->setShortcuts({QKeySequence::SelectAll, QKeySequence(Qt::CTRL | Qt::Key_A)});
  ApplyTexts();
}

void TFormEdit::ApplyTexts() {
  const TTextRecord& texts = CurrentTexts();
  BtnSave->setText(Q(texts.BtnSaveCaption));
  BtnSave->setToolTip(Q(texts.BtnSaveHint));
  BtnSave->setStatusTip(Q(texts.BtnSaveHint));
  BtnCancel->setText(Q(texts.BtnCancelCaption));
  BtnCancel->setToolTip(Q(texts.BtnCancelHint));
  BtnCancel->setStatusTip(Q(texts.BtnCancelHint));
  const std::pair<QLabel*, const std::string*> labels[] = {
      {LbName, &texts.LbNameCaption},   {LbHouse, &texts.LbHouseCaption},
      {LbWork, &texts.LbWorkCaption},   {LbBirth, &texts.LbBirthCaption},
      {LbMobile, &texts.LbMobileCaption}, {LbNote, &texts.LbNoteCaption}};
  for (const auto& [label, caption] : labels) {
    label->setText(Q(*caption));
    label->adjustSize();
  }
  SetActionTexts(ActEditCut, texts.ActEditCutCaption, texts.ActEditCutHint);
  SetActionTexts(ActEditCopy, texts.ActEditCopyCaption, texts.ActEditCopyHint);
  SetActionTexts(ActEditPaste, texts.ActEditPasteCaption, texts.ActEditPasteHint);
  SetActionTexts(ActEditSelectAll, texts.ActEditSelectAllCaption, texts.ActEditSelectAllHint);
  SetActionTexts(ActEditUndo, texts.ActEditUndoCaption, texts.ActEditUndoHint);
  SetActionTexts(ActEditDelete, texts.ActEditDeleteCaption, texts.ActEditDeleteHint);
}

void TFormEdit::TrySave() {
  if (EditBirth->DateIsValid()) {
    accept();
    return;
  }
  if (!EditBirth->isEnabled() || !EditBirth->isVisible()) return;
  EditBirth->setFocus(Qt::OtherFocusReason);
  EditBirth->selectAll();
  if (OnHint) OnHint(CurrentTexts().ImproperDate);
}

void TFormEdit::EditNameChange() {
  if (!ProgOptions || !ProgOptions->UpperName()) return;
  const QString typed = EditName->text();
  const QString corrected = CapitalizeName(typed);
  if (corrected == typed) return;
  const int caret = EditName->cursorPosition();
  const QSignalBlocker detached(EditName);
  EditName->setText(corrected);
  EditName->setCursorPosition(caret);
}

// The note holds at most NoteMaxLength characters, however they arrive.
void TFormEdit::NoteChange() {
  const QString note = Memo->toPlainText();
  if (note.size() <= NoteMaxLength) return;
  QTextCursor cursor = Memo->textCursor();
  const int caret = std::min(cursor.position(), NoteMaxLength);
  const QSignalBlocker detached(Memo);
  Memo->setPlainText(note.left(NoteMaxLength));
  cursor = Memo->textCursor();
  cursor.setPosition(caret);
  Memo->setTextCursor(cursor);
}

void TFormEdit::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  Gradient().Paint(*Image, ApplicationActive());
}

void TFormEdit::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  Gradient().ChangeEvent(*event, *Image, isActiveWindow(), {BtnSave, BtnCancel});
}
