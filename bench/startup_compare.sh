#!/usr/bin/env bash
# The kiosk's start-up beside a minimal Qt program that shows a full-screen clock (startup_peer_qt),
# on a private Xvfb screen: time to the first window mapped, to its first paint and to the first
# frame that shows the clock (the frame read back), CPU time until that frame and peak resident
# memory by then, each the median of RUNS runs, with the kiosk's figure over the peer's.
#
#   bench/startup_compare.sh [BUILD_DIR] [RUNS]      (defaults: build, 10; SCREEN=1920x1080x24)
#
# The kiosk runs from a copy in a scratch folder, so it finds no settings file and shows its idle
# screen without a server; its log and logging settings land there too. Runs alternate between the
# two programs, after one warm-up run of each, so that both meet the same machine load and caches.
set -euo pipefail
build=${1:-build}
runs=${2:-10}
screen=${SCREEN:-1920x1080x24}
bin="$build/bin"
for program in kiosk startup_peer_qt startup_probe; do
  if [ ! -x "$bin/$program" ]; then
    echo "startup_compare: $bin/$program is not built (scripts/install-deps; ninja -C $build $program)" >&2
    exit 1
  fi
done

scratch=$(mktemp -d)
xvfb_pid=
cleanup() {
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT
cp "$bin/kiosk" "$scratch/kiosk"
probe=$(realpath "$bin/startup_probe")
peer=$(realpath "$bin/startup_peer_qt")

# Xvfb writes the display number it chose once it is ready for clients.
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$scratch/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
if [ ! -s "$scratch/display" ]; then
  echo "startup_compare: Xvfb did not start" >&2
  exit 1
fi
export DISPLAY=":$(head -n1 "$scratch/display")" QT_QPA_PLATFORM=xcb LC_ALL=C

# Where each shows its clock, and in which colour: the kiosk's default red text at its default
# place, the peer's black text centred on the screen.
width=${screen%%x*}
height=${screen#*x}
height=${height%%x*}
kiosk_clock=10,180,600,40,FF0000
peer_clock=0,$((height / 2 - 30)),$width,60,000000

measure() {  # name program clock: one probe line, prefixed with the name
  local line
  if ! line=$(cd "$scratch" && "$probe" --text "$3" "$2"); then
    echo "startup_compare: no frame of $1 with its clock could be measured" >&2
    exit 1
  fi
  echo "$1 $line"
}
measure peer "$peer" "$peer_clock" >/dev/null
measure kiosk "$scratch/kiosk" "$kiosk_clock" >/dev/null
for _ in $(seq "$runs"); do
  measure peer "$peer" "$peer_clock"
  measure kiosk "$scratch/kiosk" "$kiosk_clock"
done >"$scratch/results"

median() {  # name key
  awk -v name="$1" -v key="$2" '$1 == name {
      for (i = 2; i <= NF; i++) { split($i, kv, "="); if (kv[1] == key) print kv[2] } }' "$scratch/results" |
    sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

echo "Start-up on Xvfb $screen, median of $runs runs each"
printf '%-30s %12s %12s %8s\n' "" kiosk "Qt peer" ratio
for row in "first window mapped (ms):map_ms" "first paint (ms):paint_ms" "first frame with clock (ms):text_ms" \
  "CPU until that frame (ms):cpu_ms" "peak RSS (KB):hwm_kb"; do
  label=${row%%:*}
  key=${row##*:}
  kiosk=$(median kiosk "$key")
  peer=$(median peer "$key")
  printf '%-30s %12s %12s %8s\n' "$label" "$kiosk" "$peer" "$(awk -v a="$kiosk" -v b="$peer" 'BEGIN { printf "%.2f", a / b }')"
done
