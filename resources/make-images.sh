#!/usr/bin/env bash
# Regenerates the button pictures and the program icon in this folder:
#   running.png   300x150 picture shown while the countdown runs
#   paused.png    300x150 picture shown while it is paused
#   kestrane.ico  one 100x100 8-bit palette icon image
# The outputs are checked in; run this only after changing the artwork.
# Each picture is drawn, saved as a JPEG at quality 95, and that JPEG's
# decode is stored as an 8-bit RGB PNG with no other chunks: the program
# shows exactly the JPEG's look but only has to inflate a PNG at start-up.
# The pictures are drawn centred on a 385x111 button face, so roughly the
# top and bottom 20 rows are clipped: keep text and marks within rows 22..128.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")"

# Always the real ImageMagick, never whatever "convert" comes first on PATH.
CONVERT=/usr/bin/convert
FONT=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
for f in "$CONVERT" "$FONT"; do
  [ -e "$f" ] || { echo "make-images.sh: missing $f (run scripts/install-deps.sh)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# picture FIELD_COLOUR TOP_WORD BOTTOM_WORD OUTPUT
# Text and marks are rendered on their own, trimmed to their ink and then
# placed, so the layout does not depend on the font's bearings and ascent.
picture() {
  "$CONVERT" -size 300x150 "xc:$1" \
    \( -background none -fill 'rgb(255,0,0)' -font "$FONT" \
       -pointsize 30 -interline-spacing 6 -gravity center \
       label:"$2\n$3" -trim +repage \) \
    -gravity center -geometry +0+0 -composite \
    \( -background none -fill 'rgb(255,0,0)' -font "$FONT" \
       -pointsize 110 label:'!' -trim +repage -write mpr:mark \) \
    -gravity west -geometry +5+0 -composite \
    mpr:mark -gravity east -geometry +5+0 -composite \
    -alpha off -strip -type TrueColor -colorspace sRGB \
    -interlace none -sampling-factor 1x1 -quality 95 \
    "jpg:$work/picture.jpg"
  "$CONVERT" "$work/picture.jpg" -strip -define png:compression-level=9 \
    -define png:exclude-chunks=all "PNG24:$4"
}

picture 'rgb(0,255,0)' PAUSE COUNTDOWN running.png
picture 'rgb(0,0,0)'   COUNTDOWN PAUSED paused.png

# The icon: ImageMagick renders an anti-aliased white "K" on black as raw
# 8-bit grey; each grey level g becomes palette index g, and the palette runs
# from black (0) to the monogram green (255) = RGB 76,255,0.  Written by hand
# because ImageMagick's own ICO writer picks 32-bit or PNG entries.
"$CONVERT" -size 100x100 xc:black \
  -font "$FONT" -fill white -pointsize 92 -gravity center -annotate +0+0 K \
  -colorspace Gray -depth 8 gray:- |
python3 -c '
import struct, sys

W = H = 100
GREEN = (76, 255, 0)
grey = sys.stdin.buffer.read()
if len(grey) != W * H:
    sys.exit("make-images.sh: expected %d grey bytes, got %d" % (W * H, len(grey)))

palette = b"".join(
    bytes((GREEN[2] * i // 255, GREEN[1] * i // 255, GREEN[0] * i // 255, 0))
    for i in range(256))  # BGRX
xor_rows = b"".join(grey[y * W:(y + 1) * W] for y in reversed(range(H)))  # bottom-up; 100 is already a multiple of 4
and_mask = bytes(((W + 31) // 32 * 4) * H)                                # all opaque
header = struct.pack("<IiiHHIIiiII", 40, W, 2 * H, 1, 8, 0,
                     len(xor_rows) + len(and_mask), 0, 0, 256, 0)
image = header + palette + xor_rows + and_mask

icondir = struct.pack("<HHH", 0, 1, 1)
entry = struct.pack("<BBBBHHII", W, H, 0, 0, 1, 8, len(image), 6 + 16)  # 0 colours means 256
with open("kestrane.ico", "wb") as f:
    f.write(icondir + entry + image)
'

echo "make-images.sh: wrote running.png paused.png kestrane.ico in $(pwd)"
