#!/usr/bin/env bash
# What a user must be able to trust of tickvane-cli: a file named MASTER that is none is refused
# and never rewritten, every record shows one date whichever command writes it, and paths of any
# length the system takes are opened.
set -u
cli=${TICKVANE_CLI:?}
demo=${1:?demo directory}
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Files saved under the name MASTER that are none: refused with the reason, unchanged, no work file.
mkdir "$scratch/notmaster"
make_case() { # name, then a command that writes the file to stdout
    local name=$1
    shift
    "$@" >"$scratch/notmaster/$name"
}
make_case text printf 'date,open,high,low,close\n2003-02-14,1,2,0.5,1.5\n'
make_case png printf '\211PNG\r\n\032\n\000\000\000\rIHDR\000\000\000\020'
# Bytes that look random but are the same on every run: a chain of digests, 53 x 40 bytes.
pseudo_random() {
    local seed=tickvane hex=""
    while [ ${#hex} -lt $((2 * 53 * 40)) ]; do
        seed=$(printf '%s' "$seed" | sha256sum | cut -c1-64)
        hex=$hex$seed
    done
    printf '%s' "${hex:0:$((2 * 53 * 40))}" | sed 's/../\\x&/g' | xargs -0 printf '%b'
}
make_case random pseudo_random
make_case zeros head -c $((53 * 3)) /dev/zero
for name in text png random zeros; do
    folder="$scratch/notmaster/$name.d"
    mkdir "$folder"
    cp "$scratch/notmaster/$name" "$folder/MASTER"
    for repair in "" --repair; do
        # shellcheck disable=SC2086
        err=$("$cli" list $repair "$folder/MASTER" 2>&1 >/dev/null)
        code=$?
        [ "$code" -eq 1 ] || fail "$name ${repair:-listed}: exit $code"
        printf '%s' "$err" | grep -q "is not a MASTER file: " || fail "$name: '$err'"
        cmp -s "$folder/MASTER" "$scratch/notmaster/$name" || fail "$name was rewritten by list $repair"
        [ -z "$(ls "$folder" | grep -v '^MASTER$')" ] || fail "$name: a work file is left: $(ls "$folder")"
    done
    "$cli" export "$folder" >/dev/null 2>&1 && fail "$name: export exits 0"
done

# A flagged symbol area: the listed symbol is the first word, in list and export alike.
cp -r "$demo" "$scratch/flagged"
printf '*' | dd of="$scratch/flagged/MASTER" bs=1 seek=$((53 + 51)) conv=notrunc 2>/dev/null
[ "$("$cli" list "$scratch/flagged" | head -n 1)" = "$(printf '0\tACME\tACME INDUSTRIES')" ] ||
    fail "list of a flagged symbol"
"$cli" export "$scratch/flagged" --symbols ACME | sed -n 2p | grep -q '^ACME,ACME INDUSTRIES,' ||
    fail "export of a flagged symbol"

# Stored dates that are no calendar day read the same in quotes and export: 1030231 is the day
# number of 2003-03-03, 1031345 names no month and so no date. The MBF bytes of both are written
# into the first two records of ACME (28-byte records).
cp -r "$demo" "$scratch/dates"
printf '\160\205\173\224' | dd of="$scratch/dates/F1.DAT" bs=1 seek=28 conv=notrunc 2>/dev/null
printf '\020\313\173\224' | dd of="$scratch/dates/F1.DAT" bs=1 seek=56 conv=notrunc 2>/dev/null
quotes=$("$cli" quotes "$scratch/dates" ACME --all | sed -n 2,3p | cut -d, -f1)
[ "$quotes" = "$(printf '2003-03-03\n')" ] || fail "quotes of odd dates: '$quotes'"
export_dates=$("$cli" export "$scratch/dates" --symbols ACME 2>"$scratch/dates.err" | sed -n 2,3p | cut -d, -f3)
[ "$export_dates" = "$quotes" ] || fail "export of odd dates: '$export_dates'"
grep -qx "tickvane-cli: ACME in $scratch/dates/: 2 records store a date that is no calendar day from 1961 to 2139; the first, 1030231, is written as 2003-03-03" \
    "$scratch/dates.err" || fail "export says how many dates are odd: $(cat "$scratch/dates.err")"

# A path of over 1,000 characters: every command opens it.
long=$scratch
for part in a b c d e; do
    long=$long/$(printf "$part%.0s" $(seq 230))
done
mkdir -p "$long"
cp -r "$demo"/. "$long"
[ "${#long}" -gt 1000 ] || fail "the long path is only ${#long} characters"
[ "$("$cli" list "$long/MASTER" | head -n 1)" = "$(printf '0\tACME\tACME INDUSTRIES')" ] || fail "list of a long path"
[ "$("$cli" quotes "$long" ACME | wc -l)" -eq 801 ] || fail "quotes of a long path"
"$cli" render "$long/MASTER" -o - | grep -q '"ACME"' || fail "render of a long path"
[ "$("$cli" export "$long" --symbols ACME | wc -l)" -eq 3201 ] || fail "export of a long path"
"$cli" export "$long" --symbols ACME -o "$long/out.csv" && [ -s "$long/out.csv" ] || fail "export -o to a long path"

[ "$failures" -eq 0 ] && echo "cli safety: all checks passed"
exit "$failures"
