#!/usr/bin/env bash
# Sets up a fresh Debian 12 / Ubuntu machine, builds the game and then either plays it or tests it.
#   ./setup.sh play   install what the game needs, build only the game (Release), start it on the
#                     bundled dat/ (extra arguments go to the game, e.g. --low-power)
#   ./setup.sh test   install everything, build everything (Release), run the whole test suite
set -euo pipefail
cd "$(dirname "$0")"

# What building and running the game needs.
play_packages=(cmake g++ make pkg-config qt6-base-dev libsdl2-mixer-dev fonts-ipafont-gothic)
# What the tests, the benchmarks, the packaging checks and the authors' tools need besides.
test_packages=(googletest libgtest-dev libgmock-dev libbenchmark-dev libxcb1-dev
  xvfb xdotool openbox imagemagick x11-utils
  dpkg-dev lintian desktop-file-utils appstream man-db librsvg2-bin
  at-spi2-core python3-pyatspi dbus-x11
  graphviz)

install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
}

configure() {
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
}

case "${1:-}" in
  play)
    install_missing "${play_packages[@]}"
    # Only the game and the sound module it loads; the tests and benchmarks are left out of the
    # configuration (they need packages that playing does not). The game reads dat/ here.
    configure -DGAME_TESTS=OFF -DGAME_BENCH=OFF
    cmake --build build -j"$(nproc)" --target luxarim luxarim_sound
    shift
    exec ./build/luxarim "$@"
    ;;
  test)
    install_missing "${play_packages[@]}" "${test_packages[@]}"
    configure -DGAME_TESTS=ON -DGAME_BENCH=ON
    cmake --build build -j"$(nproc)"
    # One test at a time: each end-to-end test runs the game, whose main loop keeps a core busy.
    ctest --test-dir build --output-on-failure
    ;;
  *)
    echo "usage: $0 play [--low-power] | test" >&2
    exit 2
    ;;
esac
