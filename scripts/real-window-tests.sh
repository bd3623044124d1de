#!/usr/bin/env bash
# Runs the tests that need a real window system: a virtual X server with a window manager, so
# titles, frames, activation and focus are what a user gets.
# Usage: real-window-tests.sh <test binary> [gtest filter]
set -euo pipefail
binary=$1
filter=${2:-'RealWindow*'}
for tool in Xvfb openbox xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "real-window tests need $tool"; exit 1; }
done

# A display number nobody uses.
display=""
for n in $(seq 90 140); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free display"; exit 1; }

Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
wm=""
cleanup() { [ -n "$wm" ] && kill "$wm" 2>/dev/null; kill "$xvfb" 2>/dev/null; wait 2>/dev/null || true; }
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
wm=$!
# The window manager is up once it has claimed the screen.
for _ in $(seq 50); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
sleep 0.3
QT_QPA_PLATFORM=xcb "$binary" --gtest_filter="$filter"
