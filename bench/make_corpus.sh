#!/usr/bin/env bash
# bench/make_corpus.sh [PATH]: makes the benchmark corpus, the machine's
# shared libraries concatenated to exactly 512 MiB (the list repeated when
# it is shorter), at PATH (default bench/out/corpus.bin). A file already
# there of the right size is kept as it is.
set -euo pipefail

readonly kSize=$((512 * 1024 * 1024))
out=${1:-"$(cd "$(dirname "$0")" && pwd)/out/corpus.bin"}

if [ -f "$out" ] && [ "$(stat -c %s "$out")" -eq "$kSize" ]; then
  exit 0
fi
mkdir -p "$(dirname "$out")"

list=$(mktemp)
tmp="$out.part"
trap 'rm -f "$list" "$tmp"' EXIT

# Sorted by name, in the C locale, so that the same machine gives the same
# corpus. On merged-/usr systems /lib is a link, which find does not follow.
find /usr/lib /lib -name '*.so*' -type f -print0 2>/dev/null | LC_ALL=C sort -z -u >"$list"
if [ ! -s "$list" ]; then
  echo "make_corpus.sh: no shared libraries found under /usr/lib or /lib" >&2
  exit 1
fi

: >"$tmp"
have=0
while [ "$have" -lt "$kSize" ]; do
  # head stops reading once it has enough; cat's broken pipe is expected.
  { xargs -0 cat -- <"$list" 2>/dev/null || true; } | head -c "$((kSize - have))" >>"$tmp"
  now=$(stat -c %s "$tmp")
  if [ "$now" -eq "$have" ]; then
    echo "make_corpus.sh: the shared libraries could not be read" >&2
    exit 1
  fi
  have=$now
done
mv "$tmp" "$out"
echo "corpus: $out ($kSize bytes, from $(tr -cd '\0' <"$list" | wc -c) files)" >&2
