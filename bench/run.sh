#!/usr/bin/env bash
# Measures Ormeline against what Qt costs on its own, each figure against its
# floor in the same run, the two alternating, and prints a table of medians:
#
#   bash bench/run.sh            (ROUNDS=15 bash bench/run.sh for more rounds)
#
# Builds in Release into build/bench, and starts what it needs: a virtual
# screen (Xvfb) and a CUPS queue that writes a PDF file, both stopped at the
# end by their pid.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
rounds=${ROUNDS:-9}

bash scripts/install-deps.sh
echo "== Compilation (Release)" >&2
bash scripts/build.sh build/bench -DCMAKE_BUILD_TYPE=Release -DORMELINE_BUILD_TESTS=OFF \
    -DORMELINE_BUILD_TOOLS=OFF -DORMELINE_BUILD_BENCH=ON >&2
build=$repo/build/bench
ormeline=$build/src/ormeline
timing=$build/bench/timing
bare=$build/bench/barewindow

work=$(mktemp -d)
results=$(mktemp -d)
rig=$repo/tests/rig/cups-rig.sh
pg_rig=$repo/tests/rig/pg-rig.sh
# A PostgreSQL of the benchmark's own, in a folder apart from the tests'.
export ORMELINE_PG_DIR=${TMPDIR:-/tmp}/ormeline-pg-bench
# shellcheck source=/dev/null
source "$repo/scripts/screen-lib.sh"
cleanup() {
    stop_screen
    bash "$rig" stop || true
    bash "$pg_rig" stop >/dev/null 2>&1 || true
    rm -rf "$work" "$results"
}
trap cleanup EXIT
if ! vars=$(bash "$rig" start); then
    echo "La file d'impression de mesure n'a pas pu être créée." >&2
    exit 1
fi
eval "$vars"

start_screen "$results/ecran.log" || { echo "L'écran virtuel n'a pas démarré." >&2; exit 1; }
export DISPLAY=$SCREEN_DISPLAY QT_QPA_PLATFORM=xcb PRINTER="$ORMELINE_TEST_QUEUE"

