#!/usr/bin/env bash
# Writes the drawing traces of many charts into one folder, so that two builds can be compared
# with `diff -r`: every entry of the sample and of the given quote folders with the default
# options, and the sample's entries (and every 40th entry of each folder) under a set of chart
# options.
#   scripts/trace-corpus.sh CLI OUTDIR [FOLDER ...]
set -uo pipefail
cli=$1
out=$2
shift 2
root="$(cd "$(dirname "$0")/.." && pwd)"
folders=("$root/samples/demo" "$@")
mkdir -p "$out"

variants=(
    "default|"
    "ohlc|--style ohlc"
    "candles|--style candles"
    "line|--style line"
    "log|--log"
    "grid|--grid"
    "weekly|--period weekly"
    "monthly|--period monthly --grid"
    "daily|--period daily --style candles"
    "hide|--hide-bad-data --log"
    "print|--print --size 2400x1800"
    "small|--size 320x200 --bar-space 2"
    "wide|--size 1920x1080 --bar-space 10 --ma1 3 --ma2 50"
    "novol|--no-volume --no-ma1 --colors 7123456701"
    "noma|--no-ma2 --style candles --grid --log"
    "end0|--end 0"
    "end30|--end 30 --bar-space 7"
    "end400|--end 400 --style ohlc"
)

n=0
for folder in "${folders[@]}"; do
    label=$(basename "$folder")
    count=$("$cli" list "$folder" 2>/dev/null | wc -l)
    for ((i = 0; i < count; ++i)); do
        for variant in "${variants[@]}"; do
            name=${variant%%|*}
            options=${variant#*|}
            if [ "$name" != default ] && [ "$folder" != "$root/samples/demo" ] && ((i % 40 != 0)); then
                continue
            fi
            file="$out/$label.$i.$name.trace"
            # shellcheck disable=SC2086
            "$cli" render "$folder" --index "$i" $options -o "$file" >/dev/null 2>"$file.err"
            echo "exit $?" >>"$file.err"
            n=$((n + 1))
        done
    done
done
echo "$n charts in $out"
