// What the program last put into each control, kept beside the widgets. Only the entry box is
// edited by the user, so for every other control the kept text is the truth, byte for byte
// (line ends included), whatever the widget makes of it for display.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

class QItemSelectionModel;

namespace quorvel {

class QtWindow;

class QtContents {
 public:
  // Starts from the design's texts. The window outlives this.
  explicit QtContents(QtWindow& window);

  std::string text(Control control) const;
  void setText(Control control, std::string_view text);
  void appendText(Control control, std::string_view more);
  void setToolTip(Control control, std::string_view tip);
  void setVisible(Control control, bool visible);

  void clearList(Control list);
  void appendItems(Control list, std::vector<std::string> items);
  void appendRows(Control list, const ListRows& rows);
  std::string selectedText(Control list) const;

 private:
  std::string& stored(Control control) { return texts_[static_cast<std::size_t>(control)]; }
  QItemSelectionModel* selectionOf(Control list) const;
  void showCopyBox();
  void scrollCopyBoxToEnd();

  QtWindow& window_;
  std::array<std::string, kControlCount> texts_;
};

}  // namespace quorvel
