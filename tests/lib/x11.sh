# shellcheck shell=bash
# Looking at an X screen, for the end-to-end scripts of both programs:
# where a window is, a screenshot of the whole screen, and what a region of
# a screenshot holds.

# Prints "left top width height" of a window on the screen.
x11_window_box() {
    xwininfo -id "$1" | awk '
        /Absolute upper-left X:/ { x = $NF }
        /Absolute upper-left Y:/ { y = $NF }
        /^ *Width:/ { w = $NF }
        /^ *Height:/ { h = $NF }
        END { print x + 0, y + 0, w + 0, h + 0 }'
}

# Takes a screenshot of the whole screen into the file $1.
x11_screenshot() {
    import -window root "$1" 2>/dev/null
}

# Prints the brightest channel value (0..255) inside a region WxH+X+Y of a
# screenshot: 0 means the region is all black; -1 that it could not be read.
x11_brightest() {
    /usr/bin/convert "$1" -crop "$2" +repage -format '%[fx:int(maxima*255+0.5)]' info: 2>/dev/null || echo -1
}
