#!/usr/bin/env bash
# Makes GRIB seeds of the grib_reader fuzz program with ECMWF's ecCodes
# tools (Debian package libeccodes-tools) from ecCodes' own edition 1
# sample: a U and V wind pair on a 4 x 3 grid over The Quarne, packed with
# 8 and with 24 bits per value, the widths at either side of those the
# test fixtures cover. The three seed_*.grb files came with the reader.
set -euo pipefail
cd "$(dirname "$0")/corpus/grib_reader"

sample=/usr/share/eccodes/samples/regular_ll_sfc_grib1.tmpl
[[ -f "$sample" ]] || { echo "ecCodes samples missing: apt-get install libeccodes-tools" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

grib_set -s "table2Version=3,dataDate=20160612,dataTime=600,Ni=4,Nj=3,latitudeOfFirstGridPointInDegrees=50.9,latitudeOfLastGridPointInDegrees=50.5,longitudeOfFirstGridPointInDegrees=-1.7,longitudeOfLastGridPointInDegrees=-0.8,iDirectionIncrementInDegrees=0.3,jDirectionIncrementInDegrees=0.2" \
  "$sample" "$work/base.grb"
for bits in 8 24; do
  rm -f "wind_${bits}bit.grb"
  {
    echo "set indicatorOfParameter = 33; set bitsPerValue = $bits;"
    echo "set values = { 1.5, 2.25, -3.5, 4, 5.75, -6.5, 7, 8.25, -9.5, 10, 11.75, -12.5 }; write \"wind_${bits}bit.grb\";"
    echo "set indicatorOfParameter = 34;"
    echo "set values = { -4, 3.5, 2, -1.25, 0, 6.5, -7.75, 9, 10.5, -2, 1, 0.5 }; write \"wind_${bits}bit.grb\";"
  } > "$work/rules"
  grib_filter "$work/rules" "$work/base.grb"
done
