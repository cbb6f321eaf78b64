#!/usr/bin/env bash
# bench/run.sh [--build DIR] [--corpus FILE] [--find TEXT] [--runs N]:
# the benchmarks in one go. Makes the corpus (bench/make_corpus.sh), builds
# veldrin-scan and scan_store_bench in DIR (default build/, configured as a
# Release build when it is not configured yet), and prints GNU strings,
# veldrin-scan and the scan into the row store side by side, then Find,
# Export All and Export Marked on the rows of that scan, with the targets;
# last, bench/window_bench.sh times the real window on the same corpus.
#
# Each timing is the best of N runs (3 unless told), after the corpus was
# read once to warm the page cache; peak memory is the highest of the N.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=build
corpus=$root/bench/out/corpus.bin
# Find's text: on this machine's corpus it is in about one row in five
# (scan_store_bench --pairs CORPUS lists the candidates).
find_text=re
runs=3
readonly kMinLength=10

while [ $# -gt 0 ]; do
  case $1 in
    --build) build=$2; shift 2 ;;
    --corpus) corpus=$2; shift 2 ;;
    --find) find_text=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    -h|--help) sed -n '2,11s/^# \{0,1\}//p' "$0"; exit 0 ;;
    *) echo "run.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done
cd "$root"
case $build in /*) ;; *) build=$root/$build ;; esac

source "$root/tools/setup.sh"
veldrin_install time binutils

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target veldrin-scan scan_store_bench >/dev/null
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' "$build/CMakeCache.txt")
# The top-level CMakeLists.txt picks RelWithDebInfo when none is given.
build_type=${build_type:-RelWithDebInfo}
scan=$build/cli/veldrin-scan
store_bench=$build/bench/scan_store_bench

"$root/bench/make_corpus.sh" "$corpus"
out=$(mktemp -d "${TMPDIR:-/tmp}/veldrin-bench.XXXXXX")
trap 'rm -rf "$out"' EXIT
load=$(cut -d' ' -f1-3 /proc/loadavg)
cat "$corpus" >/dev/null
bytes=$(stat -c %s "$corpus")

now() { date +%s%N; }

# time_best NAME CMD...: runs CMD (with its standard output going to
# $out/NAME.out) $runs times; sets best_ns and peak_kib.
time_best() {
  local name=$1; shift
  best_ns=0 peak_kib=0
  local i start ns kib
  for ((i = 0; i < runs; i++)); do
    start=$(now)
    /usr/bin/time -f %M -o "$out/$name.mem" "$@" >"$out/$name.out"
    ns=$(($(now) - start))
    kib=$(tail -n 1 "$out/$name.mem")
    if [ "$best_ns" -eq 0 ] || [ "$ns" -lt "$best_ns" ]; then best_ns=$ns; fi
    if [ "$kib" -gt "$peak_kib" ]; then peak_kib=$kib; fi
  done
}

# Figures per row of the table, by name.
declare -A secs mbs rows peak

measure() {  # NAME ROWS_FILE CMD...
  local name=$1 rows_file=$2; shift 2
  time_best "$name" "$@"
  secs[$name]=$(awk -v ns="$best_ns" 'BEGIN { printf "%.3f", ns / 1e9 }')
  mbs[$name]=$(awk -v ns="$best_ns" -v b="$bytes" 'BEGIN { printf "%.0f", b / (ns / 1e9) / 1e6 }')
  rows[$name]=$(wc -l <"$rows_file")
  peak[$name]=$peak_kib
}

measure strings "$out/strings.out" strings -a -n "$kMinLength" -t x "$corpus"
measure scan_file "$out/scan.txt" "$scan" -n "$kMinLength" "$corpus" -o "$out/scan.txt"
measure scan_stdout "$out/scan_stdout.out" "$scan" -n "$kMinLength" "$corpus"

# The store-only scan times itself (the scan alone, no process start or
# teardown) and reports its own peak; keep the best run's figures.
for ((i = 0; i < runs; i++)); do
  "$store_bench" --find "$find_text" --export-all "$out/export_all.txt" \
    --export-marked "$out/export_marked.txt" "$corpus" >"$out/store.$i"
done
value() { sed -n "s/^$1=//p" "$2"; }
best() {  # NAME: the lowest NAME over the runs
  for ((i = 0; i < runs; i++)); do value "$1" "$out/store.$i"; done | sort -g | head -n 1
}
highest() {
  for ((i = 0; i < runs; i++)); do value "$1" "$out/store.$i"; done | sort -g | tail -n 1
}
first=$out/store.0
secs[store]=$(printf '%.3f' "$(best scan_seconds)")
mbs[store]=$(awk -v s="${secs[store]}" -v b="$bytes" 'BEGIN { printf "%.0f", b / s / 1e6 }')
rows[store]=$(value rows "$first")
peak[store]=$(highest peak_rss_kib)

mib() { awk -v b="$1" 'BEGIN { printf "%.1f", b / 1048576 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1fx", a / b }'; }
verdict() { if awk "BEGIN { exit !($1) }"; then echo PASS; else echo FAIL; fi; }

echo "Corpus: $corpus, $bytes bytes ($(mib "$bytes") MiB), page cache warm; minimum length $kMinLength"
commit=$(git -C "$root" rev-parse --short HEAD 2>/dev/null || echo unknown)
git -C "$root" diff-index --quiet HEAD -- 2>/dev/null || commit="$commit, with uncommitted changes"
echo "Source: $commit; build: $build ($build_type)"
echo "Load average at the start: $load (other work on the machine slows the timings)"
echo "Best of $runs runs for each time; peak memory is the highest of the $runs. MB = 10^6 bytes."
echo
printf '%-42s %8s %7s %9s %9s %9s %10s\n' "" "seconds" "MB/s" "rows" "rows/s" "peak MiB" "vs strings"
row() {  # NAME LABEL
  printf '%-42s %8s %7s %9s %9.0f %9s %10s\n' "$2" "${secs[$1]}" "${mbs[$1]}" "${rows[$1]}" \
    "$(awk -v n="${rows[$1]}" -v s="${secs[$1]}" 'BEGIN { print n / s }')" \
    "$(mib $((peak[$1] * 1024)))" "$(ratio "${mbs[$1]}" "${mbs[strings]}")"
}
row strings "strings -a -n $kMinLength -t x CORPUS > out"
row scan_file "veldrin-scan -n $kMinLength CORPUS -o out"
row scan_stdout "veldrin-scan -n $kMinLength CORPUS > out"
row store "scan into the row store alone (scan only)"
echo

# The listed text, from veldrin-scan's output: its bytes less the tab, CR
# and LF of each row.
out_bytes=$(stat -c %s "$out/scan.txt")
listed=$((out_bytes - 3 * rows[scan_file]))
limit=$((listed + 24 * rows[scan_file] + 32 * 1048576))
scan_peak=$((peak[scan_file] * 1024))
store_peak=$((peak[store] * 1024))
echo "Row store: listed text $(mib "$listed") MiB (the bench's own sum: $(mib "$(value listed_text_bytes "$first")") MiB)," \
  "RowStore::BytesUsed $(mib "$(value store_bytes "$first")") MiB for ${rows[store]} rows"
# The figures only count when every way gives the same rows.
"$scan" -n "$kMinLength" --find "$find_text" "$corpus" -o "$out/scan_find.txt"
same() {  # LABEL FILE...: whether the files hold the same bytes
  local label=$1 first=$2 f
  shift 2
  for f in "$@"; do
    if ! cmp -s "$first" "$f"; then echo "DIFFERENT: $label"; return; fi
  done
  echo "Same bytes: $label"
}
same "veldrin-scan -o file, its standard output, the bench's Export All" \
  "$out/scan.txt" "$out/scan_stdout.out" "$out/export_all.txt"
same "veldrin-scan --find $find_text -o file, the bench's Export Marked after Find" \
  "$out/scan_find.txt" "$out/export_marked.txt"
echo
echo "Targets"
printf '  %-68s %10s  %s\n' "veldrin-scan -o speed >= 10x GNU strings'" \
  "$(ratio "${mbs[scan_file]}" "${mbs[strings]}")" \
  "$(verdict "${mbs[scan_file]} >= 10 * ${mbs[strings]}")"
printf '  %-68s %10s  %s\n' "veldrin-scan > out speed >= 10x GNU strings'" \
  "$(ratio "${mbs[scan_stdout]}" "${mbs[strings]}")" \
  "$(verdict "${mbs[scan_stdout]} >= 10 * ${mbs[strings]}")"
printf '  %-68s %10s  %s\n' "veldrin-scan -o peak < listed text + 24 B/row + 32 MiB ($(mib "$limit") MiB)" \
  "$(mib "$scan_peak") MiB" "$(verdict "$scan_peak < $limit")"
printf '  %-68s %10s  %s\n' "store-only scan peak < the same limit" \
  "$(mib "$store_peak") MiB" "$(verdict "$store_peak < $limit")"
echo
echo "Find and export on the store-only scan's ${rows[store]} rows (best of $runs; target < 0.5 s each)"
printf '  %-44s %9s %10s %12s  %s\n' "" "seconds" "rows" "rows/s" ""
op() {  # LABEL NAME ROWS PER_S_ROWS: the best NAME_seconds, with ROWS shown and PER_S_ROWS per second
  local s
  s=$(best "$2_seconds")
  printf '  %-44s %9.3f %10s %12.0f  %s\n' "$1" "$s" "$3" "$(awk -v n="$4" -v s="$s" 'BEGIN { print n / s }')" \
    "$(verdict "$s < 0.5")"
}
op "Find \"$find_text\" ($(value find_fraction "$first") of the rows)" find \
  "$(value find_rows "$first")" "${rows[store]}"
op "Export All" export_all "$(value export_all_rows "$first")" "$(value export_all_rows "$first")"
op "Export Marked (after that Find)" export_marked \
  "$(value export_marked_rows "$first")" "$(value export_marked_rows "$first")"
echo "  (rows: the rows selected or written; Find's rows/s counts the rows searched.)"

# The real window, from its start to the caption's " - Done" and to its
# first frame of rows, beside veldrin-scan.
echo
"$root/bench/window_bench.sh" --build "$build" --corpus "$corpus" --runs "$runs"
