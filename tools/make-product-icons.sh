#!/usr/bin/env bash
# Draws the program icons of the bar (bar/res/tessel.ico) and the skin
# designer (designer/res/tesseldes.ico), 16, 32 and 48 pixels each. The
# results are committed; run this again only after changing a drawing.
# Needs ImageMagick's convert.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"

# The bar: a dark rounded strip with four coloured launch tiles.
bar_icon() {
    local s=$1 file=$2
    local r=$((s/8)) top=$((s*30/100)) bottom=$((s*70/100)) pad=$((s/16))
    local t=$(( (s - 2*pad) / 5 )) y0=$((top + (bottom-top)/5)) y1=$((bottom - (bottom-top)/5))
    local draw="-fill '#00000055' -stroke none -draw \"roundrectangle $((pad+1)),$((top+1)) $((s-pad)),$((bottom+1)) $r,$r\""
    draw+=" -fill '#2b2f36' -stroke '#0f1114' -draw \"roundrectangle $pad,$top $((s-pad-1)),$bottom $r,$r\""
    local colours=('#e85d4a' '#f2b233' '#4cb86b' '#3f8fe0')
    for i in 0 1 2 3; do
        local x0=$((pad + t/2 + i*t + 1)) x1=$((pad + t/2 + (i+1)*t - 1))
        draw+=" -fill '${colours[$i]}' -stroke none -draw \"rectangle $x0,$y0 $x1,$y1\""
    done
    eval convert -size ${s}x${s} xc:none $draw "$file"
}

# The designer: the same strip on a drawing sheet, with a pencil across it.
designer_icon() {
    local s=$1 file=$2
    local pad=$((s/16)) top=$((s*40/100)) bottom=$((s*64/100))
    local w=$((s/10 > 1 ? s/10 : 2))
    convert -size ${s}x${s} xc:none \
        -fill '#f4f6fa' -stroke '#8a96a8' -draw "rectangle $pad,$pad $((s-pad-1)),$((s-pad-1))" \
        -stroke '#c9d3e2' -draw "line $((s/2)),$((pad+1)) $((s/2)),$((s-pad-2))" \
        -draw "line $((pad+1)),$((s/2)) $((s-pad-2)),$((s/2))" \
        -fill '#2b2f36' -stroke none -draw "rectangle $((pad*3)),$top $((s-pad*3-1)),$bottom" \
        -fill '#3f8fe0' -draw "rectangle $((pad*4)),$((top+1)) $((s*36/100)),$((bottom-1))" \
        -stroke '#e8a23a' -strokewidth $w -draw "line $((s*30/100)),$((s*86/100)) $((s*86/100)),$((s*22/100))" \
        -stroke '#404040' -strokewidth 1 -draw "line $((s*30/100)),$((s*86/100)) $((s*26/100)),$((s*92/100))" \
        "$file"
}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for s in 16 32 48; do
    bar_icon $s "$tmp/bar$s.png"
    designer_icon $s "$tmp/des$s.png"
done
mkdir -p "$ROOT/bar/res" "$ROOT/designer/res"
convert "$tmp/bar16.png" "$tmp/bar32.png" "$tmp/bar48.png" "$ROOT/bar/res/tessel.ico"
convert "$tmp/des16.png" "$tmp/des32.png" "$tmp/des48.png" "$ROOT/designer/res/tesseldes.ico"
echo "icons written to bar/res and designer/res"
