#!/usr/bin/env bash
# Fuzzes the position parser and the CSV waypoint reader with libFuzzer for
# a bounded time each (seconds, default 60), starting from texts people
# paste and tables spreadsheets, GPS loggers and GIS programs write. Exits non-zero when the fuzzer finds
# a crash, a leak or a broken outcome.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
source bench/fuzz-build.sh position_parser_fuzz csv_reader_fuzz

positions="$build/corpus-positions"
mkdir -p "$positions"
printf '%s' '47.37819, 8.54019' >"$positions/decimal"
printf '47\xc2\xb022\x2741.5"N 8\xc2\xb032\x2724.7"E' >"$positions/dms"
printf 'N 47\xc2\xb0 22.691\x27 E 8\xc2\xb0 32.411\x27' >"$positions/ddm"
printf '%s' 'https://www.openstreetmap.org/?mlat=47.37819&mlon=8.54019#map=15/47.37819/8.54019' >"$positions/osm"
printf '%s' 'https://www.google.com/maps/@47.37819,8.54019,15z?q=47.3%2C8.5' >"$positions/google"
printf '%s' 'geo:-33.8568,151.2153;u=35' >"$positions/geo"

tables="$build/corpus-tables"
mkdir -p "$tables"
printf 'name,lat,lon\r\nWest Yard,48.1,-113.2\r\n"Q ""x""\r\ny",1,2\r\n' >"$tables/comma.csv"
printf '\xef\xbb\xbfTitle;Latitude;Lng\n"a;b";48,1;-113,2\n;91;1\n' >"$tables/semicolon.csv"
printf 'lon\tlat\tlabel\n8 32 24.7 E\t47 22 41.5 N\tx\n\n' >"$tables/tab.csv"
printf 'name,id,class,reclat,reclong\nKestrel Flat,7,H6,-31.25,140.5\n' >"$tables/words.csv"
printf 'INDEX|LATITUDE N/S|LONGITUDE E/W\n1|31.765973N|35.210000E\n' >"$tables/bars.csv"
printf 'FID;POINT_X;POINT_Y;Name\n0;8,54019;47,37819;Z\xfcrich\n' >"$tables/1252.csv"
printf '35.97203, -87.13470, Trailhead\n36.0,-86.5,"Creek, lower"\n' >"$tables/headerless.csv"

run() {
  "$build/tests/fuzz/$1" "$2" -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=2048 \
    -print_final_stats=1 2>&1 | tail -n 12
}
run position_parser_fuzz "$positions"
run csv_reader_fuzz "$tables"
