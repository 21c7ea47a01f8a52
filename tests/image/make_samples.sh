#!/usr/bin/env bash
# Makes the picture files the Windows tests decode through the platform imaging library.
#   make_samples.sh <folder>
set -eu
out=$1
mkdir -p "$out"
cd "$out"

# 3 x 2 pixels: red, lime, blue above white, black, olive.
colours='\377\000\000\000\377\000\000\000\377\377\377\377\000\000\000\200\200\100'
printf "$colours" | convert -size 3x2 -depth 8 rgb:- PNG24:colours.png
printf "$colours" | convert -size 3x2 -depth 8 rgb:- -compress None TIFF:colours.tif
convert -size 4x3 'xc:rgba(0,0,255,0.5)' PNG32:alpha.png
# 1-bit and 4-bit indexed rows: black, white, white, black... and a four-colour palette.
convert -size 9x2 pattern:gray50 -type Bilevel -compress None TIFF:bilevel.tif
printf "$colours" | convert -size 3x2 -depth 8 rgb:- -define png:bit-depth=4 \
  -define png:color-type=3 PNG:indexed4.png
convert -size 20x10 xc:red -size 20x10 xc:blue +append -quality 95 photo.jpg
convert -size 8x6 xc:red xc:lime xc:blue -loop 0 -delay 10 anim.gif
convert -size 10x8 xc:lime -size 20x4 xc:red -depth 8 -compress None pages.tif
convert -size 16x16 xc:blue icon.ico
convert -size 4x4 xc:'#336699' -depth 16 PNG48:rgb48.png
convert -size 4x4 gradient:black-white -colorspace Gray -depth 16 \
  -define png:bit-depth=16 -define png:color-type=0 PNG:grey16.png
printf 'not a picture' > broken.png
touch empty.jpg
# Phone photos stored sideways: left half red, right half blue, with Exif orientation 6 and 8.
printf 'Exif\0\0II*\0\010\0\0\0\001\0\022\001\003\0\001\0\0\0\006\0\0\0\0\0\0\0' > orient6.app1
printf 'Exif\0\0II*\0\010\0\0\0\001\0\022\001\003\0\001\0\0\0\010\0\0\0\0\0\0\0' > orient8.app1
for o in 6 8; do
  convert -size 20x20 xc:red -size 20x20 xc:blue +append -profile APP1:orient$o.app1 \
    -quality 95 turned$o.jpg
done
convert -size 40x20 xc:red -interlace JPEG -quality 95 progressive.jpg
convert -size 40x20 xc:red -colorspace CMYK -quality 95 cmyk.jpg
convert -size 40x20 xc:red -colorspace Gray -quality 95 grey.jpg
head -c 400 photo.jpg > truncated.jpg
