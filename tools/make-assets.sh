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
# DejaVu Serif (fonts-dejavu-extra), under the free Bitstream Vera licence, which allows the same,
# is used for one wordmark.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh" imagemagick sox fonts-dejavu-extra fonts-bebas-neue fonts-comfortaa \
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

# Every file, in between too, is written as PNG32: ImageMagick would otherwise store a black or
# white layer as grey, and a composite takes the colour space of its first layer.

# Writes a finished PNG with alpha and without time stamps, so reruns give identical files.
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
    local stops=("$@") parts=() i rows filled=0
    local segments=$((${#stops[@]} - 1))
    for ((i = 0; i < segments; i++)); do
        rows=$(((h - filled) / (segments - i)))
        filled=$((filled + rows))
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

# A soft glow of a layer's shape in one colour. The layer needs room around its ink, or the blur
# is cut off at its edges.
# Arguments: output, layer, colour, blur radius, opacity (0..1)
glow() {
    local out=$1 layer=$2 colour=$3 radius=$4 opacity=$5
    "$IM" "$layer" -channel A -blur "0x$radius" -evaluate multiply "$opacity" +channel \
        -fill "$colour" -colorize 100 PNG32:"$out"
}

# Puts a picture on a transparent canvas of the logo's size, its top centre at the given height.
# Arguments: output, picture, canvas size (WxH), distance from the top
place() {
    local out=$1 picture=$2 size=$3 top=$4
    "$IM" -size "$size" xc:none "$picture" -gravity north -geometry "+0+$top" -composite \
        PNG32:"$out"
}

# Letter-spaced small text in one colour, trimmed.
# Arguments: output, text, font, point size, letter spacing, colour
caption() {
    local out=$1 text=$2 font=$3 size=$4 spacing=$5 colour=$6
    "$IM" -background none -fill "$colour" -font "$font" -pointsize "$size" -kerning "$spacing" \
        label:"$text" -trim +repage PNG32:"$out"
}

# The seven ball logos: distinct faces and colours, each one readable over the background. A
# ball's box is its whole picture, so each stays within about 400 x 150 pixels.
ballLogos() {
    wordmark "$images/mirel.png" "mirel" "$LOBSTER" 150 0 '#3a0b2a' '#ffe08a' '#ff4f8b'
    wordmark "$images/tosk.png" "TOSK" "$SPARTAN" 130 8 '#061238' '#b8fbff' '#2b6cff'
    wordmark "$images/vantor.png" "VANTOR" "$BEBAS" 135 10 '#0c1424' '#ffffff' '#b4c2da' \
        '#4a5a78' '#dfe8f8'
    wordmark "$images/greets.png" "greets" "$COMFORTAA" 110 0 '#06301a' '#eaff7a' '#27c46b'
    wordmark "$images/fennick.png" "FENNICK" "$PLAY" 84 2 '#3a1300' '#ffe69a' '#ff6a1f'
    wordmark "$images/grumbel.png" "Grumbel" "$DEJAVU_SERIF" 78 0 '#1c0638' '#f1d9ff' '#8b3dff'
    wordmark "$images/quade.png" "quade" "$QUICKSAND_BOLD" 122 0 '#3d0010' '#ffd0d0' '#e8173a'
}

# The group's logo, first in the intro: a chevron emblem over the chrome name and a tag line.
vantorLogo() {
    local size=1240x660
    # Emblem: two slanted bars meeting in a V, cool blue.
    "$IM" -size 300x170 xc:none -fill white \
        -draw "polygon 0,0 70,0 150,130 230,0 300,0 176,170 124,170" PNG32:"$work/v-mask.png"
    gradientFill "$work/v-fill.png" "$work/v-mask.png" '#d8fdff' '#3d8bff' '#1f3fbf'
    place "$work/v.png" "$work/v-fill.png" "$size" 40
    glow "$work/v-glow.png" "$work/v.png" '#3d8bff' 14 0.9
    wordmark "$work/name-ink.png" "VANTOR" "$BEBAS" 250 34 '#0c1424' '#ffffff' '#b4c2da' \
        '#4a5a78' '#e6eefc'
    place "$work/name.png" "$work/name-ink.png" "$size" 230
    glow "$work/name-glow.png" "$work/name.png" '#5aa0ff' 18 0.45
    # A hairline that fades out at both ends, and the tag line under it.
    "$IM" -size 3x560 gradient: -rotate 90 -function Polynomial -4,4,0 \
        -background '#7fb2ff' -alpha Shape PNG32:"$work/line-ink.png"
    place "$work/line.png" "$work/line-ink.png" "$size" 540
    caption "$work/tag-ink.png" "PRESENTS" "$QUICKSAND" 38 22 '#a9bfe6'
    place "$work/tag.png" "$work/tag-ink.png" "$size" 575
    save "$images/vantor-logo.png" "$work/v-glow.png" "$work/v.png" -compose over -composite \
        "$work/name-glow.png" -composite "$work/name.png" -composite \
        "$work/line.png" -composite "$work/tag.png" -composite
}

# The production's title, second in the intro: the striped orb of the ball scene behind the
# name, and the credit under it.
orbelleLogo() {
    local size=1300x720 d=440
    local r=$((d / 2))
    "$IM" -size "${d}x${d}" xc:none -fill white -draw "circle $r,$r $r,0" PNG32:"$work/orb-mask.png"
    gradientFill "$work/orb-fill.png" "$work/orb-mask.png" '#ff3ea5' '#ff7a66' '#ffd66b'
    # Gaps across the lower half, thicker towards the bottom, as on the background's orb.
    local cuts=() y=$((r + 10)) gap=4 i
    for ((i = 0; i < 6; i++)); do
        cuts+=(-draw "rectangle 0,$y $d,$((y + gap))")
        y=$((y + gap + 26 - 2 * i))
        gap=$((gap + 3))
    done
    "$IM" "$work/orb-fill.png" \( -size "${d}x${d}" xc:none -fill black "${cuts[@]}" \) \
        -compose DstOut -composite PNG32:"$work/orb-ink.png"
    place "$work/orb.png" "$work/orb-ink.png" "$size" 50
    glow "$work/orb-glow.png" "$work/orb.png" '#ff3ea5' 30 0.7
    wordmark "$work/name-ink.png" "orbelle" "$COMFORTAA" 210 6 '#2a0630' '#ffffff' '#ffd3ec' \
        '#ff8fcf'
    place "$work/name.png" "$work/name-ink.png" "$size" 350
    glow "$work/name-glow.png" "$work/name.png" '#ff3ea5' 16 0.5
    caption "$work/tag-ink.png" "A VANTOR PRODUCTION" "$QUICKSAND" 34 16 '#f3b3da'
    place "$work/tag.png" "$work/tag-ink.png" "$size" 640
    save "$images/orbelle-logo.png" "$work/orb-glow.png" "$work/orb.png" -compose over -composite \
        "$work/name-glow.png" -composite "$work/name.png" -composite "$work/tag.png" -composite
}

# The fade overlay and the ball scene's background: a small opaque black tile that the sprite
# manifest repeats over the whole window.
blackTile() {
    save "$images/black.png" -size 8x8 xc:black -alpha on
}

# The bounce: a 130 ms thump. A falling sine gives the body, a lower one the weight and a few
# milliseconds of band-passed noise the contact; each decays about exponentially. Then the
# low cut removes any offset, a short fade ends it at silence and the peak is set to -3 dBFS.
# -R makes the noise the same on every run.
bounceSound() {
    local raw=(-R -n -r 44100 -c 1 -b 32 -e floating-point)
    sox "${raw[@]}" "$work/body.wav" synth 0.35 sine 200/70 fade l 0 0.35 0.35 trim 0 0.13
    sox "${raw[@]}" "$work/weight.wav" synth 0.5 sine 110/48 fade l 0 0.5 0.5 trim 0 0.13
    sox "${raw[@]}" "$work/contact.wav" synth 0.012 pinknoise sinc 1500-6000 \
        fade q 0.0005 0.012 0.01 pad 0 0.118
    sox -R -m -v 0.8 "$work/body.wav" -v 0.6 "$work/weight.wav" -v 0.3 "$work/contact.wav" \
        -b 16 "$sounds/bounce.wav" highpass 30 fade q 0.001 0.13 0.03 gain -n -3
}

vantorLogo
orbelleLogo
ballLogos
blackTile
bounceSound
