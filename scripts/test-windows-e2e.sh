#!/usr/bin/env bash
# The real batora.exe under Wine, driven with the keyboard as a person would: it starts next to
# a Batora.ini (code page 932, CR LF) whose start folder holds three photos, with the rename log
# on; select all (Alt+A), start (Ctrl+G), OK with Enter, No (N) at the closing question. Then
# the renamed files on disk, the program's own list (read from its list box by batora-probe.exe)
# and the rename log's bytes are checked. Needs the cross-build of scripts/test-windows.sh;
# that script runs this one last.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-win
exe=$build/bin/batora.exe
probe_exe=$build/win32/tests/batora-probe.exe
for f in "$exe" "$probe_exe"; do
  [[ -f $f ]] || { echo "missing $f: run scripts/test-windows.sh first" >&2; exit 2; }
done

source scripts/wine-display.sh
work=$(mktemp -d)
finish() {
  batora_stop_wine
  rm -rf "$work"
}
trap finish EXIT
batora_start_wine "$build"

deadline=$((SECONDS + 45))
fail() {
  echo "FAIL: $*" >&2
  echo "--- what the program shows:" >&2
  probe >&2 || true
  exit 1
}
probe() { "$wine" "$probe_exe" 2>/dev/null | tr -d '\r'; }
shows() { probe | grep -qF -- "$1"; }
shows_box() { probe | grep '^box' | grep -qF -- "$1"; }
# Runs the check until it holds; a short pause between polls, never a fixed wait.
until_true() {
  until "$@"; do
    ((SECONDS < deadline)) || fail "timed out waiting for: $*"
    sleep 0.1
  done
}
box_window() {
  xdotool search --onlyvisible --name '^Batora$' 2>/dev/null | grep -vx "$main" | head -1
}
# The box that shows the text gets the focus, then the key, as a person would press it.
answer_box() {
  local text=$1 key=$2 box
  until_true shows_box "$text"
  box=$(box_window)
  [[ -n $box ]] || fail "no X window for the box \"$text\""
  xdotool windowfocus --sync "$box"
  xdotool key "$key"
}

photos=$work/photos
bin=$work/bin
mkdir -p "$photos" "$bin"
for name in b.jpg c.jpg a.jpg; do printf '%s' "$name" >"$photos/$name"; done
cp "$exe" "$bin/"
winpath() { printf 'Z:%s' "${1//\//\\}"; }
{
  printf '# 端から端までの試験の設定\r\n'
  printf 'INIT_FINDDIR_PATH = %s\r\n' "$(winpath "$photos")"
  printf 'INIT_SERCH_FILE_NAME = *.jpg\r\n'
  printf 'OUTPUT_LOG_RENAME = 1\r\n'
} | iconv -f UTF-8 -t CP932 >"$bin/Batora.ini"

"$wine" "$bin/batora.exe" >/dev/null 2>&1 &
main=$(timeout 30 xdotool search --sync --onlyvisible --name '^Batora$' | head -1) ||
  fail "the window did not appear"
until_true shows $'list\t3\t0'

xdotool windowfocus --sync "$main"
xdotool key alt+a
until_true shows $'list\t3\t3'
xdotool key ctrl+g
answer_box 'リネームを開始します。' Return
answer_box 'Batoraを終了しますか？' n
until_true shows $'list\t3\t0'
shows $'box\t' && fail "a box is still open"
shows $'text\tmsctls_statusbar32\t'"$(winpath "$photos")" ||
  fail "the status bar does not show the folder searched again"
shows $'text\tStatic\t選択ファイル数 : 0' || fail "the selected count was not shown again"

# Renamed in list order (a, b, c) under one date prefix; nothing else left.
mapfile -t names < <(ls "$photos")
[[ ${#names[@]} -eq 3 ]] || fail "files on disk: ${names[*]}"
prefix=${names[0]%_01.jpg}
[[ $prefix =~ ^[0-9]{8}$ ]] || fail "unexpected name ${names[0]}"
for i in 1 2 3; do
  original=$(printf '%s' abc | cut -c"$i").jpg
  renamed=${prefix}_0$i.jpg
  [[ $(cat "$photos/$renamed" 2>/dev/null) == "$original" ]] ||
    fail "$renamed does not hold $original"
done

# The log: code page 932, every line ended by CR LF, the start line and one record per file.
log=$bin/Batora.log
[[ -f $log ]] || fail "no rename log"
[[ $(tr -cd '\n' <"$log" | wc -c) -eq 4 ]] || fail "the log has not four lines"
[[ $(grep -c $'\r$' "$log") -eq 4 ]] || fail "a log line does not end with CR LF"
text=$(iconv -f CP932 -t UTF-8 "$log") || fail "the log is not code page 932"
grep -qE '^\*\*\* Rename Start !!  \[[0-9]{4}/[0-9]{2}/[0-9]{2} [0-9:]{8}\] \*\*\*'$'\r''$' \
  <<<"$text" || fail "no start line in the log"
for i in 1 2 3; do
  original=$(printf '%s' abc | cut -c"$i").jpg
  record="[$(winpath "$photos")\\$original -> $(winpath "$photos")\\${prefix}_0$i.jpg]"
  grep -qF -- "$record" <<<"$text" || fail "no log record $record"
done
echo "end-to-end test of batora.exe passed"
