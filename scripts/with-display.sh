#!/usr/bin/env bash
# Runs a command with a display: the current one, or a private Xvfb with a
# window manager (so that frames can be maximised).
set -euo pipefail
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec "$@"
fi
num=90
while [ -e "/tmp/.X${num}-lock" ] || [ -e "/tmp/.X11-unix/X${num}" ]; do num=$((num + 1)); done
Xvfb ":$num" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$num"
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
wm_pid=$!
cleanup() { kill "$wm_pid" "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT
for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done
"$@"
