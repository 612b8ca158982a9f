#!/usr/bin/env bash
# Cross-builds the engine libraries, the Win32 toolkit, batora-cli.exe and their tests for
# 64-bit Windows with mingw-w64 and runs the tests under Wine, on a private Xvfb, in a Japanese
# prefix. Installs what is missing with apt-get; quiet and quick when everything is there
# already. scripts/test.sh calls it.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-win

packages=(g++-mingw-w64-x86-64-posix wine64 googletest xvfb xdotool imagemagick locales
  fonts-noto-cjk fonts-ipafont-gothic fonts-ipafont-mincho fonts-wine)
missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  sudo=""
  [[ $(id -u) -eq 0 ]] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

toolchain=$root/cmake/mingw-w64-x86_64.cmake
mkdir -p "$build"

# GoogleTest for the target, built once from Debian's sources.
gtest=$build/googletest-install
if [[ ! -f $gtest/lib/cmake/GTest/GTestConfig.cmake ]]; then
  cmake -S /usr/src/googletest -B "$build/googletest" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF \
    -DCMAKE_INSTALL_PREFIX="$gtest" >/dev/null
  cmake --build "$build/googletest" -j 2 >/dev/null
  cmake --install "$build/googletest" >/dev/null
fi

# Wine in a prefix of its own, in the Japanese locale, on a private X server: Wine 8 creates no
# window without one, and the toolkit's tests open real windows. The Mono and Gecko installers
# are switched off, as nothing here needs .NET or HTML.
source scripts/wine-display.sh
batora_ensure_japanese_locale
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
export WINEPREFIX=$build/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
unset WAYLAND_DISPLAY
trap '"$wineserver" --kill 2>/dev/null || true; batora_stop_xvfb' EXIT
batora_start_xvfb
runner=$build/wine-run
cat >"$runner" <<EOF
#!/bin/sh
# Runs a Windows test executable for ctest; written by scripts/test-windows.sh for the X server
# of that run.
export WINEPREFIX="$WINEPREFIX" WINEDEBUG="$WINEDEBUG" WINEDLLOVERRIDES="$WINEDLLOVERRIDES"
export LANG="$LANG" LC_ALL="$LC_ALL" DISPLAY="$DISPLAY"
unset WAYLAND_DISPLAY
exec "$wine" "\$@"
EOF
chmod +x "$runner"

# Wine's first start in a new prefix needs nothing of the build and takes a good part of it, so it
# runs meanwhile. One server for the whole run: starting it for each test would cost more than
# most tests. It needs the prefix folder; wineboot then fills a new one.
mkdir -p "$WINEPREFIX"
"$wineserver" --persistent
"$wine" wineboot --init >/dev/null 2>&1 &
wineboot_pid=$!

cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Debug \
  -DBATORA_UI=OFF -DBATORA_BENCH=OFF -DBATORA_WIN_PREFIX="$gtest" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$runner" >/dev/null
cmake --build "$build" -j 2

wait "$wineboot_pid"
batora_prepare_prefix "$wine"
# Wine starts its desktop process from the first program that opens a window, and that process
# inherits the program's output: under ctest a window test then lasted until the desktop ended,
# about ten seconds after the last program of the prefix, and the next one started it again (20 s
# a test). So the desktop is started here, with its output going nowhere, by the probe listing
# the windows (none yet), and kept up for the whole run by a program that waits for input that
# never comes. The EXIT trap ends both with the server.
coproc keeper { exec "$wine" cmd.exe /c pause >/dev/null 2>&1; }
"$wine" "$build/win32/tests/batora-probe.exe" >/dev/null 2>&1

# Tests of what only POSIX has, each with a Windows counterpart beside it:
# - JoinPathTest.NoDoubledSeparator, LookUpTest.FilesFoldersAndFailures and
#   IniFileTest.FolderLookUpThatCannotBeCarriedOutFailsTheRead spell paths with "/" and make a
#   link loop or a name too long for the system (platform_win_test.cpp has the Windows forms);
# - SearchTest.LinksToFilesAreListedLinksToFoldersNeverWalked makes links through
#   std::filesystem, which mingw's library does not implement
#   (WindowsSearchTest.FolderLinksAreNeverWalked makes them with the system's call).
# Not runnable under Wine: CliExecutable.CtrlCStopsABigRunAfterTheFileUnderWay, because Wine
# delivers no console control event (GenerateConsoleCtrlEvent fails there).
# Each test executable runs all its cases in one Wine process; GoogleTest reads the filter from
# the environment, which Wine passes on.
posix_only='-JoinPathTest.NoDoubledSeparator:LookUpTest.FilesFoldersAndFailures'
posix_only+=':IniFileTest.FolderLookUpThatCannotBeCarriedOutFailsTheRead'
posix_only+=':SearchTest.LinksToFilesAreListedLinksToFoldersNeverWalked'
posix_only+=':CliExecutable.CtrlCStopsABigRunAfterTheFileUnderWay'
GTEST_FILTER=$posix_only ctest --test-dir "$build" --output-on-failure -j 2

# Last, the real batora.exe driven with the keyboard on a display and server of its own.
"$wineserver" --kill 2>/dev/null || true
scripts/test-windows-e2e.sh
