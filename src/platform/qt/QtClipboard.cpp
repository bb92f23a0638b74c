#include "platform/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace quorvel {

QMimeData* secretText(const QString& text) {
  auto* data = new QMimeData;
  data->setText(text);
  data->setData(QStringLiteral("x-kde-passwordManagerHint"), QByteArrayLiteral("secret"));
  return data;
}

void clearClipboard() {
  QGuiApplication::clipboard()->clear();
}

void setSecretClipboardText(const QString& text) {
  QGuiApplication::clipboard()->setMimeData(secretText(text));
}

void markWidgetCopiesSecret(QObject* context) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  // The clipboard tells of a change before the program takes its next event, so no clipboard
  // manager can read the unmarked text: it has to ask this program for it.
  QObject::connect(clipboard, &QClipboard::changed, context, [clipboard](QClipboard::Mode mode) {
    const bool ours = (mode == QClipboard::Clipboard && clipboard->ownsClipboard()) ||
                      (mode == QClipboard::Selection && clipboard->ownsSelection());
    if (!ours) return;
    const QMimeData* data = clipboard->mimeData(mode);
    if (data == nullptr || !data->hasText() ||
        data->hasFormat(QStringLiteral("x-kde-passwordManagerHint"))) {
      return;
    }
    clipboard->setMimeData(secretText(data->text()), mode);
  });
}

}  // namespace quorvel
