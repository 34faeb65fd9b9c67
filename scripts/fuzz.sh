#!/usr/bin/env bash
# fuzz.sh [SECONDS]: builds the fuzz targets of tests/fuzz with clang's
# libFuzzer into build/fuzz, replays each target's seeds of
# tests/fuzz/corpus, then lets each target search for SECONDS (60 unless
# told). What a search adds is kept in build/fuzz/corpus/TARGET for the next
# run, an input that breaks a rule or the sanitizers in
# build/fuzz/trouvailles/TARGET; the exit status is 1 when anything failed.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
if ! [[ $seconds =~ ^[0-9]+$ ]] || ((seconds == 0)); then
    echo "Usage : scripts/fuzz.sh [SECONDES] (un nombre entier de secondes par cible, 60 par défaut)" >&2
    exit 2
fi

tree=build/fuzz
options=(-DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORMELINE_FUZZ=ON -DORMELINE_WERROR=ON
         -DORMELINE_BUILD_TESTS=OFF -DORMELINE_BUILD_TOOLS=OFF -DORMELINE_BUILD_BENCH=OFF)
if command -v ccache >/dev/null; then
    options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
echo "== Compilation des cibles de fuzzing ($tree)"
# The targets and the libraries they call, not the program's windows.
if ! cmake -S . -B "$tree" -G Ninja "${options[@]}" >/dev/null ||
    ! cmake --build "$tree" --parallel "$(nproc)" --target ormeline_fuzz_targets; then
    echo "Les cibles de fuzzing n'ont pas pu être compilées." >&2
    exit 1
fi

# A sanitizer's report ends the target's run; the leaks that Qt's libraries
# keep for the life of the process are the tests' known ones.
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:strict_string_checks=1:suppressions=$PWD/tests/asan.supp"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# What the log says about the failure: the rule broken, or the sanitizer's
# first lines.
explain() {
    grep -E -m 12 -A 4 'Règle enfreinte|ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error|ALARM|out-of-memory' \
        "$1" | head -n 24 | sed 's/^/    /' >&2 || true
}

failed=()
for source in tests/fuzz/fuzz_*.cpp; do
    target=$(basename "$source" .cpp)
    binary=$tree/tests/fuzz/$target
    seeds=tests/fuzz/corpus/$target
    found=$tree/trouvailles/$target
    grown=$tree/corpus/$target
    logs=$tree/journaux
    mkdir -p "$found" "$grown" "$logs"

    # Every seed once, on its own: a seed that breaks a rule is named.
    mapfile -t files < <(find "$seeds" -type f | sort)
    if ((${#files[@]} == 0)); then
        echo "$target : aucune graine dans $seeds." >&2
        failed+=("$target")
        continue
    fi
    if ! "$binary" "${files[@]}" >"$logs/$target-graines.log" 2>&1; then
        echo "$target : ÉCHEC sur une graine de $seeds (journal : $logs/$target-graines.log)" >&2
        grep -E '^Running: ' "$logs/$target-graines.log" | tail -n 1 | sed 's/^Running: /    dernière graine lue : /' >&2 || true
        explain "$logs/$target-graines.log"
        failed+=("$target")
        continue
    fi

    # The search: new inputs go to the first folder, the seeds stay as they
    # are; an input slower than 25 s counts as a hang.
    if ! "$binary" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=4096 -print_final_stats=1 \
        -artifact_prefix="$found/" "$grown" "$seeds" >"$logs/$target.log" 2>&1; then
        echo "$target : ÉCHEC, l'entrée fautive est gardée dans $found/ (journal : $logs/$target.log)" >&2
        explain "$logs/$target.log"
        failed+=("$target")
        continue
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$logs/$target.log" | tail -n 1)
    echo "$target : ${#files[@]} graines rejouées, ${runs:-?} essais en $seconds s, rien trouvé"
done

if ((${#failed[@]})); then
    echo "Fuzzing : ${#failed[@]} cible(s) en échec : ${failed[*]}" >&2
    echo "Pour rejouer une entrée : $tree/tests/fuzz/CIBLE FICHIER" >&2
    exit 1
fi
echo "Fuzzing : toutes les cibles passent."
