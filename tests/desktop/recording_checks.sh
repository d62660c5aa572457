# The desktop stage's recording check, sourced by session_checks.sh: t640 records a macro while
# keys are typed into the window of another program and a button is clicked on it. The rows must be
# what was typed and clicked (q, the keypad's Enter and the right Shift — keys that differ from
# others only by the extended flag — and the right button), and the other program must get none of
# the keys while the recording runs and get them again after it.

readonly kRecordingChecks=1

# Layout points of the mouse page's Macros tab, the add-macro button and the record/stop button,
# in the main window's 1000-pixel-wide layout (skin/XML/DeviceXml/mousedevice.xml and
# skin/XML/CustomControlXML/MacroControl.xml at 1 x).
readonly kMacrosTab="584 131" kAddMacro="427 605" kRecordButton="912 188"

# Clicks a layout point of a window, scaled with the window's width over its 1000 layout pixels.
click_layout_point() {
  local id=$1 point_x=$2 point_y=$3 x=0 y=0 width=0 geometry
  geometry=$(xwininfo -id "$id" 2>/dev/null) || return 1
  eval "$(awk -F': *' '/Absolute upper-left X/ {print "x=" $2} /Absolute upper-left Y/ {print "y=" $2}
    /^ *Width/ {print "width=" $2}' <<<"$geometry")"
  xdotool mousemove --sync $((x + point_x * width / 1000)) $((y + point_y * width / 1000)) click --delay 1 1
}

# The key presses the other program has received so far.
presses_seen() { grep -c '^KeyPress event' "$1" 2>/dev/null || true; }

# The events of the newest macro file as "action button type" triples, one line each.
recorded_events() {
  local file
  file=$(ls -t "$XDG_DATA_HOME"/T640/mouse/*.mac 2>/dev/null | head -n1)
  [[ -n $file ]] || return 0
  grep -o -e '"Action" : "[a-z]*"' -e '"Button" : [0-9]*' -e '"Type" : [0-9]*' "$file" |
    awk -F' : ' '{gsub(/"/, "", $2); line = line (line ? " " : "") $2} NR % 3 == 0 {print line; line = ""}'
}

run_recording_checks() {
  local stage=$1
  local ok=0 output=$stage/recording-stderr.log pid window="" other="" before="" after="" expected
  T640_PROGRAM_FOLDER=$stage/program/ QT_QPA_PLATFORM=xcb "$stage/program/t640" --simulate mouse \
    >"$output" 2>&1 &
  pid=$!
  # A program of its own to type into: xev prints every key its window receives.
  stdbuf -oL xev -geometry 240x120+20+20 -name t640-recording-target >"$stage/xev.log" 2>&1 &
  local xev_pid=$!
  recording_window_up() {
    [[ -n $window ]] || window=$(main_window_of "$pid")
    [[ -n $window ]] && is_shown "$window"
  }
  other_window_up() {
    other=$(xdotool search --onlyvisible --name '^t640-recording-target$' 2>/dev/null | head -n1)
    [[ -n $other ]]
  }
  expected=$'down 20 10\nup 20 10\ndown 88 10\nup 88 10\ndown 32 9\nup 32 9\ndown 2 1\nup 2 1'
  if wait_for "$kAppearSeconds" recording_window_up && wait_for "$kAppearSeconds" other_window_up; then
    # A new macro (its question is answered with Enter), then Record.
    click_layout_point "$window" $kMacrosTab && pause 0.5 &&
      click_layout_point "$window" $kAddMacro && pause 1 && xdotool key Return && pause 1 &&
      click_layout_point "$window" $kRecordButton && pause 1 &&
      xdotool windowactivate --sync "$other" && pause 0.3 &&
      before=$(presses_seen "$stage/xev.log") &&
      # By key code: q, the keypad's Enter, the right Shift.
      xdotool key --delay 60 24 104 62 && pause 0.3 && xdotool click 3 && pause 0.3 &&
      after=$(presses_seen "$stage/xev.log") &&
      click_layout_point "$window" $kRecordButton && pause 0.8 &&
      [[ $before == "$after" ]] && [[ $(recorded_events) == "$expected" ]] &&
      xdotool windowactivate --sync "$other" && xdotool key 24 && pause 0.3 &&
      (($(presses_seen "$stage/xev.log") > after)) && ok=1
  fi
  if ((ok)); then
    passes=$((passes + 1))
    echo "desktop stage: PASS recording from the whole desktop: the typed keys are the macro's rows, the other window got none"
  else
    failures=$((failures + 1))
    echo "desktop stage: FAIL recording from the whole desktop; key presses the other window got before/after: ${before:-?}/${after:-?}"
    echo "    recorded: $(recorded_events | tr '\n' ',')"
    sed 's/^/    stderr: /' "$output" | tail -n 20
  fi
  kill -TERM "$pid" "$xev_pid" 2>/dev/null || true
  wait "$pid" "$xev_pid" 2>/dev/null || true
  return 0
}
