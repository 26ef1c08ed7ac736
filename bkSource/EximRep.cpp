#include "EximRep.h"

#include <filesystem>
#include <memory>

#include <QFile>
#include <QFontMetrics>
#include <QLabel>

#include "CsvFormat.h"
#include "MessageBoxForm.h"
#include "Print.h"
#include "StringUtils.h"
#include "TextIntface.h"
#include "UErrors.h"

namespace {

constexpr int kWarningOneButton = 48;
constexpr int kWarningTwoButtons = 49;
constexpr int kInformation = 64;
const std::string kLineBreak = "\r\n";

// The message box's text label and the dialog's font, as a box would show them. The dialog is
// created for the measuring when none exists yet, and let go again unless the main window owns
// boxes for reuse.
template <typename TMeasure>
auto WithQueryLabel(TMeasure measure) {
  std::unique_ptr<TFormMessageBox> made;
  TFormMessageBox* box = FormMessageBox();
  if (box == nullptr) {
    made = std::make_unique<TFormMessageBox>(MainWindow());
    box = made.get();
  }
  return measure(QFontMetrics(box->font()), box->LbQuery->width());
}

int ShowJobMessage(const std::string& text, const std::string& caption, int kind,
                   const std::string& firstCaption, const std::string& firstHint,
                   const std::string& secondCaption = {}, const std::string& secondHint = {}) {
  return JobDialogs().ShowMessage(text, caption, kind, firstCaption, firstHint, secondCaption,
                                  secondHint);
}

void ShowFileError(const std::string& message, const std::string& caption, const std::string& path) {
  ShowJobMessage(message + kLineBreak + PathForMessageBox(path), caption, kWarningOneButton, "OK",
                 CurrentTexts().ExportErrorHint);
}

std::string DefaultExtension(const std::string& filter) {
  const std::size_t dot = filter.rfind("*.");
  return dot == std::string::npos ? std::string() : filter.substr(dot + 2);
}

bool IsBlank(const std::string& line) {
  for (const char c : line) {
    if (static_cast<unsigned char>(c) > ' ') return false;
  }
  return true;
}

// The whole file; a file that cannot be opened or read fails (std::ifstream cannot tell a read
// error from the end of the file, QFile can).
std::string ReadWholeFile(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) throw EGeneral("Cannot open " + path);
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) throw EGeneral("Cannot read " + path);
  return bytes.toStdString();
}

}  // namespace

std::string WrapToMessageBox(const std::string& line) {
  return WithQueryLabel([&](const QFontMetrics& metrics, int width) {
    QString wrapped;
    QString piece;
    const QString text = QString::fromStdString(line);
    for (qsizetype i = 0; i < text.size(); ++i) {
      // A character outside the basic plane is kept whole.
      const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
      const QString character = text.mid(i, length);
      i += length - 1;
      if (piece.isEmpty() || metrics.horizontalAdvance(piece + character) < width) {
        piece += character;
        continue;
      }
      wrapped += QStringLiteral("\r\n") + piece;
      piece = character;
    }
    wrapped += QStringLiteral("\r\n") + piece;
    return wrapped.toStdString();
  });
}

std::string PathForMessageBox(const std::string& path) {
  return WithQueryLabel([&](const QFontMetrics& metrics, int width) {
    return EllipsisPath(QString::fromStdString(path), metrics, width).toStdString();
  });
}

bool AskSkipLine(const std::string& line) {
  const TTextRecord& texts = CurrentTexts();
  return ShowJobMessage(texts.ImportLineError + WrapToMessageBox(line), texts.ImportCaption,
                        kWarningTwoButtons, texts.ImportContinueCaption, texts.ImportContinueHint,
                        texts.ImportStopCaption, texts.ImportStopHint) == mrOk;
}

// ---- TCsvExport ----

