#!/usr/bin/env bash
# Fuzzes the position parser, the CSV waypoint reader, the KML and GPX
# mappings and the KMZ reader with libFuzzer for a bounded time each
# (seconds, default 60), starting from texts people paste, tables
# spreadsheets write, and archives and documents made here. Exits non-zero when the fuzzer finds
# a crash, a leak or a broken outcome.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
source bench/fuzz-build.sh position_parser_fuzz csv_reader_fuzz kml_mapping_fuzz kmz_reader_fuzz

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

# Event streams: an op byte (start, text, end) then a name's index or a
# text up to 0xFF.
events="$build/corpus-events"
mkdir -p "$events"
printf '\x00\x00\x00\x04\x00\x05\x01Stop\xff\x02\x00\x0a\x00\x0c\x01 8.5 47.3 1\xff\x02\x00\x0c\x01\xff\x02' >"$events/track"
printf '\x00\x01\xc0\x10\x00\x1248.1\xff-113.2\xff\x00\x05\x01Yard\xff\x02\x02' >"$events/gpx"

archives="$build/corpus-archives"
mkdir -p "$archives"
python3 - "$archives" <<'PY'
import sys, zipfile
kml = ('<?xml version="1.0" encoding="ISO-8859-1"?>\n<kml><Placemark><name>Z\xfcrich</name>'
       '<Point><coordinates>8.5,47.3</coordinates></Point></Placemark></kml>\n').encode('latin-1')
with zipfile.ZipFile(sys.argv[1] + '/route.kmz', 'w', zipfile.ZIP_DEFLATED) as z:
    z.writestr('files/a.png', b'png')
    z.writestr('doc.kml', kml)
with zipfile.ZipFile(sys.argv[1] + '/stored.kmz', 'w', zipfile.ZIP_STORED) as z:
    z.writestr('track.kml', '<kml><gx:Track><gx:coord>1 2</gx:coord></gx:Track></kml>')
PY
run kml_mapping_fuzz "$events"
run kmz_reader_fuzz "$archives"
