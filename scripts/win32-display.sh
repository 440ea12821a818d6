# Shared by the scripts that run the Windows program under Wine on a virtual
# X display (source it): a private Xvfb display, and a throwaway Wine prefix
# with Wine's own fonts ("MS Sans Serif" among them) and a virtual desktop,
# so that windows get Wine's frames and title bars without a window manager.
# shellcheck source=wine-loader.sh
. "$(dirname "${BASH_SOURCE[0]}")/wine-loader.sh"

# Starts Xvfb on a display it picks itself (free, so parallel runs never
# share one); sets DISPLAY and XVFB_PID.
quibra_start_xvfb() {
  local numberFile
  numberFile=$(mktemp "${TMPDIR:-/tmp}/quibra-display.XXXXXX")
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 &
  XVFB_PID=$!
  local waited n=
  for waited in $(seq 1 100); do
    n=$(tr -dc '0-9' <"$numberFile")
    [ -n "$n" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$numberFile"
  if [ -z "$n" ]; then
    quibra_stop_xvfb
    echo "win32-display: no virtual display could be started (is Xvfb installed? make deps)" >&2
    return 1
  fi
  export DISPLAY=":$n"
}

quibra_stop_xvfb() {
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=
  fi
}

# Makes a new Wine prefix in the given folder (see quibra_new_prefix) and
# exports WINEPREFIX; the loader is the one quibra_use_wine picked.
quibra_make_prefix() {
  if ! quibra_new_prefix "$1"; then
    echo "win32-display: the Wine prefix could not be made in $1" >&2
    return 1
  fi
  export WINEPREFIX="$1"
  # Debian installs Wine's fonts beside Wine; a prefix finds them in its own
  # Fonts folder.
  local fonts=/usr/share/wine/fonts
  if [ -d "$fonts" ] && compgen -G "$fonts/*" >/dev/null; then
    cp -n "$fonts"/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
  fi
  local reg="$WINEPREFIX/quibra-settings.reg"
  cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
  timeout 120 "$QUIBRA_WINE" regedit /S "$(quibra_winpath "$reg")" >/dev/null 2>&1
  # The prefix is written out before the first program runs in it.
  timeout 60 wineserver -w
}

# Ends every Wine process of the prefix (all of them started here).
quibra_stop_prefix() {
  [ -n "${WINEPREFIX:-}" ] && timeout 30 wineserver -k >/dev/null 2>&1
  return 0
}

# A Unix path as Wine's Z: drive names it.
quibra_winpath() {
  local p
  p=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
  printf 'Z:%s' "${p//\//\\}"
}

# A throwaway folder ($work) holding a fresh Wine prefix for the programs
# like $2, on a virtual display; all of it goes when the script exits. $1
# names the folder.
quibra_desktop_session() {
  quibra_use_wine "$2" || return 1
  work=$(mktemp -d "${TMPDIR:-/tmp}/quibra-$1.XXXXXX")
  trap quibra_end_desktop_session EXIT
  quibra_start_xvfb || return 1
  quibra_make_prefix "$work/prefix" || return 1
}

# Presses a key on a program's box once the UI-automation driver given
# (quibra-uia.exe) sees the box in front with its focus. A key the display
# takes before Wine has handed the box the keyboard (seen on a session's
# first box) is lost, so while the program has not ended (the file given
# does not exist yet) and the box is still in front three seconds later, the
# key is pressed again, up to three times more.
#   quibra_press_on_box <quibra-uia.exe> <key> <file made when the program ends>
quibra_press_on_box() {
  local again tick
  timeout 90 "$QUIBRA_WINE" "$1" wait-box 60000 >/dev/null 2>&1
  xdotool key --clearmodifiers "$2"
  for again in 1 2 3; do
    for tick in $(seq 30); do
      [ -e "$3" ] && return 0
      sleep 0.1
    done
    timeout 30 "$QUIBRA_WINE" "$1" wait-box 0 >/dev/null 2>&1 || return 0
    xdotool key --clearmodifiers "$2"
  done
}

quibra_end_desktop_session() {
  quibra_stop_prefix
  quibra_stop_xvfb
  rm -rf "$work"
}
