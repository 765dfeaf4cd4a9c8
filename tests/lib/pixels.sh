# Sourced by both end-to-end libraries: screenshots and what their pixels
# hold. Needs the library's `fail`.

# The whole screen into the file; a hung X server fails the test, not the run.
screenshot() { timeout 20 import -window root "$1" 2>/dev/null || fail "screenshot $1"; }

# The colour of one pixel of a screenshot as RRGGBB.
pixel() { convert "$1" -format '%[hex:p{'"$2"','"$3"'}]' info: 2>/dev/null | cut -c1-6; }

# How many pixels of the screenshot have exactly this colour (RRGGBB).
count_colour() {
  convert "$1" -fill black +opaque "#$2" -fill white -opaque "#$2" -format '%[fx:int(mean*w*h+0.5)]' info:
}

# Pixels of the screenshot's area (WxH+X+Y) for which the expression in r, g
# and b (each 0 to 1) holds, e.g. 'r+g+b>0' for the ones that are not black.
# It is weighed once per colour of the area's histogram: the screen has a few
# colours, and ImageMagick's -fx, pixel by pixel, takes seconds on a busy
# machine. A picture that cannot be read gives no number at all, never 0.
count_where() {
  local histogram
  histogram=$(convert "$1" -crop "$2" +repage -depth 8 -format %c histogram:info:) || return 1
  awk -F'[()]' '{
    n = split($2, c, ","); r = c[1] / 255; g = c[n > 1 ? 2 : 1] / 255; b = c[n > 2 ? 3 : 1] / 255
    if ('"$3"') sum += $1
  } END { print sum + 0 }' <<<"$histogram"
}

# How many columns of a 1024 x 768 screenshot lie from the first to the last
# that hold a drawn pixel, the label's rows left out.
drawn_width() {
  convert "$1" -crop 1024x700+0+68 +repage -threshold 0 -scale 1024x1! -depth 8 txt:- |
    awk -F'[,:]' '!/^#/ && !/#000000/ {if (first == "") first = $1; last = $1} END {print (first == "" ? 0 : last - first + 1)}'
}

# How many columns of the screenshot's area (WxH+X+Y) lie from the first to
# the last that hold a pixel of exactly this colour (RRGGBB); 0 for none. A
# picture that cannot be read gives no number at all, never 0.
colour_span() {
  local pixels
  pixels=$(convert "$1" -crop "$2" +repage -depth 8 txt:-) || return 1
  awk -F'[,:]' -v colour="#${3^^} " '!/^#/ && index(toupper($0), colour) {
    if (first == "") first = $1 + 0; last = $1 + 0
  } END { print (first == "" ? 0 : last - first + 1) }' <<<"$pixels"
}

# How wide, in pixels, a 1024 x 768 screenshot draws the band of an orbit of
# this colour round the centre: the wider of its two crossings with the
# middle row, left and right of the centre. 0 when neither holds the colour.
band_width() {
  local left right
  left=$(colour_span "$1" 512x1+0+384 "$2") || return 1
  right=$(colour_span "$1" 512x1+512+384 "$2") || return 1
  echo $((left > right ? left : right))
}

# Whether a fresh screenshot, into $1, shows the band of colour $2 on the middle row.
band_shown() {
  screenshot "$1"
  (($(band_width "$1" "$2") > 0))
}

# Mercury's band in the classic step's run ($1 pixels) and with 16 substeps
# ($2): visibly thick, and at most half as wide and a few pixels.
expect_thinner_band() {
  echo "    Mercury's band: $1 pixels at accuracy 1, $2 at accuracy 16"
  (($2 > 0)) || fail "no Mercury on the middle row at accuracy 16"
  (($1 >= 10)) || fail "the classic step's band is only $1 pixels wide"
  (($2 <= 3 && 2 * $2 <= $1)) || fail "Mercury's band is $2 pixels wide at accuracy 16, $1 at accuracy 1"
}
