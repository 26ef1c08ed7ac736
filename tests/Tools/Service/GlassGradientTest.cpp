// The bottom strip of a dialog without glass: gradient in the palette's colours, darker at the
// bottom, one look per activation state, the separator shown, no needless repaints.

#include <gtest/gtest.h>

#include <cstdlib>

#include <QDialog>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPalette>

#include "GlassGradient.h"
#include "QtTestApp.h"
#include "UErrors.h"

namespace {

struct StripDialog {
  StripDialog() {
    dialog.resize(314, 142);
    bevel = new QFrame(&dialog);
    bevel->setObjectName("Bevel");
    bevel->setFrameShape(QFrame::HLine);
    bevel->setGeometry(0, 100, 314, 2);
    bevel->hide();
    image = new QLabel(&dialog);
    image->setObjectName("Image");
    image->setGeometry(0, 102, 314, 40);
  }
  QImage Strip() const { return image->pixmap().toImage(); }

  QDialog dialog;
  QFrame* bevel;
  QLabel* image;
};

// The gradient is sampled at pixel centres, so its end rows lie a step inside the end colours.
bool Near(const QColor& a, const QColor& b) {
  return std::abs(a.red() - b.red()) <= 3 && std::abs(a.green() - b.green()) <= 3 &&
         std::abs(a.blue() - b.blue()) <= 3;
}

class GlassGradientTest : public ::testing::Test {
protected:
  GlassGradientTest() { TestApplication(); }
};

}  // namespace

TEST_F(GlassGradientTest, StripIsACaptionGradientDarkerAtTheBottomPerState) {
  StripDialog form;
  TGlassGradienter painter;
  ASSERT_FALSE(painter.Manager().Enabled());

  painter.Paint(*form.image, true);
  EXPECT_TRUE(painter.Applied());
  EXPECT_FALSE(form.bevel->isHidden());
  const QImage active = form.Strip();
  ASSERT_EQ(active.size(), QSize(314, 40));
  EXPECT_TRUE(Near(active.pixelColor(10, 0), painter.Colors(true).Top));
  EXPECT_GT(Luma(active.pixelColor(10, 0)), Luma(active.pixelColor(10, 39)));
  EXPECT_EQ(active.pixelColor(0, 20), active.pixelColor(313, 20));  // vertical only

  painter.Activated(*form.image, false);
  const QImage inactive = form.Strip();
  EXPECT_NE(inactive.pixelColor(10, 0), active.pixelColor(10, 0));
  EXPECT_GE(Luma(inactive.pixelColor(10, 0)), Luma(inactive.pixelColor(10, 39)));
}

TEST_F(GlassGradientTest, UnchangedStripIsNotDrawnAgain) {
  StripDialog form;
  TGlassGradienter painter;
  painter.Paint(*form.image, true);
  const qint64 first = form.image->pixmap().cacheKey();
  painter.Paint(*form.image, true);
  EXPECT_EQ(form.image->pixmap().cacheKey(), first);
  form.image->resize(200, 40);
  painter.Paint(*form.image, true);
  EXPECT_EQ(form.Strip().width(), 200);
}

TEST_F(GlassGradientTest, NewPaletteGivesNewColours) {
  StripDialog form;
  TGlassGradienter painter;
  const QPalette saved = QApplication::palette();
  QPalette changed = saved;
  changed.setColor(QPalette::Highlight, QColor(200, 0, 0));
  QApplication::setPalette(changed);
  painter.ColorsChanged(*form.image);
  painter.Paint(*form.image, true);
  EXPECT_TRUE(Near(form.Strip().pixelColor(5, 39), QColor(200, 0, 0)));
  EXPECT_EQ(HighlightTint(), MixColors(QColor(200, 0, 0), changed.color(QPalette::Base), 0.83));
  QApplication::setPalette(saved);
}

TEST_F(GlassGradientTest, MisuseIsAProgrammingError) {
  TGlassGradienter painter;
  QLabel loose;  // a label that is its own window lies on no dialog
  EXPECT_THROW(painter.Paint(loose, true), EGeneral);
  QDialog dialog;
  EXPECT_THROW(painter.Manager().ExtendFrame(dialog, 40), EGeneral);
  EXPECT_THROW(painter.Manager().SetColorKey(dialog, TGlassGradienter::ColorKey), EGeneral);
  EXPECT_NO_THROW(painter.Manager().ClearLayered(dialog));
}
