// The Print command as a user meets it: a CUPS scheduler of the test's own, in a temporary
// folder and listening only on a Unix socket there, with a cups-pdf queue as its default
// printer; the main window over a small contact book prints through it, and the PDF that the
// queue writes is read back with pdftotext. The machine's own scheduler and /etc/cups are never
// used: CUPS_SERVER names the private socket, and cups-pdf's own configuration is only read.
//
// cups-pdf writes a job of a user who has no account into its anonymous folder (AnonDirName of
// its configuration), so the job goes out under such a user name; the private scheduler starts
// its job numbers at a random value, so the file, named after the job, is this run's own.
// Where the scheduler or the queue cannot be had (no cupsd, no cups-pdf, not root) the test is
// skipped with the reason.

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <QAction>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "BookDataOpen.h"
#include "InOut.h"
#include "MainFormFixture.h"
#include "Print.h"

namespace {

namespace fs = std::filesystem;

const char kQueue[] = "VellumarkPdf";
const char kBackend[] = "/usr/lib/cups/backend/cups-pdf";
const char kPpd[] = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";
const char kCupsPdfConfig[] = "/etc/cups/cups-pdf.conf";  // compiled into the backend

struct TCommandResult {
  int Code = -1;
  std::string Output;  // stdout and stderr
};

// Runs a program with the process's environment, waiting at most timeoutMs.
TCommandResult RunCommand(const QString& program, const QStringList& arguments, int timeoutMs = 10000) {
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(program, arguments);
  if (!process.waitForFinished(timeoutMs)) {
    process.kill();
    process.waitForFinished();
    return {-1, "timed out or did not start: " + program.toStdString()};
  }
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          process.readAll().toStdString()};
}

std::string FindProgram(const char* name) {
  return QStandardPaths::findExecutable(name, {"/usr/sbin", "/sbin", "/usr/bin", "/bin"}).toStdString();
}

std::string ReadText(const fs::path& path) {
  std::ifstream file(path);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// Where cups-pdf puts the output of users without an account.
fs::path AnonymousFolder() {
  std::ifstream config(kCupsPdfConfig);
  for (std::string line; std::getline(config, line);) {
    std::istringstream words(line);
    std::string key, value;
    if (words >> key >> value && key == "AnonDirName") return value;
  }
  return "/var/spool/cups-pdf/ANONYMOUS";
}

// A cupsd with its configuration, spool, cache, state, logs and temporary files in one folder,
// stopped when this goes.
class TPrivateCupsServer {
public:
  ~TPrivateCupsServer() { Stop(); }

  // Empty when the scheduler answers on Socket(); otherwise why it does not.
  std::string Start(const fs::path& folder, int firstJobId) {
    const std::string cupsd = FindProgram("cupsd");
    if (cupsd.empty()) return "cupsd not installed (package cups-daemon)";
    FFolder = folder;
    for (const char* sub : {"root", "spool", "cache", "state", "log", "tmp"})
      fs::create_directories(folder / sub);
    // The filters run as the scheduler's unprivileged user and write their temporary files here.
    fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(folder / "tmp", fs::perms::all | fs::perms::sticky_bit);
    const std::string f = folder.string();
    std::ofstream(folder / "root/cups-files.conf")
        << "ServerRoot " << f << "/root\nRequestRoot " << f << "/spool\nCacheDir " << f
        << "/cache\nStateDir " << f << "/state\nTempDir " << f << "/tmp\nErrorLog " << f
        << "/log/error_log\nAccessLog " << f << "/log/access_log\nPageLog " << f
        << "/log/page_log\nPrintcap " << f << "/printcap\n";
    std::ofstream(folder / "root/cupsd.conf")
        << "Listen " << Socket() << "\nBrowsing No\nWebInterface No\nLogLevel info\n"
        << "DefaultAuthType None\n<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
        << "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n";
    std::ofstream(folder / "cache/job.cache") << "NextJobId " << firstJobId << "\n";

    // Should the test itself die, the scheduler goes with it.
    FDaemon.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    FDaemon.setProcessChannelMode(QProcess::MergedChannels);
    FDaemon.setStandardOutputFile(QString::fromStdString((folder / "log/cupsd.out").string()));
    FDaemon.start(QString::fromStdString(cupsd),
                  {"-f", "-c", QString::fromStdString(f + "/root/cupsd.conf"), "-s",
                   QString::fromStdString(f + "/root/cups-files.conf")});
    if (!FDaemon.waitForStarted(5000)) return "cupsd could not be run: " + FDaemon.errorString().toStdString();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 5000) {
      if (FDaemon.state() == QProcess::NotRunning) break;
      if (RunCommand("lpstat", {"-h", QString::fromStdString(Socket()), "-r"}).Output.find("is running") !=
          std::string::npos)
        return {};
      QThread::msleep(50);
    }
    return "cupsd did not start: " + ReadText(folder / "log/cupsd.out") + ReadText(folder / "log/error_log");
  }

  void Stop() {
    if (FDaemon.state() == QProcess::NotRunning) return;
    FDaemon.terminate();
    if (!FDaemon.waitForFinished(5000)) {
      FDaemon.kill();
      FDaemon.waitForFinished(2000);
    }
  }

  std::string Socket() const { return (FFolder / "cups.sock").string(); }
  std::string ErrorLog() const { return ReadText(FFolder / "log/error_log"); }

private:
  fs::path FFolder;
  QProcess FDaemon;
};

std::vector<TContactTexts> ThreeContacts() {
  return {{"Anna Lysenko", "044 111", "", "", "14.02.1988", ""},
          {"Boris Hrytsenko", "044 222", "", "", "03.11.1975", ""},
          {"Vera Shevchuk", "", "", "", "25.12.2001", ""}};
}

