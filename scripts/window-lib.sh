# Shared by scripts/run-window.sh and scripts/screenshots.sh (sourced, not run):
# the demo program of an x86_64 build, a private X screen, starting the demo under
# 64-bit Wine in the build's prefix, and capturing its window as a PNG.
source "$(dirname "${BASH_SOURCE[0]}")/wine/lib.sh"

QUORVIN_BUILD="${QUORVIN_BUILD:-$QUORVIN_ROOT/build/x86_64}"
DEMO_EXE="$QUORVIN_BUILD/QuorvinSetupDemo.exe"
SCREENSHOTS="$QUORVIN_ROOT/build/screenshots"
WINDOW_TITLE="Kordane Setup"

# Configures and builds the demo in $QUORVIN_BUILD.
window_build_demo() {
  bash "$WINE_SCRIPTS/install.sh"
  (cd "$QUORVIN_ROOT" && cmake --preset mingw-x86_64 -B "$QUORVIN_BUILD" >/dev/null &&
    cmake --build "$QUORVIN_BUILD" --target QuorvinSetupDemo)
}

# Takes the build's Wine prefix for this shell, one run at a time.
window_use_prefix() {
  local wine_dir
  wine_dir="$(wine_dir_for "$DEMO_EXE")"
  mkdir -p "$wine_dir"
  exec 9>"$wine_dir/lock"
  flock -w 900 9 || wine_fail "another run holds $wine_dir/lock"
  export WINEPREFIX="$wine_dir/prefix"
}

# A private X screen large enough for the window at 144 pixels per inch.
window_private_display() {
  local number_file tries
  number_file="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  XVFB_PID=$!
  for ((tries = 0; tries < 200; tries++)); do
    [[ -s "$number_file" ]] && break
    sleep 0.05
  done
  [[ -s "$number_file" ]] || wine_fail "Xvfb reported no display"
  export DISPLAY=":$(head -n1 "$number_file")"
  rm -f "$number_file"
}

# Starts the demo with the arguments; DEMO_PID is its process. Waits until its
# window is on the screen and painted. What Wine printed is kept in the wine folder,
# and shown when the window fails. On a busy machine Wine's desktop process can miss
# the 10 s that a program waits for it at start-up ("The explorer process failed to
# start"), and the program ends; that start is tried again, up to three times.
DEMO_PID=
window_start_demo() {
  local log attempt tries
  log="$(dirname "$WINEPREFIX")/demo-output.txt"
  for ((attempt = 1; ; attempt++)); do
    WINEDEBUG=err+all "$WINE64" "$DEMO_EXE" "$@" >"$log" 2>&1 &
    DEMO_PID=$!
    for ((tries = 0; tries < 300; tries++)); do
      xwininfo -name "$WINDOW_TITLE" >/dev/null 2>&1 && break
      kill -0 "$DEMO_PID" 2>/dev/null || break
      sleep 0.1
    done
    xwininfo -name "$WINDOW_TITLE" >/dev/null 2>&1 && break
    if kill -0 "$DEMO_PID" 2>/dev/null; then
      tail -n 20 "$log" >&2
      wine_fail "the demo's window did not show"
    fi
    wait "$DEMO_PID" 2>/dev/null || true
    if ((attempt < 3)) && grep -q "explorer process failed to start" "$log"; then
      wine_log "Wine's desktop process started too late; starting the demo again"
      continue
    fi
    tail -n 20 "$log" >&2
    wine_fail "the demo ended before its window showed"
  done
  # The pointer out of the window, so that no hint shows.
  xdotool mousemove 0 0
  sleep 1.5
}

# The window's place on the screen: "X Y WIDTH HEIGHT".
window_geometry() {
  xwininfo -name "$WINDOW_TITLE" | awk '
    /Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
    /Width:/ {w = $NF} /Height:/ {h = $NF} END {print x, y, w, h}'
}

# Saves the window, cropped from the screen, as a PNG.
window_capture() {
  local x y w h
  read -r x y w h < <(window_geometry)
  mkdir -p "$(dirname "$1")"
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$1"
  wine_log "saved $1 (${w}x${h})"
}

# Ends the demo started by window_start_demo.
window_stop_demo() {
  if [[ -n "$DEMO_PID" ]]; then
    kill "$DEMO_PID" 2>/dev/null || true
    wait "$DEMO_PID" 2>/dev/null || true
    DEMO_PID=
  fi
}
