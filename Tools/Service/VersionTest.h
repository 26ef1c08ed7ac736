#pragma once
// Asking our download server which version of the program is current.
//
// TVersionTest makes one plain HTTP GET of <server>/download/book.ver?ver=<our version> and
// keeps the answer. Its constructor blocks until the answer is in, the request has failed or
// RequestTimeout has passed, so it is meant for a worker thread; it never throws. A request
// counts as done (Tested) only with a success status and a body of at most MaxResponseBytes
// that is UTF-8 text: a version text is a few bytes, so anything longer is no answer of ours and
// is not read further. NewVersionAvailable compares the body, untrimmed, with the running
// program's product version.
//
// The server is DownloadServer. The test hook SetDownloadServerForTests points it elsewhere
// (a loopback server); the program itself never calls it and reads no environment for it.

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

class QNetworkAccessManager;

inline constexpr const char* DownloadServer = "http://download.vellumark.example";
inline constexpr const char* VersionFilePath = "/download/book.ver";

// "ver=" and the running program's product version without its blanks ("ver=1.2").
std::string VersionQuery();
// The address of the version request: server, path, "?" and VersionQuery.
std::string VersionRequestAddress();
// The server in use (DownloadServer unless a test set another).
std::string CurrentDownloadServer();
// Tests only: the server for the following requests, e.g. "http://127.0.0.1:40123"; an empty
// text restores DownloadServer.
void SetDownloadServerForTests(const std::string& server);

class TVersionTest {
public:
  static constexpr std::size_t MaxResponseBytes = 256;
  static constexpr std::chrono::milliseconds RequestTimeout{15000};

  // Performs the request; see the header comment.
  explicit TVersionTest(const std::string& address);
  ~TVersionTest();
  TVersionTest(const TVersionTest&) = delete;
  TVersionTest& operator=(const TVersionTest&) = delete;

  bool Tested() const { return FTested; }
  bool NewVersionAvailable() const { return FNewVersionAvailable; }
  // The fetched text; asking before NewVersionAvailable is true is a programming error.
  std::string NewVersion() const;

private:
  bool Fetch(const std::string& address);

  std::unique_ptr<QNetworkAccessManager> FHttp;
  std::string FText;
  bool FTested = false;
  bool FNewVersionAvailable = false;
};
