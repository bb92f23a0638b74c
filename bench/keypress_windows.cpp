// The worst key press of the Windows program against a bare list box, in the same process and
// in turn, so that both meet the same load (bench/startup_windows.sh runs it under Wine):
//   the program: the real window as quorvel.exe builds it, with the shipped English list read
//     from beside this executable and switched to number input; "1" arrives in the entry box
//     as a WM_CHAR through the message queue, as a typed key does, and the step ends once the
//     candidates list holds its thousand entries and every paint it caused is done;
//   the floor: a bare window whose one LISTBOX is as large as the candidates list and in its
//     font, emptied and refilled with the same thousand rows (LB_RESETCONTENT, LB_INITSTORAGE,
//     LB_ADDSTRING), made in UTF-16 from the program's UTF-8 strings as a bare list given them
//     would have to, and painted.
// Every step starts with nothing left to do and ends when nothing is left to do; clearing the
// lists again is not timed. The rounds alternate which goes first. Prints the medians and
// their ratio; exits non-zero when a step did not list or paint what it should.
// A list box left drawing while it is filled redraws its scroll bar at every row, which under
// Wine costs milliseconds a row: that fill is timed too, in the first PLAIN_ROUNDS rounds
// only, but the floor is the fill with drawing held off, the fastest a bare list box refills.
// usage: keypress_windows [ROUNDS [PLAIN_ROUNDS]]
#include <windows.h>
// windows.h first: these need its types.
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Form1.h"
#include "app/WindowDesign.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32Random.h"

namespace {

constexpr int kCandidates = 1000;  // the entries "1" lists in the shipped list

double microseconds() {
  static const double perSecond = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1e6 / perSecond;
}

// Handles messages until none is left and nothing waits to be painted: a round of messages
// can queue more (a list's paint), and only an empty queue means the step is done.
void settle() {
  MSG message;
  do {
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  } while (::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE));
}

// Counts the paints of a control, to check that a step drew it.
LRESULT CALLBACK countPaints(HWND w, UINT message, WPARAM wp, LPARAM lp, UINT_PTR,
                             DWORD_PTR count) {
  if (message == WM_PAINT) ++*reinterpret_cast<int*>(count);
  return ::DefSubclassProc(w, message, wp, lp);
}

LRESULT CALLBACK floorProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  return ::DefWindowProcW(window, message, w, l);
}

// The bare list box: a window of its own beside the program's, so that neither hides the
// other's list.
struct Floor {
  HWND window = nullptr;
  HWND list = nullptr;
  int paints = 0;

