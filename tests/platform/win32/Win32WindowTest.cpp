// The Win32 window (under Wine in CI), only for what it can break: typed characters on their
// way to the key filter, the first key in a list, rows asked for only as drawn, the clipboard's
// marks, the names a screen reader reads and the moves Windows refuses.
#include <windows.h>
// windows.h first: these need its types.
#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleacc.h>

#include <functional>
#include <string>

#include "app/WindowDesign.h"
#include "platform/win32/Win32Clipboard.h"
#include "platform/win32/Win32Platform.h"

namespace quorvel::testing {
namespace {

struct Recorder : WindowEvents {
  std::vector<int> keys;
  std::vector<Control> clicks;
  int menus = 0;
  std::function<int(int)> answer = [](int code) { return code; };
  void onLoad() override {}
  void onClose() override {}
  void onMenu(MenuCommand) override { ++menus; }
  int onEntryKey(int code) override { return keys.push_back(code), answer(code); }
  void onClick(Control control) override { clicks.push_back(control); }
};

std::wstring clipboardText() {
  std::wstring text = L"(none)";
  if (!::OpenClipboard(nullptr)) return L"(closed)";
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(::GlobalLock(data));
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return text;
}

// The marks the clipboard holds now, each with its DWORD: "000" when all three are 0.
std::string clipboardMarks() {
  std::string marks;
  if (!::OpenClipboard(nullptr)) return "(closed)";
  for (const wchar_t* name : kSecretClipboardFormats) {
    HANDLE data = ::GetClipboardData(::RegisterClipboardFormatW(name));
    const auto* value = data != nullptr ? static_cast<const DWORD*>(::GlobalLock(data)) : nullptr;
    marks += value == nullptr ? "-" : std::to_string(*value);
    if (value != nullptr) ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return marks;
}

struct Win32WindowTest : ::testing::Test {
  Win32Platform ui{windowDesign()};
  Recorder events;
  HWND entry = ui.control(Control::EntryBox);

  void SetUp() override {
    ui.setEvents(&events);
    ::ShowWindow(ui.window(), SW_SHOWNOACTIVATE);
    ::UpdateWindow(ui.window());
  }
  std::wstring text(HWND w) {
    std::wstring s(static_cast<std::size_t>(::GetWindowTextLengthW(w)) + 1, L'\0');
    s.resize(static_cast<std::size_t>(::GetWindowTextW(w, s.data(), int(s.size()))));
    return s;
  }
  int selected(Control list) { return ListView_GetNextItem(ui.control(list), -1, LVNI_SELECTED); }
};

TEST_F(Win32WindowTest, TypedCharactersReachTheFilterWholeAndTheBoxTakesWhatItLeaves) {
  const auto same = [](int code) { return code; };
  const struct {
    std::u16string units;
    std::function<int(int)> answer;
    std::vector<int> seen;
    std::wstring shown;
    bool inputOn = true;
  } rows[] = {
      {u"ab", same, {'a', 'b'}, L"ab"},
      {u"A", [](int) { return 'a'; }, {'A'}, L"a"},
      {u"\u00e9", same, {0xE9}, L"\u00e9"},
      {u"\U0001D400", same, {0x1D400}, L"\U0001D400"},
      {u"\U0001D400", [](int) { return 'q'; }, {0x1D400}, L"q"},
      {std::u16string(u"x\x1c\x1f") + u'\0', same, {'x'}, L"x"},
      {u"xy", [](int) { return 0; }, {'x', 'y'}, L""},
      {u"ab\b", same, {'a', 'b', 8}, L"a"},
      {u"a\x16\x18\r\x1b\x7f", same, {'a', 22, 24, 13, 27, 127}, L"a"},
      {u"a", same, {}, L"", false},
  };
  for (const auto& row : rows) {
    ::SetWindowTextW(entry, L"");
    events = Recorder();
    events.answer = row.answer;
    ui.setClipboardText("pasted");
    ui.setInputEnabled(row.inputOn);
    for (const char16_t unit : row.units) ::SendMessageW(entry, WM_CHAR, unit, 1);
    ::SendMessageW(entry, WM_PASTE, 0, 0);  // no way round the filter
    ui.setInputEnabled(true);
    EXPECT_EQ(events.keys, row.seen) << row.units.size();
    EXPECT_EQ(text(entry), row.shown) << row.units.size();
  }
}

TEST_F(Win32WindowTest, TheFirstKeyInAListWithNothingSelectedSelectsTheFirstOrLastRow) {
  const struct {
    Control list;
    std::size_t rows;
    int before;
    WPARAM key;
    int after;
  } rows[] = {
      {Control::Candidates, 3, -1, VK_DOWN, 0},  {Control::Candidates, 3, -1, VK_UP, 0},
      {Control::Candidates, 3, -1, VK_HOME, 0},  {Control::Candidates, 3, -1, VK_PRIOR, 0},
      {Control::Candidates, 3, -1, VK_END, 2},   {Control::Candidates, 3, -1, VK_NEXT, 2},
      {Control::WordList, 3, -1, VK_END, 2},     {Control::Candidates, 3, -1, VK_RIGHT, -1},
      {Control::Candidates, 0, -1, VK_DOWN, -1}, {Control::Candidates, 3, 0, VK_DOWN, 1},
  };
  for (const auto& row : rows) {
    HWND list = ui.control(row.list);
    ui.clearList(row.list);
    ui.appendItems(row.list, std::vector<std::string>(row.rows, "0001 abandon"));
    ::SetFocus(list);
    if (row.before >= 0) {
      const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
      ListView_SetItemState(list, row.before, both, both);
    }
    ui.doEvents();
    events = Recorder();
    ::SendMessageW(list, WM_KEYDOWN, row.key, 0);
    ui.doEvents();
    EXPECT_EQ(selected(row.list), row.after) << row.key;
    // A selection made by a key picks a candidate; the word list picks nothing.
    const bool picks = row.list == Control::Candidates && row.after != row.before;
    EXPECT_EQ(events.clicks, picks ? std::vector{Control::Candidates} : std::vector<Control>{});
  }
}

TEST_F(Win32WindowTest, ClicksAndMenuItemsReachTheHandlersOnlyWhereTheyAreMeant) {
  ui.appendItems(Control::Candidates, {"0001 abandon"});
  RECT row{};
  ListView_GetItemRect(ui.control(Control::Candidates), 0, &row, LVIR_BOUNDS);
  const LPARAM onRow = MAKELPARAM(row.left + 2, row.top + 2);
  HMENU file = ::GetSubMenu(::GetMenu(ui.window()), 0);
  const WPARAM exitItem = ::GetMenuItemID(file, 3);  // after a separator, Load and a separator
  const struct {
    Control control;
    UINT message;
    WPARAM w;
    LPARAM l;
    std::vector<Control> clicks;
    int menus;
  } rows[] = {
      {Control::CopyBox, WM_LBUTTONDOWN, MK_LBUTTON, 0, {Control::CopyBox}, 0},
      {Control::CopyNumbers, BM_CLICK, 0, 0, {Control::CopyNumbers}, 0},
      {Control::ModeButton, BM_CLICK, 0, 0, {Control::ModeButton}, 0},
      {Control::Candidates, WM_RBUTTONDOWN, MK_RBUTTON, onRow, {}, 0},
      {Control::ListName, WM_COMMAND, exitItem, 0, {}, 1},
  };
  for (const auto& row : rows) {
    events = Recorder();
    HWND target = row.message == WM_COMMAND ? ui.window() : ui.control(row.control);
    ::SendMessageW(target, row.message, row.w, row.l);
    if (row.message == WM_LBUTTONDOWN) ::SendMessageW(target, WM_LBUTTONUP, 0, 0);
    ui.doEvents();
    EXPECT_EQ(events.clicks, row.clicks) << row.message;
    EXPECT_EQ(events.menus, row.menus) << row.message;
    EXPECT_EQ(selected(Control::Candidates), -1);  // no button but the left one selects
  }
  // Shift+Insert pastes in a plain box; not past the key filter.
  BYTE keys[256]{};
  keys[VK_SHIFT] = 0x80;
  ::SetKeyboardState(keys);
  ui.setClipboardText("pasted");
  ::SendMessageW(entry, WM_KEYDOWN, VK_INSERT, 0);
  keys[VK_SHIFT] = 0;
  ::SetKeyboardState(keys);
  EXPECT_EQ(text(entry), L"");
  // A tooltip the program changes is the one shown.
  ui.setToolTip(Control::ModeButton, " Click To Change To Words Input ");
  wchar_t tip[80]{};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = ui.window();
  tool.uId = reinterpret_cast<UINT_PTR>(ui.control(Control::ModeButton));
  tool.lpszText = tip;
  ::SendMessageW(ui.toolTips(), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
  EXPECT_EQ(std::wstring(tip), L" Click To Change To Words Input ");
}

TEST_F(Win32WindowTest, AMillionRowsAreAskedForOnlyAsTheyAreDrawnAndALongOneIsDrawnCut) {
  struct Million : ListRows {
    std::string longTail = std::string(5000, 'x');
    mutable std::size_t asked = 0;
    std::size_t rowCount() const override { return 1000000; }
    ListRow row(std::size_t i) const override {
      ++asked;
      return {std::to_string(i), i == 999999 ? std::string_view(longTail) : " word"};
    }
  } rows;
  HWND list = ui.control(Control::WordList);
  ui.appendRows(Control::WordList, rows);
  ::UpdateWindow(list);
  EXPECT_EQ(ListView_GetItemCount(list), 1000000);
  EXPECT_LT(rows.asked, 100u);
  wchar_t shown[2000];
  ListView_GetItemText(list, 5, 0, shown, 2000);
  EXPECT_EQ(std::wstring(shown), L"5 word");
  ListView_GetItemText(list, 999999, 0, shown, 2000);
  EXPECT_EQ(std::wstring(shown), L"999999" + std::wstring(994, L'x') + L"\u2026");
  ListView_SetItemState(list, 999999, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(ui.selectedText(Control::WordList), "999999" + rows.longTail);
}

TEST_F(Win32WindowTest, TheClipboardGetsTheTextExactlyWithTheMarksThatKeepItOutOfHistories) {
  ui.setClipboardText("0001\r\n2048 \xc3\xa9\r\n");
  EXPECT_EQ(clipboardText(), L"0001\r\n2048 \u00e9\r\n");
  EXPECT_EQ(clipboardMarks(), "000");
  ui.clearClipboard();
  EXPECT_EQ(clipboardText(), L"(none)");
  EXPECT_EQ(clipboardMarks(), "---");
  // What the copy box copies itself gets the marks once the window hears of it.
  HWND box = ui.control(Control::CopyBox);
  ui.setText(Control::CopyBox, "0007 able\r\n");
  ::SendMessageW(box, EM_SETSEL, 0, -1);
  ::SendMessageW(box, WM_COPY, 0, 0);
  for (int i = 0; i < 200 && clipboardMarks() != "000"; ++i) ui.doEvents(), ::Sleep(10);
  EXPECT_EQ(clipboardText(), L"0007 able\r\n");
  EXPECT_EQ(clipboardMarks(), "000");
}

TEST_F(Win32WindowTest, TheBoxesAndListsTellAScreenReaderTheirNames) {
  const std::pair<Control, std::wstring> rows[] = {{Control::EntryBox, L"Entry box"},
                                                   {Control::Candidates, L"Candidates"},
                                                   {Control::CopyBox, L"Copy box"},
                                                   {Control::WordList, L"Word list"}};
  if (!Win32Accessibility().setName(ui.control(Control::EntryBox), "Entry box")) {
    GTEST_SKIP() << "IAccPropServices::SetHwndPropStr is not implemented here (Wine has a stub "
                    "that fails); Windows has it";
  }
  for (const auto& [control, name] : rows) {
    IAccessible* object = nullptr;
    ASSERT_EQ(::AccessibleObjectFromWindow(ui.control(control), static_cast<DWORD>(OBJID_CLIENT),
                                           IID_IAccessible, reinterpret_cast<void**>(&object)),
              S_OK);
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR heard = nullptr;
    object->get_accName(self, &heard);
    const std::wstring said = heard != nullptr ? heard : L"";
    ::SysFreeString(heard);
    object->Release();
    EXPECT_EQ(said, name);
  }
}

TEST_F(Win32WindowTest, AMinimisedOrMaximisedWindowRefusesToMove) {
  const std::pair<int, bool> rows[] = {
      {SW_MINIMIZE, false}, {SW_MAXIMIZE, false}, {SW_RESTORE, true}};
  for (const auto& [show, moves] : rows) {
    ::ShowWindow(ui.window(), show);
    const std::optional<float> top = ui.windowEdge(Edge::Top);
    ASSERT_TRUE(top);
    EXPECT_EQ(ui.setWindowEdge(Edge::Top, *top + 300), moves) << show;
  }
}

}  // namespace
}  // namespace quorvel::testing
