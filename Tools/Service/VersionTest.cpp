#include "VersionTest.h"

#include <mutex>

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include "BaseOptions.h"
#include "ProgramPaths.h"
#include "UCodePage1251.h"
#include "UErrors.h"
#include "Version.h"

namespace {

constexpr const char* kUnit = "Tools/Service/VersionTest";

std::mutex ServerLock;
std::string TestServer;

}  // namespace

std::string VersionQuery() {
  std::string version = GetProductVersion(ExecutablePath());
  std::erase(version, ' ');
  return "ver=" + version;
}

std::string CurrentDownloadServer() {
  const std::lock_guard lock(ServerLock);
  return TestServer.empty() ? DownloadServer : TestServer;
}

void SetDownloadServerForTests(const std::string& server) {
  const std::lock_guard lock(ServerLock);
  TestServer = server;
}

std::string VersionRequestAddress() {
  return CurrentDownloadServer() + VersionFilePath + "?" + VersionQuery();
}

TVersionTest::TVersionTest(const std::string& address)
    : FHttp(std::make_unique<QNetworkAccessManager>()) {
  try {
    FTested = Fetch(TrimBlanks(address));
  } catch (...) {
    FTested = false;
  }
  if (!FTested) FText.clear();
  FNewVersionAvailable = FTested && FText != GetProductVersion(ExecutablePath());
}

TVersionTest::~TVersionTest() = default;

std::string TVersionTest::NewVersion() const {
  Assert(FNewVersionAvailable, "Before get new version number need test NewVersionAvailable property",
         kUnit);
  return FText;
}

// One GET on this thread, waiting in a local event loop. The loop also ends when the thread is
// asked to quit (QThread::exit ends every loop of the thread), which cancels the request.
bool TVersionTest::Fetch(const std::string& address) {
  const QUrl url(QString::fromStdString(address), QUrl::StrictMode);
  if (!url.isValid() || url.scheme() != QLatin1String("http")) return false;
  QNetworkRequest request(url);
  request.setTransferTimeout(static_cast<int>(RequestTimeout.count()));
  std::unique_ptr<QNetworkReply> reply(FHttp->get(request));
  QByteArray body;
  bool tooLong = false;
  QEventLoop loop;
  QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
    body += reply->read(static_cast<qint64>(MaxResponseBytes + 1 - static_cast<std::size_t>(body.size())));
    if (static_cast<std::size_t>(body.size()) > MaxResponseBytes) {
      tooLong = true;
      reply->abort();
    }
  });
  QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
  if (!reply->isFinished()) loop.exec();
  if (!reply->isFinished()) {
    reply->abort();
    return false;
  }
  if (tooLong || reply->error() != QNetworkReply::NoError) return false;
  body += reply->read(static_cast<qint64>(MaxResponseBytes + 1 - static_cast<std::size_t>(body.size())));
  if (static_cast<std::size_t>(body.size()) > MaxResponseBytes) return false;
  FText = body.toStdString();
  return IsValidUtf8(FText);
}
