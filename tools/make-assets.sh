#!/usr/bin/env bash
# Remakes every binary file under assets/ (the logos, the ball wordmarks, the black overlay
# texture and the bounce sound) from free fonts with ImageMagick and SoX. Change a word, a font or
# a colour below and run it again from anywhere:
#   tools/make-assets.sh
# The output is byte-for-byte the same on every run with the same package versions, so a rerun
# without changes leaves git clean.
#
# Fonts, all from Debian packages, all under the SIL Open Font License 1.1, which allows
# rendering them into images and shipping those images with any program:
#   Bebas Neue (fonts-bebas-neue), Comfortaa (fonts-comfortaa), Quicksand (fonts-quicksand),
#   Lobster (fonts-lobster), League Spartan (fonts-league-spartan), Play (fonts-play).
# DejaVu (fonts-dejavu-core, Bitstream Vera licence, free) is used for one wordmark.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh" imagemagick sox fonts-dejavu-core fonts-bebas-neue fonts-comfortaa \
    fonts-quicksand fonts-lobster fonts-league-spartan fonts-play

# The Debian package's own binaries, whatever else answers to these names on PATH.
IM=/usr/bin/convert
IDENTIFY=/usr/bin/identify

images="$root/assets/images"
sounds="$root/assets/sounds"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$images" "$sounds"

BEBAS=/usr/share/fonts/opentype/bebas-neue/BebasNeue-Bold.otf
COMFORTAA=/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf
QUICKSAND=/usr/share/fonts/truetype/quicksand/Quicksand-Medium.ttf
QUICKSAND_BOLD=/usr/share/fonts/truetype/quicksand/Quicksand-Bold.ttf
LOBSTER=/usr/share/fonts/opentype/lobster/lobster.otf
SPARTAN=/usr/share/fonts/opentype/league-spartan/LeagueSpartan-Black.otf
PLAY=/usr/share/fonts/truetype/play/Play-Bold.ttf
DEJAVU_SERIF=/usr/share/fonts/truetype/dejavu/DejaVuSerif-BoldItalic.ttf
[ -f "$DEJAVU_SERIF" ] || DEJAVU_SERIF=/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf

# Every file in between is written as PNG32: ImageMagick would otherwise store a black or white
# layer as grey, and a composite takes the colour space of its first layer.
# Writes a PNG with alpha and without time stamps, so reruns give identical files.
# Arguments: output, ImageMagick arguments that make the picture
save() {
    local out=$1
    shift
    "$IM" "$@" -strip -define png:exclude-chunks=date,time -define png:compression-level=9 \
        PNG32:"$out"
}

# A white-on-transparent mask of a text, trimmed to the ink and padded by $5 pixels.
# Arguments: output, text, font, point size, padding, [extra label options...]
textMask() {
    local out=$1 text=$2 font=$3 size=$4 pad=$5
    shift 5
    "$IM" -background none -fill white -font "$font" -pointsize "$size" "$@" label:"$text" \
        -trim +repage -bordercolor none -border "$pad" PNG32:"$out"
}

# Paints a mask with a vertical gradient through two or more colours, evenly spaced.
# Arguments: output, mask, colours from top to bottom...
gradientFill() {
    local out=$1 mask=$2 w h
    shift 2
    w=$("$IDENTIFY" -format '%w' "$mask")
    h=$("$IDENTIFY" -format '%h' "$mask")
    local stops=("$@") parts=() i rows done=0
    local segments=$((${#stops[@]} - 1))
    for ((i = 0; i < segments; i++)); do
        rows=$(((h - done) / (segments - i)))
        done=$((done + rows))
        parts+=(-size "${w}x${rows}" gradient:"${stops[i]}-${stops[i + 1]}")
    done
    "$IM" "${parts[@]}" -append "$mask" -compose CopyOpacity -composite PNG32:"$out"
}

# A glossy wordmark: gradient letters with a light upper sheen, a dark outline and a soft drop
# shadow, cropped tight so the ball's box is the ink.
# Arguments: output, text, font, point size, letter spacing, outline colour,
#            fill colours from top to bottom...
wordmark() {
    local out=$1 text=$2 font=$3 size=$4 spacing=$5 outline=$6
    shift 6
    textMask "$work/mask.png" "$text" "$font" "$size" 12 -kerning "$spacing"
    gradientFill "$work/fill.png" "$work/mask.png" "$@"
    # Sheen: white fading out over the upper half of the letters.
    local size h
    size=$("$IDENTIFY" -format '%wx%h' "$work/mask.png")
    h=$("$IDENTIFY" -format '%h' "$work/mask.png")
    "$IM" -size "$size" gradient:'rgba(255,255,255,0.55)-rgba(255,255,255,0)' \
        -gravity north -crop "x$((h / 2))+0+0" +repage -background none -extent "$size" \
        "$work/mask.png" -compose DstIn -composite PNG32:"$work/sheen.png"
    "$IM" "$work/mask.png" -channel A -morphology Dilate Disk:3.5 +channel \
        -fill "$outline" -colorize 100 PNG32:"$work/outline.png"
    # Every layer has the mask's size, so they stack without offsets; the padding keeps the
    # shadow's roll from wrapping ink around.
    "$IM" "$work/outline.png" -channel A -blur 0x3 -evaluate multiply 0.8 +channel \
        -fill black -colorize 100 -roll +0+4 PNG32:"$work/shadow.png"
    save "$out" "$work/shadow.png" "$work/outline.png" -compose over -composite \
        "$work/fill.png" -compose over -composite "$work/sheen.png" -compose over -composite \
        -trim +repage
}

# The seven ball logos: distinct faces and colours, each one readable over the background.
wordmark "$images/mirel.png" "mirel" "$LOBSTER" 150 0 '#3a0b2a' '#ffe08a' '#ff4f8b'
wordmark "$images/tosk.png" "TOSK" "$SPARTAN" 130 8 '#061238' '#b8fbff' '#2b6cff'
wordmark "$images/vantor.png" "VANTOR" "$BEBAS" 135 10 '#0c1424' '#ffffff' '#b4c2da' '#4a5a78' \
    '#dfe8f8'
wordmark "$images/greets.png" "greets" "$COMFORTAA" 110 0 '#06301a' '#eaff7a' '#27c46b'
wordmark "$images/fennick.png" "FENNICK" "$PLAY" 84 2 '#3a1300' '#ffe69a' '#ff6a1f'
wordmark "$images/grumbel.png" "Grumbel" "$DEJAVU_SERIF" 78 0 '#1c0638' '#f1d9ff' '#8b3dff'
wordmark "$images/quade.png" "quade" "$QUICKSAND_BOLD" 122 0 '#3d0010' '#ffd0d0' '#e8173a'
