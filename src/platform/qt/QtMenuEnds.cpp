#include "platform/qt/QtMenuEnds.h"

#include <QApplication>
#include <QMenu>
#include <QProxyStyle>
#include <QStyleFactory>
#include <algorithm>

namespace quorvel {

namespace {

// Blank pixels between the frame and the first or last item. Fusion draws a separator's line
// on the top row of its two, so with this margin the line stands clear of the frame.
constexpr int kEndMargin = 3;

class MenuEndsStyle : public QProxyStyle {
 public:
  // The application's own style underneath, not the desktop's default, so the menu keeps
  // the look of the rest of the window.
  MenuEndsStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    if (metric == PM_MenuVMargin) {
      return std::max(kEndMargin, QProxyStyle::pixelMetric(metric, option, widget));
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

}  // namespace

void showEndSeparators(QMenu* menu) {
  auto* style = new MenuEndsStyle;
  style->setParent(menu);
  menu->setStyle(style);
}

}  // namespace quorvel
