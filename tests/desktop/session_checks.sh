# The desktop stage's session, sourced by start_stress.sh and run as the ordinary user under
# dbus-run-session: an X server, the window manager and the tray, then the starts of the program.
# Windows are looked at the way the user would see them: mapped and viewable, in the window
# manager's normal state (not withdrawn, not iconic).

source "$(dirname "${BASH_SOURCE[0]}")/caption_checks.sh"
source "$(dirname "${BASH_SOURCE[0]}")/capture_checks.sh"
source "$(dirname "${BASH_SOURCE[0]}")/recording_checks.sh"

readonly kPollSeconds=0.03
readonly kAppearSeconds=8   # a healthy start shows the window within about 0.6 s; 8 s is ample
readonly kToggleSeconds=3
# The fitted window is 1000 x 640 at 1 x or larger; before the fit it is 800 x 572.
readonly kFittedMinWidth=1000

failures=0
passes=0
appear_ms=()

now_ms() { echo $((${EPOCHREALTIME/./} / 1000)); }

# A pause without a process: waiting to read from a pipe that never delivers.
exec {pause_fd}<> <(:)
pause() { read -r -t "$1" -u "$pause_fd" _ || true; }

# Sets window_map (xwininfo's map state, "gone" when the window is), window_x and window_width of a window,
# from one query and without further processes: the checks poll, and every process they start
# takes a core from the program under test.
read_window() {
  local line
  window_map=gone
  window_x=0
  window_width=0
  while IFS= read -r line; do
    case $line in
      *"Map State: "*) window_map=${line##*: } ;;
      *"Absolute upper-left X: "*) window_x=${line##*: } ;;
      *"  Width: "*) window_width=${line##*: } ;;
    esac
  done < <(xwininfo -id "$1" 2>/dev/null)
}

# The window manager's WM_STATE of a window: Normal, Iconic, Withdrawn, or nothing when unmanaged.
wm_state() {
  local line
  while IFS= read -r line; do
    [[ $line == *"window state: "* ]] && echo "${line##*: }"
  done < <(xprop -id "$1" WM_STATE 2>/dev/null)
}

window_state() {
  local state
  state=$(wm_state "$1")
  read_window "$1"
  echo "$window_map $window_width ${state:-unmanaged}"
}

is_shown() {
  read_window "$1"
  [[ $window_map == IsViewable ]] && ((window_width >= kFittedMinWidth)) && [[ $(wm_state "$1") == Normal ]]
}

is_hidden() {
  read_window "$1"
  [[ $window_map != IsViewable ]]
}

# The main window of a process: its largest window titled "T640" (the tray icon has its own).
main_window_of() {
  local pid=$1 id best="" best_width=0
  for id in $(xdotool search --all --pid "$pid" --name '^T640$' 2>/dev/null); do
    read_window "$id"
    if ((window_width > best_width)); then
      best=$id
      best_width=$window_width
    fi
  done
  echo "$best"
}

# Waits until the command succeeds or the seconds pass.
wait_for() {
  local seconds=$1
  shift
  local deadline=$((${EPOCHREALTIME/./} + seconds * 1000000))
  until "$@"; do
    ((${EPOCHREALTIME/./} < deadline)) || return 1
    pause "$kPollSeconds"
  done
}

# trayer's panel, found once per session.
tray_panel() {
  [[ -n ${tray_panel_id:-} ]] || tray_panel_id=$(xdotool search --classname '^panel$' 2>/dev/null | head -n1)
  echo "$tray_panel_id"
}

# The tray icon is docked once trayer's panel has grown from its empty width.
tray_icon_docked() {
  read_window "$(tray_panel)"
  ((window_width >= 16))
}

# Clicks the icon in the tray. `side` (-1 or 1) picks a point left or right of its centre: two clicks
# in a row at one place would be a double click, which the program does not take as a toggle.
click_tray() {
  local side=$1 x=0 y=0 width=0 height=0 geometry
  geometry=$(xwininfo -id "$(tray_panel)" 2>/dev/null) || return 1
  eval "$(awk -F': *' '/Absolute upper-left X/ {print "x=" $2} /Absolute upper-left Y/ {print "y=" $2}
    /^ *Width/ {print "width=" $2} /^ *Height/ {print "height=" $2}' <<<"$geometry")"
  xdotool mousemove --sync $((x + width / 2 + side * width / 4)) $((y + height / 2)) click --delay 1 1
}

