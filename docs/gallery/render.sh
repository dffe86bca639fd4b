#!/usr/bin/env bash
# Renders the gallery: one button per shape, each with a caption and the star
# picture. Run from anywhere after a build; writes the PNGs next to this file.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
nacreform="${NACREFORM:-$here/../../build/bin/nacreform}"
cd "$here"

"$nacreform" --export circle00.png \
    --set RenderID=32771 --set ShapeSize=160,160 --set String=PLAY --set FontName="DejaVu Sans" \
    --set Bold=1 --set FontSize=16 --set TextPos=0,20 --set ImagePath=star.png \
    --set ImageSize=38 --set ImagePos=0,-16 --set ImageShadowPos=0,6

"$nacreform" --export circle01.png \
    --set RenderID=32772 --set ShapeSize=160,160 --set Color1=3381555 --set Color2=6750105 \
    --set String=GO --set Bold=1 --set FontSize=22 --set TextPos=0,20 --set ImagePath=star.png \
    --set ImageSize=38 --set ImagePos=0,-16 --set ImageShadowPos=0,6

"$nacreform" --export rectangle.png \
    --set RenderID=32773 --set ShapeSize=260,72 --set Color1=3355494 --set Color2=6711039 \
    --set String=Download --set FontSize=38 --set TextPos=12,0 --set ImagePath=star.png \
    --set ImageSize=70 --set ImagePos=-33,0 --set ImageShadowPos=3,6

"$nacreform" --export capsule.png \
    --set RenderID=32774 --set ShapeSize=260,72 --set Color1=6697932 --set Color2=13408767 \
    --set String=Favourite --set Bold=1 --set FontSize=30 --set TextPos=12,0 --set ImagePath=star.png \
    --set ImageSize=70 --set ImagePos=-30,0 --set ImageShadowPos=3,6
