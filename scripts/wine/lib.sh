# Shared by the Wine scripts (sourced, not run): the Wine binaries, a virtual
# display, the prefix inside a build folder and its registry snapshot.
#
# Layout under <build>/wine:
#   prefix/     the WINEPREFIX every run uses, made once with wineboot -i
#   template/   the prefix's *.reg files as they were right after it was made and
#               set up; they are copied back before each run, so nothing a test
#               program writes to the registry reaches the next run
#   lock        serialises runs on the same prefix

# Debian 12's wine64 keeps its loader in /usr/lib/wine; later Debian Wine (the WoW64
# bed's, scripts/wow64/bed.sh) in the multiarch folder, one loader for 64- and,
# through WoW64, 32-bit programs.
if [[ -x /usr/lib/wine/wine64 ]]; then
  WINE64=/usr/lib/wine/wine64
  WINESERVER=/usr/lib/wine/wineserver
else
  WINE64=/usr/lib/x86_64-linux-gnu/wine/wine
  WINESERVER=/usr/lib/x86_64-linux-gnu/wine/wineserver
fi
QUORVIN_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
WINE_SCRIPTS="$QUORVIN_ROOT/scripts/wine"

# Quiet Wine, and no download prompts for its .NET and HTML engines.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# The project chooses the fonts, not the machine: fontconfig shows Wine no font
# folder of the host, and the prefix gets fonts-wine's faces in its Fonts folder,
# with prefix-settings.reg mapping the face names the window asks for onto them.
export FONTCONFIG_FILE="$WINE_SCRIPTS/fonts.conf"
WINE_FONT_DIR=/usr/share/wine/fonts
# Tahoma for the window's text, the frame's title and the message boxes; Marlett
# for the glyphs of the frame's caption buttons.
WINE_PREFIX_FONTS=(tahoma.ttf tahomabd.ttf marlett.ttf)

wine_log() { printf 'wine: %s\n' "$*" >&2; }
wine_fail() {
  wine_log "$*"
  exit 1
}

# The wine folder of the build tree that holds <file>: the nearest enclosing folder
# with a CMakeCache.txt, or build/x86_64. QUORVIN_WINE_DIR overrides both.
wine_dir_for() {
  if [[ -n "${QUORVIN_WINE_DIR:-}" ]]; then
    printf '%s\n' "$QUORVIN_WINE_DIR"
    return
  fi
  local dir
  dir="$(cd "$(dirname "$1")" && pwd)"
  while [[ "$dir" != / ]]; do
    if [[ -f "$dir/CMakeCache.txt" ]]; then
      printf '%s/wine\n' "$dir"
      return
    fi
    dir="$(dirname "$dir")"
  done
  printf '%s/build/x86_64/wine\n' "$QUORVIN_ROOT"
}

# Starts a private Xvfb unless a display is given; wine_cleanup stops it.
XVFB_PID=
wine_ensure_display() {
  [[ -n "${DISPLAY:-}" ]] && return
  local number_file
  number_file="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  XVFB_PID=$!
  local tries
  for ((tries = 0; tries < 200; tries++)); do
    [[ -s "$number_file" ]] && break
    kill -0 "$XVFB_PID" 2>/dev/null || wine_fail "Xvfb did not start"
    sleep 0.05
  done
  [[ -s "$number_file" ]] || wine_fail "Xvfb reported no display"
  export DISPLAY=":$(head -n1 "$number_file")"
  rm -f "$number_file"
}

# Ends every Wine process of the prefix and the Xvfb started here.
wine_cleanup() {
  if [[ -n "${WINEPREFIX:-}" && -d "$WINEPREFIX" ]]; then
    "$WINESERVER" -k 2>/dev/null || true
  fi
  if [[ -n "$XVFB_PID" ]]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
  fi
}

# What the template depends on: the Wine build and our settings.
wine_template_stamp() {
  {
    "$WINE64" --version
    cat "$WINE_SCRIPTS/prefix-settings.reg" "$FONTCONFIG_FILE"
    wine_font_files | xargs cat
  } | sha256sum | cut -d' ' -f1
}

# The font files the prefix gets; fails when fonts-wine is missing.
wine_font_files() {
  local font
  for font in "${WINE_PREFIX_FONTS[@]}"; do
    [[ -f "$WINE_FONT_DIR/$font" ]] || wine_fail "no $WINE_FONT_DIR/$font; run scripts/deps.sh"
    printf '%s\n' "$WINE_FONT_DIR/$font"
  done
}

# Makes the prefix and its registry template unless an up-to-date one exists.
# Needs WINEPREFIX set to <wine dir>/prefix and a display.
wine_ensure_prefix() {
  local wine_dir template stamp started
  wine_font_files >/dev/null
  wine_dir="$(dirname "$WINEPREFIX")"
  template="$wine_dir/template"
  stamp="$(wine_template_stamp)"
  if [[ -f "$template/stamp" && "$(cat "$template/stamp")" == "$stamp" ]]; then
    return
  fi
  wine_log "making the prefix $WINEPREFIX"
  started=$SECONDS
  "$WINESERVER" -k 2>/dev/null || true
  rm -rf "$WINEPREFIX" "$template"
  # On a loaded machine Wine's first start can time out waiting for its own
  # services; a second attempt on a clean prefix is then enough.
  if ! "$WINE64" wineboot -i >/dev/null 2>&1; then
    wine_log "wineboot -i failed; trying once more on a clean prefix"
    "$WINESERVER" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    "$WINE64" wineboot -i >/dev/null 2>&1 || wine_fail "wineboot -i failed"
  fi
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  wine_font_files | xargs cp -t "$WINEPREFIX/drive_c/windows/Fonts/"
  "$WINE64" regedit /S "$(wine_windows_path "$WINE_SCRIPTS/prefix-settings.reg")" \
    >/dev/null 2>&1 || wine_fail "importing the prefix settings failed"
  # The registry reaches the *.reg files when the server shuts down.
  "$WINESERVER" -w
  mkdir -p "$template"
  cp "$WINEPREFIX"/*.reg "$template/"
  printf '%s\n' "$stamp" >"$template/stamp"
  wine_log "prefix made in $((SECONDS - started)) s"
}

# Puts the template's registry back; no Wine process may run meanwhile.
wine_restore_registry() {
  local template
  template="$(dirname "$WINEPREFIX")/template"
  "$WINESERVER" -k 2>/dev/null || true
  cp "$template"/*.reg "$WINEPREFIX/"
}

# A Unix path as Wine's Z: drive sees it.
wine_windows_path() {
  local path
  path="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
  printf 'Z:%s\n' "${path//\//\\}"
}
