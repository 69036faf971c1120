#!/bin/sh
# Writes the format conversion's source and its expected results, typed by
# hand from the format rules (nothing here is produced by the program):
# survey.dat, the source (GBK names, CR LF, a line of more than five fields,
# a non-numeric x, an empty height, a code "DK" without "+", an empty line
# that ends the run, then lines that are never read, the last without LF),
# survey.1 .. survey.9 its nine conversions, and p1.dxf the drawing of the
# point P1 at x 100, y 200, h 10.
#
#   tests/app/convert/data/write-format-references.sh   (from the top of the tree)
set -eu
cd "$(dirname "$0")"

# Lines given one per argument, each ended with CR LF, in GBK.
crlf() {
    for line in "$@"; do printf '%s\r\n' "$line"; done
}
gbk() {
    iconv -f UTF-8 -t GBK
}

{
    crlf "测点1,3343474.4067,538130.9197,45.678,DK1+20.5" \
         "P2,100.5,200.25,10,X" \
         "点三,abc,-12.5,7,DK0+100,extra,fields" \
         "P4,1.23456,2.5,,DK2" \
         "" \
         "P5,9,9,9,never"
    printf 'P6,1,1,1,no line end'
} | gbk > survey.dat

crlf "测点1,DK1+20.5,538130.9197,3343474.4067,45.678" "P2,X,200.25,100.5,10" \
     "点三,DK0+100,-12.5,abc,7" "P4,DK2,2.5,1.23456," | gbk > survey.1
crlf "测点1 DK1+20.5 538130.9197 3343474.4067 45.678" "P2 X 200.25 100.5 10" \
     "点三 DK0+100 -12.5 abc 7" "P4 DK2 2.5 1.23456 " | gbk > survey.2
crlf "测点1,DK1+20.5,3343474.4067,538130.9197,45.678" "P2,X,100.5,200.25,10" \
     "点三,DK0+100,abc,-12.5,7" "P4,DK2,1.23456,2.5," | gbk > survey.3
crlf "测点1 DK1+20.5 3343474.4067 538130.9197 45.678" "P2 X 100.5 200.25 10" \
     "点三 DK0+100 abc -12.5 7" "P4 DK2 1.23456 2.5 " | gbk > survey.4
crlf "测点1,3343474.4067,538130.9197,45.678,DK1+20.5" "P2,100.5,200.25,10,X" \
     "点三,abc,-12.5,7,DK0+100" "P4,1.23456,2.5,,DK2" | gbk > survey.5
crlf "测点1 3343474.4067 538130.9197 45.678 DK1+20.5" "P2 100.5 200.25 10 X" \
     "点三 abc -12.5 7 DK0+100" "P4 1.23456 2.5  DK2" | gbk > survey.6
crlf "测点1,538130.9197,3343474.4067,45.678,45.678,45.678,45.678" \
     "P2,200.25,100.5,10,10,10,10" "点三,-12.5,abc,7,7,7,7" "P4,2.5,1.23456,,,," | gbk > survey.7
# Chainage of the first line 1000 + 20.5, height 45.678; X carries no
# chainage yet (0); DK0+100 is 100; DK2 is 2000; the empty height is 0.
crlf "0 0" "-1020.5000   -35.6780" "-920.5000   -38.6780" "979.5000   -45.6780" > survey.8

# One point and its label per line: east, north, height to 4 decimals, the
# label at z 0.0 with height 0.001; "abc" and the empty height read as 0.
entity() {
    crlf " 0" "POINT" "  8" "0" " 62" "4" " 10" "$2" " 20" "$3" " 30" "$4" \
         "  0" "TEXT" "  8" "0" " 10" "$2" " 20" "$3" " 30" "0.0" " 40" "0.001" "1" "$1"
}
{
    crlf " 0" "SECTION" " 2" "ENTITIES"
    entity "测点1" 538130.9197 3343474.4067 45.6780
    entity "P2" 200.2500 100.5000 10.0000
    entity "点三" -12.5000 0.0000 7.0000
    entity "P4" 2.5000 1.2346 0.0000
    crlf " 0" "ENDSEC" " 0" "EOF"
} | gbk > survey.9

{
    crlf " 0" "SECTION" " 2" "ENTITIES"
    entity "P1" 200.0000 100.0000 10.0000
    crlf " 0" "ENDSEC" " 0" "EOF"
} > p1.dxf
