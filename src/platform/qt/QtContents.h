// What the program last put into each control, kept beside the widgets. Only the entry box is
// edited by the user, so for every other control the kept text is the truth, byte for byte
// (line ends included), whatever the widget makes of it for display; the scratch controls
// have no widget and exist only here and in their list rows.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"
#include "platform/WindowDesign.h"

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
  std::string itemAt(Control list, int index) const;
  int itemCount(Control list) const;
  std::string selectedText(Control list) const;

 private:
  std::string& stored(Control control) { return texts_[static_cast<std::size_t>(control)]; }
  QItemSelectionModel* selectionOf(Control list) const;
  void showText3();
  void scrollText3ToEnd();

  QtWindow& window_;
  std::array<std::string, design::kControls.size()> texts_;
};

}  // namespace quorvel
