#pragma once
// The about window: the program's version and legal notice, the icon credit, and our support
// mailbox and web site as links; beside the site, "<- new version" when the monthly update check
// has heard of another version.
//
// The window is created once, at a normal start right after the main window, and its creation
// starts the update check (StartVersionCheck). The check runs on a worker thread of its own
// (TVersionTestThread): one request, then its result is handed to the user-interface thread,
// which stores it in the settings and updates NewVersionKnown. The window reads that flag
// whenever it is shown. ApplyTexts re-captions it after a language switch.
//
// Clicks: the site opens our product page of the current language (with "?ver=..."), the credit
// the icon designer's page, the mailbox a new support mail; a mail that cannot be started is
// reported in a warning box and the window stays open.

#include <functional>

#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QThread>

class QFrame;
class QPushButton;
class TLinkLabel;

// The painter of the about window's strip, one for the process (start-up creates it; a window
// painted without it creates it on demand).
void CreateAboutFormGradient();
void FreeAboutFormGradient();

class TFormAbout : public QDialog {
public:
  explicit TFormAbout(QWidget* owner = nullptr);

  void ApplyTexts();
  bool NewVersionKnown() const { return FNewVersionKnown; }
  void SetNewVersionKnown(bool known) { FNewVersionKnown = known; }

  QLabel* LbVersion;
  QLabel* LbCopyright;
  QLabel* LbIcon;
  TLinkLabel* LbIconDesign;
  TLinkLabel* LbMail;
  TLinkLabel* LbAddr;
  QLabel* LbNewVersion;
  QFrame* Bevel;
  QLabel* Image;
  QPushButton* BtnOK;

  void LbAddrClick();
  void LbIconDesignClick();
  void LbMailClick();

protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  void CreateControls();
  void FormCreate();

  bool FNewVersionKnown = false;
};

// A label that looks and acts like a link: underlined in the link colour, a hand cursor, and
// OnClick on a left click.
class TLinkLabel : public QLabel {
public:
  explicit TLinkLabel(QWidget* parent);
  std::function<void()> OnClick;

protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  void UpdateLinkColor();
};

// NewVersionKnown := "LastVersion" is set and differs from the running program's version.
void UpdateNewVersionFlag(TFormAbout& about);
// Updates the flag, then starts a check when the month since the last successful one is over.
void StartVersionCheck(TFormAbout& about);

// The check's worker: one request (VersionTest.h), then its result goes to the user-interface
// thread. It deletes itself when it has finished.
class TVersionTestThread : public QThread {
public:
  explicit TVersionTestThread(TFormAbout& about);

protected:
  void run() override;

private:
  QPointer<TFormAbout> FAbout;
};

// True from the start of a check until its thread has finished.
bool VersionCheckRunning();
// Cancels a check that is still running and waits for its thread; the program calls it before
// the objects the check reports to are freed.
void StopVersionCheck();