void TCsvExport::Execute() {
  const TTextRecord& texts = CurrentTexts();
  TFileRequest request;
  request.Save = true;
  request.Title = texts.ExportTitle;
  request.Filter = texts.ExportFilter;
  request.DefaultExt = DefaultExtension(texts.ExportFilter);
  request.Folder = JobFolder("Export");
  request.FileName = FormatDateTime("yyyy-mm-dd", Today(), CurrentFormat());
  const std::optional<std::string> chosen = JobDialogs().ChooseFile(request);
  if (!chosen) return;
  const std::string path = SavedFileName(*chosen, request.DefaultExt);
  try {
    WriteFile(path);
  } catch (const std::exception&) {
    FFile.exceptions(std::ios::goodbit);  // closing after a failure must not fail again
    FFile.close();
    ShowFileError(texts.ExportError, texts.ExportTitle, path);
  }
}

void TCsvExport::WriteFile(const std::string& path) {
  FFile.exceptions(std::ios::failbit | std::ios::badbit);
  FFile.open(path, std::ios::binary | std::ios::trunc);
  FFile << CsvFileLine(CurrentTexts().CsvHeader);
  ForEachContact();
  FFile.close();
}

void TCsvExport::WriteContact(const TContactTexts& contact) {
  FFile << CsvFileLine(CsvJoinLine(contact));
}

// ---- TCsvImport ----

void TCsvImport::Execute() {
  const TTextRecord& texts = CurrentTexts();
  TFileRequest request;
  request.Title = texts.ImportCaption;
  request.Filter = texts.ExportFilter;
  request.DefaultExt = DefaultExtension(texts.ExportFilter);
  request.Folder = JobFolder("Import");
  const std::optional<std::string> chosen = JobDialogs().ChooseFile(request);
  std::error_code error;
  if (!chosen || !std::filesystem::is_regular_file(*chosen, error)) return;

  TCounts counts;
  try {
    for (const std::string& line : CsvFileLines(ReadWholeFile(*chosen))) {
      if (IsCsvHeader(line) || IsBlank(line)) continue;
      if (!ImportLine(line, counts)) break;
    }
  } catch (const std::exception&) {
    ShowFileError(texts.ImportError, texts.ImportCaption, *chosen);
    return;
  }
  ShowSummary(counts);
}

bool TCsvImport::ImportLine(const std::string& line, TCounts& counts) {
  bool added = false;
  try {
    added = AddContact(CsvSplitLine(line));
  } catch (const std::exception&) {
    added = false;  // a line that fails while it is added is offered like a refused one
  }
  if (added) {
    ++counts.Added;
    return true;
  }
  if (AskSkipLine(line)) {
    ++counts.Missed;
    return true;
  }
  counts.Interrupted = true;
  return false;
}

void TCsvImport::ShowSummary(const TCounts& counts) {
  const TTextRecord& texts = CurrentTexts();
  std::string summary;
  if (counts.Interrupted) summary = texts.ImportInterrupted + kLineBreak;
  summary += texts.ImportAdded + std::to_string(counts.Added);
  if (counts.Missed != 0) summary += kLineBreak + texts.ImportMissed + std::to_string(counts.Missed);
  ShowJobMessage(summary, texts.ImportCaption, counts.Interrupted ? kWarningOneButton : kInformation,
                 "OK", texts.ImportResultHint);
}

// ---- TListReport ----

void TListReport::Execute() {
  const TTextRecord& texts = CurrentTexts();
  Assert(PrintManager != nullptr, "PrintManager must be assigned", "bkSource/EximRep");
  try {
    PrintManager->SelectDefaultPrinter();
    PrintManager->BeginReport(texts.AppTitle);
    const TContactTexts header = CsvSplitLine(texts.CsvHeader);
    const int count = ContactCount();
    PrintManager->AddTable({header.Name, header.House, header.Work, header.Mobile, header.Birth},
                           {12, 6, 6, 8, 5}, {false, true, true, true, true}, count,
                           {FormatIndexed(texts.TotalFormat, {static_cast<long long>(count)}), "",
                            "", "", ""});
    ForEachContact();
    PrintManager->EndReport();
  } catch (const std::exception&) {
    // Nothing of a half-made report reaches the printer.
    PrintManager->AbortReport();
    ShowJobMessage(texts.PrintError, texts.AppTitle, kWarningOneButton, "OK", texts.ExportErrorHint);
  }
}

void TListReport::WriteContact(const TContactTexts& contact) {
  PrintManager->AddRow({contact.Name, contact.House, contact.Work, contact.Mobile, contact.Birth});
}
