#!/usr/bin/env bash
# Renders a set of designs with two builds of nacreform and says whether
# every PNG is byte for byte the same: the guard for changes to the
# renderers that must not change a pixel.
#   scripts/same-pixels.sh OLD_NACREFORM NEW_NACREFORM
# Every shape with caption, caption shadow, picture and picture shadow, over
# both backgrounds, at 1x and 3x, and in every state of an image set.
set -euo pipefail
old="$1" new="$2"
here="$(cd "$(dirname "$0")" && pwd)"
star="$here/../docs/gallery/star.png"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

designs=(
    "circle00 --set RenderID=32771 --set ShapeSize=160,160 --set String=PLAY --set Bold=1 --set TextPos=0,20"
    "circle01 --set RenderID=32772 --set ShapeSize=37,37 --set Color1=3381555 --set Color2=6750105"
    "rectangle --set RenderID=32773 --set ShapeSize=260,72 --set String=Download --set FontSize=38"
    "capsule --set RenderID=32774 --set ShapeSize=157,61 --set String=Favourite --set Bold=1"
    "narrow --set RenderID=32774 --set ShapeSize=50,70 --set ShapeShadowPos=4,9"
    "default"
)
count=0
for design in "${designs[@]}"; do
    read -r -a words <<<"$design"
    name="${words[0]}"
    settings=("${words[@]:1}")
    for background in "BGTrans=1" "BGTrans=0"; do
        for scale in 1 3; do
            for side in old new; do
                binary="$old"; [ "$side" = new ] && binary="$new"
                "$binary" --export "$work/$side-$name-$background-$scale.png" --scale "$scale" \
                    --set "$background" --set BGColor=3158064 --set ImagePath="$star" --set ImageSize=40 \
                    --set ImagePos=-20,0 --set ImageShadowPos=3,6 "${settings[@]}"
            done
            cmp "$work/old-$name-$background-$scale.png" "$work/new-$name-$background-$scale.png"
            count=$((count + 1))
        done
    done
    for side in old new; do
        binary="$old"; [ "$side" = new ] && binary="$new"
        "$binary" --export-set "$work/set-$side-$name" --scales 1,2 --set ImagePath="$star" "${settings[@]}"
    done
    for file in "$work/set-old-$name"/*; do
        cmp "$file" "$work/set-new-$name/$(basename "$file")"
        count=$((count + 1))
    done
done
echo "$count images, all the same"
