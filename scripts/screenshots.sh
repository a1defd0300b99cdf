#!/usr/bin/env bash
# The screenshots in docs/, each in English and with a Chinese locale, of the
# Linux window under Xvfb and of the Windows build under Wine:
#   window[-windows]-LANG.png    after a read of the virtual tracker
#   symbols[-windows]-LANG.png   the symbol list open
#   operator[-windows]-LANG.png  the GPRS frame with China Mobile chosen
#   load-LANG.png                the Load file dialog, Qt's own texts in LANG
#   presets-LANG.png             the preset list open
# Usage: scripts/screenshots.sh [LINUX_BUILD] [WINDOWS_BUILD]
#   LINUX_BUILD    the window and kite12-sim (default build)
#   WINDOWS_BUILD  kite12-config.exe (default build-windows); "none" skips Wine
set -euo pipefail
cd "$(dirname "$0")/.."
linux="$(realpath -m "${1:-build}")"
windows="${2:-build-windows}"
sim="$linux/tools/sim/kite12-sim"
for program in "$sim" "$linux/src/app/kite12-config"; do
    [ -x "$program" ] || { echo "screenshots: no $program: build it first" >&2; exit 1; }
done
scripts/install-packages.sh x11-apps x11-utils netpbm xdotool xvfb xauth fonts-noto-cjk >&2
[ "$windows" = none ] || scripts/install-packages.sh fonts-wine >&2
# One X server for every shot.
if [ -z "${KITE12_SCREENSHOT_X:-}" ]; then
    exec env KITE12_SCREENSHOT_X=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$linux" "$windows"
fi

work="$(mktemp -d)"
tracker=""
cleanup() {
    [ -z "$tracker" ] || kill "$tracker" 2>/dev/null || true
    [ "$windows" = none ] || WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Waits for a visible window named $1 and prints its id.
window_named() {
    local id=""
    for _ in $(seq 150); do
        id="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)" && [ -n "$id" ] && break
        sleep 1
    done
    [ -n "$id" ] || { echo "screenshots: no window named $1 showed" >&2; exit 1; }
    echo "$id"
}

visible_windows() { xdotool search --onlyvisible --name '' 2>/dev/null | sort; }

# Saves window $1 as PNG $2 with, when $3 is given, the popup $3 pasted where
# it lies: a popup is a window of its own, which a capture of the window misses.
capture() {
    xwd -silent -id "$1" | xwdtopnm 2>/dev/null >"$work/window.pnm"
    if [ -z "${3:-}" ]; then
        pnmtopng <"$work/window.pnm" >"$2"
        return
    fi
    local X Y WIDTH HEIGHT SCREEN
    eval "$(xdotool getwindowgeometry --shell "$1")"
    local window_x=$X window_y=$Y window_width=$WIDTH window_height=$HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$3")"
    local left=$((X - window_x)) top=$((Y - window_y))
    local width=$((left + WIDTH > window_width ? left + WIDTH : window_width))
    local height=$((top + HEIGHT > window_height ? top + HEIGHT : window_height))
    xwd -silent -id "$3" | xwdtopnm 2>/dev/null >"$work/popup.pnm"
    pnmpad -white -right=$((width - window_width)) -bottom=$((height - window_height)) \
        "$work/window.pnm" | pnmpaste "$work/popup.pnm" "$left" "$top" | pnmtopng >"$2"
}

# Clicks at $2,$3 in window $1 and prints the id of the popup that opens.
open_popup() {
    local before
    before="$(visible_windows)"
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 3
    comm -13 <(echo "$before") <(visible_windows) | head -n 1
}

# Drives the window that program "$@" shows: a read, the symbol list, the GPRS
# frame with an operator. $suffix and $language name the files.
shoot() {
    local id popup
    id="$(window_named '^APRS Config$')"
    sleep 5
    xdotool mousemove --window "$id" 155 399 click 1
    sleep 20
    capture "$id" "docs/window$suffix-$language.png"
    popup="$(open_popup "$id" 148 235)"
    capture "$id" "docs/symbols$suffix-$language.png" "$popup"
    xdotool key Escape
    if [ -z "$suffix" ]; then
        popup="$(open_popup "$id" 255 399)"
        capture "$popup" "docs/load-$language.png"
        xdotool key Escape
        popup="$(open_popup "$id" 205 372)"
        capture "$id" "docs/presets-$language.png" "$popup"
        xdotool key Escape
    fi
    choose_operator "$id"
    capture "$id" "docs/operator$suffix-$language.png"
}

# Shows the GPRS frame, reads the modem, then picks China Mobile.
choose_operator() {
    xdotool mousemove --window "$1" 55 371 click 1
    sleep 3
    xdotool mousemove --window "$1" 54 344 click 1
    sleep 15
    pick "$1" 130 419 "CN"
    pick "$1" 384 419 "China Mobile"
}

# Opens the list at $2,$3 in window $1 and takes the first item that begins with $4.
pick() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 2
    xdotool type --delay 150 "$4"
    xdotool key Return
    sleep 2
}

