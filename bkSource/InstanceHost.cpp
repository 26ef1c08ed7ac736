#include "InstanceHost.h"

#include <atomic>
#include <memory>

#include <QApplication>
#include <QWidget>

#include "MessageBoxForm.h"

namespace {

std::atomic<bool> QuitFlag{false};

void RestoreAndAnswer(TActivationAnswer& answer) {
  QWidget* window = ActiveAppWindow();
  if (window == nullptr) return;  // the dropped answer tells the asking copy "no window"
  if (window->isMinimized()) window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->raise();
  window->activateWindow();
  answer.Send(static_cast<std::uint32_t>(window->winId()));
}

}  // namespace

QWidget* ActiveAppWindow() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (QWidget* main = MainWindow(); main != nullptr && main->isVisible()) return main;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->isVisible()) return window;
  return nullptr;
}

bool QuitRequested() { return QuitFlag; }

TInstanceRequests QtInstanceRequests() {
  TInstanceRequests requests;
  requests.Restore = [](TActivationAnswer answer) {
    auto pending = std::make_shared<TActivationAnswer>(std::move(answer));
    QMetaObject::invokeMethod(qApp, [pending] { RestoreAndAnswer(*pending); },
                              Qt::QueuedConnection);
  };
  requests.Quit = [] {
    QMetaObject::invokeMethod(
        qApp,
        [] {
          QuitFlag = true;
          QCoreApplication::exit(0);  // unlike quit(), closes no window
        },
        Qt::QueuedConnection);
  };
  return requests;
}
