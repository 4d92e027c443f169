#!/usr/bin/env bash
# Builds the fuzz targets (clang, build-fuzz/) and runs each for FUZZ_SECONDS
# (default 60), one after another. FUZZ_TARGETS picks some ("rtf settings").
# Seeds come from tests/data/fuzz/<target> and the sample files the program
# ships (seeds_of below); what a run learns stays in
# build-fuzz/corpus/<target>, a crashing or hanging input in
# build-fuzz/artifacts/<target>/. Any finding fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${FUZZ_BUILD_DIR:-build-fuzz}
SECONDS_EACH=${FUZZ_SECONDS:-60}
ALL="rtf text settings tag_lists button_bar folder_list color_settings color_coding site_links matching_tag more_settings spelling site_search html_names publish_manifest ftp_reply handover"
TARGETS=${FUZZ_TARGETS:-$ALL}

if [ ! -f "$BUILD/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$BUILD" -G Ninja -DTESK_FUZZ=ON
fi
cmake --build "$BUILD" --target tesk_fuzzers

# Real files of each kind that live elsewhere in the tree.
seeds_of() {
  case $1 in
    rtf) echo "tests/data/fuzz/rtf resources/Samples" ;;
    color_coding) echo "resources/Samples tests/text/data" ;;
    site_links|site_search) echo "resources/Samples" ;;
    spelling) echo "resources/Samples tests/data/fuzz/spelling" ;;
    matching_tag) echo "resources/Samples" ;;
    html_names) echo "tests/data/fuzz/html_names" ;;
    *) echo "tests/data/fuzz/$1" ;;
  esac
}

failed=()
for t in $TARGETS; do
  mkdir -p "$BUILD/corpus/$t" "$BUILD/artifacts/$t"
  echo "== fuzz_$t for ${SECONDS_EACH}s"
  # 256 MB is the most any single allocation may take; a run over 10 s on
  # one input is a hang.
  # shellcheck disable=SC2046 # the seed folders hold no blanks
  if ! "$BUILD/fuzz/fuzz_$t" "$BUILD/corpus/$t" $(seeds_of "$t") \
      -max_total_time="$SECONDS_EACH" -rss_limit_mb=2048 -malloc_limit_mb=256 \
      -timeout=10 -print_final_stats=1 -artifact_prefix="$BUILD/artifacts/$t/" \
      >"$BUILD/artifacts/$t.log" 2>&1; then
    failed+=("$t")
    tail -40 "$BUILD/artifacts/$t.log"
  fi
  grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb|Done [0-9]+ runs" "$BUILD/artifacts/$t.log" || true
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "Fuzzing found problems in: ${failed[*]}"
  exit 1
fi
