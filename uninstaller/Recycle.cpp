#include "Recycle.h"

#include <QFile>
#include <QFileInfo>

namespace {

bool MoveToTrash(const std::string& path, bool folder) {
  const QString name = QString::fromStdString(path);
  const QFileInfo info(name);
  if (!info.exists() || info.isDir() != folder) return !info.exists();
  return QFile::moveToTrash(name);
}

}  // namespace

bool RecycleFile(const std::string& path) { return MoveToTrash(path, false); }
bool RecycleDir(const std::string& path) { return MoveToTrash(path, true); }
