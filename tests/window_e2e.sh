#!/usr/bin/env bash
# Starts the real program under Xvfb with a file, waits for its caption to
# end in " - Done", takes a screenshot, presses Esc and checks that the
# program ended.
#   window_e2e.sh VELDRIN FILE SCREENSHOT
set -euo pipefail
veldrin=$1 file=$2 shot=$3

display=""
for n in $(seq 90 140); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free display"; exit 1; }

# -noreset: else Xvfb starts afresh whenever its last client leaves, as each
# xdotool call does, and refuses the program meanwhile.
Xvfb "$display" -noreset -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

env -u QT_QPA_PLATFORM QT_QPA_PLATFORM=xcb "$veldrin" "$file" </dev/null &
app=$!

window=""
for _ in $(seq 300); do
  window=$(xdotool search --name ' - Done$' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  kill -0 "$app" 2>/dev/null || { echo "the program ended early"; exit 1; }
  sleep 0.1
done
[ -n "$window" ] || { echo "no window with a caption ending in ' - Done'"; exit 1; }
echo "caption: $(xdotool getwindowname "$window")"
sleep 0.5
import -window root "$shot"
echo "screenshot: $shot"

# No window manager runs here: give the window the focus directly.
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key Escape
for _ in $(seq 100); do
  if ! kill -0 "$app" 2>/dev/null; then
    wait "$app" || true
    app=""
    echo "the program ended after Esc"
    exit 0
  fi
  sleep 0.1
done
echo "the program still runs after Esc"
exit 1
