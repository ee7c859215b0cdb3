#!/usr/bin/env bash
# Times the built-in build and the compile of a 1,000 km route as whole
# processes, side by side with a cp of the files each writes into a fresh
# folder, and prints the medians, the ratios and the peak memory.
#
#   bench/against_copy.sh [BUILD_DIR] [RUNS]     (defaults: build/release 21)
#
# BUILD_DIR must hold a release build; the script builds tracciato and
# make_long_route there first.
set -euo pipefail

build=${1:-build/release}
runs=${2:-21}
cmake --build "$build" --target tracciato make_long_route >/dev/null
tracciato=$(realpath "$build/tracciato")
make_long_route=$(realpath "$build/make_long_route")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
TIMEFORMAT='%3R %3U %3S'

# One timed run of a command: "wall user system" in seconds, appended to $1.
timed() {
  local into=$1
  shift
  { time "$@" >/dev/null 2>&1; } 2>>"$into"
}

median() {  # median of column $2 (or of user + system when $2 is cpu) of file $1
  awk -v c="$2" '{ print (c == "cpu" ? $2 + $3 : $c) }' "$1" | sort -g |
    awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

peak_kb() {
  /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F': ' '/Maximum resident set size/ { print $2 }'
}

# compare NAME COMMAND...: the command writes into $work/out; cp copies what
# it wrote into a fresh folder.
compare() {
  local name=$1
  shift
  rm -f "$work/ours" "$work/copy"
  rm -rf "$work/out" && mkdir "$work/out" && "$@" >/dev/null 2>&1
  rm -rf "$work/written" && mv "$work/out" "$work/written"
  for ((i = 0; i < runs; i++)); do
    rm -rf "$work/out" && mkdir "$work/out"
    timed "$work/ours" "$@"
    rm -rf "$work/copy-out" && mkdir "$work/copy-out"
    timed "$work/copy" cp "$work/written"/. "$work/copy-out" -r
  done
  rm -rf "$work/out" && mkdir "$work/out"
  local peak largest bytes
  peak=$(peak_kb "$@")
  largest=$(find "$work/written" -type f -printf '%s\n' | sort -g | tail -1)
  bytes=$(find "$work/written" -type f -printf '%s\n' | awk '{ s += $1 } END { print s }')
  awk -v name="$name" -v bytes="$bytes" -v ow="$(median "$work/ours" 1)" \
    -v oc="$(median "$work/ours" cpu)" -v cw="$(median "$work/copy" 1)" \
    -v cc="$(median "$work/copy" cpu)" -v peak="$peak" -v largest="$largest" 'BEGIN {
      printf "| %s | %.1f MB | %.1f ms | %.1f ms | %.1f ms | %.1f ms | %.2f× | %.2f× | %.1f MB | %.1f MB |\n",
        name, bytes / 1e6, oc * 1000, ow * 1000, cc * 1000, cw * 1000,
        oc / cc, ow / cw, peak / 1024, largest / 1048576 }'
}

"$make_long_route" 1000 "$work"

echo "$(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo), median of $runs runs"
echo
echo "| work | written | tracciato cpu | tracciato wall | cp cpu | cp wall | cpu ratio | wall ratio | peak memory | largest file |"
echo "|---|---|---|---|---|---|---|---|---|---|"
compare "built-in build, 68 km" "$tracciato" build --out "$work/out"
compare "compile, 1,000 km" "$tracciato" compile --line "$work/linea.txt" --train "$work/treno.txt" \
  --scenario Lungo --train-number 1 --out "$work/out"
