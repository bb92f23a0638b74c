// Starts a program and times it from its start to its first top-level window being mapped,
// then to its first answer to a ping sent to that window (by then the events that showing
// the window queued, such as the list's layout and first paint, have been handled), and
// reads its peak memory (VmHWM) at that point. The program is then killed.
// usage: time_to_window PROGRAM [ARGUMENT...]    (needs an X display)
// prints: <seconds to mapped> <seconds to answer> <peak KiB>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

[[noreturn]] void die(const char* what, pid_t child) {
  std::fprintf(stderr, "time_to_window: %s\n", what);
  if (child > 0) ::kill(child, SIGKILL);
  std::exit(1);
}

// The next event, or false when none comes within the deadline.
bool nextEvent(Display* display, XEvent& event, Clock::time_point deadline) {
  while (XPending(display) == 0) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return false;
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    ::poll(&fd, 1, static_cast<int>(left.count()));
  }
  XNextEvent(display, &event);
  return true;
}

long peakKib(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENT...]\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) die("cannot open the display", 0);
  const Window root = DefaultRootWindow(display);
  // Top-level windows are the root's children, so their mapping is a substructure event of
  // the root; Qt sends its answer to a ping to the root for those watching its structure.
  XSelectInput(display, root, SubstructureNotifyMask | StructureNotifyMask);
  XSync(display, False);
  const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
  const Atom ping = XInternAtom(display, "_NET_WM_PING", False);

  const Clock::time_point start = Clock::now();
  const pid_t child = ::fork();
  if (child < 0) die("fork failed", 0);
  if (child == 0) {
    ::close(ConnectionNumber(display));
    ::execvp(argv[1], argv + 1);
    std::perror(argv[1]);
    std::_Exit(127);
  }
  const Clock::time_point deadline = start + std::chrono::seconds(60);

  XEvent event;
  Window window = 0;
  while (window == 0) {
    if (!nextEvent(display, event, deadline)) die("no window within 60 s", child);
    if (event.type == MapNotify && !event.xmap.override_redirect) window = event.xmap.window;
  }
  const double mapped = secondsSince(start);

  XEvent message{};
  message.xclient.type = ClientMessage;
  message.xclient.window = window;
  message.xclient.message_type = protocols;
  message.xclient.format = 32;
  message.xclient.data.l[0] = static_cast<long>(ping);
  message.xclient.data.l[1] = CurrentTime;
  message.xclient.data.l[2] = static_cast<long>(window);
  XSendEvent(display, window, False, NoEventMask, &message);
  XFlush(display);
  for (;;) {
    if (!nextEvent(display, event, deadline)) die("no answer to the ping within 60 s", child);
    if (event.type == ClientMessage && event.xclient.message_type == protocols &&
        static_cast<Atom>(event.xclient.data.l[0]) == ping &&
        static_cast<Window>(event.xclient.data.l[2]) == window) {
      break;
    }
  }
  const double answered = secondsSince(start);
  const long peak = peakKib(child);

  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  XCloseDisplay(display);
  std::printf("%.3f %.3f %ld\n", mapped, answered, peak);
  return 0;
}
