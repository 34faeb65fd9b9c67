#!/usr/bin/env bash
# Installs what is needed, checks the code's format, builds Ormeline twice
# (plain, and with the address and undefined-behaviour sanitizers), starts a
# real CUPS queue for the tests that print and a PostgreSQL server for the
# tests of the shared journal, runs every test in both builds, replays the
# fuzz corpora and fuzzes each target briefly, and stops what it started.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

status=0
echo "== Format du code"
mapfile -t sources < <(find src tests bench tools -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
unformatted=()
for file in "${sources[@]}"; do
    clang-format-14 --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done
if [ ${#unformatted[@]} -ne 0 ]; then
    echo "Ces fichiers ne suivent pas le format du code (.clang-format) :" >&2
    printf '    %s\n' "${unformatted[@]}" >&2
    echo "Pour les mettre au format : clang-format-14 -i FICHIER..." >&2
    status=1
fi

echo "== Compilation"
bash scripts/build.sh build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORMELINE_WERROR=ON
echo "== Compilation avec les sanitizers"
bash scripts/build.sh build/sanitize -DCMAKE_BUILD_TYPE=Debug -DORMELINE_WERROR=ON -DORMELINE_SANITIZE=ON

# Both stopped whatever happens, even when starting one failed half-way; a
# rig that cannot be stopped fails the run.
cups_rig=$PWD/tests/rig/cups-rig.sh
pg_rig=$PWD/tests/rig/pg-rig.sh
# shellcheck disable=SC2317 # called by the trap
stop_rigs() {
    local code=$?
    bash "$cups_rig" stop || code=1
    bash "$pg_rig" stop || code=1
    exit "$code"
}
trap stop_rigs EXIT
if ! vars=$(bash "$cups_rig" start); then
    echo "La file d'impression de test n'a pas pu être créée : les tests ne sont pas lancés." >&2
    exit 1
fi
eval "$vars"
if ! vars=$(bash "$pg_rig" start); then
    echo "Le serveur PostgreSQL de test n'a pas pu être démarré : les tests ne sont pas lancés." >&2
    exit 1
fi
eval "$vars"
# With the queue and the server in place, a test that cannot find them fails.
export ORMELINE_REQUIRE_CUPS=1 ORMELINE_REQUIRE_PG=1

echo "== Tests"
ctest --test-dir build/release --output-on-failure || status=1

echo "== Tests avec les sanitizers"
ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:suppressions=$PWD/tests/asan.supp" \
LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0" \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/sanitize --output-on-failure || status=1

echo "== Fuzzing : chaque corpus rejoué, puis 15 s par cible"
bash scripts/fuzz.sh 15 || status=1

exit "$status"