start_desktop() {
  local stage=$1
  export XDG_RUNTIME_DIR=$stage/runtime XDG_DATA_HOME=$stage/data
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
  mkdir -p "$XDG_DATA_HOME"
  # -displayfd picks a free display and writes its number once the server accepts clients.
  Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$stage/display" 2>"$stage/xvfb.log" &
  xvfb_pid=$!
  wait_for 10 test -s "$stage/display" || { echo "desktop stage: FAIL: Xvfb did not start" >&2; return 1; }
  export DISPLAY=:$(head -n1 "$stage/display")
  openbox >"$stage/openbox.log" 2>&1 &
  openbox_pid=$!
  wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    { echo "desktop stage: FAIL: openbox did not start" >&2; return 1; }
  trayer --edge bottom --align right --widthtype request --height 32 --SetDockType true >"$stage/trayer.log" 2>&1 &
  trayer_pid=$!
  wait_for 10 sh -c "xdotool search --onlyvisible --classname '^panel$' >/dev/null" ||
    { echo "desktop stage: FAIL: trayer did not start" >&2; return 1; }
}

stop_desktop() {
  local pid
  for pid in ${trayer_pid:-} ${openbox_pid:-} ${xvfb_pid:-}; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
}

# Whether the program still runs; when it does, where each of its threads stands (a start that
# hangs says nothing on its own), and when it does not, how it ended.
describe_process() {
  local pid=$1 status=0
  if kill -0 "$pid" 2>/dev/null; then
    echo "    process: running"
    if command -v gdb >/dev/null; then
      timeout 60 gdb -batch -nx -p "$pid" -ex 'thread apply all bt 12' 2>/dev/null |
        grep -E '^(Thread|#)' | sed 's/^/    stack: /' | head -n 120
    fi
  else
    wait "$pid" 2>/dev/null || status=$?
    # 127: reaped already, by a check that saw how it ended.
    ((status == 127)) || echo "    process: ended with status $status"
  fi
}

# What was seen when a start failed, on one line, then the end of the program's trace.
report_failure() {
  local number=$1 kind=$2 what=$3 pid=$4 id=$5 trace=$6 output=$7
  failures=$((failures + 1))
  echo "desktop stage: FAIL start $number ($kind): $what; window ${id:-none}: $( [[ -n $id ]] && window_state "$id")"
  [[ -s $output ]] && sed 's/^/    stderr: /' "$output" | tail -n 20
  [[ -s $trace ]] && sed 's/^/    trace: /' "$trace" | tail -n 12
  describe_process "$pid"
  return 0
}

