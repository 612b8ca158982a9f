#!/usr/bin/env bash
# Renders docs/screenshot-windows.png from the real batora.exe under Wine on a private Xvfb, in
# the Japanese prefix of scripts/test-windows.sh (run that first). The sample folder has a
# fixed path and plain names, so the picture changes only with the date and time panels. Not
# part of the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-win
exe=$build/bin/batora.exe
probe_exe=$build/win32/tests/batora-probe.exe
out=${1:-$root/docs/screenshot-windows.png}
for f in "$exe" "$probe_exe"; do
  [[ -f $f ]] || { echo "missing $f: run scripts/test-windows.sh first" >&2; exit 2; }
done

source scripts/wine-display.sh
sample=/tmp/batora-screenshot
finish() {
  batora_stop_wine
  rm -rf "$sample"
}
trap finish EXIT
batora_start_wine "$build"

rm -rf "$sample"
mkdir -p "$sample/bin" "$sample/photos/holiday" "$sample/photos/work"
for name in IMG0001.jpg IMG0002.jpg IMG0003.jpg IMG0004.jpg beach.jpg harbour.jpg \
  sunset.jpg notes.txt; do
  printf '%s' "$name" >"$sample/photos/$name"
done
cp "$exe" "$sample/bin/"
{
  printf 'INIT_FINDDIR_PATH = Z:\\tmp\\batora-screenshot\\photos\r\n'
  printf 'INIT_SERCH_FILE_NAME = *.jpg\r\n'
  printf 'OUTPUT_LOG_RENAME = 1\r\n'
} >"$sample/bin/Batora.ini"

"$wine" "$sample/bin/batora.exe" >/dev/null 2>&1 &
main=$(timeout 30 xdotool search --sync --onlyvisible --name '^Batora$' | head -1)
deadline=$((SECONDS + 30))
shows() { "$wine" "$probe_exe" 2>/dev/null | tr -d '\r' | grep -qF -- "$1"; }
until_true() {
  until "$@"; do
    ((SECONDS < deadline)) || { echo "timed out waiting for: $*" >&2; exit 1; }
    sleep 0.1
  done
}
until_true shows $'list\t7\t0'
# Three files selected, the way a user starts: the list shows its selection and the count.
xdotool windowfocus --sync "$main"
xdotool key alt+n Down shift+Down shift+Down
until_true shows $'list\t7\t3'
eval "$(xdotool getwindowgeometry --shell "$main")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
echo "wrote $out"
