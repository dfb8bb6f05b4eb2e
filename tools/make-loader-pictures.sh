#!/usr/bin/env bash
# Draws the loader's pictures (page banners, the slide-direction window, the
# program icon) into loader/res/. The results are committed; run this again
# only after changing a drawing. Needs ImageMagick's convert and DejaVu fonts.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
OUT="$ROOT/loader/res"
mkdir -p "$OUT"
BOLD=DejaVu-Sans-Bold
SANS=DejaVu-Sans
W=330
H=44

# A small window: title bar, frame and a drop shadow. Args: x y w h.
window() {
    local x=$1 y=$2 w=$3 h=$4
    echo "-fill '#00000055' -stroke none -draw \"rectangle $((x+4)),$((y+4)) $((x+w+4)),$((y+h+4))\" \
          -fill '#f4f6fa' -stroke '#1b3a6b' -draw \"rectangle $x,$y $((x+w)),$((y+h))\" \
          -fill '#2d5fa8' -stroke none -draw \"rectangle $((x+1)),$((y+1)) $((x+w-1)),$((y+7))\""
}

# Banner: gradient, product name, page name, and a drawing at the right.
# Args: file page-name extra-drawing-commands.
banner() {
    local file=$1 name=$2 extra=$3 W=${4:-$W}
    eval convert -size ${H}x${W} "gradient:'#4c86d6'-'#16325e'" -rotate 90 \
        -font $BOLD -pointsize 20 -fill white -annotate +12+29 "Zirvane" \
        -font $SANS -pointsize 12 -fill "'#d8e6ff'" -annotate +118+28 "\"$name\"" \
        $extra \
        -type TrueColor BMP3:"$OUT/$file"
}

banner banner_about.bmp "Visual effects" "" 280
banner banner_anim.bmp "Animations" "$(window 268 8 40 26) -fill '#ffffff' -stroke none -draw \"polygon 252,14 260,21 252,28\""
banner banner_menu.bmp "Menu effects" "-fill '#00000044' -stroke none -draw \"rectangle 279,9 321,41\" -fill '#f4f6fab0' -stroke '#1b3a6b' -draw \"rectangle 275,5 317,37\" -stroke '#2d5fa8' -draw \"line 280,13 310,13\" -draw \"line 280,21 306,21\" -draw \"line 280,29 312,29\""
banner banner_drag.bmp "Window dragging" "-fill '#f4f6fa66' -stroke '#d8e6ff' -draw \"rectangle 250,12 290,38\" $(window 276 6 40 26)"
banner banner_max.bmp "Maximize to set size" "-fill none -stroke '#d8e6ff' -strokewidth 1 -draw \"rectangle 246,4 320,40\" $(window 252 9 44 24)"
banner banner_icons.bmp "Desktop icons" "-fill '#ffd34d' -stroke '#1b3a6b' -draw \"rectangle 280,6 300,24\" -stroke none -fill '#ffe680' -font $SANS -pointsize 10 -annotate +274+37 'Icon'"
banner banner_trans.bmp "Transparency" "-fill '#f4f6fa70' -stroke '#ffffff' -draw \"rectangle 272,7 316,37\" -fill '#2d5fa880' -stroke none -draw \"rectangle 273,8 315,14\""
banner banner_shadow.bmp "Shadows" "-fill '#00000030' -stroke none -draw \"rectangle 282,14 322,42\" -fill '#00000050' -draw \"rectangle 280,12 318,39\" $(window 274 6 40 28)"

# The product logo of the About page: a stylised Z on a raised tile.
logo() {
    local size=$1 file=$2 fmt=$3
    local r=$((size/6)) pad=$((size/16)) s=$size
    convert -size ${s}x${s} xc:none \
        -fill '#00000050' -stroke none -draw "roundrectangle $((pad+2)),$((pad+2)) $((s-pad+1)),$((s-pad+1)) $r,$r" \
        -fill '#2d5fa8' -stroke '#16325e' -draw "roundrectangle $pad,$pad $((s-pad-1)),$((s-pad-1)) $r,$r" \
        -fill white -stroke none \
        -draw "polygon $((s*26/100)),$((s*24/100)) $((s*74/100)),$((s*24/100)) $((s*74/100)),$((s*36/100)) $((s*44/100)),$((s*64/100)) $((s*74/100)),$((s*64/100)) $((s*74/100)),$((s*76/100)) $((s*26/100)),$((s*76/100)) $((s*26/100)),$((s*64/100)) $((s*56/100)),$((s*36/100)) $((s*26/100)),$((s*36/100))" \
        $fmt "$file"
}
logo 44 "$OUT/logo.png" ""
convert "$OUT/logo.png" -background '#3f78c9' -flatten -type TrueColor BMP3:"$OUT/logo.bmp"
rm -f "$OUT/logo.png"

# Icon 128: 16, 32 and 48 pixel frames.
tmp=$(mktemp -d)
for s in 16 32 48; do logo $s "$tmp/z$s.png" ""; done
convert "$tmp/z16.png" "$tmp/z32.png" "$tmp/z48.png" "$OUT/zirvane.ico"
rm -rf "$tmp"

# The window around which the slide-direction buttons stand.
convert -size 44x32 xc:'#d4d0c8' \
    -fill '#00000040' -stroke none -draw "rectangle 7,7 41,29" \
    -fill '#f4f6fa' -stroke '#1b3a6b' -draw "rectangle 4,4 38,26" \
    -fill '#2d5fa8' -stroke none -draw "rectangle 5,5 37,10" \
    -type TrueColor BMP3:"$OUT/slide_window.bmp"
echo "pictures written to $OUT"