  Floor(HWND program, HWND candidates) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = floorProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"floor";
    ::RegisterClassW(&wc);
    RECT beside{}, size{};
    ::GetWindowRect(program, &beside);
    ::GetWindowRect(candidates, &size);
    const int width = size.right - size.left, height = size.bottom - size.top;
    window = ::CreateWindowExW(0, L"floor", L"floor", WS_OVERLAPPED | WS_CAPTION, beside.right,
                               beside.top, width + 40, height + 60, nullptr, nullptr, wc.hInstance,
                               nullptr);
    list = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 8, 8, width,
                             height, window, nullptr, wc.hInstance, nullptr);
    ::SendMessageW(list, WM_SETFONT, ::SendMessageW(candidates, WM_GETFONT, 0, 0), FALSE);
    ::SetWindowSubclass(list, countPaints, 1, reinterpret_cast<DWORD_PTR>(&paints));
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    ::UpdateWindow(window);
  }

  // Quiet: drawing held off while the rows go in (WM_SETREDRAW), then the list drawn once, as
  // a list box is best refilled; otherwise the box redraws its scroll bar at every row.
  void fill(const std::vector<std::string>& entries, bool quiet) {
    std::vector<std::wstring> rows;
    rows.reserve(entries.size());
    std::size_t units = 0;
    for (const std::string& entry : entries) {
      std::wstring& row = rows.emplace_back(entry.size(), L'\0');
      row.resize(static_cast<std::size_t>(
          ::MultiByteToWideChar(CP_UTF8, 0, entry.data(), static_cast<int>(entry.size()),
                                row.data(), static_cast<int>(row.size()))));
      units += row.size() + 1;
    }
    if (quiet) ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    ::SendMessageW(list, LB_INITSTORAGE, rows.size(), units * sizeof(wchar_t));
    for (const std::wstring& row : rows) {
      ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
    }
    if (quiet) {
      ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
      ::RedrawWindow(list, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
    }
  }
  int count() const { return static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0)); }
};

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double quartile(std::vector<double> values, int which) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[(values.size() - 1) * static_cast<std::size_t>(which) / 4];
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 200;
  const int plainRounds = argc > 2 ? std::atoi(argv[2]) : 3;
  if (rounds < 1 || plainRounds < 0) {
    return std::fprintf(stderr, "usage: keypress_windows [ROUNDS [PLAIN_ROUNDS]]\n"), 2;
  }
  const std::filesystem::path folder = quorvel::programDirectory();
  if (!std::filesystem::exists(folder / "PubEnglish.txt")) {
    // The program would show its error box and wait for an answer no one gives.
    std::fprintf(stderr, "keypress_windows: no PubEnglish.txt beside the executable\n");
    return 2;
  }

  // As quorvel.exe puts them together, and shown as its run() shows them.
  quorvel::Win32Platform ui(quorvel::windowDesign());
  quorvel::Win32FileSystem files;
  quorvel::Win32Random random;
  quorvel::Form1 form(ui, files, random, folder);
  ui.setEvents(&form);
  form.onLoad();
  if (ui.ended()) return std::fprintf(stderr, "keypress_windows: the list did not load\n"), 2;
  ::SetWindowPos(ui.window(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ::ShowWindow(ui.window(), SW_SHOWNORMAL);
  ::UpdateWindow(ui.window());
  ::SetForegroundWindow(ui.window());
  const HWND entry = ui.control(quorvel::Control::EntryBox);
  const HWND candidates = ui.control(quorvel::Control::Candidates);
  ::SetFocus(entry);
  if (ui.text(quorvel::Control::ModeButton) != "Numbers") {
    form.onClick(quorvel::Control::ModeButton);
  }
  int listPaints = 0;
  ::SetWindowSubclass(candidates, countPaints, 2, reinterpret_cast<DWORD_PTR>(&listPaints));
  settle();

  const auto type = [&](wchar_t unit) {
    ::PostMessageW(entry, WM_CHAR, unit, 1);
    settle();
  };
  // The rows the program lists for "1", read back from its candidates list.
  type(L'1');
  std::vector<std::string> entries;
  for (int i = 0; i < ListView_GetItemCount(candidates); ++i) {
    wchar_t row[1024] = L"";
    ListView_GetItemText(candidates, i, 0, row, static_cast<int>(std::size(row)));
    entries.push_back(quorvel::toUtf8(row));
  }
  type(L'\b');
  if (entries.size() != kCandidates || ListView_GetItemCount(candidates) != 0) {
    std::fprintf(stderr, "keypress_windows: \"1\" listed %zu entries, not %d\n", entries.size(),
                 kCandidates);
    return 1;
  }
  Floor floor(ui.window(), candidates);
  settle();

  std::vector<double> key, quiet, plain;  // microseconds
  int failures = 0;
  // Times one step from a quiet start to a quiet end, and checks what it left.
  const auto timed = [&](std::vector<double>& into, int& paints, auto action, auto count) {
    settle();
    const int before = paints;
    const double start = microseconds();
    action();
    settle();
    into.push_back(microseconds() - start);
    if (paints == before || count() != kCandidates) ++failures;
  };
  const auto keyPress = [&] {
    timed(
        key, listPaints, [&] { ::PostMessageW(entry, WM_CHAR, L'1', 1); },
        [&] { return ListView_GetItemCount(candidates); });
    type(L'\b');
  };
  const auto refill = [&](std::vector<double>& into, bool held) {
    timed(
        into, floor.paints, [&] { floor.fill(entries, held); }, [&] { return floor.count(); });
    ::SendMessageW(floor.list, LB_RESETCONTENT, 0, 0);
  };
  for (int round = 0; round < rounds; ++round) {
    if (round % 2 == 0) {
      keyPress();
      refill(quiet, true);
    } else {
      refill(quiet, true);
      keyPress();
    }
    if (round < plainRounds) refill(plain, false);
  }

  const double k = median(key), q = median(quiet);
  std::printf("keypress_windows: %d rounds, each step timed from a quiet queue to a quiet queue\n",
              rounds);
  const auto show = [](const char* what, const std::vector<double>& times) {
    std::printf("  %-62s median %9.0f us (quartiles %.0f, %.0f; %zu times)\n", what, median(times),
                quartile(times, 1), quartile(times, 3), times.size());
  };
  show("key press \"1\" in number input: 1000 candidates listed, painted", key);
  show("bare LISTBOX refilled, drawing held off (WM_SETREDRAW), painted", quiet);
  if (!plain.empty()) show("bare LISTBOX refilled, drawing at every LB_ADDSTRING, painted", plain);
  std::printf("  key press / bare LISTBOX drawing held off = %.2fx (goal: at most 1.10x)\n", k / q);
  if (!plain.empty()) {
    std::printf("  key press / bare LISTBOX drawing at every row = %.3fx\n", k / median(plain));
  }
  std::printf("  (Wine figures, not Windows ones)\n");
  if (failures != 0) {
    std::fprintf(stderr, "keypress_windows: %d steps did not list or paint %d rows\n", failures,
                 kCandidates);
    return 1;
  }
  return 0;
}
