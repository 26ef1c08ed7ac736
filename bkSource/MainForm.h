#pragma once
// The main window of a normal start: the contact grid over the whole client area, a status bar
// with a hint panel and a clock below it, and every command as an action with a shortcut and an
// entry of the context menu. There is no menu bar and no toolbar.
//
// The window keeps a mode that decides which actions are on:
//   Browse, Editing, Adding, Deleting  New always; Edit, Delete, Sort and Search while the book
//                                      has contacts; Esc exits
//   Searching                          Search off and hidden, Stop searching on, shown and on Esc;
//                                      the jobs (export, import, print) off
//   Busy                               every contact command and job off (a job runs)
// Exit, autocorrection, the languages, help and about are never switched off by a mode; Russian
// and Ukrainian are off for good where the locale cannot show Cyrillic (RegionInfo.h).
//
// Every change goes through the contact book and is on the disk before the command returns;
// the grid is refreshed after it. Hints of menu items and controls (and the edit dialog's
// "Improper date") show in the status bar's first panel for 3 seconds; "Improper date" cannot
// be covered by another hint during its 3 seconds. The second panel shows the date and time,
// updated every second. Closing the window stores its place, size and column widths; a quit
// request from another program ends the event loop without closing it, so nothing is stored.

#include <functional>
#include <memory>
#include <string>

#include <QWidget>

#include "DataGrid.h"

class QAction;
class QMenu;
class QTimer;
class TBook;
class TFormAbout;
class TFormEdit;
class TIndex;
class TStatusBar;

class TMainFormBook : public QWidget {
public:
  enum TMode { ModeBrowse, ModeEditing, ModeAdding, ModeSearching, ModeDeleting, ModeBusy };

  static constexpr int DesignedClientWidth = 352;
  static constexpr int DesignedClientHeight = 346;
  static constexpr int MinWidth = 340;
  static constexpr int MinHeight = 228;
  static constexpr int HintMilliseconds = 3000;

  // The book must be open; it is not owned.
  explicit TMainFormBook(TBook& book);
  ~TMainFormBook() override;

  // The about window and the edit dialog, created after this window (start-up) and used by its
  // commands; neither is owned.
  void AttachDialogs(TFormAbout* about, TFormEdit* edit);
  // Gives both dialogs the grid's stripe colour as background.
  void TintDialogs();

  // Runs a job under the busy mode: the grid disabled and the wait cursor on while the job is
  // made from args, executed and freed. Whatever happens, the grid is enabled and refreshed,
  // the cursor and the browse mode come back and the grid gets the focus; a failure of the job
  // then goes on to the caller (the event loop reports it).
  template <class TJob, class... TArgs>
  void RunJob(TArgs&&... args) {
    RunJobSteps([&] {
      TJob job(std::forward<TArgs>(args)...);
      job.Execute();
    });
  }

  TMode Mode() const { return FMode; }
  void SetMode(TMode mode);
  void SetStatusText(const std::string& text);
  // The status bar's panel texts as shown (0 hint, 1 clock) and panel 0's width.
  QString StatusPanelText(int panel) const;
  int StatusPanelWidth(int panel) const;
  bool HintLocked() const { return FHintLocked; }
  // The application's hint event: shows the hint for 3 seconds unless "Improper date" is up.
  void ShowHintText(const std::string& hint);

  TDataGrid* GridBook = nullptr;
  QMenu* PopupMenu = nullptr;
  QMenu* MenuHelp = nullptr;
  QMenu* MenuFile = nullptr;
  QMenu* MenuLang = nullptr;
  QTimer* Timer = nullptr;
  QTimer* HintTimer = nullptr;
  TStatusBar* StatusBar = nullptr;

  QAction* ActExit = nullptr;
  QAction* ActUpperName = nullptr;
  QAction* ActInsert = nullptr;
  QAction* ActEdit = nullptr;
  QAction* ActDelete = nullptr;
  QAction* ActSort = nullptr;
  QAction* ActSearchStart = nullptr;
  QAction* ActSearchStop = nullptr;
  QAction* ActRusLang = nullptr;
  QAction* ActUkrLang = nullptr;
  QAction* ActEngLang = nullptr;
  QAction* ActAbout = nullptr;
  QAction* ActHelp = nullptr;
  QAction* ActExport = nullptr;
  QAction* ActImport = nullptr;
  QAction* ActPrint = nullptr;

  // The commands, as the actions and the tests run them.
  void RunInsertDialog();
  void RunEditDialog();
  void RunDeleteQuestion();
  void SwitchLanguage(int language);
  void ApplyLanguage();
  void ApplyTexts();

  // The grid's events.
  void FilterSearchKey(QChar& key);
  void SearchChanged(std::string& text);
  void ColumnClicked(int column, TIndex*& index);

protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void FormCreate();
  void CreateActions();
  void CreatePopupMenu();
  void CreateGrid();
  void RestoreBounds();
  void SaveWindowSettings();
  void UpdateClock();
  void FitStatusPanels();
  void HintTimerTimer();
  void ActUpperNameExecute();
  void ActAboutExecute();
  void ActSearchStartExecute();
  void SetBirthCaption(const std::string& caption);
  // The birthday caption with the suffix of the order the index gives.
  std::string BirthCaption(const TIndex* index) const;
  void EndSearchBeforeDialog();
  void PrepareEditDialog(const std::string& caption);
  bool ShowEditDialog();
  void RunJobSteps(const std::function<void()>& createExecuteFree);
  void SysColorChange();

  TBook& FBook;
  TFormAbout* FFormAbout = nullptr;
  TFormEdit* FFormEdit = nullptr;
  TMode FMode = ModeBrowse;
  bool FHintLocked = false;
  std::string FStatusText;
  bool FClickedOnData = false;
};

// The two-panel status bar: panel 0 for status texts, panel 1 for the clock. It takes no mouse
// input and has no size grip.
class TStatusBar : public QWidget {
public:
  explicit TStatusBar(QWidget* parent);
  QString PanelText(int panel) const { return FTexts[panel]; }
  void SetPanelText(int panel, const QString& text);
  int PanelWidth(int panel) const { return FWidths[panel]; }
  void SetPanelWidth(int panel, int width);
  // Space a panel's text keeps from its frame on each side.
  static constexpr int TextMargin = 3;
  QSize sizeHint() const override;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  QString FTexts[2];
  int FWidths[2] = {50, 50};
};
