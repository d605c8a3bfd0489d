#!/bin/sh
# Generates the comma-decimal locale $2 from the sources of locale $3 into folder $1,
# once; the comma-locale test runs point LOCPATH there.
set -u
dir=$1 name=$2 source=$3
if ! command -v localedef >/dev/null 2>&1; then
  echo "localedef is missing: install Debian's locales package (./test does)" >&2
  exit 1
fi
[ -f "$dir/$name/LC_NUMERIC" ] && exit 0
mkdir -p "$dir"
# -c: warnings about the locale sources do not stop the generation.
localedef -c -i "$source" -f UTF-8 "$dir/$name" >/dev/null 2>&1
if [ ! -f "$dir/$name/LC_NUMERIC" ]; then
  echo "localedef could not generate $name into $dir" >&2
  exit 1
fi