start_tracker() {
    "$sim" --link "$1" >/dev/null &
    tracker=$!
}

stop_tracker() {
    kill "$tracker"
    wait "$tracker" 2>/dev/null || true
    tracker=""
}

# The Linux window from a folder of its own, its COM1 the virtual tracker; a
# home of its own, so the file dialog shows none of the user's files.
shoot_linux() {
    mkdir -p "$work/linux" "$work/home/Documents"
    cp "$linux/src/app/kite12-config" "$work/linux/"
    printf '[TrkComm]\r\npar5=COM1\r\n[Ports]\r\nCOM1=%s\r\n' "$work/tracker" >"$work/linux/TrkComm.ini"
    start_tracker "$work/tracker"
    HOME="$work/home" LANG="$1" "$work/linux/kite12-config" >/dev/null 2>&1 &
    local window=$!
    suffix="" language="$2" shoot
    kill "$window"
    wait "$window" 2>/dev/null || true
    stop_tracker
}

# Wine with the fonts a Windows system has: without Tahoma, the font Windows
# gives for dialogues, Qt takes the first family Wine lists, DejaVu Math TeX
# Gyre if installed, whose line edits and combo boxes do not draw; a Chinese
# system's dialogue font is SimSun, for which a CJK font stands in. Debian's
# Wine does not list the fonts of fonts-wine to its programs.
prepare_wine() {
    qt="$(scripts/setup-windows.sh)"
    mkdir "$work/program"
    cp -r "$windows/src/app/kite12-config.exe" "$windows/src/app/share" "$work/program/"
    # The window recalls COM3, where the tracker is.
    printf '[TrkComm]\r\npar5=COM3\r\n' >"$work/program/TrkComm.ini"
    # Wine takes the system locale from glibc's, which need not be installed.
    localedef -i zh_CN -f UTF-8 "$work/zh_CN.UTF-8"
    export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
        WINEPATH="Z:$qt/bin" LOCPATH="$work"
    wineboot --init >/dev/null 2>&1
    cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf \
        "$WINEPREFIX/drive_c/windows/Fonts/"
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /d "Noto Sans CJK SC" /f \
        >/dev/null 2>&1
    wineserver -w
}

shoot_wine() {
    start_tracker "$WINEPREFIX/dosdevices/com3"
    LANG="$1" wine "$work/program/kite12-config.exe" >/dev/null 2>&1 &
    suffix="-windows" language="$2" shoot
    wineserver -k
    stop_tracker
}

shoot_linux en_US.UTF-8 en
shoot_linux zh_CN.UTF-8 zh
[ "$windows" != none ] || exit 0
windows="$(realpath "$windows")"
prepare_wine
shoot_wine en_US.UTF-8 en
shoot_wine zh_CN.UTF-8 zh
