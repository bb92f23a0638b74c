#include "platform/win32/Win32Contents.h"

#include "platform/win32/WideText.h"
#include "platform/win32/Win32Window.h"

namespace quorvel {

namespace {

std::size_t at(Control control) {
  return static_cast<std::size_t>(control);
}

}  // namespace

Win32Contents::Win32Contents(Win32Window& window) : window_(window) {
  for (const auto& d : window_.design().controls) texts_[at(d.id)] = std::string(d.text);
}

std::string Win32Contents::text(Control control) const {
  if (control != Control::EntryBox) return texts_[at(control)];
  HWND box = window_.control(control);
  std::wstring wide(static_cast<std::size_t>(::GetWindowTextLengthW(box)) + 1, L'\0');
  wide.resize(static_cast<std::size_t>(::GetWindowTextW(box, wide.data(), int(wide.size()))));
  return toUtf8(wide);
}

void Win32Contents::setText(Control control, std::string_view text) {
  texts_[at(control)] = std::string(text);
  if (control == Control::CopyBox) return showCopyBox();
  ::SetWindowTextW(window_.control(control), toWide(text).c_str());
}

void Win32Contents::appendText(Control control, std::string_view more) {
  if (control != Control::CopyBox) return setText(control, text(control) + std::string(more));
  std::string& kept = texts_[at(control)];
  // A CR LF split between two appends shows differently from a whole one: redraw it all.
  const bool splitLineEnd =
      !kept.empty() && kept.back() == '\r' && !more.empty() && more.front() == '\n';
  kept.append(more);
  if (splitLineEnd) return showCopyBox();
  HWND box = window_.control(control);
  const int end = ::GetWindowTextLengthW(box);
  ::SendMessageW(box, EM_SETSEL, end, end);
  ::SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(toWide(more).c_str()));
  ::SendMessageW(box, EM_SCROLLCARET, 0, 0);
}

void Win32Contents::showCopyBox() {
  // The box breaks lines at CR LF, the program's own line end, so it shows the kept text as
  // it is; the newest pick is at the end, so that is what it shows.
  HWND box = window_.control(Control::CopyBox);
  ::SetWindowTextW(box, toWide(texts_[at(Control::CopyBox)]).c_str());
  const int end = ::GetWindowTextLengthW(box);
  ::SendMessageW(box, EM_SETSEL, end, end);
  ::SendMessageW(box, EM_SCROLLCARET, 0, 0);
}

void Win32Contents::setToolTip(Control control, std::string_view tip) {
  HWND w = window_.control(control);
  std::wstring text = toWide(tip);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = window_.main();
  tool.uId = reinterpret_cast<UINT_PTR>(w);
  tool.lpszText = text.data();
  ::SendMessageW(window_.toolTips(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  const ControlDesign& d = window_.design().control(control);
  if (d.kind != ControlKind::Label && d.kind != ControlKind::Button) {
    window_.accessibility().setDescription(w, accessibleDescription(d, tip));
  }
}

void Win32Contents::setVisible(Control control, bool visible) {
  ::ShowWindow(window_.control(control), visible ? SW_SHOWNA : SW_HIDE);
}

ListStore* Win32Contents::rows(Control list) {
  if (list == Control::WordList) return &wordList_;
  return list == Control::Candidates ? &candidates_ : nullptr;
}

const ListStore* Win32Contents::rows(Control list) const {
  return const_cast<Win32Contents*>(this)->rows(list);
}

void Win32Contents::showRowCount(Control list) {
  // Only the count goes to the view; it asks for the rows it shows.
  changing_ = true;
  ::SendMessageW(window_.control(list), LVM_SETITEMCOUNT, rows(list)->count(), LVSICF_NOSCROLL);
  changing_ = false;
}

void Win32Contents::clearList(Control list) {
  if (rows(list) == nullptr) return;
  rows(list)->clear();
  changing_ = true;
  ::SendMessageW(window_.control(list), LVM_DELETEALLITEMS, 0, 0);
  changing_ = false;
}

void Win32Contents::appendItems(Control list, std::vector<std::string> items) {
  if (rows(list) == nullptr || items.empty()) return;
  rows(list)->append(std::move(items));
  showRowCount(list);
}

void Win32Contents::appendRows(Control list, const ListRows& shown) {
  if (rows(list) == nullptr || shown.rowCount() == 0) return;
  rows(list)->append(shown);
  showRowCount(list);
}

int Win32Contents::selectedRow(Control list) const {
  if (rows(list) == nullptr) return -1;
  return static_cast<int>(
      ::SendMessageW(window_.control(list), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
}

std::string Win32Contents::selectedText(Control list) const {
  const int row = selectedRow(list);
  return row < 0 ? std::string() : rows(list)->item(static_cast<std::size_t>(row));
}

void Win32Contents::rowText(NMLVDISPINFOW& request) {
  const std::optional<Control> list = window_.controlOf(request.hdr.hwndFrom);
  if (!list || rows(*list) == nullptr || !(request.item.mask & LVIF_TEXT)) return;
  shownRow_ = toWide(rows(*list)->shown(static_cast<std::size_t>(std::max(request.item.iItem, 0))));
  // The view reads the text where it is, without copying it into a buffer of its own size.
  request.item.pszText = shownRow_.data();
}

}  // namespace quorvel
