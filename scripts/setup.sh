#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running Quorvel need.
# Idempotent: when everything is already installed it only asks dpkg and returns.
set -euo pipefail

packages=(
  # compiler and build tools
  build-essential g++ cmake ninja-build pkg-config
  # test and benchmark libraries
  libgtest-dev libgmock-dev libbenchmark-dev
  # Qt 6 Widgets (the platform plugins hold the xcb and offscreen back ends)
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  # fonts the window is laid out with
  fontconfig fonts-liberation fonts-dejavu-core
  # a headless X server and the tools the whole-program checks drive it with
  xvfb xauth xdotool xclip x11-utils python3 imagemagick
  # a window manager that moves windows, and a headless Wayland compositor with Qt's Wayland
  # back end and a clipboard client for the native Wayland check
  openbox weston qt6-wayland wl-clipboard
  # the accessibility bus and a screen-reader client on a private session bus (not dbus-x11:
  # with it, Qt would start a session bus of its own and write below the home folder)
  at-spi2-core dbus python3-pyatspi
  # the start-up benchmark's stopwatch watches for the window through Xlib
  libx11-dev
  # desktop entry and AppStream metadata checks, and the archive's checks
  desktop-file-utils appstream binutils
  # fuzzing and memory checks
  clang-14 libclang-rt-14-dev valgrind
  # the Windows build (MinGW-w64 with POSIX threads, for std::thread and friends) and its tests
  # under Wine; googletest holds the sources a cross build compiles
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev wine wine64 googletest
)

# One dpkg-query call for all of them keeps the all-installed case quick.
declare -A installed=()
while read -r name status; do
  if [[ "$status" == installed ]]; then installed[${name%%:*}]=1; fi
done < <(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${packages[@]}" 2>/dev/null || true)

missing=()
for pkg in "${packages[@]}"; do
  [[ -n "${installed[$pkg]:-}" ]] || missing+=("$pkg")
done

if ((${#missing[@]} == 0)); then
  echo "setup: all ${#packages[@]} packages are installed"
  exit 0
fi

echo "setup: installing ${#missing[@]} missing package(s): ${missing[*]}"
sudo=()
if ((EUID != 0)); then
  if command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
  else
    echo "setup: not root and no sudo; install these as root: ${missing[*]}" >&2
    exit 1
  fi
fi

export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
  --no-install-recommends "${missing[@]}"
echo "setup: done"
