#include "InOut.h"

#include <filesystem>
#include <memory>

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "BookDataOpen.h"
#include "MessageBoxForm.h"
#include "ProgramPaths.h"
#include "TextIntface.h"
#include "UErrors.h"

namespace {

TJobDialogs& Dialogs() {
  static TJobDialogs dialogs;
  return dialogs;
}

TJobDialogs ProgramDialogs() { return {RunFileDialog, ShowMessageBox}; }

// "Table file (*.csv)|*.csv" becomes "Table file (*.csv)": Qt reads the patterns from the
// description.
QStringList NameFilters(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    const QString pattern = i + 1 < parts.size() ? parts[i + 1] : QString();
    filters << (parts[i].contains(QLatin1Char('(')) ? parts[i] : parts[i] + " (" + pattern + ")");
  }
  return filters;
}

// The save dialog settles the final name before it asks whether to replace an existing file, so
// that the question is about the file that will be written; it asks in Qt's own words, which
// follow the program's language.
class TJobFileDialog : public QFileDialog {
public:
  using QFileDialog::QFileDialog;
  std::string DefaultExt;
  QString Chosen;

  void accept() override {
    const QStringList selected = selectedFiles();
    if (acceptMode() != AcceptSave || selected.isEmpty() || QFileInfo(selected.first()).isDir()) {
      QFileDialog::accept();  // opening, or a folder typed to go into
      return;
    }
    const QString saved =
        QString::fromStdString(SavedFileName(selected.first().toStdString(), DefaultExt));
    if (QFileInfo::exists(saved) && !ReplaceConfirmed(saved)) return;
    Chosen = saved;
    QDialog::accept();
  }

private:
  bool ReplaceConfirmed(const QString& path) {
    const QString question =
        QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?")
            .arg(QFileInfo(path).fileName());
    return QMessageBox::warning(this, windowTitle(), question, QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
  }
};

}  // namespace

const TJobDialogs& JobDialogs() {
  TJobDialogs& dialogs = Dialogs();
  const TJobDialogs program = ProgramDialogs();
  if (!dialogs.ChooseFile) dialogs.ChooseFile = program.ChooseFile;
  if (!dialogs.ShowMessage) dialogs.ShowMessage = program.ShowMessage;
  return dialogs;
}

void SetJobDialogs(TJobDialogs dialogs) { Dialogs() = std::move(dialogs); }

std::string SavedFileName(const std::string& chosen, const std::string& defaultExt) {
  const std::string extension = std::filesystem::path(chosen).extension().string();
  const QString wanted = QStringLiteral(".") + QString::fromStdString(defaultExt);
  if (QString::fromStdString(extension).compare(wanted, Qt::CaseInsensitive) == 0) return chosen;
  return chosen + wanted.toStdString();
}

std::string JobFolder(const std::string& name) {
  const std::string folder = ExecutableFolder() + name;
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return folder;
}

std::optional<std::string> RunFileDialog(const TFileRequest& request) {
  TJobFileDialog dialog(MainWindow(), QString::fromStdString(request.Title),
                        QString::fromStdString(request.Folder));
  dialog.setObjectName(request.Save ? "SaveDialog" : "OpenDialog");
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);  // asked about the final name instead
  dialog.setAcceptMode(request.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setNameFilters(NameFilters(request.Filter));
  dialog.setDefaultSuffix(QString::fromStdString(request.DefaultExt));
  dialog.DefaultExt = request.DefaultExt;
  if (!request.FileName.empty()) dialog.selectFile(QString::fromStdString(request.FileName));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  if (request.Save) return dialog.Chosen.toStdString();
  const QStringList selected = dialog.selectedFiles();
  if (selected.isEmpty()) return std::nullopt;
  return selected.first().toStdString();
}

// ---- the job base ----

namespace {
TBook& ProcessBook() {
  Assert(Book != nullptr, "Book must be assigned", "bkSource/InOut");
  return *Book;
}
}  // namespace

TInOut::TInOut() : FBook(ProcessBook()), SavedRecNo(FBook.Table().RecNo()) {}

TInOut::~TInOut() {
  try {
    FBook.Table().GoTo(SavedRecNo);
  } catch (const std::exception&) {
    // The table was closed or left editing by a failure the job has reported already; the
    // position is then not worth a second report.
  }
}

bool TInOut::AddContact(const TContactTexts& contact) {
  if (!TBook::CheckContact(contact)) return false;
  FBook.InsertContact(contact);
  return true;
}

int TInOut::ContactCount() const { return FBook.Table().RecordCount(); }

void TExport::ForEachContact() {
  TTable& table = FBook.Table();
  for (table.First(); !table.Eof(); table.Next()) WriteContact(FBook.CurrentContact());
}
