#!/bin/sh
# kovalin-cli PROGRAM: a write to stdout that fails (a full disk, a pipe whose
# reader has gone) ends with status 1 and says why on stderr.
program="$1"
fail() { echo "FAIL: $*" >&2; exit 1; }

err=$("$program" compare 30 12 4 4 6 10 2 32 2>&1 >/dev/full)
status=$?
[ "$status" -eq 1 ] || fail "full disk: status $status"
case "$err" in *"could not be written: No space left on device"*) ;; *) fail "full disk: '$err'" ;; esac

# A FIFO opened for reading and writing, then closed for reading: no reader is left.
dir=$(mktemp -d) || fail "no temporary folder"
trap 'rm -rf "$dir"' EXIT
mkfifo "$dir/pipe" || fail "no FIFO"
exec 3<>"$dir/pipe" 4>"$dir/pipe"
exec 3<&-
err=$("$program" compare 30 12 4 4 6 10 2 32 2>&1 >&4)
status=$?
exec 4>&-
[ "$status" -eq 1 ] || fail "closed pipe: status $status"
case "$err" in *"could not be written: Broken pipe"*) ;; *) fail "closed pipe: '$err'" ;; esac
echo "ok"
