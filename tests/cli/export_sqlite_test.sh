#!/usr/bin/env bash
# tickvane-cli export --format sqlite against the CSV export of the same folder: the same rows with
# the same values (each the stored single-precision number exactly), the same reports and exit
# codes; on the demo sample and, when they are present, on the real quote folders. Reads the
# database with the sqlite3 command-line tool.
set -u
cli=${TICKVANE_CLI:?}
demo=${1:?demo directory}
real=${2:-}
command -v sqlite3 >/dev/null || { echo "SKIPPED: the sqlite3 command-line tool is not installed"; exit 77; }
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Rows as symbol,name (CSV fields), date, time and the six values, each value as the float it
# reads as, written with enough digits to tell any two doubles apart.
normalise_csv() {
    perl -ne '
        chomp;
        my @f = split /,/, $_, -1;
        my @tail = splice(@f, -8);
        next if $. == 1;
        for my $i (2 .. 7) {
            $tail[$i] = sprintf("%.17g", unpack("f", pack("f", $tail[$i]))) if $tail[$i] ne "";
        }
        print join("|", join(",", @f), @tail), "\n";'
}
# The same from the database; a value that is not a single-precision number exactly is marked.
normalise_db() {
    sqlite3 -batch -noheader -separator $'\x1f' "$1" \
        "SELECT s.symbol, coalesce(s.long_name, s.name), coalesce(q.date, ''),
                coalesce(q.time, ''), quote(q.open), quote(q.high), quote(q.low), quote(q.close),
                quote(q.volume), quote(q.oi)
         FROM quotes q JOIN securities s ON s.id = q.symbol_id ORDER BY q.rowid" |
    perl -ne '
        chomp;
        my @f = split /\x1f/, $_, -1;
        for my $text (@f[0, 1]) {
            $text = "\"" . ($text =~ s/"/""/gr) . "\"" if $text =~ /[,"\r\n]/;
        }
        for my $v (@f[4 .. 9]) {
            if ($v eq "NULL") { $v = ""; next; }
            my $d = 0 + $v;
            $v = unpack("f", pack("f", $d)) == $d ? sprintf("%.17g", $d) : "NOT A FLOAT $v";
        }
        print join("|", join(",", @f[0, 1]), @f[2 .. 9]), "\n";'
}

# Exports a folder both ways and compares rows, reports and exit codes.
compare() {
    local folder=$1 name=$2
    "$cli" export "$folder" -o "$scratch/$name.csv" 2>"$scratch/$name.csv.err"; local csvCode=$?
    "$cli" export "$folder" --format sqlite -o "$scratch/$name.db" 2>"$scratch/$name.db.err"
    local dbCode=$?
    [ "$dbCode" -eq "$csvCode" ] || fail "$name: exit $dbCode, the CSV export's $csvCode"
    cmp -s "$scratch/$name.csv.err" "$scratch/$name.db.err" || fail "$name: other reports on stderr"
    normalise_csv <"$scratch/$name.csv" >"$scratch/$name.csv.rows"
    normalise_db "$scratch/$name.db" >"$scratch/$name.db.rows"
    [ -s "$scratch/$name.csv.rows" ] || fail "$name: no rows"
    cmp -s "$scratch/$name.csv.rows" "$scratch/$name.db.rows" ||
        fail "$name: other rows: $(diff "$scratch/$name.csv.rows" "$scratch/$name.db.rows" | head -3)"
    [ "$(sqlite3 "$scratch/$name.db" 'SELECT sum(records) FROM securities')" = \
      "$(sqlite3 "$scratch/$name.db" 'SELECT count(*) FROM quotes')" ] || fail "$name: records counted"
}

cp -r "$demo" "$scratch/demo"
demo=$scratch/demo
compare "$demo" demo
db=$scratch/demo.db
[ "$(sqlite3 "$db" "SELECT group_concat(name) FROM pragma_index_info('quotes_by_symbol_date')")" = \
  "symbol_id,date" ] || fail "the index on (symbol_id, date)"
[ "$(sqlite3 "$db" "SELECT symbol, name, folder, file, first_date, last_date, records
                    FROM securities WHERE symbol = 'DEMOSML'")" = \
  "DEMOSML|DEMO SMALL CAPS|$demo/INDICES|F2.DAT|1998-01-01|2005-08-31|2000" ] ||
    fail "a security of the subfolder: $(sqlite3 "$db" "SELECT * FROM securities WHERE symbol = 'DEMOSML'")"
[ "$(sqlite3 "$db" "SELECT count(time) || ',' || count(close) || ',' || count(*) FROM quotes")" = \
  "0,43647,43647" ] || fail "NULL for the time that no demo security stores, and only there"
[ -z "$(find "$scratch" -name '*partial*')" ] || fail "a temporary file is left"

# Usage, and a file that cannot be made.
"$cli" export "$demo" --format sqlite >/dev/null 2>&1; [ $? -eq 2 ] || fail "sqlite without -o"
"$cli" export "$demo" --format xml -o "$scratch/x" >/dev/null 2>&1; [ $? -eq 2 ] || fail "an unknown format"
"$cli" export "$demo" --format sqlite -o "$scratch/missing/all.db" 2>/dev/null && fail "-o into a missing folder"
"$cli" export "$demo" --format sqlite -o "$db" --symbols acme || fail "replacing a database"
[ "$(sqlite3 "$db" 'SELECT count(*) FROM quotes')" -eq 3200 ] || fail "the database is replaced whole"

# A name that CSV must quote, a missing price file, a symbol that no security has.
printf 'A,B "C"' | dd of="$demo/MASTER" bs=1 seek=$((53 + 7)) conv=notrunc 2>/dev/null
rm "$demo/F2.DAT"
compare "$demo" broken
[ "$(sqlite3 "$scratch/broken.db" "SELECT count(*) FROM securities WHERE symbol = 'BRSN'")" -eq 0 ] ||
    fail "a skipped security is listed"
"$cli" export "$demo" --symbols acme,NOSUCH --format sqlite -o "$scratch/some.db" 2>/dev/null
[ $? -eq 1 ] || fail "an unknown symbol exits with 1"

if [ -n "$real" ] && [ -d "$real" ]; then
    atem=$real/rudimeier-atem/test
    for folder in "$atem"/msdir_* "$real/okomarov-metastockread/sampleData" \
                  "$real/okomarov-metastockread/sampleData/Intraday" "$real/gityoav-metastock2pd/data"; do
        compare "$folder" "$(basename "$folder")"
    done
    [ "$(sqlite3 "$scratch/msdir_equis_a.db" "SELECT count(*) FROM securities WHERE long_name IS NOT NULL")" -gt 0 ] ||
        fail "long names of EMASTER"
    [ "$(sqlite3 "$scratch/Intraday.db" "SELECT date || ' ' || time FROM quotes LIMIT 1")" = "2003-01-02 09:16:00" ] ||
        fail "an intraday row: $(sqlite3 "$scratch/Intraday.db" 'SELECT * FROM quotes LIMIT 1')"
else
    echo "SKIPPED: the real quote folders are absent (${real:-not given})"
fi

[ "$failures" -eq 0 ] && echo "cli export sqlite: all checks passed"
exit "$failures"
