#!/bin/sh
# Regenerates reference.gie, the plane coordinates the post-processing tests
# compare with, from PROJ's cct (Debian package proj-bin). The tests only
# read the file; they never run PROJ. Each block records the exact command
# line that produced its expected values.
#
#   tests/app/convert/data/make-reference.sh   (from the top of the tree)
set -eu
cd "$(dirname "$0")"

# The points of the tests' raw RTK files and control-point file: name,
# latitude and longitude packed ddd.mmss as the files hold them, WGS84
# ellipsoidal height.
POINTS="P1 30.1234567890 117.2345678901 45.678
P2 30.1500000000 117.3000000000 40.000
P3 30.0830150000 116.5512340000 38.125
S1a 30.2000012345 117.1000054321 52.110
S1b 30.2000023456 117.1000065432 52.130
S1c 30.2000034567 117.1000076543 52.150
K1 30.1500000000 117.2000000000 36.500"

# Packed ddd.mmss to decimal degrees, 13 decimals.
degrees() {
    echo "d=$1; scale=0; i=d/1; scale=20; x=(d-i)*100; scale=0; m=x/1; scale=20; s=(x-m)*100; v=i+m/60+s/3600; scale=13; v/1" | bc -l
}

emit_block() {
    cmd="$1"
    echo
    echo "operation $cmd"
    echo "$POINTS" | while read -r name lat lon h; do
        input="$(degrees "$lon") $(degrees "$lat") $h 0"
        echo "# $name $lat $lon"
        echo "accept $input"
        echo "expect $(echo "$input" | sh -c "$cmd")"
    done
}

{
    echo "# WGS84 positions to Gauss-Krueger grid coordinates on Krassovsky 1940,"
    echo "# central meridian 117, false easting 500000 (PROJ cct)."
    echo "# accept: longitude latitude (degrees) height (m) time; expect: easting"
    echo "# northing (m) height (m) time."
    echo
    echo "# The latitude and longitude taken as they are onto Krassovsky."
    emit_block "cct -d 6 +proj=tmerc +lon_0=117 +k=1 +x_0=500000 +y_0=0 +ellps=krass"
    echo
    echo "# Through the datum shift first: three shifts and a scale of 2.5 ppm."
    emit_block "cct -d 6 +proj=pipeline +step +proj=cart +ellps=WGS84 +step +proj=helmert +x=-15.4 +y=139.2 +z=51.3 +s=2.5 +step +inv +proj=cart +ellps=krass +step +proj=tmerc +lon_0=117 +k=1 +x_0=500000 +y_0=0 +ellps=krass"
} > reference.gie
