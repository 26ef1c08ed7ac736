// One version request against a server on the loopback address.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTcpServer>

#include "LoopbackHttp.h"
#include "QtTestApp.h"
#include "UErrors.h"
#include "VersionTest.h"

namespace {

class VersionTestTest : public ::testing::Test {
protected:
  VersionTestTest() { TestApplication(); }
  ~VersionTestTest() override { SetDownloadServerForTests(""); }
};

}  // namespace

TEST_F(VersionTestTest, AsksForTheVersionFileWithOurVersion) {
  EXPECT_EQ(VersionQuery(), "ver=1.2");
  EXPECT_EQ(VersionRequestAddress(), "http://download.vellumark.example/download/book.ver?ver=1.2");
  TLoopbackHttp server("1.3\r\n");
  SetDownloadServerForTests(server.Address());
  const TVersionTest test(" " + VersionRequestAddress() + " ");  // the address is trimmed
  EXPECT_EQ(server.Targets, QStringList{"/download/book.ver?ver=1.2"});
  EXPECT_TRUE(test.Tested());
  ASSERT_TRUE(test.NewVersionAvailable());
  EXPECT_EQ(test.NewVersion(), "1.3\r\n");  // untrimmed; the settings trim it
}

TEST_F(VersionTestTest, AnswersAndFailures) {
  struct TCase {
    const char* name;
    QByteArray status;
    QByteArray body;
    bool tested;
    bool available;
  };
  const TCase cases[] = {
      {"same version", "200 OK", "1.2", true, false},
      {"same version and a line break", "200 OK", "1.2\n", true, true},
      {"any other text counts as new", "200 OK", "1.1", true, true},
      {"not found", "404 Not Found", "1.3", false, false},
      {"server error", "500 Internal Server Error", "", false, false},
      {"longer than a version text", "200 OK", QByteArray(TVersionTest::MaxResponseBytes + 1, 'x'),
       false, false},
      {"at the limit", "200 OK", QByteArray(TVersionTest::MaxResponseBytes, 'x'), true, true},
      {"not UTF-8", "200 OK", "1.\xff", false, false},
  };
  for (const TCase& c : cases) {
    TLoopbackHttp server(c.body, c.status);
    const TVersionTest test(server.Address() + VersionFilePath + "?" + VersionQuery());
    EXPECT_EQ(test.Tested(), c.tested) << c.name;
    EXPECT_EQ(test.NewVersionAvailable(), c.available) << c.name;
  }
}

TEST_F(VersionTestTest, NoServerOrABadAddressIsNoAnswer) {
  QTcpServer closed;  // a port that was free a moment ago and has no listener now
  closed.listen(QHostAddress::LocalHost, 0);
  const std::string address = "http://127.0.0.1:" + std::to_string(closed.serverPort()) + "/x";
  closed.close();
  for (const std::string& bad : {address, std::string("not an address"),
                                 std::string("ftp://127.0.0.1/x"), std::string()}) {
    const TVersionTest test(bad);
    EXPECT_FALSE(test.Tested()) << bad;
    EXPECT_FALSE(test.NewVersionAvailable()) << bad;
    EXPECT_THROW(test.NewVersion(), EGeneral) << bad;
  }
}
