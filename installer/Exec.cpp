#include "Exec.h"

#include <QProcess>
#include <QString>
#include <QStringList>

void ExecProgram(const std::string& path, const std::string& params, bool wait) {
  const QString program = QString::fromStdString(path);
  const QStringList arguments = QProcess::splitCommand(QString::fromStdString(params));
  if (!wait) {
    QProcess::startDetached(program, arguments);
    return;
  }
  QProcess process;
  process.start(program, arguments);
  if (process.waitForStarted(-1)) process.waitForFinished(-1);
}
