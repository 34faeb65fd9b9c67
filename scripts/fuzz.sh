#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with clang's libFuzzer and runs each
# for SECONDS (default 60), starting from its seed corpus:
#     bash scripts/fuzz.sh [SECONDS]
# What a run finds is kept under build/fuzz/trouvailles/TARGET/, the inputs
# it learnt under build/fuzz/corpus/TARGET/. Exits non-zero on a finding.
# With REPLAY_ONLY=1 it only replays the seed corpora (scripts/test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
root=$PWD
build=$root/build/fuzz

echo "== Compilation des cibles de fuzzing (clang, libFuzzer)"
bash scripts/build.sh "$build" -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORMELINE_FUZZ=ON -DORMELINE_WERROR=ON -DORMELINE_BUILD_TESTS=OFF -DORMELINE_BUILD_TOOLS=OFF \
    -DORMELINE_BUILD_BENCH=OFF

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:suppressions=$root/tests/asan.supp"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen

failed=()
for seeds in "$root"/tests/fuzz/corpus/*/; do
    target=$(basename "$seeds")
    binary=$build/tests/fuzz/$target
    log=$build/journaux/$target.txt
    mkdir -p "$build/journaux" "$build/trouvailles/$target" "$build/corpus/$target"
    # Every seed first, one by one: a seed that fails is a fault on its own.
    if ! "$binary" "$seeds"* >"$log" 2>&1; then
        echo "ÉCHEC : $target échoue sur une entrée de son corpus (tests/fuzz/corpus/$target) ; voir $log" >&2
        grep -m 3 -E "Règle enfreinte|ERROR|Running:" "$log" >&2 || true
        failed+=("$target")
        continue
    fi
    [ "${REPLAY_ONLY:-0}" = 1 ] && continue
    echo "== $target : $seconds s"
    # The learnt inputs go to build/fuzz, never into the repository's seeds.
    if ! "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
            -artifact_prefix="$build/trouvailles/$target/" "$build/corpus/$target" "$seeds" >>"$log" 2>&1; then
        echo "ÉCHEC : $target a trouvé une entrée qui le fait échouer, gardée dans build/fuzz/trouvailles/$target/ ;" \
             "voir $log" >&2
        grep -m 3 -E "Règle enfreinte|ERROR|SUMMARY" "$log" >&2 || true
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "Le fuzzing a trouvé des fautes dans : ${failed[*]}" >&2
    exit 1
fi
if [ "${REPLAY_ONLY:-0}" = 1 ]; then
    echo "Les corpus de fuzzing passent tous."
else
    echo "Le fuzzing n'a rien trouvé ($seconds s par cible)."
fi
