#include "platform/qt/QtDialogs.h"

#include <QMessageBox>

#include "platform/qt/QtUnits.h"

namespace quorvel {

MessageAnswer showMessageBox(QWidget* parent, std::string_view title, std::string_view text,
                             MessageIcon icon, MessageButtons buttons) {
  const QMessageBox::Icon shown = icon == MessageIcon::Critical  ? QMessageBox::Critical
                                  : icon == MessageIcon::Warning ? QMessageBox::Warning
                                                                 : QMessageBox::Question;
  QMessageBox box(
      shown, qs(title), qs(text),
      buttons == MessageButtons::Ok ? QMessageBox::Ok : QMessageBox::Yes | QMessageBox::No, parent);
  // Of Yes and No, Qt makes Yes the default button and No the one Escape presses.
  box.setTextFormat(Qt::PlainText);
  const int answer = box.exec();
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

}  // namespace quorvel
