#!/usr/bin/env bash
# Remakes the pictures in docs/pictures/ from the real show: orbelle-capture steps the show at
# 1/60 s off-screen and saves the frames at the show times below, which are then scaled to
# 960 x 540. Run from anywhere; it builds the capture tool in BUILD_DIR (default build/) and
# uses a private X server when there is no display.
#   tools/make-pictures.sh
#   BUILD_DIR=build-release tools/make-pictures.sh
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
build="${BUILD_DIR:-build}"
"$root/tools/install-deps.sh" imagemagick xvfb xauth

# Show time in seconds, then the picture's name.
shots=(
    3.5 intro-vantor   # the group's logo, fully revealed
    8.5 intro-orbelle  # the production's title
    17.4 balls         # the first ball in flight over the background
)

cmake -S . -B "$build" >/dev/null
cmake --build "$build" --target orbelle-capture -j 2 >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# The balls' bounce sound goes to a file device, so a machine without a sound card stays quiet.
printf '[general]\ndrivers = wave\n[wave]\nfile = /dev/null\n' >"$work/openal.conf"
arguments=()
for ((i = 0; i < ${#shots[@]}; i += 2)); do
    arguments+=("${shots[i]}" "$work/${shots[i + 1]}.png")
done
capture=("$build/orbelle-capture" "${arguments[@]}")
if [ -z "${DISPLAY:-}" ]; then
    capture=(xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" "${capture[@]}")
fi
ALSOFT_CONF="$work/openal.conf" "${capture[@]}" >/dev/null

mkdir -p docs/pictures
for ((i = 1; i < ${#shots[@]}; i += 2)); do
    # The Debian package's convert, whatever else answers to that name on PATH; no time stamps,
    # so an unchanged show gives unchanged files.
    /usr/bin/convert "$work/${shots[i]}.png" -resize 960x540 -strip \
        -define png:exclude-chunks=date,time PNG24:"docs/pictures/${shots[i]}.png"
    echo "docs/pictures/${shots[i]}.png"
done
