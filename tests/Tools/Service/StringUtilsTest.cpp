// Text fitting: texts that fit stay as they are; shortened ones fit and keep what matters (the
// start of a text; the root and the file name of a path).

#include <gtest/gtest.h>

#include <QFontMetrics>

#include "DesignFont.h"
#include "QtTestApp.h"
#include "StringUtils.h"

namespace {

class StringUtilsTest : public ::testing::Test {
protected:
  QApplication& app = TestApplication();  // before any font is made
  const QFontMetrics metrics{DesignFont()};
  int Width(const QString& text) const { return metrics.horizontalAdvance(text); }
};

}  // namespace

TEST_F(StringUtilsTest, EllipsisEndKeepsTheLongestStartThatFits) {
  const QString text = QStringLiteral("Олена Петренко, Київ, вулиця Хрещатик");
  EXPECT_EQ(EllipsisEnd(text, metrics, Width(text)), text);
  for (const int width : {Width(text) - 1, 100, 40, 20}) {
    SCOPED_TRACE(width);
    const QString fitted = EllipsisEnd(text, metrics, width);
    EXPECT_TRUE(fitted.endsWith("..."));
    EXPECT_TRUE(text.startsWith(fitted.chopped(3)));
    EXPECT_LE(Width(fitted), width);
    // One more character would not have fitted.
    EXPECT_GT(Width(text.left(fitted.size() - 3 + 1) + "..."), width);
  }
  EXPECT_LE(Width(EllipsisEnd(text, metrics, 5)), 5);
}

TEST_F(StringUtilsTest, EllipsisPathDropsFoldersFromTheLeftAndKeepsTheName) {
  const QString path = QStringLiteral("/home/anna/documents/contacts/Export/2026-12-10.csv");
  EXPECT_EQ(EllipsisPath(path, metrics, Width(path)), path);
  EXPECT_EQ(EllipsisPath(path, metrics, Width("/.../contacts/Export/2026-12-10.csv")),
            "/.../contacts/Export/2026-12-10.csv");
  EXPECT_EQ(EllipsisPath(path, metrics, Width("/.../2026-12-10.csv")), "/.../2026-12-10.csv");
  const QString narrow = EllipsisPath(path, metrics, Width(".../2026-12"));
  EXPECT_TRUE(narrow.startsWith(".../2026")) << narrow.toStdString();
  EXPECT_TRUE(narrow.endsWith("...")) << narrow.toStdString();
  EXPECT_LE(Width(narrow), Width(".../2026-12"));
}
