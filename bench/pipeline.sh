#!/usr/bin/env bash
# The whole pipeline at the product's limits: each benchmark job (tranchex-bench-jobs) read, laid
# out, its lists built and its first plan printed by tranchex-render, timed, best of RUNS
# (default 3), with the ratios the shop cares about. Not a test: the figures depend on the
# machine. Build first (Release or the default RelWithDebInfo), then:
#   bench/pipeline.sh [BUILD_DIR] [RUNS]
set -euo pipefail
BUILD=${1:-build}
RUNS=${2:-3}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
"$BUILD/bin/tranchex-bench-jobs" "$WORK" > /dev/null
export QT_QPA_PLATFORM=offscreen

best() {  # best wall time in seconds of RUNS runs
  local best=""
  for _ in $(seq "$RUNS"); do
    local start end t
    start=$(date +%s.%N)
    "$BUILD/bin/tranchex-render" "$WORK/$1" --pdf "$WORK/out.pdf" --view panels --pages 1-1 \
      > /dev/null 2> "$WORK/render.err" || { cat "$WORK/render.err" >&2; exit 1; }
    end=$(date +%s.%N)
    t=$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')
    if [ -z "$best" ] || awk -v t="$t" -v b="$best" 'BEGIN { exit !(t < b) }'; then best=$t; fi
  done
  printf '%.2f' "$best"
}

declare -A T
for job in mix-100k mix-1m distinct-1m stock-q1 stock-q20000; do
  T[$job]=$(best "$job.deb")
  printf '%-16s %8s s\n' "$job" "${T[$job]}"
done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo "10,000 distinct / 500-size mix, 1,000,000 copies: $(ratio "${T[distinct-1m]}" "${T[mix-1m]}")"
echo "mix 1,000,000 / 100,000 copies:                   $(ratio "${T[mix-1m]}" "${T[mix-100k]}")"
echo "stock quantity 20,000 / 1:                        $(ratio "${T[stock-q20000]}" "${T[stock-q1]}")"
