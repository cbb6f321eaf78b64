#!/usr/bin/env bash
# bench/window_bench.sh [--build DIR] [--corpus FILE] [--runs N]: opens the
# real window, DIR/app/veldrin CORPUS, under an Xvfb of its own (no window
# manager) and prints the time from the start to the caption " - Done" and
# to the first frame that shows rows, and the window's peak memory, beside
# veldrin-scan on the same file, with the targets. DIR (default build/) is
# configured as a Release build when it is not configured yet; the corpus
# is made by bench/make_corpus.sh.
#
# Each time is the best of N runs (3 unless told), peak memory the highest.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=build
corpus=$root/bench/out/corpus.bin
runs=3
# The window's own minimum length, given to veldrin-scan too.
readonly kMinLength=10
readonly kPollSeconds=0.005
# The longest wait for the caption, for the rows and for the end after Esc.
readonly kTimeoutSeconds=120
readonly kCloseSeconds=10
# The Offset column: 75 pixels from the window's left edge.
readonly kOffsetWidth=75

while [ $# -gt 0 ]; do
  case $1 in
    --build) build=$2; shift 2 ;;
    --corpus) corpus=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    -h|--help) sed -n '2,10s/^# \{0,1\}//p' "$0"; exit 0 ;;
    *) echo "window_bench.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done
