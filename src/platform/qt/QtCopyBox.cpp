#include "platform/qt/QtCopyBox.h"

#include <QTextCursor>
#include <QTextDocumentFragment>
#include <algorithm>
#include <string_view>

#include "platform/ListStore.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtUnits.h"

namespace quorvel {

void QtCopyBox::showKept(const std::string& kept) {
  cuts_.clear();
  lineCharacters_ = 0;
  cutting_ = false;
  setPlainText({});
  showAppended(kept, 0);
}

void QtCopyBox::showAppended(const std::string& whole, std::size_t from) {
  kept_ = &whole;
  const std::string_view kept = whole;
  QTextCursor end(document());
  end.movePosition(QTextCursor::End);
  QString shown;
  std::size_t piece = from;  // the first byte not yet shown or hidden
  for (std::size_t i = from; i < kept.size(); ++i) {
    const char c = kept[i];
    if (c == '\r' || c == '\n') {
      if (cutting_) cuts_.back().to = i;
      if (!cutting_) shown += qs(kept.substr(piece, i - piece));
      if (c == '\r' && i + 1 < kept.size() && kept[i + 1] == '\n') ++i;
      shown += QLatin1Char('\n');
      piece = i + 1;
      lineCharacters_ = 0;
      cutting_ = false;
    } else if (!cutting_ && (c & 0xC0) != 0x80 && ++lineCharacters_ > ListStore::kLongestShownRow) {
      shown += qs(kept.substr(piece, i - piece));
      cuts_.push_back({end.position() + static_cast<int>(shown.size()), i, kept.size()});
      shown += QChar(0x2026);
      cutting_ = true;
    }
  }
  if (cutting_) {
    cuts_.back().to = kept.size();
  } else {
    shown += qs(kept.substr(std::min(piece, kept.size())));
  }
  end.insertText(shown);
}

QMimeData* QtCopyBox::createMimeDataFromSelection() const {
  const QTextCursor selection = textCursor();
  QTextCursor piece(document());
  QString text;
  const auto take = [&](int to) {
    piece.setPosition(to, QTextCursor::KeepAnchor);
    text += piece.selection().toPlainText();
  };
  piece.setPosition(selection.selectionStart());
  for (const Cut& cut : cuts_) {
    if (cut.at < selection.selectionStart() || cut.at >= selection.selectionEnd()) continue;
    take(cut.at);
    text += qs(std::string_view(*kept_).substr(cut.from, cut.to - cut.from));
    piece.setPosition(cut.at + 1);
  }
  take(selection.selectionEnd());
  return secretText(text);
}

}  // namespace quorvel
