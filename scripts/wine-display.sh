# Sourced by scripts/test-windows.sh (and by anything else that runs Batora's Windows
# executables under Wine with windows on screen). Wine 8 creates no window without an X server,
# so the tests get a private Xvfb; the prefix gets the Japanese locale and the fonts of the
# window layout once.

# Starts a private Xvfb on a free display and exports DISPLAY; the caller stops it with
# batora_stop_xvfb (an EXIT trap). Xvfb picks the display itself (-displayfd), so two runs at
# once cannot take the same one.
batora_start_xvfb() {
  local dir number=""
  dir=$(mktemp -d)
  mkfifo "$dir/display"
  Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$dir/display" 2>/dev/null &
  batora_xvfb_pid=$!
  # Blocks until Xvfb writes the number, or ends when it dies first.
  read -r number <"$dir/display" || true
  rm -rf "$dir"
  if [[ -z $number ]]; then
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$number"
}

batora_stop_xvfb() {
  if [[ -n ${batora_xvfb_pid:-} ]]; then
    kill "$batora_xvfb_pid" 2>/dev/null || true
    wait "$batora_xvfb_pid" 2>/dev/null || true
    batora_xvfb_pid=
  fi
}

# Makes the Japanese UTF-8 locale when the system lacks it: Wine takes its user interface
# language from it, so the system's boxes read "はい(Y)" / "いいえ(N)" as on a Japanese Windows.
batora_ensure_japanese_locale() {
  if locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then return 0; fi
  local sudo=""
  [[ $(id -u) -eq 0 ]] || sudo="sudo"
  $sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
}

# Once per prefix (needs WINEPREFIX and a running wineserver):
# - the layout names Windows' Japanese fonts; without a replacement Latin letters render as
#   empty boxes. The IPA fonts take their place: they keep the Windows fonts' metrics (a line
#   as high as the point size), so texts fit the layout's boxes as they do on Windows, where the
#   taller lines of Noto Sans CJK are cut off at the bottom of labels and text boxes;
# - windows are left unmanaged: there is no window manager on the private X server, and Wine
#   waits two seconds for one whenever a managed window is hidden or destroyed;
# - a program that crashes ends at once with a failing status and Wine's line naming the fault
#   and its address: Wine's own debugger would show a box that waits for a click no one on the
#   private X server gives, so the test would hang instead of failing.
batora_prepare_prefix() {
  local wine=$1 marker=$WINEPREFIX/.batora-prefix-ipa-nodebugger
  [[ -f $marker ]] && return 0
  local face
  for face in 'ＭＳ ゴシック:IPAGothic' 'MS Gothic:IPAGothic' 'ＭＳ Ｐゴシック:IPAPGothic' \
    'MS UI Gothic:IPAPGothic' 'ＭＳ Ｐ明朝:IPAPMincho'; do
    "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${face%%:*}" /d "${face#*:}" /f \
      >/dev/null 2>&1
  done
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  "$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' \
    /f >/dev/null 2>&1
  touch "$marker"
}

# For a script that runs Batora's executables by themselves under Wine (not through ctest):
# the prefix of build-win in the Japanese locale, a private Xvfb, and a server of its own;
# sets `wine` and `wineserver`. The caller ends both with batora_stop_wine (an EXIT trap).
batora_start_wine() {
  local build=$1
  wine=/usr/lib/wine/wine64
  wineserver=/usr/lib/wine/wineserver64
  export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
  unset WAYLAND_DISPLAY
  # A server left from the unit tests serves another X display.
  "$wineserver" --kill 2>/dev/null || true
  batora_ensure_japanese_locale
  batora_start_xvfb
  mkdir -p "$WINEPREFIX"
  "$wineserver" --persistent
  "$wine" wineboot --init >/dev/null 2>&1
  batora_prepare_prefix "$wine"
}

batora_stop_wine() {
  "${wineserver:-/usr/lib/wine/wineserver64}" --kill 2>/dev/null || true
  batora_stop_xvfb
}
