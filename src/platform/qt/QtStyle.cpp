#include "platform/qt/QtStyle.h"

#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>
#include <initializer_list>

#include "platform/qt/QtMenuEnds.h"

namespace quorvel {

namespace {

// Qt's own drawings of the overflow buttons, at the sizes it has them.
QIcon pngIcon(std::initializer_list<const char*> names) {
  QIcon icon;
  for (const char* name : names) {
    QImageReader reader(
        QStringLiteral(":/qt-project.org/styles/commonstyle/images/") + QLatin1String(name), "png");
    reader.setAutoDetectImageFormat(false);
    icon.addPixmap(QPixmap::fromImage(reader.read()));
  }
  return icon;
}

class ProgramStyle : public QProxyStyle {
 public:
  ProgramStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    const int base = QProxyStyle::pixelMetric(metric, option, widget);
    if (metric == PM_MenuVMargin && showsEndSeparators(widget)) {
      return std::max(kMenuEndMargin, base);
    }
    return base;
  }

  // Every menu bar asks for its overflow button's icons when it is made, though the window's
  // never overflows. Fusion has them read from Qt's resources without naming their format,
  // and guessing it loads and probes every image plugin Qt has (and the JPEG library behind
  // one): start-up time and memory for nothing. They are the same PNG files read as such.
  QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                     const QWidget* widget) const override {
    const bool rightToLeft =
        option != nullptr ? option->direction == Qt::RightToLeft : QGuiApplication::isRightToLeft();
    switch (which) {
      case SP_ToolBarHorizontalExtensionButton:
        if (rightToLeft) {
          return pngIcon(
              {"toolbar-ext-h-rtl-8.png", "toolbar-ext-h-rtl-16.png", "toolbar-ext-h-rtl-32.png"});
        }
        return pngIcon({"toolbar-ext-h-8.png", "toolbar-ext-h-16.png", "toolbar-ext-h-32.png"});
      case SP_ToolBarVerticalExtensionButton:
        return pngIcon({"toolbar-ext-v-5.png", "toolbar-ext-v-10.png", "toolbar-ext-v-20.png"});
      default:
        return QProxyStyle::standardIcon(which, option, widget);
    }
  }
};

}  // namespace

QStyle* makeProgramStyle() {
  return new ProgramStyle;
}

}  // namespace quorvel
