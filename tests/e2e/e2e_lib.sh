# Helpers for driving velloro.exe from outside: start it, find its windows, type, wait for it to end.
# Needs DISPLAY and WINEPREFIX from the test command.
set -euo pipefail
: "${DISPLAY:?}" "${WINEPREFIX:?}"
# A prefix without a virtual desktop, so that every window is an X window xdotool can find.
export WINEPREFIX=${E2E_WINEPREFIX:-$WINEPREFIX}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
title_prefix='Velloro v2.0 Beta 3'
work=$(mktemp -d)
# Recovery copies that an earlier test's killed program left would be offered at every start.
recovery="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Velloro/Wiederherstellung"
rm -rf "$recovery"
velloro_pid=""

cleanup() {
  local status=$?
  if [ $status -ne 0 ]; then
    local shot="$work/failure.png"
    import -window root "$shot" 2>/dev/null && echo "screen at failure: $shot"
  fi
  [ -n "$velloro_pid" ] && kill "$velloro_pid" 2>/dev/null || true
  exit $status
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; exit 1; }

start_velloro() {  # start_velloro EXE [ARGS...] (runs in $work)
  (cd "$work" && exec wine "$@") &
  velloro_pid=$!
}

# Prints the X id of the first window whose name matches the regular expression; waits up to
# the given tenths of a second (default 60 s: the first start in a new prefix on a busy machine
# took more than 30).
wait_window() {
  local pattern=$1 tries=${2:-600} id
  for _ in $(seq 1 "$tries"); do
    id=$(xdotool search --name "$pattern" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Gives a window the keyboard focus once it can take it: X refuses the focus for a window that is
# named already but not yet mapped.
focus_window() {
  for _ in $(seq 1 50); do
    if xwininfo -id "$1" 2>/dev/null | grep -q "IsViewable" && xdotool windowfocus --sync "$1" 2>/dev/null; then
      return 0
    fi
    sleep 0.1
  done
  fail "window $1 could not take the focus"
}

window_gone() {
  for _ in $(seq 1 100); do
    xdotool search --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}

window_name() { xdotool getwindowname "$1"; }

# Waits for the program to end and leaves its exit code in $exit_code. Call it directly, not in
# $(...): only this shell can collect its child's exit code.
exit_code=""
wait_exit() {
  exit_code=0
  for _ in $(seq 1 300); do
    kill -0 "$velloro_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$velloro_pid" 2>/dev/null && fail "velloro did not end"
  wait "$velloro_pid" || exit_code=$?
  velloro_pid=""
}

# Expects the program to end with exit code 0.
expect_clean_exit() {
  wait_exit
  [ "$exit_code" = 0 ] || fail "exit code $exit_code"
}

# Reads the program's windows from outside (see probe.cpp for its commands).
probe() { wine "${PROBE:?PROBE names the probe program}" "$@" 2>/dev/null | tr -d '\r'; }
