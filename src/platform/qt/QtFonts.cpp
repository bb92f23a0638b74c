#include "platform/qt/QtFonts.h"

#include <QStringList>
#include <cmath>

namespace quorvel {

namespace {

QFont sansFont(int pixels) {
  QFont font(QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                         QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixels);
  return font;
}

}  // namespace

int pixelsForPoints(double points) {
  return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

QFont windowFont() {
  return sansFont(pixelsForPoints(8.25));
}

QFont boldFont(FontSize size) {
  double points = 8.25;
  switch (size) {
    case FontSize::Default:
    case FontSize::Pt8_25:
      points = 8.25;
      break;
    case FontSize::Pt9_75:
      points = 9.75;
      break;
    case FontSize::Pt18:
      points = 18.0;
      break;
  }
  QFont font = sansFont(pixelsForPoints(points));
  font.setWeight(QFont::Bold);
  return font;
}

}  // namespace quorvel
