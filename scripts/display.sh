# Sourced by the scripts: a display for Wine's windows. When none is set,
# starts a virtual one (Xvfb); zivarari_display_stop ends it again.
zivarari_display_start() {
  ZIVARARI_XVFB_PID=""
  [ -n "${DISPLAY:-}" ] && return 0
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  ZIVARARI_XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$fdfile" ] && break
    sleep 0.1
  done
  if [ ! -s "$fdfile" ]; then
    echo "could not start Xvfb" >&2
    return 1
  fi
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
}

zivarari_display_stop() {
  if [ -n "${ZIVARARI_XVFB_PID:-}" ]; then
    kill "$ZIVARARI_XVFB_PID" 2>/dev/null || true
    wait "$ZIVARARI_XVFB_PID" 2>/dev/null || true
  fi
}
