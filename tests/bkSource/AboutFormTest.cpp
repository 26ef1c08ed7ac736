// The about window, the support mail and the monthly update check against a server on the
// loopback address.

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "Contacts.h"
#include "LoopbackHttp.h"
#include "MainFormFixture.h"
#include "VersionTest.h"

namespace {

class AboutFormTest : public MainFormFixture {
protected:
  AboutFormTest() {
    SetShellOpenerForTests([this](const std::string& target) {
      opened.push_back(target);
      return opens;
    });
  }
  ~AboutFormTest() override {
    StopVersionCheck();
    SetShellOpenerForTests({});
    SetDownloadServerForTests("");
  }

  // The mark the about window shows when the menu opens it.
  QString ShownMark() {
    QString mark;
    WithDialog([&] { form->ActAbout->trigger(); }, [&] {
      mark = about->LbNewVersion->text();
      about->BtnOK->click();
    });
    return mark;
  }
  // Runs the check that creating the about window starts and waits until it has reported.
  void RunCheck(const std::string& server) {
    SetDownloadServerForTests(server);
    ProgOptions->SetTestDate(0);
    CreateForm();
    // The worker's request and then its queued result.
    EXPECT_TRUE(QTest::qWaitFor([] { return !VersionCheckRunning(); }, 5000));
    QCoreApplication::processEvents();
  }

  std::vector<std::string> opened;
  bool opens = true;
};

}  // namespace

TEST_F(AboutFormTest, ShowsVersionNoticeAndLinks) {
  CreateForm();
  EXPECT_EQ(about->size(), QSize(253, 188));
  EXPECT_EQ(about->windowTitle(), "About program");
  EXPECT_EQ(about->LbVersion->text(), "Version 1.2");
  EXPECT_EQ(about->LbCopyright->text(), "Copyright (C) 2025 The Vellumark developers");
  EXPECT_EQ(about->LbIcon->text(), "Icon design:");
  EXPECT_EQ(about->LbAddr->text(), "www.vellumark.example");
  EXPECT_EQ(about->LbAddr->statusTip(), "Visit software page");
  EXPECT_EQ(about->LbNewVersion->x(), about->LbAddr->geometry().right() + 3);
  EXPECT_EQ(about->LbNewVersion->geometry().right(), 253 - 3);

  about->LbAddrClick();
  about->LbIconDesignClick();
  EXPECT_EQ(opened, (std::vector<std::string>{"https://www.vellumark.example/langs/eng?ver=1.2",
                                              "https://icons.example/"}));
}

TEST_F(AboutFormTest, SupportMailCarriesVersionAndEscapedTexts) {
  EXPECT_EQ(MailEscape("a b\r\nc&д"), "a%20b%0D%0Ac&д");
  CreateForm();
  about->LbMailClick();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0],
            "mailto:support@vellumark.example?subject=Support%20Service%20Apply%20(version%201.2)"
            "&body=Enter%20the%20reason%20for%20apply%20here...");

  // Without a mail client the user is told, and the about window stays.
  opens = false;
  QString caption;
  ASSERT_TRUE(WithDialog([&] { about->LbMailClick(); }, [&] {
    caption = FormMessageBox()->windowTitle();
    FormMessageBox()->Btn2->click();
  }));
  EXPECT_EQ(caption, "Sending message");
}

TEST_F(AboutFormTest, UpdateCheckStoresAnotherVersionAndMarksTheWindow) {
  TLoopbackHttp server("1.3\r\n");
  RunCheck(server.Address());
  EXPECT_EQ(server.Targets, QStringList{"/download/book.ver?ver=1.2"});
  EXPECT_EQ(ProgOptions->LastVersion(), "1.3");
  EXPECT_GT(ProgOptions->TestDate(), Now() - 1);
  EXPECT_TRUE(about->NewVersionKnown());
  EXPECT_EQ(ShownMark(), "<- new version");

  // Within the month no further request is made, and the stored answer still marks the window.
  form.reset();
  CreateForm();
  QTest::qWait(200);
  EXPECT_EQ(server.Targets.size(), 1);
  EXPECT_TRUE(about->NewVersionKnown());
}

TEST_F(AboutFormTest, TheSameVersionOrNoServerChangesNothing) {
  {
    TLoopbackHttp server("1.2");
    RunCheck(server.Address());
    EXPECT_EQ(server.Targets.size(), 1);
    EXPECT_EQ(ProgOptions->LastVersion(), "");
    EXPECT_GT(ProgOptions->TestDate(), Now() - 1);  // the check itself succeeded
    EXPECT_EQ(ShownMark(), "");
  }
  form.reset();
  QTcpServer closed;
  closed.listen(QHostAddress::LocalHost, 0);
  const std::string address = "http://127.0.0.1:" + std::to_string(closed.serverPort());
  closed.close();
  ProgOptions->SetLastVersion("1.4");
  RunCheck(address);
  EXPECT_EQ(ProgOptions->TestDate(), 0);  // so the next start tries again
  EXPECT_EQ(ProgOptions->LastVersion(), "1.4");
  EXPECT_EQ(ShownMark(), "<- new version");
}
