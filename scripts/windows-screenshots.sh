#!/usr/bin/env bash
# The window of the Windows build under Wine and Xvfb, in English and with a
# Chinese system locale: docs/window-windows-en.png and docs/window-windows-zh.png,
# each after a read of the virtual tracker, so that the fields are filled.
# Usage: scripts/windows-screenshots.sh [WINDOWS_BUILD] [LINUX_BUILD]
#   WINDOWS_BUILD  default build-windows
#   LINUX_BUILD    a build with kite12-sim, the tracker (default build-windows-linux)
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(realpath "${1:-build-windows}")"
sim="$(realpath -m "${2:-build-windows-linux}")/tools/sim/kite12-sim"
[ -x "$sim" ] || { echo "windows-screenshots: no $sim: build kite12-sim first" >&2; exit 1; }
qt="$(scripts/setup-windows.sh)"
scripts/install-packages.sh x11-apps netpbm xdotool fonts-wine fonts-noto-cjk >&2
work="$(mktemp -d)"
trap 'WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
# A copy of its own, so that its TrkComm.ini lands in the work folder.
mkdir "$work/program"
cp "$build/src/app/kite12-config.exe" "$work/program/"
# The window recalls COM3, where the tracker is.
printf '[TrkComm]\r\npar5=COM3\r\n' >"$work/program/TrkComm.ini"
# Wine takes the system locale from glibc's, which need not be installed.
localedef -i zh_CN -f UTF-8 "$work/zh_CN.UTF-8"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    WINEPATH="Z:$qt/bin" LOCPATH="$work"

# Starts the window in locale $1 inside Xvfb, waits for it, clicks "Read data",
# saves it as docs/window-windows-$2.png.
shoot() {
    "$sim" --link "$WINEPREFIX/dosdevices/com3" >/dev/null &
    local tracker=$!
    LANG="$1" xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
        set -eo pipefail
        wine "$0/program/kite12-config.exe" >/dev/null 2>&1 &
        window=""
        for _ in $(seq 150); do
            window="$(xdotool search --name "^APRS Config$" 2>/dev/null | head -n 1)" && [ -n "$window" ] && break
            sleep 2
        done
        [ -n "$window" ] || { echo "windows-screenshots: the window did not show" >&2; exit 1; }
        sleep 5
        xdotool mousemove --window "$window" 155 399 click 1
        sleep 20
        # By its id: a message box would carry the same title.
        xwd -silent -id "$window" | xwdtopnm 2>/dev/null | pnmtopng >"$1"
        wineserver -k' "$work" "$PWD/docs/window-windows-$2.png"
    kill "$tracker"
}
# Its desktop, made without a display, would keep the window off Xvfb: wait for it to end.
wineboot --init >/dev/null 2>&1
# Debian's Wine does not list the fonts of fonts-wine to its programs. Without
# Tahoma, the font Windows gives for dialogues, Qt takes the first family Wine
# lists, DejaVu Math TeX Gyre if installed, whose text line edits and combo
# boxes do not draw. A Chinese system's dialogue font is SimSun: a CJK font
# stands in for it.
cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf \
    "$WINEPREFIX/drive_c/windows/Fonts/"
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /d "Noto Sans CJK SC" /f \
    >/dev/null 2>&1
wineserver -w
shoot en_US.UTF-8 en
shoot zh_CN.UTF-8 zh
echo "docs/window-windows-en.png docs/window-windows-zh.png"