cd "$root"
case $build in /*) ;; *) build=$root/$build ;; esac

source "$root/tools/setup.sh"
veldrin_install time xvfb xdotool imagemagick

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target veldrin veldrin-scan >/dev/null
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' "$build/CMakeCache.txt")
# The top-level CMakeLists.txt picks RelWithDebInfo when none is given.
build_type=${build_type:-RelWithDebInfo}
window=$build/app/veldrin
scan=$build/cli/veldrin-scan

"$root/bench/make_corpus.sh" "$corpus"
out=$(mktemp -d "${TMPDIR:-/tmp}/veldrin-window-bench.XXXXXX")
xvfb="" app=""
cleanup() {
  if [ -n "$app" ]; then pkill -P "$app" 2>/dev/null || true; fi
  if [ -n "$xvfb" ]; then
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
  fi
  rm -rf "$out"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

# Xvfb picks a free display itself and writes its number once it listens.
# -noreset: by default it starts afresh whenever its last client leaves, as
# each poll does, and a window connecting meanwhile is refused.
Xvfb -displayfd 3 -noreset -screen 0 1280x800x24 -nolisten tcp 3>"$out/display" >"$out/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$out/display" ] && break; sleep 0.1; done
[ -s "$out/display" ] || { echo "window_bench.sh: Xvfb did not start" >&2; cat "$out/xvfb.log" >&2; exit 1; }
display=:$(head -n 1 "$out/display")
export DISPLAY=$display

# A pipe nobody writes to: read -t on it waits without starting a process.
mkfifo "$out/idle"
exec {idle}<>"$out/idle"

load=$(cut -d' ' -f1-3 /proc/loadavg)
cat "$corpus" >/dev/null
bytes=$(stat -c %s "$corpus")

now_us() { now=${EPOCHREALTIME/[.,]/}; }

# poll CMD...: runs CMD every kPollSeconds until it succeeds, while the
# window's process runs; leaves CMD's output in polled, the time of the
# success in now and the number of tries in tries. Fails when the process
# ends or kTimeoutSeconds pass first.
poll() {
  local start
  now_us; start=$now
  tries=0
  while :; do
    tries=$((tries + 1))
    if polled=$("$@" 2>/dev/null); then now_us; return 0; fi
    kill -0 "$app" 2>/dev/null || return 1
    now_us
    [ $((now - start)) -lt $((kTimeoutSeconds * 1000000)) ] || return 1
    read -r -t "$kPollSeconds" -u "$idle" || true
  done
}

# shows_rows ID WIDTH HEIGHT: whether the window's pixels show rows, taken
# as more than one colour in the lower half of the Offset column: clear of
# the menu bar, the list header, the first row's focus frame and the
# scroll bar, so that only the rows' text can colour it.
shows_rows() {
  local colours
  colours=$(import -silent -window "$1" -crop "$((kOffsetWidth - 8))x$(($3 / 2 - 8))+4+$(($3 / 2))" \
    -format %k info:) || return 1
  [ "$colours" -gt 1 ]
}

# close_window ID: Esc to the focused window, or a kill when that fails or
# the program still runs kCloseSeconds later; counts the runs Esc ended.
close_window() {
  if timeout "$kCloseSeconds" xdotool windowfocus --sync "$1" 2>/dev/null &&
    xdotool key Escape 2>/dev/null; then
    for _ in $(seq $((kCloseSeconds * 10))); do
      kill -0 "$app" 2>/dev/null || break
      sleep 0.1
    done
  fi
  if kill -0 "$app" 2>/dev/null; then
    pkill -P "$app" || true
    wait "$app" || true
  elif wait "$app"; then
    closed_by_esc=$((closed_by_esc + 1))
  fi
  app=""
}

fail() {  # MESSAGE: the program's own output, then the message
  echo "window_bench.sh: $1" >&2
  cat "$out/window.log" >&2
  kill -0 "$xvfb" 2>/dev/null || { echo "Xvfb ended:" >&2; cat "$out/xvfb.log" >&2; }
  exit 1
}

# One window run: the caption's and the first frame's times from the start,
# in microseconds, and the mean poll periods.
window_run() {
  local start id width height
  now_us; start=$now
  QT_QPA_PLATFORM=xcb /usr/bin/time -f %M -o "$out/window.mem" \
    "$window" "$corpus" </dev/null >"$out/window.log" 2>&1 &
  app=$!
  # The window opens once the scan is done, so its first caption is the
  # final one and its first frame comes after it.
  poll xdotool search --onlyvisible --name ' - Done$' getwindowgeometry --shell ||
    fail "no window with a caption ending in \" - Done\""
  done_us=$((now - start)) done_poll_us=$((done_us / tries))
  id=$(sed -n 's/^WINDOW=//p' <<<"$polled")
  width=$(sed -n 's/^WIDTH=//p' <<<"$polled")
  height=$(sed -n 's/^HEIGHT=//p' <<<"$polled")
  if [ "$width" -le "$kOffsetWidth" ] || [ "$height" -le 100 ]; then
    fail "the window is only ${width}x$height, too small to see rows in"
  fi
  poll shows_rows "$id" "$width" "$height" || fail "the window never showed rows"
  paint_us=$((now - start)) paint_poll_us=$(((paint_us - done_us) / tries))
  close_window "$id"
  window_kib=$(tail -n 1 "$out/window.mem")
}

scan_run() {  # veldrin-scan's time, in microseconds, and peak
  local start
  now_us; start=$now
  /usr/bin/time -f %M -o "$out/scan.mem" "$scan" -n "$kMinLength" "$corpus" -o /dev/null
  now_us
  scan_us=$((now - start))
  scan_kib=$(tail -n 1 "$out/scan.mem")
}

min() { if [ "$1" -eq 0 ] || [ "$2" -lt "$1" ]; then echo "$2"; else echo "$1"; fi; }
max() { if [ "$2" -gt "$1" ]; then echo "$2"; else echo "$1"; fi; }

# The two take turns, so that other work on the machine slows both alike.
best_done=0 best_paint=0 best_scan=0 peak_window=0 peak_scan=0
done_poll_sum=0 paint_poll_sum=0 closed_by_esc=0
for ((i = 0; i < runs; i++)); do
  scan_run
  window_run
  best_scan=$(min "$best_scan" "$scan_us")
  best_done=$(min "$best_done" "$done_us")
  best_paint=$(min "$best_paint" "$paint_us")
  peak_scan=$(max "$peak_scan" "$scan_kib")
  peak_window=$(max "$peak_window" "$window_kib")
  done_poll_sum=$((done_poll_sum + done_poll_us))
  paint_poll_sum=$((paint_poll_sum + paint_poll_us))
done

# The rows and the listed text, from veldrin-scan's output: its bytes less
# the tab, CR and LF of each row.
"$scan" -n "$kMinLength" "$corpus" -o "$out/scan.txt"
rows=$(wc -l <"$out/scan.txt")
listed=$(($(stat -c %s "$out/scan.txt") - 3 * rows))
limit=$((listed + 64 * rows + 96 * 1048576))

secs() { awk -v us="$1" 'BEGIN { printf "%.3f", us / 1e6 }'; }
ms() { awk -v us="$1" -v n="$runs" 'BEGIN { printf "%.0f", us / n / 1e3 }'; }
mib() { awk -v b="$1" 'BEGIN { printf "%.1f", b / 1048576 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2fx", a / b }'; }
verdict() { if awk "BEGIN { exit !($1) }"; then echo PASS; else echo FAIL; fi; }

echo "Window: $window CORPUS under Xvfb $display (1280x800x24, no window manager)"
echo "Corpus: $corpus, $bytes bytes ($(mib "$bytes") MiB), page cache warm; minimum length $kMinLength"
commit=$(git -C "$root" rev-parse --short HEAD 2>/dev/null || echo unknown)
git -C "$root" diff-index --quiet HEAD -- 2>/dev/null || commit="$commit, with uncommitted changes"
echo "Source: $commit; build: $build ($build_type)"
echo "Load average at the start: $load (other work on the machine slows the timings)"
echo "Best of $runs runs for each time; peak memory is the highest of the $runs. Polled every" \
  "$(ms "$done_poll_sum") ms on average for the caption (xdotool search), every $(ms "$paint_poll_sum") ms" \
  "for the rows (import of the window); each time is when the poll that saw it ended."
echo
printf '%-48s %8s %9s %15s\n' "" "seconds" "peak MiB" "vs veldrin-scan"
printf '%-48s %8s %9s %15s\n' "veldrin CORPUS: start to caption \" - Done\"" "$(secs "$best_done")" \
  "$(mib $((peak_window * 1024)))" "$(ratio "$best_done" "$best_scan")"
printf '%-48s %8s %9s %15s\n' "veldrin CORPUS: start to the first frame of rows" "$(secs "$best_paint")" \
  "" "$(ratio "$best_paint" "$best_scan")"
printf '%-48s %8s %9s %15s\n' "veldrin-scan -n $kMinLength CORPUS -o /dev/null" "$(secs "$best_scan")" \
  "$(mib $((peak_scan * 1024)))" ""
echo
echo "Rows: $rows; listed text $(mib "$listed") MiB (veldrin-scan's output less 3 bytes a row)"
echo "Closing: Esc ended the program in $closed_by_esc of $runs runs"
echo
echo "Targets"
printf '  %-68s %10s  %s\n' "window to \" - Done\" within 1.5x veldrin-scan's time" \
  "$(ratio "$best_done" "$best_scan")" "$(verdict "$best_done <= 1.5 * $best_scan")"
printf '  %-68s %10s  %s\n' "window peak < listed text + 64 B/row + 96 MiB ($(mib "$limit") MiB)" \
  "$(mib $((peak_window * 1024))) MiB" "$(verdict "$peak_window * 1024 < $limit")"
printf '  %-68s %10s  %s\n' "the program ended on Esc in every run" \
  "$closed_by_esc/$runs" "$(verdict "$closed_by_esc == $runs")"