# Ormeline's working folder: the generic layouts; each cheque handed over
# anew, as the invoicing program does for every payment.
cp seed/* "$work/"
# Two working folders alike but for their journal, for the start's measures:
# years of cheques in one, none in the other.
mkdir -p "$work/annees" "$work/neuf"
cp seed/* "$work/annees/"
cp seed/* "$work/neuf/"
QT_QPA_PLATFORM=offscreen "$build/bench/bench_journal" --generate "$work/annees/ormeline_journal.sqlite" 100000
QT_QPA_PLATFORM=offscreen "$build/bench/bench_journal" --generate "$work/neuf/ormeline_journal.sqlite" 0
hand_over() { printf '%400s     1575.98        ' '' >"$work/provchq.wdo"; }
# A cheque line as a wedge reader types it, tied to the first bank button's.
reader_line="A1234567B001234567890C987654321098D"
printf '001234567890;%s\r\n' "$(cd "$work" && ls bq_*.txt | sort -f | head -n 1)" >"$work/cmc7_banques.txt"
queue_idle() {
    for _ in $(seq 300); do
        [ -z "$(lpstat -o "$ORMELINE_TEST_QUEUE" 2>/dev/null)" ] && return 0
        sleep 0.1
    done
}
measure() { # FILE COMMAND...: one measurement appended to FILE
    local file=$1
    shift
    local value
    if value=$("$@"); then echo "$value" >>"$results/$file"; else echo "  (une mesure a échoué : $*)" >&2; fi
}

echo "== $rounds tours" >&2
# The first bank button, in screen pixels; the bare window prints on any click.
for round in $(seq "$rounds"); do
    echo "   tour $round" >&2
    (cd "$work" && : >"$work/provchq.wdo" && measure start-ormeline "$timing" start "$ormeline")
    measure start-bare "$timing" start "$bare" window
    measure start-text "$timing" start "$bare" text
    measure start-printers "$timing" start "$bare" printers
    measure start-years "$timing" start "$ormeline" --dossier "$work/annees"
    measure start-new "$timing" start "$ormeline" --dossier "$work/neuf"
    hand_over
    queue_idle
    (cd "$work" && measure click-ormeline "$timing" click 86 532 "$ormeline")
    queue_idle
    # The same cheque read by a wedge reader, its chequebook tied to that bank;
    # in a journal of its own, where it was never filled in (else the
    # program says so, and waits for the cashier).
    rm -f "$work"/ormeline_journal.sqlite*
    hand_over
    (cd "$work" && measure read-ormeline "$timing" read "$reader_line" "$ormeline")
    queue_idle
    measure click-bare "$timing" click 500 300 "$bare" print
done

# Per amount, median of nine repetitions.
"$build/bench/bench_words" --benchmark_repetitions=9 --benchmark_report_aggregates_only=true \
    --benchmark_format=csv 2>/dev/null >"$results/words.csv"

# Per frame of a drag over a full-page picture, median of nine repetitions.
QT_QPA_PLATFORM=offscreen "$build/bench/bench_placement" --benchmark_repetitions=9 \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null >"$results/placement.csv"
# The journal of 100,000 cheques: its own medians.
QT_QPA_PLATFORM=offscreen "$build/bench/bench_journal" >"$results/journal.txt"
journal_ms() { awk -v name="$1" '$1 == name { print $2 }' "$results/${2:-journal}.txt"; }
# The window alone, on a journal of a million.
QT_QPA_PLATFORM=offscreen "$build/bench/bench_journal" --window 1000000 >"$results/million.txt"
# The journal the tills share, on a server of the benchmark's own when this
# machine has PostgreSQL's server programs: a million cheques.
server_rows=
if [ -x /usr/lib/postgresql/15/bin/initdb ] && pg_vars=$(bash "$pg_rig" start); then
    eval "$pg_vars"
    pg_at() { echo "host=$ORMELINE_TEST_PG_HOST port=$ORMELINE_TEST_PG_PORT dbname=ormeline_bench user=$1"; }
    psql -X -q -h "$ORMELINE_TEST_PG_HOST" -p "$ORMELINE_TEST_PG_PORT" -U "$ORMELINE_TEST_PG_OWNER" -d postgres \
        -c "DROP DATABASE IF EXISTS ormeline_bench" -c "CREATE DATABASE ormeline_bench TEMPLATE template0 ENCODING 'UTF8'"
    echo "== Journal partagé (serveur)" >&2
    if QT_QPA_PLATFORM=offscreen "$build/bench/bench_journal" --server "$(pg_at "$ORMELINE_TEST_PG_OWNER")" \
        "$(pg_at "$ORMELINE_TEST_PG_USER")" 1000000 >"$results/server.txt" 2>"$results/server.log"; then
        server_rows=$(cat <<ROWS
| journal of 1,000,000 cheques on a local PostgreSQL 15: recording one cheque, synchronous commit | $(journal_ms server-record server) ms | goal: 20 ms | |
| same: 8 tills recording 500 cheques each at once | $(journal_ms tills-per-second server) cheques a second, the slowest record $(journal_ms tills-slowest server) ms | | |
| same: its window opened, today's first rows drawn | $(journal_ms window server) ms | goal: 100 ms | |
| same: the window's start date changed, rows drawn again | $(journal_ms window-range server) ms | goal: 50 ms | |
| same: exporting $(journal_ms server-export-rows server) cheques (a thousand days) to CSV | $(journal_ms server-export server) ms | goal: 2 s | |
ROWS
)
    else
        echo "  (les mesures du serveur ont échoué : $results/server.log)" >&2
        cat "$results/server.log" >&2
    fi
else
    echo "  (pas de serveur PostgreSQL ici : ses mesures sont laissées de côté)" >&2
fi

median() { sort -n "$results/$1" | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f×", a / b }'; }
per_amount_us() { # BENCHMARK: median time per amount, in µs
    awk -F, -v name="\"$1_median\"" '$1 == name { printf "%.3f", $3 / 1000 }' "$results/words.csv"
}

start_o=$(median start-ormeline)
start_b=$(median start-bare)
start_t=$(median start-text)
start_p=$(median start-printers)
start_years=$(median start-years)
start_new=$(median start-new)
click_o=$(median click-ormeline)
read_o=$(median read-ormeline)
click_b=$(median click-bare)
words=$(per_amount_us words)
split=$(per_amount_us split)
# Reported in milliseconds (the benchmark's own unit).
drag=$(awk -F, '$1 == "\"dragFrame_median\"" { printf "%.2f", $3 }' "$results/placement.csv")
cpu=$(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)

cat <<TABLE

Machine : $(uname -n), $cpu, $(nproc) cœurs ; médianes de $rounds tours, Xvfb et une file CUPS file:.

| What | Ormeline | Floor | Ratio |
|---|---|---|---|
| start to first window mapped | $start_o ms | a bare Qt window of the same size: $start_b ms | $(ratio "$start_o" "$start_b") |
| same | | the same bare window with one text field (Qt's fonts loaded): $start_t ms | $(ratio "$start_o" "$start_t") |
| same | | a bare window that first lists the printers and measures one text on the first: $start_p ms | $(ratio "$start_o" "$start_p") |
| same, with a journal of 100,000 cheques | $start_years ms | the same start with an empty journal: $start_new ms | $(ratio "$start_years" "$start_new") (goal: 1.15×) |
| bank click to print job handed to CUPS (program end) | $click_o ms | a bare window whose click prints six texts on one landscape page at 1440 dpi: $click_b ms | $(ratio "$click_o" "$click_b") |
| cheque read by a wedge reader, its last character to print job handed to CUPS | $read_o ms | the bank click's own: $click_o ms | $(ratio "$read_o" "$click_o") (goal: 1.1×) |
| amount → French words, currency included | $words µs an amount | goal: 0.3 µs | $(ratio "$words" 0.3) of the goal |
| the two-line split, with the printer's metrics | $split µs an amount | | |
| placement view redrawn while dragging, full-page picture under it | $drag ms a frame | goal: 16 ms | $(ratio "$drag" 16) of the goal |
| journal of 100,000 cheques: its window opened, today's first rows drawn | $(journal_ms window) ms | goal: 100 ms | |
| same: the window's start date changed, rows drawn again | $(journal_ms window-range) ms | goal: 50 ms | |
| same: first page (50 rows) and totals of today, without the window | $(journal_ms first-page) ms | | |
| same: a month's range instead, without the window | $(journal_ms date-range) ms | | |
| same: recording one cheque, full synchronous commit | $(journal_ms record) ms | goal: 20 ms | |
| same: exporting every row to CSV | $(journal_ms export) ms | goal: 2 s | |
| same: opening it (the checks included) | $(journal_ms open) ms | | |
| journal of 1,000,000 cheques: its window opened, today's first rows drawn | $(journal_ms window million) ms | goal: 100 ms | |
| same: the window's start date changed, rows drawn again | $(journal_ms window-range million) ms | goal: 50 ms | |
${server_rows}
TABLE
