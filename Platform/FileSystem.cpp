#include "FileSystem.h"

#include "PosixFileSystem.h"

namespace {

TPosixFileSystem& PosixFileSystem() {
  static TPosixFileSystem fileSystem;
  return fileSystem;
}

TFileSystem*& CurrentFileSystem() {
  static TFileSystem* current = &PosixFileSystem();
  return current;
}

}  // namespace

TFileSystem& ActiveFileSystem() { return *CurrentFileSystem(); }

TFileSystem* ReplaceFileSystem(TFileSystem* fileSystem) {
  TFileSystem* previous = CurrentFileSystem();
  CurrentFileSystem() = fileSystem != nullptr ? fileSystem : &PosixFileSystem();
  return previous;
}
