// What the program puts into the controls: captions, the entry box's text, the copy box's
// text (kept as the program gave it, CR LF included), tooltips, visibility, and the rows of
// the two lists, handed to their list views as they draw them.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <array>
#include <string>
#include <vector>

#include "platform/ListStore.h"
#include "platform/Platform.h"

namespace quorvel {

class Win32Window;

class Win32Contents {
 public:
  explicit Win32Contents(Win32Window& window);

  std::string text(Control control) const;
  void setText(Control control, std::string_view text);
  void appendText(Control control, std::string_view more);
  void setToolTip(Control control, std::string_view tip);
  void setVisible(Control control, bool visible);

  void clearList(Control list);
  void appendItems(Control list, std::vector<std::string> items);
  void appendRows(Control list, const ListRows& rows);
  std::string selectedText(Control list) const;
  // The index of the selected row, or -1.
  int selectedRow(Control list) const;

  // A list view asks for a row it is about to draw.
  void rowText(NMLVDISPINFOW& request);
  // True while the program itself changes a list: the selection changes it makes are no
  // user's.
  bool changingList() const { return changing_; }

 private:
  ListStore* rows(Control list);
  const ListStore* rows(Control list) const;
  void showRowCount(Control list);
  void showCopyBox();

  Win32Window& window_;
  std::array<std::string, kControlCount> texts_;
  ListStore wordList_, candidates_;
  // The row text handed to a list view lives until its next request.
  std::wstring shownRow_;
  bool changing_ = false;
};

}  // namespace quorvel
