#!/usr/bin/env bash
# Takes the README's screenshots of the three views on the bundled example pair, and of
# comparisons of two versions of a real project and of a real workbook (the shared data
# folder's, DUALIS_SHARED_DATA, by default ../shared/data), under a virtual display with a window
# manager. Needs xvfb, openbox, imagemagick and xdotool (Debian packages of those names).
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset release >/dev/null
cmake --build --preset release --target dualis >/dev/null
display=:97
Xvfb "$display" -screen 0 1280x900x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
DISPLAY=$display openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm $xvfb 2>/dev/null; rm -rf "${made:-}" "${madeProjects:-}" "${madeWorkbooks:-}" "${config:-}"' EXIT
sleep 1
config=$(mktemp -d)
mkdir -p "$config/Dualis"
# The window shows the files' full names: put the pair where a user would keep it, not in the
# checkout, and remove only what was made here.
home=${SCREENSHOT_HOME:-/home/ana}
for folder in orders socket wbs; do
  if [[ -e $home/$folder ]]; then
    echo "$home/$folder exists already; set SCREENSHOT_HOME to another folder" >&2
    exit 1
  fi
done
made=$home/orders
mkdir -p "$made/v1" "$made/v2"
cp examples/v1/frmOrders.frm "$made/v1/"
cp examples/v2/frmOrders.frm "$made/v2/"
version=$(build/release/app/dualis --version | cut -d' ' -f2-)
# Writes the settings for view $1 with the legend shown or not ($2), and more [Display] keys ($3).
settings() {
  printf '[Display]\r\nViewMode=%s\r\nLineNumbers=True\r\nViewLegend=%s\r\n%b[General]\r\nVersion=%s\r\n' \
    "$1" "$2" "${3:-}" "$version" >"$config/Dualis/VBDualis.INI"
}
# Starts the window on the example pair ($app, $id) and shows the procedure "cmdSave_Click", the
# fourteenth entry, which holds changed, added and deleted lines.
start() {
  DISPLAY=$display XDG_CONFIG_HOME=$config HOME=$home build/release/app/dualis \
    "$made/v1/frmOrders.frm" "$made/v2/frmOrders.frm" &
  app=$!
  sleep 3
  id=$(DISPLAY=$display xdotool search --name '^Dualis ' | head -1)
  DISPLAY=$display xdotool mousemove --window "$id" 460 63 click 1 sleep 0.5 \
    key --delay 100 Down Down Down Down Down Down Down Down Down Down Down Down Down Return \
    sleep 0.5
}
stop() {
  kill $app
  wait $app 2>/dev/null || true
}
for view in V H C; do
  legend=False
  [[ $view == C ]] && legend=True
  settings $view $legend
  start
  # "-" highlights the first block of differences.
  DISPLAY=$display xdotool key minus
  sleep 1
  DISPLAY=$display import -window "$id" "docs/screenshots/view-$view.png"
  stop
done
# Rows selected in File 2's pane, and the find bar's search for a name.
settings V False
start
DISPLAY=$display xdotool mousemove --window "$id" 600 266 click 1 sleep 0.3 keydown shift \
  mousemove --window "$id" 600 300 click 1 keyup shift sleep 0.3 key ctrl+f sleep 0.3 \
  type --delay 50 'FreeFile'
DISPLAY=$display xdotool key Return
sleep 1
DISPLAY=$display import -window "$id" docs/screenshots/select-and-find.png
stop
# The options dialog's two pages.
start
DISPLAY=$display xdotool mousemove --window "$id" 246 36 click 1
sleep 1
options=$(DISPLAY=$display xdotool search --name '^Options$' | head -1)
DISPLAY=$display import -window "$options" docs/screenshots/options-compare.png
DISPLAY=$display xdotool key --window "$options" alt+d
sleep 0.5
DISPLAY=$display import -window "$options" docs/screenshots/options-display.png
stop
# Two versions of a real project compared folder by folder: the module list with the modules'
# statuses, and the first changed module open at its first changed procedure, in a window wide
# enough for the list and two panes.
shared=${DUALIS_SHARED_DATA:-../shared/data}/projects/VbAsyncSocket
madeProjects=$home/socket
mkdir -p "$madeProjects"
cp -r "$shared/2020-10-11-5b94771" "$madeProjects/v2020"
cp -r "$shared/2022-10-24-a80b1db" "$madeProjects/v2022"
settings V False \
  'MainWindowLeft=1200\r\nMainWindowTop=900\r\nMainWindowWidth=17400\r\nMainWindowHeight=11400\r\n'
# Opens the sources $1 and $2 compared module by module, goes to the first changed procedure
# and takes the screenshot $3.
shootModules() {
  DISPLAY=$display XDG_CONFIG_HOME=$config HOME=$home build/release/app/dualis "$1" "$2" &
  app=$!
  sleep 4
  id=$(DISPLAY=$display xdotool search --name '^Dualis ' | head -1)
  DISPLAY=$display xdotool key F7
  sleep 1
  DISPLAY=$display import -window "$id" "docs/screenshots/$3"
  stop
}
shootModules "$madeProjects/v2020" "$madeProjects/v2022" project.png
# Two versions of a real workbook's macros: a module renamed and changed, forms whose binary
# control data differ, and the first changed module open.
office=${DUALIS_SHARED_DATA:-../shared/data}/office/wbs-template
madeWorkbooks=$home/wbs
mkdir -p "$madeWorkbooks/2025-04-23" "$madeWorkbooks/2025-04-25"
cp "$office/2025-04-23-992d2b6/wbs-template.xlsm" "$madeWorkbooks/2025-04-23/"
cp "$office/2025-04-25-0b09be3/wbs-template.xlsm" "$madeWorkbooks/2025-04-25/"
shootModules "$madeWorkbooks/2025-04-23/wbs-template.xlsm" \
  "$madeWorkbooks/2025-04-25/wbs-template.xlsm" workbooks.png
echo "Screenshots in docs/screenshots/"
