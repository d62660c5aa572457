# The desktop stage's caption checks, sourced by session_checks.sh: the close and minimise buttons
# and the window manager's close, clicked as a user clicks them, with the tray and then without it.
# Each check prints its own PASS or FAIL line.

readonly kCaptionChecks=6

# Clicks a title-bar button of the main window. Places follow the title bar of skin/XML/main.xml
# at 1 x (buttons 32 wide and 4 apart from the right inset of 8, the bar 38 high), scaled with the
# window's width over its 1000 layout pixels; `slot` 0 is the close button, 1 the minimise button.
click_caption_button() {
  local id=$1 slot=$2 x=0 y=0 width=0 geometry
  geometry=$(xwininfo -id "$id" 2>/dev/null) || return 1
  eval "$(awk -F': *' '/Absolute upper-left X/ {print "x=" $2} /Absolute upper-left Y/ {print "y=" $2}
    /^ *Width/ {print "width=" $2}' <<<"$geometry")"
  xdotool mousemove --sync $((x + width - (24 + 36 * slot) * width / 1000)) $((y + 19 * width / 1000)) click --delay 1 1
}

is_iconic() { [[ $(wm_state "$1") == Iconic ]]; }

caption_result() {
  local what=$1 ok=$2
  if ((ok)); then
    passes=$((passes + 1))
    echo "desktop stage: PASS $what"
  else
    failures=$((failures + 1))
    echo "desktop stage: FAIL $what; window ${caption_window:-none}: $([[ -n ${caption_window:-} ]] && window_state "$caption_window")"
    [[ -s $caption_output ]] && sed 's/^/    stderr: /' "$caption_output" | tail -n 20
  fi
  return 0
}

# Starts the program without a device and waits for its window; false when it does not come up.
caption_start() {
  local stage=$1
  caption_output=$stage/caption-stderr.log
  T640_PROGRAM_FOLDER=$stage/program/ QT_QPA_PLATFORM=xcb "$stage/program/t640" --simulate "" \
    >"$caption_output" 2>&1 &
  caption_pid=$!
  caption_window=""
  caption_shown() {
    [[ -n $caption_window ]] || caption_window=$(main_window_of "$caption_pid")
    [[ -n $caption_window ]] && is_shown "$caption_window"
  }
  wait_for "$kAppearSeconds" caption_shown
}

# caption_start, or one FAIL line counting for all the checks that cannot run without the window.
caption_start_or_fail() {
  local stage=$1 what=$2
  caption_start "$stage" && return 0
  caption_result "caption checks $what: the window did not appear" 0
  failures=$((failures + 2))
  caption_stop
  return 1
}

caption_stop() {
  kill -TERM "$caption_pid" 2>/dev/null || true
  wait "$caption_pid" 2>/dev/null || true
}

alive() { kill -0 "$caption_pid" 2>/dev/null; }

# With the tray: the close button and the window manager's close hide the window in the tray, the
# minimise button minimises it; the tray icon brings it back each time; the program keeps running.
run_caption_checks_with_tray() {
  local stage=$1 ok
  caption_start_or_fail "$stage" "with a tray" || return 0
  ok=0
  click_caption_button "$caption_window" 0 && wait_for "$kToggleSeconds" is_hidden "$caption_window" && alive &&
    click_tray -1 && wait_for "$kToggleSeconds" is_shown "$caption_window" && ok=1
  caption_result "close button with a tray: hidden in the tray, running, back by the tray icon" "$ok"
  ok=0
  click_caption_button "$caption_window" 1 && wait_for "$kToggleSeconds" is_iconic "$caption_window" && alive &&
    click_tray 1 && wait_for "$kToggleSeconds" is_shown "$caption_window" && ok=1
  caption_result "minimise button: minimised, running, back by the tray icon" "$ok"
  ok=0
  xdotool windowactivate --sync "$caption_window" key --clearmodifiers alt+F4 2>/dev/null &&
    wait_for "$kToggleSeconds" is_hidden "$caption_window" && alive &&
    click_tray -1 && wait_for "$kToggleSeconds" is_shown "$caption_window" && ok=1
  caption_result "window manager's close with a tray: hidden in the tray, running" "$ok"
  caption_stop
}

# Without a tray: the close button minimises (a hidden window could not be reached again) and the
# window manager brings the window back; the window manager's close ends the program.
run_caption_checks_without_tray() {
  local stage=$1 ok status
  kill "$trayer_pid" 2>/dev/null || true
  wait "$trayer_pid" 2>/dev/null || true
  trayer_pid=""
  caption_start_or_fail "$stage" "without a tray" || return 0
  ok=0
  click_caption_button "$caption_window" 0 && wait_for "$kToggleSeconds" is_iconic "$caption_window" && alive &&
    xdotool windowactivate --sync "$caption_window" 2>/dev/null && wait_for "$kToggleSeconds" is_shown "$caption_window" && ok=1
  caption_result "close button without a tray: minimised, running, back through the window manager" "$ok"
  ok=0
  status=0
  if xdotool windowactivate --sync "$caption_window" key --clearmodifiers alt+F4 2>/dev/null; then
    wait_for "$kToggleSeconds" sh -c "! kill -0 $caption_pid 2>/dev/null" && { wait "$caption_pid" || status=$?; } &&
      ((status == 0)) && ok=1
  fi
  caption_result "window manager's close without a tray: the program ends (status $status)" "$ok"
  caption_stop
  # The sanitizers' verdict on a program that ended by itself.
  ok=1
  grep -q -e 'ERROR: AddressSanitizer' -e 'runtime error:' -e 'ERROR: LeakSanitizer' "$caption_output" && ok=0
  caption_result "the program that ended by itself left no sanitizer report" "$ok"
}
