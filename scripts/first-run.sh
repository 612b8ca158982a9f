#!/usr/bin/env bash
# Makes the program built in BUILD open on FOLDER, or by default on a fresh copy of the sample
# pictures in BUILD/サンプル写真: it writes INIT_FINDDIR_PATH into BUILD/bin/Batora.ini (the
# settings file next to the program). Without it the window opens on the program's own folder,
# and a newcomer's first try (select all, start) renames the program.
# Usage: scripts/first-run.sh BUILD [FOLDER]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: $0 BUILD [FOLDER]}
folder=${2:-}
bin=$build/bin
if [[ ! -f $build/CMakeCache.txt || ! -d $bin ]]; then
  echo "$0: $build is not a build folder" >&2
  exit 2
fi

if [[ -z $folder ]]; then
  # Laid out afresh each time, so that names changed by the last try are back.
  folder=$build/サンプル写真
  rm -rf -- "$folder"
  mkdir -p -- "$folder"
  cp -- "$root"/samples/* "$folder"/
fi
if [[ ! -d $folder ]]; then
  echo "$0: no such folder: $folder" >&2
  exit 2
fi
folder=$(cd -- "$folder" && pwd -P)
if [[ $folder -ef $bin ]]; then
  echo "$0: $folder holds the program itself; choose another folder" >&2
  exit 2
fi
# The settings file reads "#" as the start of a comment, also inside a value.
if [[ $folder == *'#'* ]]; then
  echo "$0: a folder whose path holds '#' cannot be given in Batora.ini: $folder" >&2
  exit 2
fi

# The shipped file is code page 932; a file that starts with a UTF-8 byte-order mark is read as
# UTF-8, which holds any folder name.
ini=$bin/Batora.ini
{
  printf '\xEF\xBB\xBF'
  iconv -f CP932 -t UTF-8 "$root/ui/Batora.ini" |
    FOLDER=$folder awk '/^INIT_FINDDIR_PATH *=/ { print "INIT_FINDDIR_PATH = " ENVIRON["FOLDER"] "\r"; next } { print }'
} >"$ini.new"
mv -- "$ini.new" "$ini"
echo "$folder"
