# Sourced by the scripts that run the program: a private Wine prefix under
# build/ and, when asked, a private virtual display that goes away on exit.

export WINEPREFIX=$build/wineprefix-run WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

prepare_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Preparing a private Wine prefix in $WINEPREFIX ..."
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
}

# Starts Xvfb on a free display number, sets DISPLAY, and stops both Wine
# and the display when the script exits. The display never resets when its
# last client leaves, so the pointer stays where it was put.
start_private_display() {
  local number_file
  number_file=$(mktemp)
  Xvfb -displayfd 1 -noreset -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null > "$number_file" &
  private_display_pid=$!
  for _ in $(seq 50); do [ -s "$number_file" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$number_file")"
  rm -f "$number_file"
  trap 'wineserver -k 2>/dev/null || true; kill $private_display_pid 2>/dev/null || true' EXIT
}