# One start: up by itself, still up after the fit, hidden by a tray click and back by another.
run_start() {
  local number=$1 stage=$2 kind list pid id began shown_at trace output
  if ((number % 2)); then
    kind="virtual mouse"
    list=mouse,mouse-receiver
  else
    kind="no device"
    list=""
  fi
  trace=$stage/trace.log
  output=$stage/stderr.log
  : >"$trace"
  began=$(now_ms)
  T640_TRACE=$trace T640_PROGRAM_FOLDER=$stage/program/ QT_QPA_PLATFORM=xcb \
    "$stage/program/t640" --simulate "$list" >"$output" 2>&1 &
  pid=$!
  id=""
  first_seen=""
  find_shown() {
    kill -0 "$pid" 2>/dev/null || return 0
    [[ -n $id ]] || id=$(main_window_of "$pid")
    [[ -n $id ]] || return 1
    local shown=0
    is_shown "$id" && shown=1
    [[ -z $first_seen && $window_map == IsViewable ]] && first_seen="x $window_x, width $window_width"
    ((shown))
  }
  if ! wait_for "$kAppearSeconds" find_shown || ! kill -0 "$pid" 2>/dev/null; then
    report_failure "$number" "$kind" "the window did not appear within ${kAppearSeconds} s" "$pid" "$id" "$trace" "$output"
  else
    shown_at=$(now_ms)
    appear_ms+=($((shown_at - began)))
    if ! is_shown "$id"; then
      report_failure "$number" "$kind" "the window went away after it appeared" "$pid" "$id" "$trace" "$output"
    elif ! wait_for 5 tray_icon_docked; then
      report_failure "$number" "$kind" "no icon in the tray" "$pid" "$id" "$trace" "$output"
    elif ! click_tray -1 || ! wait_for "$kToggleSeconds" is_hidden "$id"; then
      report_failure "$number" "$kind" "a tray click did not hide the window" "$pid" "$id" "$trace" "$output"
    elif ! click_tray 1 || ! wait_for "$kToggleSeconds" is_shown "$id"; then
      report_failure "$number" "$kind" "a second tray click did not bring the window back" "$pid" "$id" "$trace" \
        "$output"
    elif [[ $first_seen != "x $window_x, width $window_width" ]]; then
      # The first sight of the window is its fitted place and size: one that jumps after it
      # appears takes a click meant for its title bar somewhere else.
      report_failure "$number" "$kind" "the window appeared at $first_seen, then moved to x $window_x, width $window_width" \
        "$pid" "$id" "$trace" "$output"
    elif grep -q -e 'ERROR: AddressSanitizer' -e 'runtime error:' "$output"; then
      report_failure "$number" "$kind" "the sanitizers reported an error" "$pid" "$id" "$trace" "$output"
    elif ! ended_in_order "$pid"; then
      report_failure "$number" "$kind" "SIGTERM did not end it in order: $ending" "$pid" "$id" "$trace" "$output"
    else
      passes=$((passes + 1))
    fi
  fi
  kill -TERM "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

# True once the process is gone or waits, ended, to be reaped.
has_ended() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 0
  [[ ${stat##*) } == Z* ]]
}

# A desktop logout sends SIGTERM: the program ends through its own exit, with status 0 and its
# place on the desktop bus given up. Sets `ending` to what was seen otherwise.
ended_in_order() {
  local pid=$1 status=0
  kill -TERM "$pid" 2>/dev/null
  if ! wait_for 10 has_ended "$pid"; then
    ending="still running after 10 s"
    return 1
  fi
  wait "$pid" 2>/dev/null || status=$?
  local left
  left=$(find "$XDG_RUNTIME_DIR/t640-bus" -name '*.sock' 2>/dev/null | head -n1)
  if ((status != 0)); then
    ending="status $status"
  elif [[ -n $left ]]; then
    ending="its bus socket ${left##*/} was left behind"
  else
    return 0
  fi
  return 1
}

run_session() {
  local stage=$1 starts=$2 number planned
  planned=$((starts + kCaptionChecks + kCaptureChecks + kRecordingChecks))
  trap stop_desktop EXIT
  if ! start_desktop "$stage"; then
    echo "desktop stage: 0 passed, $planned failed"
    return 1
  fi
  for ((number = 1; number <= starts; number++)); do
    run_start "$number" "$stage"
    # A broken program would fail every start; twenty failures say enough.
    if ((failures >= 20)); then
      echo "desktop stage: stopping after $failures failed starts"
      break
    fi
  done
  if ((${#appear_ms[@]})); then
    local sorted
    sorted=$(printf '%s\n' "${appear_ms[@]}" | sort -n)
    echo "desktop stage: $passes of $starts starts passed; the window was up after a median" \
      "$(sed -n "$(((${#appear_ms[@]} + 1) / 2))p" <<<"$sorted") ms, at most $(tail -n1 <<<"$sorted") ms"
  fi
  run_caption_checks_with_tray "$stage"
  run_caption_checks_without_tray "$stage"
  run_capture_checks "$stage"
  run_recording_checks "$stage"
  echo "desktop stage: $passes passed, $((planned - passes)) failed"
  ((failures == 0 && passes == planned))
}
