#include "Contacts.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

#include "TextIntface.h"

namespace {

TShellOpener& TestOpener() {
  static TShellOpener opener;
  return opener;
}

}  // namespace

bool ShellOpenResult(const std::string& target) {
  if (TestOpener()) return TestOpener()(target);
  // Tolerant parsing keeps the escapes MailEscape made and encodes what a URL cannot carry.
  return QDesktopServices::openUrl(QUrl(QString::fromStdString(target), QUrl::TolerantMode));
}

void ShellOpen(const std::string& target) { ShellOpenResult(target); }

void OpenScrambledAddress(std::span<const std::uint8_t> address, const std::string& suffix) {
  ShellOpen(UnscrambleAddress(address) + suffix);
}

std::string MailEscape(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    if (c == ' ')
      escaped += "%20";
    else if (c == '\r')
      escaped += "%0D";
    else if (c == '\n')
      escaped += "%0A";
    else
      escaped += c;
  }
  return escaped;
}

bool SendMailTo(std::span<const std::uint8_t> address, const std::string& subject,
                const std::string& body) {
  const std::string mail = FormatIndexed("mailto:%0:s?subject=%1:s&body=%2:s",
                                         {UnscrambleAddress(address), MailEscape(subject),
                                          MailEscape(body)});
  return ShellOpenResult(mail);
}

void SetShellOpenerForTests(TShellOpener opener) { TestOpener() = std::move(opener); }
