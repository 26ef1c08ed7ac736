#pragma once
// What the first copy of the program does when a later copy or the installer asks it
// (AppSelector.h). The guard's monitor calls these on its own thread; both hand their work to
// the user-interface thread through a queued call:
// - restore: un-minimise and raise the active window (the modal dialog that is open, else the
//   main window, else any shown window) and answer with its native handle, or 0 without one;
// - quit: end every running event loop without the windows' closing steps, and remember it, so
//   that a reminder start shows no further reminders.

#include "AppSelector.h"

class QWidget;

TInstanceRequests QtInstanceRequests();

// True once a quit request has reached the user-interface thread.
bool QuitRequested();

// The window a later copy should see; null when none is shown.
QWidget* ActiveAppWindow();
