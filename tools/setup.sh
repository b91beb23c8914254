#!/bin/sh
# Sets the game up on a Debian 12 machine: installs the Debian packages that
# are missing, builds everything into build/, then plays or tests.
#   tools/setup.sh play   build and start the game
#   tools/setup.sh test   build and run every test, headless
set -eu
cd "$(dirname "$0")/.."

mode=${1:-}
case "$mode" in
    play|test) ;;
    *) echo "usage: tools/setup.sh play|test" >&2; exit 2 ;;
esac

# Build tools and libraries; the tools the asset build uses to make the
# pictures, fonts, songs and sounds; the headless test bench.
packages="build-essential cmake pkg-config clang
  liballegro4-dev libmpg123-dev libx11-dev libfreetype-dev libgtest-dev libbenchmark-dev
  imagemagick librsvg2-bin fonts-comic-neue timgm6mb-soundfont
  abcmidi timidity espeak-ng sox lame mpg123
  python3 xvfb xauth xdotool"

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed'; then
        missing="$missing $p"
    fi
done
if [ -n "$missing" ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    echo "Installing:$missing"
    $sudo apt-get update
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
fi

cmake -S . -B build
cmake --build build -j"$(nproc)"

if [ "$mode" = play ]; then
    cd build/game
    exec ./orbitpub
fi
ctest --test-dir build --output-on-failure
