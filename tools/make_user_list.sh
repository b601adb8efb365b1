#!/usr/bin/env bash
# Draws res/user_list.bmp, the picture of the guidance dialog beside the
# console of local users: the list of users as Windows XP shows it, with the
# columns Name and Full Name, and a red ring around the two support accounts
# to delete. 255 x 122 pixels in the 16 colours of the Windows palette.
#
# Usage: make_user_list.sh [OUT.bmp]   (needs ImageMagick and fonts-dejavu)
set -euo pipefail
out=${1:-$(cd "$(dirname "$0")/.." && pwd)/res/user_list.bmp}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf

# The 16 colours of the Windows palette, to which the picture is mapped.
convert -size 1x1 xc:'#000000' xc:'#800000' xc:'#008000' xc:'#808000' xc:'#000080' xc:'#800080' \
    xc:'#008080' xc:'#C0C0C0' xc:'#808080' xc:'#FF0000' xc:'#00FF00' xc:'#FFFF00' xc:'#0000FF' \
    xc:'#FF00FF' xc:'#00FFFF' xc:'#FFFFFF' +append "$work/palette.png"

# A small user figure at x, y: a head and shoulders.
user_icon() {  # X Y
    local x=$1 y=$2
    printf ' fill "#000080" stroke none circle %d,%d %d,%d' $((x + 7)) $((y + 4)) $((x + 7)) $((y + 1))
    printf ' fill "#0000FF" roundrectangle %d,%d %d,%d 3,3' $((x + 2)) $((y + 9)) $((x + 12)) $((y + 15))
}

row_height=22
header=17
rows=("Administrator|" "Guest|" "HelpAssistant|Remote Desktop Help As..." "SUPPORT_3889...|CN=Microsoft Corpora...")
draw="fill '#C0C0C0' rectangle 0,0 254,$((header - 1))"
draw+=" stroke '#808080' line 0,$((header - 1)) 254,$((header - 1)) line 99,0 99,$((header - 2))"
draw+=" stroke '#FFFFFF' line 0,0 254,0 line 100,0 100,$((header - 2)) stroke none"
draw+=" fill black text 5,12 'Name' text 106,12 'Full Name'"
for i in "${!rows[@]}"; do
    IFS='|' read -r name full <<<"${rows[$i]}"
    y=$((header + 4 + i * row_height))
    draw+=$(user_icon 6 $((y + 1)))
    draw+=" fill black stroke none text 24,$((y + 12)) '$name' text 106,$((y + 12)) '$full'"
done
# The ring around the last two rows, in the gaps between the rows.
ring_top=$((header + 4 + 2 * row_height - 4))
ring_bottom=$((header + 4 + 4 * row_height - 3))
draw+=" fill none stroke '#FF0000' stroke-width 2 roundrectangle 2,$ring_top 252,$ring_bottom 9,9"

convert -size 255x122 xc:white +antialias -font "$font" -pointsize 8 -draw "$draw" \
    +dither -remap "$work/palette.png" -type Palette -colors 16 BMP3:"$out"
echo "Wrote $out"
