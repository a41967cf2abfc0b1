# Shared by scripts/run, scripts/test and scripts/bench: build folders, the Wine prefix and a private display.
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$top/build"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=C.UTF-8

jobs=$(nproc 2>/dev/null || echo 2)

# For the Wine processes a user sees: Wine's own dialogs and buttons speak German ("Ja", "Nein",
# "Abbrechen", a German file dialog) with the program's German texts. Wine brings those texts
# itself; the ANSI code page stays 1252.
use_german_locale() { export LANG=de_DE.UTF-8; }

# Builds the Windows tree that the tests, scripts/run and the bench use ($win); build_windows32 builds
# the 32-bit program itself, which is that tree unless the machine cannot run it.
build_windows() { build_windows_tree "$win" "$win_toolchain" "$@"; }
build_windows32() { build_windows_tree "$build/win" mingw-i686.cmake "$@"; }
build_windows_tree() {
  local tree=$1 toolchain=$2
  shift 2
  cmake -S "$top" -B "$tree" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$top/cmake/$toolchain" >/dev/null
  cmake --build "$tree" -j "$jobs" "$@"
}

build_native() {
  CC=clang CXX=clang++ cmake -S "$top" -B "$build/native" -G Ninja -DVELLORO_SANITIZE=ON -DVELLORO_FUZZ=ON >/dev/null
  cmake --build "$build/native" -j "$jobs" "$@"
}

# Starts Xvfb on a free display and exports DISPLAY; stop_display ends it. Xvfb picks the display
# itself and says which one (-displayfd): a number chosen beforehand from the lock files could be
# chosen by two runs on one machine at once, and one of them then ran its tests on the other's
# server and lost it when that run ended.
xvfb_pid=""
start_display() {
  local answer n=""
  answer=$(mktemp -u "${TMPDIR:-/tmp}/velloro-display.XXXXXX")
  mkfifo "$answer"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$answer" >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r -t 30 n < "$answer" || true
  rm -f "$answer"
  if [ -n "$n" ] && xdpyinfo -display ":$n" >/dev/null 2>&1; then
    export DISPLAY=":$n"
    return 0
  fi
  kill "$xvfb_pid" 2>/dev/null
  echo "could not start Xvfb" >&2
  return 1
}
stop_display() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  xvfb_pid=""
}

# Wine's loader for 32-bit Windows programs is itself a 32-bit Linux program. A kernel started
# without 32-bit support ("ia32_emulation=off", the default of some) refuses it, and every Wine call
# then fails with "Exec format error" and no further word.
runs_32bit_programs() { /usr/lib/wine/wine --version >/dev/null 2>&1; }
explain_no_32bit_programs() {
  cat >&2 <<'EOT'
This machine cannot start 32-bit programs: its kernel has 32-bit support switched off
(dmesg: "32-bit emulation disabled. You can reenable with ia32_emulation=on").
Wine's 32-bit loader, which runs the 32-bit build, needs it. Start the kernel with
ia32_emulation=on, or leave VELLORO_WIN_ARCH unset (or set it to x86_64) to use the 64-bit build.
EOT
}

# Velloro is a 32-bit program and is tested as one. Where the kernel cannot start 32-bit programs,
# the tests, scripts/run and the bench run a 64-bit build of the same sources under 64-bit Wine
# instead, in a build tree ($win) and Wine prefixes ($wine_tag-*) of their own, so that nothing made
# for one is used by the other. VELLORO_WIN_ARCH (i686 or x86_64) holds the choice for the scripts and
# tests started from here; select_windows_build makes it once Wine is installed.
use_windows_arch() {
  if [ "$1" = x86_64 ]; then
    win="$build/win64" win_toolchain=mingw-x86_64.cmake wine_tag=wine64
    export WINEARCH=win64
    # /usr/bin/wine and the tools that go through it pick the 32-bit loader whenever it is installed.
    local bin="$build/wine64-bin" tool
    if [ ! -x "$bin/wineboot" ]; then
      mkdir -p "$bin"
      printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' > "$bin/wine"
      for tool in winepath wineboot; do
        printf '#!/bin/sh\nexec /usr/lib/wine/wine64 %s.exe "$@"\n' "$tool" > "$bin/$tool"
      done
      chmod +x "$bin"/*
    fi
    case ":$PATH:" in *":$bin:"*) ;; *) export PATH="$bin:$PATH" ;; esac
  else
    win="$build/win" win_toolchain=mingw-i686.cmake wine_tag=wine
    export WINEARCH=win32
  fi
  export WINEPREFIX="$build/$wine_tag-run"
}
select_windows_build() {
  if [ -z "${VELLORO_WIN_ARCH:-}" ]; then
    VELLORO_WIN_ARCH=i686
    if ! runs_32bit_programs; then
      echo "This machine cannot start 32-bit programs (kernel without 32-bit support): the Windows" \
           "tests and programs run as a 64-bit build of the same sources under 64-bit Wine." >&2
      VELLORO_WIN_ARCH=x86_64
    fi
  fi
  export VELLORO_WIN_ARCH
  use_windows_arch "$VELLORO_WIN_ARCH"
}
use_windows_arch "${VELLORO_WIN_ARCH:-i686}"

# Creates a prefix once: prepare_prefix DIR [desktop|plain] [WINDOWS-VERSION]. With "desktop" its
# programs run inside one virtual desktop window, where hiding or destroying a window does not wait
# for a window manager.
prepare_prefix() {
  local prefix=$1 desktop=${2:-} version=${3:-}
  wine --version >/dev/null 2>&1 || { explain_no_32bit_programs; return 1; }
  if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$prefix"
    WINEPREFIX=$prefix wineboot -i >/dev/null 2>&1 || true
    if [ "$desktop" = desktop ]; then
      WINEPREFIX=$prefix wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
      WINEPREFIX=$prefix wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1
    fi
    if [ -n "$version" ]; then
      WINEPREFIX=$prefix wine reg add 'HKCU\Software\Wine' /v Version /d "$version" /f >/dev/null 2>&1
    fi
    WINEPREFIX=$prefix wineserver -w
  fi
}

# The display and the Wine prefixes every test runs in, as scripts/test and scripts/mutants need them;
# both end with the calling script.
start_test_environment() {
  # The GUI tests run in a virtual desktop; the end-to-end tests drive real X windows with xdotool.
  export WINEPREFIX="$build/$wine_tag-gui" E2E_WINEPREFIX="$build/$wine_tag-e2e" \
         XP_WINEPREFIX="$build/$wine_tag-xp" WM_WINEPREFIX="$build/$wine_tag-wm"
  start_display
  trap 'stop_wine "$WINEPREFIX" "$E2E_WINEPREFIX" "$XP_WINEPREFIX" "$WM_WINEPREFIX"; stop_display' EXIT
  prepare_prefix "$WINEPREFIX" desktop
  prepare_prefix "$E2E_WINEPREFIX"
  prepare_prefix "$WM_WINEPREFIX"
  # A 64-bit prefix knows XP only as its 64-bit edition, NT 5.2.
  prepare_prefix "$XP_WINEPREFIX" desktop "$([ "$WINEARCH" = win64 ] && echo winxp64 || echo winxp)"
  # The printing tests print onto a CUPS queue that writes PDF files.
  if [ "${VELLORO_PRINT_DEPS:-1}" = 1 ]; then "$top/scripts/setup-printer"; fi
}

stop_wine() {
  local prefix
  for prefix in "$@"; do WINEPREFIX=$prefix wineserver -k 2>/dev/null || true; done
}
