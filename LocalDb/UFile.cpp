#include "UFile.h"

#include "UErrors.h"

void TFile::CheckOpen() const {
  if (!IsOpen()) throw EGeneral("Недопустимая операция при закрытом файле");
}

void TFile::CheckClosed() const {
  if (IsOpen()) throw EGeneral("Недопустимая операция при открытом файле");
}

void TFile::SetFileName(const std::string& name) {
  CheckClosed();
  if (name.empty()) throw EGeneral("Пустое имя файла");
  // File names are case-sensitive here, so a name differing only in letter case is another file.
  fileName_ = name;
}

std::int64_t TFile::Seek(std::int64_t offset, int origin) {
  CheckOpen();
  const std::int64_t result = handle_->Seek(offset, origin);
  if (result < 0 || (origin == 0 && result != offset)) {
    throw EGeneral("Ошибка позиционирования в файле");
  }
  return result;
}

void TFile::Read(void* buffer, std::int64_t count) {
  CheckOpen();
  if (handle_->Read(buffer, count) != count) throw EGeneral("Ошибка при чтении из файла");
}

void TFile::Write(const void* buffer, std::int64_t count) {
  CheckOpen();
  if (handle_->Write(buffer, count) != count) throw EGeneral("Ошибка записи в файл");
}

void TFile::Truncate() {
  CheckOpen();
  if (!handle_->Truncate()) throw EGeneral("Ошибка записи в файл");
}

void TFile::Flush() {
  CheckOpen();
  if (!handle_->Sync()) throw EGeneral("Ошибка записи в файл");
}

void TFile::CreateFile(bool overwrite) {
  CheckClosed();
  TFileSystem& fileSystem = ActiveFileSystem();
  if (!overwrite && fileSystem.FileExists(fileName_)) throw EGeneral("Файл существует");
  handle_ = fileSystem.CreateExclusive(fileName_, overwrite);
  if (!handle_) throw EGeneral("Невозможно создать файл");
}

void TFile::Open(bool createIfMissing) {
  CheckClosed();
  TFileSystem& fileSystem = ActiveFileSystem();
  if (fileSystem.FileExists(fileName_)) {
    handle_ = fileSystem.OpenExclusive(fileName_);
    if (!handle_) throw EGeneral("Ошибка открытия файла");
  } else if (createIfMissing) {
    CreateFile(false);
  } else {
    throw EGeneral("Файл не найден");
  }
}

void TFile::Close() {
  CheckOpen();
  handle_.reset();
}
