#!/usr/bin/env bash
# Runs the program under valgrind memcheck for a few seconds of a small show, then holds
# Escape, and fails when memcheck reports an invalid read or write or a use of an
# uninitialised value. Reports from inside the GL driver, X11 and OpenAL are suppressed in
# tools/valgrind.supp, each with the reason. Leaks are not checked here: the registries keep
# their objects until exit on purpose, and the sanitizer build checks leaks.
# Usage: tools/memcheck.sh <orbelle binary> [seconds before Escape, default 20]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
binary=$(realpath "$1")
seconds=${2:-20}

# Escape is pressed with xdotool on the X server the program uses, so run under a private one.
if [ -z "${ORBELLE_MEMCHECK_XVFB:-}" ]; then
    exec env ORBELLE_MEMCHECK_XVFB=1 xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" \
        "$0" "$binary" "$seconds"
fi

scratch=$(mktemp -d /tmp/orbelle-memcheck-XXXXXX)
trap 'rm -rf "$scratch"' EXIT

# A small show: every key the scenes use, on small images, and one short sound.
mkdir -p "$scratch/assets/images" "$scratch/assets/sounds" "$scratch/assets/shaders"
cp "$root/assets/shaders/passthrough.vert" "$root/assets/shaders/bg.frag" "$scratch/assets/shaders/"
convert -size 8x8 xc:black "$scratch/assets/images/black.png"
convert -size 96x48 xc:orange "$scratch/assets/images/logo.png"
convert -size 64x64 xc:skyblue "$scratch/assets/images/ball.png"
sox -n -r 22050 -c 1 -b 16 "$scratch/assets/sounds/bounce.wav" synth 0.05 sine 440
cat >"$scratch/config.json" <<'JSON'
{ "fullscreen": false, "sound": true, "vsync": false }
JSON
cat >"$scratch/assets/textures.json" <<'JSON'
{ "textures": {
    "black": { "file": "assets/images/black.png", "repeated": true },
    "logo": { "file": "assets/images/logo.png" },
    "ball": { "file": "assets/images/ball.png" } } }
JSON
cat >"$scratch/assets/sprites.json" <<'JSON'
{ "sprites": {
    "black": { "texture": "black", "rectW": 1920, "rectH": 1080 },
    "pk1": { "texture": "logo", "autocenter": true },
    "pk2": { "texture": "logo", "autocenter": true },
    "mirel": { "texture": "ball" }, "tosk": { "texture": "ball" },
    "vantor": { "texture": "ball" }, "greets": { "texture": "ball" },
    "fennick": { "texture": "ball" }, "grumbel": { "texture": "ball" },
    "quade": { "texture": "ball" } } }
JSON
cat >"$scratch/assets/sounds.json" <<'JSON'
{ "sounds": { "bounce": { "file": "assets/sounds/bounce.wav", "instances": 2 } } }
JSON
# No sound card: OpenAL records to a file instead.
printf '[general]\ndrivers = wave\n[wave]\nfile = %s/out.wav\n' "$scratch" >"$scratch/alsoft.conf"

cd "$scratch"
status=0
ALSOFT_CONF="$scratch/alsoft.conf" LP_NUM_THREADS=0 \
    valgrind --tool=memcheck --leak-check=no --track-origins=yes --error-exitcode=99 \
    --suppressions="$root/tools/valgrind.supp" --gen-suppressions=all \
    --log-file="$scratch/memcheck.log" "$binary" >"$scratch/stdout.txt" 2>"$scratch/stderr.txt" &
program=$!
# Start-up under memcheck is slow: count the seconds of show from the window's appearance.
xdotool search --sync --name 'Vantor - Orbelle' >/dev/null
sleep "$seconds"
xdotool keydown Escape
wait "$program" || status=$?
xdotool keyup Escape

echo "program output (stderr):"
sed 's/^/  /' "$scratch/stderr.txt"
echo "bounce log lines: $(wc -l <"$scratch/stdout.txt")"
if grep -q -E 'Invalid (read|write)|uninitialised|Conditional jump|Syscall param' "$scratch/memcheck.log"; then
    echo "memcheck found errors:"
    cat "$scratch/memcheck.log"
    exit 1
fi
grep -E 'ERROR SUMMARY|suppressed:' "$scratch/memcheck.log" | sed 's/^==[0-9]*== //'
if [ "$status" -ne 0 ]; then
    echo "the program exited with status $status"
    cat "$scratch/memcheck.log"
    exit 1
fi
echo "memcheck: clean"
