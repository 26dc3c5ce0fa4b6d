#!/usr/bin/env bash
# Builds the Debian package of Quillhaven and checks it end to end on this
# machine: the AppStream and desktop files validate, the .deb installs with
# apt, the installed program starts under Xvfb with the bundled sample loan
# and finds its help pages, and the package removes cleanly.
#
#   tools/package-check.sh [BUILD_DIR]      (default: build-pkg in the repo)
#
# Environment: QH_DISPLAY (Xvfb server number, default 45),
#              QH_SHOT (screenshot path, default BUILD_DIR/package-check.png).
# It installs and removes the package system-wide, so run it as root on a
# machine where that is wanted (a CI or development box).
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$repo/build-pkg}")
display=${QH_DISPLAY:-45}
shot=${QH_SHOT:-$build/package-check.png}
metainfo=org.example.quillhaven.metainfo.xml

step() { printf '\n== %s\n' "$*"; }
fail() { printf 'FAIL: %s\n' "$*" >&2; exit 1; }

step "Tools"
bash "$repo/tools/deps.sh" dpkg-dev appstream desktop-file-utils strace

step "Validate the desktop entry and the AppStream data"
desktop-file-validate "$repo/packaging/quillhaven.desktop"
appstreamcli validate --no-net --pedantic "$repo/packaging/$metainfo"

step "Configure and build in $build"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_INSTALL_PREFIX=/usr -DQH_BUILD_TESTS=OFF -DQH_BUILD_BENCH=OFF
fi
prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
[ "$prefix" = /usr ] || echo "warning: $build was configured for $prefix, the package installs under /usr"
cmake --build "$build" -j2 --target quillhaven sample

step "Package"
cd "$build"
rm -f quillhaven_*.deb
cpack -G DEB
deb=$(ls quillhaven_*.deb)
ls -l "$deb"
dpkg-deb -I "$deb"
dpkg-deb -c "$deb" | awk '{print $6}' > package-contents.txt
for f in ./usr/bin/quillhaven ./usr/share/quillhaven/Sample.qhv \
         ./usr/share/quillhaven/help/index.html \
         ./usr/share/applications/quillhaven.desktop \
         ./usr/share/metainfo/$metainfo ./usr/share/mime/packages/quillhaven.xml \
         ./usr/share/icons/hicolor/16x16/apps/quillhaven.png \
         ./usr/share/icons/hicolor/256x256/apps/quillhaven.png \
         ./usr/share/icons/hicolor/scalable/apps/quillhaven.svg \
         ./usr/share/doc/quillhaven/copyright ./usr/share/quillhaven/help/chart.html; do
  grep -qxF "$f" package-contents.txt || fail "$deb lacks $f"
done
depends=$(dpkg-deb -f "$deb" Depends)
case "$depends" in *libqt6widgets6*) ;; *) fail "Depends has no Qt 6 runtime: $depends" ;; esac
case "$depends" in *libqt6charts6*) ;; *) fail "Depends has no Qt 6 Charts runtime: $depends" ;; esac

step "Install with apt"
if dpkg-query -W -f='${Status}' quillhaven 2>/dev/null | grep -q "install ok installed"; then
  apt-get remove -y quillhaven
fi
DEBIAN_FRONTEND=noninteractive apt-get install -y "./$deb"
[ -x /usr/bin/quillhaven ] || fail "/usr/bin/quillhaven is not there after the install"
desktop-file-validate /usr/share/applications/quillhaven.desktop
appstreamcli validate --no-net "/usr/share/metainfo/$metainfo"

step "Start the installed program under Xvfb :$display"
home=$(mktemp -d)
log=$(mktemp)
export QH_HOME=$home QH_SHOT=$shot QH_LOG=$log
# shellcheck disable=SC2016  # the inner script expands its own variables
# The inner script runs with DISPLAY set by xvfb-run. A throwaway HOME, so no
# earlier setting of the user chooses the loan file.
xvfb-run --server-num="$display" --server-args="-screen 0 1024x768x24" bash -c '
  set -euo pipefail
  env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$QH_HOME" quillhaven >"$QH_LOG" 2>&1 &
  pid=$!
  trap "kill $pid 2>/dev/null || true" EXIT
  win=
  for _ in $(seq 1 50); do
    sleep 0.2
    kill -0 $pid 2>/dev/null || { cat "$QH_LOG"; echo "FAIL: quillhaven ended early" >&2; exit 1; }
    win=$(xdotool search --onlyvisible --name "^Quillhaven  \(Sample\.qhv\)$" 2>/dev/null | head -1) || true
    [ -n "$win" ] && break
  done
  sleep 2
  kill -0 $pid 2>/dev/null || { cat "$QH_LOG"; echo "FAIL: quillhaven is not running" >&2; exit 1; }
  if [ -z "$win" ]; then
    echo "Window titles:"; xdotool search --name . getwindowname %@ 2>/dev/null || true
    echo "FAIL: no window titled \"Quillhaven  (Sample.qhv)\"" >&2; exit 1
  fi
  echo "running as pid $pid, window $win: \"$(xdotool getwindowname "$win")\""
  import -window root "$QH_SHOT"
  echo "screenshot: $QH_SHOT"

  # Help (F1): watch which files the program opens, to see it reads the
  # installed help pages and not the "not found" text.
  trace=$(mktemp)
  strace -f -qq -e trace=openat,open -p $pid -o "$trace" &
  spid=$!
  sleep 1
  # No window manager runs under xvfb-run: give the window the focus directly.
  xdotool windowfocus --sync "$win" 2>/dev/null || true
  xdotool key F1
  help=
  for _ in $(seq 1 25); do
    sleep 0.2
    help=$(xdotool search --onlyvisible --name "^Quillhaven Help$" 2>/dev/null | head -1) || true
    [ -n "$help" ] && break
  done
  sleep 1
  kill $spid 2>/dev/null || true
  wait $spid 2>/dev/null || true
  [ -n "$help" ] || { echo "FAIL: F1 showed no help window" >&2; exit 1; }
  page=$(grep -o "/usr/share/quillhaven/help/[a-z]*\.html" "$trace" | head -1) || true
  [ -n "$page" ] || { echo "FAIL: the help window read no page from /usr/share/quillhaven/help" >&2; exit 1; }
  echo "help window $help shows $page"
  import -window root "${QH_SHOT%.png}-help.png"
  rm -f "$trace"
'
copy="$home/.local/share/Quillhaven/Quillhaven/Sample.qhv"
[ -f "$copy" ] || fail "the bundled sample was not copied to $copy"
cmp -s "$copy" /usr/share/quillhaven/Sample.qhv || fail "$copy differs from the installed sample"
echo "sample copied to the per-user data folder: $copy"
rm -rf "$home" "$log"

step "Remove"
apt-get remove -y quillhaven
[ ! -e /usr/bin/quillhaven ] || fail "/usr/bin/quillhaven is still there"
[ ! -e /usr/share/quillhaven ] || fail "/usr/share/quillhaven is still there"
! dpkg-query -W -f='${Status}' quillhaven 2>/dev/null | grep -q "install ok installed" \
  || fail "dpkg still lists quillhaven as installed"

printf '\npackage-check: %s passed\n' "$deb"
