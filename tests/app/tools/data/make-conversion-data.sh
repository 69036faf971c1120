#!/bin/sh
# Reference values of the conversion tests (ConversionTest.cpp), from PROJ's
# cct and GeographicLib's CartConvert. Run from this folder:
#   sh make-conversion-data.sh
# Jobs: Krassovsky 1940, central meridian 117, false easting 500000; then
# the same behind a coordinate-frame datum shift of small rotations
# (7.25e-6, -4.5e-6 and 1.16e-5 radians, as the job's .par holds them),
# and the same with a four-parameter plane adjustment (north 12.345,
# east -23.456, rotation 1.5e-5 radians, scale 1.0000035).
TM="+proj=tmerc +lon_0=117 +k=1 +x_0=500000 +y_0=0 +ellps=krass"
RX=$(python3 -c 'print(repr(7.25e-6*206264.80624709636))')
RY=$(python3 -c 'print(repr(-4.5e-6*206264.80624709636))')
RZ=$(python3 -c 'print(repr(1.16e-5*206264.80624709636))')
SEVEN="+proj=pipeline +step +proj=cart +ellps=WGS84 +step +proj=helmert +x=-15.4 +y=39.2 +z=21.3 +rx=$RX +ry=$RY +rz=$RZ +s=2.5 +convention=coordinate_frame +step +inv +proj=cart +ellps=krass +step $TM"
S11=$(python3 -c 'import math;print(repr(1.0000035*math.cos(1.5e-5)))')
S12=$(python3 -c 'import math;print(repr(1.0000035*math.sin(1.5e-5)))')
FOUR="+proj=pipeline +step $TM +step +proj=affine +xoff=-23.456 +yoff=12.345 +s11=$S11 +s12=$S12 +s21=-$S12 +s22=$S11"
# WGS84 longitude, latitude (degrees), height: 117.3000 / 30.1500 packed,
# and 117.2345678901 / 30.1234567890 packed.
POINTS="117.5 30.25 40.0 0
117.3960219169444444 30.2096021916666667 45.678 0"
for op in "$TM" "$SEVEN" "$FOUR"; do
    echo "operation cct -d 6 $op"
    echo "$POINTS" | cct -d 6 $op
    echo "inverse: cct -I -d 12 $op"
    echo "$POINTS" | cct -d 6 $op | cct -I -d 12 $op
done
# The chord between the two points on WGS84 (CartConvert, geocentric out).
echo "CartConvert"
printf '30.25 117.5 40.0\n30.2096021916666667 117.3960219169444444 45.678\n' | CartConvert -p 6
# The map sheet's point 15 seconds north of the grid line 30 15.
echo "map sheet"
echo "117.5 30.254166666666667 0 0" | cct -d 6 $TM
