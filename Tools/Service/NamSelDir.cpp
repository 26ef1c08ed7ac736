#include "NamSelDir.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "BaseOptions.h"
#include "UErrors.h"

namespace {

class TNamedDirDialog : public QDialog {
public:
  TNamedDirDialog(const QString& defaultName, QWidget* owner) : QDialog(owner), FName(defaultName) {
    setObjectName("NamedDirDialog");
    resize(420, 460);
    auto* layout = new QVBoxLayout(this);
    Title = new QLabel(this);
    Title->setObjectName("Title");
    Title->setWordWrap(true);
    Model = new QFileSystemModel(this);
    Model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    Model->setRootPath(QStringLiteral("/"));
    Tree = new QTreeView(this);
    Tree->setObjectName("Tree");
    Tree->setModel(Model);
    for (int column = 1; column < Model->columnCount(); ++column) Tree->hideColumn(column);
    Tree->setHeaderHidden(true);
    Edit = new QLineEdit(this);
    Edit->setObjectName("EditName");
    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(Title);
    layout->addWidget(Tree, 1);
    layout->addWidget(Edit);
    layout->addWidget(Buttons);
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(Tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { SelectionChanged(current); });
    Ok()->setEnabled(false);
  }

  QPushButton* Ok() const { return Buttons->button(QDialogButtonBox::Ok); }
  QPushButton* Cancel() const { return Buttons->button(QDialogButtonBox::Cancel); }

  void Select(const QString& path) {
    QString folder = path;
    // The proposed folder usually does not exist yet: open on its nearest existing parent.
    while (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
      const QString parent = QFileInfo(QDir::cleanPath(folder)).path();
      if (parent == folder) break;
      folder = parent;
    }
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
    const QModelIndex index = Model->index(QDir::cleanPath(folder));
    Tree->setCurrentIndex(index);
    Tree->scrollTo(index);
    SelectionChanged(index);
  }

  QString SelectedFolder() const { return Model->filePath(Tree->currentIndex()); }

  QLabel* Title;
  QFileSystemModel* Model;
  QTreeView* Tree;
  QLineEdit* Edit;
  QDialogButtonBox* Buttons;

private:
  void SelectionChanged(const QModelIndex& current) {
    const QString folder = current.isValid() ? Model->filePath(current) : QString();
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
      Edit->setText(QDir(folder).filePath(FName));
      Ok()->setEnabled(true);
    } else {
      Edit->clear();
      Ok()->setEnabled(false);
    }
  }

  QString FName;
};

}  // namespace

bool SelectDirWithName(const std::string& defaultName, std::string& path,
                       const std::string& caption, const std::string& title,
                       const std::string& okText, const std::string& cancelText,
                       QWidget* owner) {
  const std::string unit = "Tools/Service/NamSelDir";
  Assert(defaultName == TrimBlanks(defaultName), "Not Trimmed Default Direcdtory Name", unit);
  Assert(!defaultName.empty(), "Default Direcdtory Name Is Empty", unit);

  TNamedDirDialog dialog(QString::fromStdString(defaultName), owner);
  if (!caption.empty()) dialog.setWindowTitle(QString::fromStdString(caption));
  dialog.Title->setText(QString::fromStdString(title));
  if (!okText.empty()) dialog.Ok()->setText(QString::fromStdString(okText));
  if (!cancelText.empty()) dialog.Cancel()->setText(QString::fromStdString(cancelText));
  dialog.Select(QString::fromStdString(path));
  if (dialog.exec() != QDialog::Accepted) return false;
  const QString edited = dialog.Edit->text().trimmed();
  path = (edited.isEmpty() ? dialog.SelectedFolder() : edited).toStdString();
  return true;
}