class PrintEndToEndTest : public MainFormFixture {
protected:
  void SetUp() override {
    if (geteuid() != 0)
      GTEST_SKIP() << "the cups-pdf backend runs only under a scheduler started as root";
    for (const char* program : {"lpadmin", "lpstat", "pdftotext", "pdfinfo"})
      if (FindProgram(program).empty()) GTEST_SKIP() << program << " not installed";
    if (!fs::exists(kBackend) || !fs::exists(kPpd))
      GTEST_SKIP() << "the cups-pdf printer is not installed (package printer-driver-cups-pdf)";

    const int firstJobId = 100000 + static_cast<int>(std::random_device()() % 800000);
    const std::string failure = server.Start(folder / "cups", firstJobId);
    if (!failure.empty()) GTEST_SKIP() << failure;

    // From here on every CUPS client of this process and of its children talks to the private
    // scheduler, under a user name with no account, with no lpoptions of the real home.
    setenv("CUPS_SERVER", server.Socket().c_str(), 1);
    unsetenv("LPDEST");
    unsetenv("PRINTER");
    setenv("HOME", folder.string().c_str(), 1);
    for (int n = 0; n < 100 && getpwnam(user.c_str()) != nullptr; ++n) user += "x";
    setenv("CUPS_USER", user.c_str(), 1);

    // The queue turns the PDF into PostScript for cups-pdf; Ghostscript, the default renderer,
    // keeps the glyphs but drops their text, which pdftotext then cannot read; cairo keeps both.
    const TCommandResult added =
        RunCommand("lpadmin", {"-p", kQueue, "-E", "-v", "cups-pdf:/", "-P", kPpd, "-o",
                               "pdftops-renderer-default=pdftocairo"});
    ASSERT_EQ(added.Code, 0) << added.Output;
    const TCommandResult chosen = RunCommand("lpadmin", {"-d", kQueue});
    ASSERT_EQ(chosen.Code, 0) << chosen.Output;
  }

  void TearDown() override {
    FreePrintManager();
    SetJobDialogs({});
    SetClock(nullptr);
    (void)Book.release();  // the fixture's book, lent to the jobs
    server.Stop();
    if (!output.empty()) fs::remove(output);
    setenv("CUPS_SERVER", "/nonexistent/cups.sock", 1);
  }

  // The job's PDF once the scheduler has completed the job, or empty after timeoutMs.
  fs::path WaitForOutput(int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
      const std::string completed = RunCommand("lpstat", {"-W", "completed", "-o", kQueue}).Output;
      const std::string prefix = std::string(kQueue) + "-";  // "VellumarkPdf-123456  user ..."
      const std::size_t at = completed.find(prefix);
      if (at != std::string::npos) {
        const std::size_t idAt = at + prefix.size();
        const std::string jobId = completed.substr(idAt, completed.find(' ', idAt) - idAt);
        std::error_code error;
        for (const fs::directory_entry& entry : fs::directory_iterator(AnonymousFolder(), error)) {
          const std::string name = entry.path().filename().string();
          if (name.ends_with("job_" + jobId + ".pdf")) return entry.path();
        }
        return {};  // completed without a file: the log says why
      }
      QThread::msleep(100);
    }
    return {};
  }

  TPrivateCupsServer server;
  std::string user = "vellumark-print-test";
  fs::path output;
  std::vector<std::string> messages;
};

}  // namespace

TEST_F(PrintEndToEndTest, PrintActionPrintsTheListOnTheDefaultCupsPrinter) {
  const TDateTime noon = EncodeDate(2026, 12, 10) + 0.5;
  SetClock([noon] { return noon; });
  ProgOptions->SetTestDate(Now());  // no update check is due
  SetJobDialogs({{}, [this](const std::string& text, const std::string&, int, const std::string&,
                            const std::string&, const std::string&, const std::string&) {
                   messages.push_back(text);
                   return static_cast<int>(mrOk);
                 }});
  Book.reset(book.get());
  AddContacts(ThreeContacts());
  CreatePrintManager();
  CreateForm();

  form->ActPrint->trigger();
  EXPECT_TRUE(messages.empty()) << messages.front();

  output = WaitForOutput(20000);
  ASSERT_FALSE(output.empty()) << "no PDF from the cups-pdf queue in " << AnonymousFolder() << "\n"
                               << server.ErrorLog();
  const TCommandResult text = RunCommand("pdftotext", {"-layout", QString::fromStdString(output.string()), "-"});
  ASSERT_EQ(text.Code, 0) << text.Output;
  const std::string& page = text.Output;
  EXPECT_NE(page.find("Vellumark"), std::string::npos) << page;
  EXPECT_NE(page.find("10 December 2026, 12:00"), std::string::npos) << page;
  EXPECT_EQ(page.find("12:00:00"), std::string::npos) << page;
  for (const char* title : {"Name", "Birthday"}) EXPECT_NE(page.find(title), std::string::npos) << page;
  for (const TContactTexts& contact : ThreeContacts()) {
    EXPECT_NE(page.find(contact.Name), std::string::npos) << page;
    EXPECT_NE(page.find(contact.Birth), std::string::npos) << page;
  }
  EXPECT_NE(page.find("Total: 3"), std::string::npos) << page;
  EXPECT_NE(page.find("(page 1 of 1)"), std::string::npos) << page;
  const TCommandResult info = RunCommand("pdfinfo", {QString::fromStdString(output.string())});
  const std::size_t pages = info.Output.find("Pages:");
  ASSERT_NE(pages, std::string::npos) << info.Output;
  EXPECT_EQ(std::stoi(info.Output.substr(pages + 6)), 1) << info.Output;
}
