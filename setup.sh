#!/usr/bin/env bash
# Sets up a fresh Debian 12 / Ubuntu machine, builds the game and then either plays it or tests it.
#   ./setup.sh play   install what is missing, build (Release), start the game on the bundled dat/
#   ./setup.sh test   install what is missing, build (Release), run the whole test suite
#   ./setup.sh web    install what is missing, build (Release, the web player included), serve
#                     the bundled story's web site on http://127.0.0.1:8000/
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake g++ make pkg-config qt6-base-dev libsdl2-mixer-dev fonts-ipafont-gothic
  googletest libgtest-dev libgmock-dev libbenchmark-dev libxcb1-dev xvfb xdotool openbox imagemagick x11-utils
  dpkg-dev lintian desktop-file-utils appstream man-db librsvg2-bin
  at-spi2-core python3-pyatspi dbus-x11
  graphviz
  emscripten nodejs npm libharfbuzz-bin python3
  zlib1g-dev unzip chromium)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
}

# The browser tests' driver, playwright-core at the version its lock file pins, which drives
# Debian's chromium.
install_web_test_driver() {
  [ -d web/tests/node_modules/playwright-core ] && return 0
  (cd web/tests && npm ci --no-audit --no-fund --silent)
}

build() {
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build -j"$(nproc)"
}

case "${1:-}" in
  play)
    install_missing
    build
    exec ./build/luxarim
    ;;
  test)
    install_missing
    install_web_test_driver
    build
    # One test at a time: each end-to-end test runs the game, whose main loop keeps a core busy.
    ctest --test-dir build --output-on-failure
    ;;
  web)
    install_missing
    build
    if [ ! -f build/web/site/index.html ]; then
      echo "The web site was not built (see the messages of cmake about the web player)" >&2
      exit 1
    fi
    echo "Serving the web player on http://127.0.0.1:8000/ (Ctrl-C stops it)"
    exec python3 -m http.server --bind 127.0.0.1 --directory build/web/site 8000
    ;;
  *)
    echo "usage: $0 play|test|web" >&2
    exit 2
    ;;
esac
