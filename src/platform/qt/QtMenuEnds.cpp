#include "platform/qt/QtMenuEnds.h"

#include <QMenu>
#include <QVariant>

namespace quorvel {

namespace {

constexpr char kEndSeparators[] = "quorvelEndSeparators";

}  // namespace

void showEndSeparators(QMenu* menu) {
  menu->setProperty(kEndSeparators, true);
}

bool showsEndSeparators(const QWidget* widget) {
  return widget != nullptr && widget->property(kEndSeparators).toBool();
}

}  // namespace quorvel
