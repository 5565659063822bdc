#!/usr/bin/env bash
# Quorvandelix build helper.
#   ./setup.sh run [image]  install what is missing, build, start the editor on
#                           the desktop (X11 or Wayland); arguments go to the editor
#   ./setup.sh test         install what is missing, build, run every test headless
# Environment: BUILD_DIR (default build);
#              BUILD_TYPE, one of the named build types, each warning-free:
#                RelWithDebInfo  the default, for everyday work
#                Debug           with SANITIZE=1, the sanitizer build CI runs
#                Release         for benchmark figures (CI builds and tests it too);
#              SANITIZE=1 builds with AddressSanitizer and UBSan;
#              SETUP_SKIP_BUILD=1 makes "run" start what is built, without
#              installing or building.
set -euo pipefail
CALLER_DIR=$(pwd)
cd "$(dirname "$0")"

PACKAGES=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev qt6-serialport-dev fontconfig fonts-dejavu-core
          fonts-nanum)

install_missing() {
  local missing=()
  for pkg in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

BUILD_DIR=${BUILD_DIR:-build}
BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}

configure_and_build() {
  local extra=()
  [ "${SANITIZE:-0}" = 1 ] && extra+=(-DQV_SANITIZE=ON)
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="$BUILD_TYPE" "${extra[@]}" >/dev/null
  cmake --build "$BUILD_DIR" -j "$(nproc)"
}

# Qt aborts when it finds no display: say so in one line instead.
require_display() {
  if [ -n "${QT_QPA_PLATFORM:-}" ] || [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    return 0
  fi
  echo "No display: neither DISPLAY nor WAYLAND_DISPLAY is set; run from a desktop session, or set QT_QPA_PLATFORM=offscreen for a headless start." >&2
  exit 3
}

# Starts the editor in its build folder, where "Default.dat" lies; the
# arguments go to it, relative paths taken from where the script was called.
start_editor() {
  local app="$BUILD_DIR/src/app"
  if [ ! -x "$app/quorvandelix" ]; then
    echo "The editor was not built: $app/quorvandelix is missing." >&2
    exit 1
  fi
  local args=()
  for arg in "$@"; do
    case "$arg" in
      /* | -*) args+=("$arg") ;;
      *) args+=("$CALLER_DIR/$arg") ;;
    esac
  done
  cd "$app" && exec ./quorvandelix "${args[@]}"
}

case "${1:-}" in
  run)
    require_display
    if [ "${SETUP_SKIP_BUILD:-0}" != 1 ]; then
      install_missing
      configure_and_build
    fi
    start_editor "${@:2}"
    ;;
  test)
    install_missing
    configure_and_build
    export QT_QPA_PLATFORM=offscreen
    ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)"
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
