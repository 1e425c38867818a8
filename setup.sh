#!/usr/bin/env bash
# Sets up a fresh Debian 12 / Ubuntu machine, builds the game and then plays it, tests it or serves
# it on the web.
#   ./setup.sh play   install what the game needs, build only the game (Release), start it on the
#                     bundled dat/ (extra arguments go to the game, e.g. --low-power)
#   ./setup.sh tools  install what the authors' tools need, build story_check, story_export (with
#                     the web player it writes into sites), bmp2png and the game (Release), whose
#                     --warp and --watch an author plays with, into build/
#   ./setup.sh test   install everything, build everything (Release), run the whole test suite
#   ./setup.sh web    install what the web player needs, build (Release, the web player
#                     included), serve the bundled story's web site on http://127.0.0.1:8000/
#                     (the story studio at http://127.0.0.1:8000/studio.html)
set -euo pipefail
cd "$(dirname "$0")"

# What building and running the game needs.
# (zlib: the build configures story_export beside the game, though play does not build it).
play_packages=(cmake g++ make pkg-config python3 zlib1g-dev qt6-base-dev libsdl2-mixer-dev
  fonts-ipafont-gothic)
# What the web player, its site and story_export need besides; Node.js and npm only where no
# node or npm command is there yet (a machine with another build of Node.js carries its own npm,
# which Debian's npm package cannot be installed beside).
web_packages=(emscripten libharfbuzz-bin)
command -v node >/dev/null || web_packages+=(nodejs)
command -v npm >/dev/null || web_packages+=(npm)
# What the authors' tools need besides the web player's packages (story_export writes the web
# player into its sites and cuts the font with hb-subset): dot for story_check's map as a picture.
tools_packages=(graphviz)
# What the tests, the benchmarks, the packaging checks and the authors' tools need besides.
test_packages=(googletest libgtest-dev libgmock-dev libbenchmark-dev libxcb1-dev
  xvfb xdotool openbox imagemagick x11-utils
  dpkg-dev lintian desktop-file-utils appstream man-db librsvg2-bin
  at-spi2-core python3-pyatspi dbus-x11
  unzip fontconfig chromium)

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

# The browser tests' driver, playwright-core at the version its lock file pins, which drives
# Debian's chromium.
install_web_test_driver() {
  [ -d web/tests/node_modules/playwright-core ] && return 0
  (cd web/tests && npm ci --no-audit --no-fund --silent)
}

# The story studio's editor and bundler (CodeMirror 6, esbuild) at the versions its lock file pins.
install_studio_packages() {
  [ web/studio/node_modules/.package-lock.json -nt web/studio/package-lock.json ] && return 0
  (cd web/studio && npm ci --no-audit --no-fund --silent)
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
  tools)
    install_missing "${play_packages[@]}" "${web_packages[@]}" "${tools_packages[@]}"
    # Kept apart from play: on a cold build they take longer than the game itself (story_export
    # brings the web module), which would hold back play's first window.
    configure -DGAME_TESTS=OFF -DGAME_BENCH=OFF
    cmake --build build -j"$(nproc)" --target story_check story_export bmp2png luxarim luxarim_sound
    echo "The authors' tools: build/story_check, build/story_export, build/bmp2png;" \
         "the game: build/luxarim"
    ;;
  test)
    install_missing "${play_packages[@]}" "${web_packages[@]}" "${tools_packages[@]}" "${test_packages[@]}"
    install_web_test_driver
    install_studio_packages
    configure -DGAME_TESTS=ON -DGAME_BENCH=ON
    cmake --build build -j"$(nproc)"
    # One test at a time: each end-to-end test runs the game, whose main loop keeps a core busy.
    ctest --test-dir build --output-on-failure
    ;;
  web)
    install_missing "${play_packages[@]}" "${web_packages[@]}"
    install_studio_packages
    configure -DGAME_TESTS=OFF -DGAME_BENCH=OFF
    cmake --build build -j"$(nproc)" --target web_player_site web_studio
    if [ ! -f build/web/site/index.html ]; then
      echo "The web site was not built (see the messages of cmake about the web player)" >&2
      exit 1
    fi
    echo "Serving the web player on http://127.0.0.1:8000/ and the story studio on"
    echo "http://127.0.0.1:8000/studio.html (Ctrl-C stops it)"
    exec python3 -m http.server --bind 127.0.0.1 --directory build/web/site 8000
    ;;
  *)
    echo "usage: $0 play [--low-power] | tools | test | web" >&2
    exit 2
    ;;
esac
