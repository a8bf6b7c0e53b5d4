#!/usr/bin/env bash
# Starts the program; without a display it runs under a virtual X server.
set -euo pipefail
program=$1; shift || true
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$program" "$@"
fi
echo "no display found: starting under xvfb-run (nothing will be visible)" >&2
exec xvfb-run -a "$program" "$@"
