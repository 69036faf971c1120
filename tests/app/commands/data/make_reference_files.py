#!/usr/bin/env python3
"""Writes the reference files of the job commands' tests.

Typed from the file layouts by hand, independently of the C++ writers, and
encoded with Python's own GBK codec. Run once; the outputs are checked in:

    python3 make_reference_files.py

The base station's values of a new job's parameter file depend on where the
receiver puts the base; the reference holds "?" for them and the test checks
them numerically (see PROVENANCE.md).
"""

TITLE = "Quorvel1.1 Ver: 2012.06.01"


def d(value):
    return "%.10f" % value


def write(name, lines):
    data = "".join(line + "\r\n" for line in lines).encode("gbk")
    with open(name, "wb") as f:
        f.write(data)


# esystem.sys after the new job "road1": its settings file, its data file,
# and "PT" as the last stored name (the next proposed is PT1).
write("road1_esystem.sys",
      ["", "[System]", "szIniFile=\\Flash Disk\\Jobs\\road1\\road1.ini",
       "szDataFile=road1.dat", "szLastSaveName=PT"])

# road1.ini: the new-job defaults, with what a new job keeps of the job it
# was made from (receiver port 2, differential format 3) and what the
# defaults never set (network link, display, receiver connection).
ini = [TITLE, "", "[System Par]",
       "Port=2", "SoundPort=1", "SoundType=0", "SoundBandrate=9600", "SoundUse=1",
       "ScreenStartx=" + d(0), "ScreenStarty=" + d(0), "ScreenScale=" + d(1),
       "nFixLevel=0", "nRadioFormat=3", "dRmshLimit=" + d(0.1), "dRmsvLimit=" + d(0.1),
       "nGAngle=0", "nUseAntHgt=0", "szdRoverAntH=" + d(0), "nSaveType=0",
       "nAutoSaveTime=2", "nSmoothSecond=5", "szdAutoSaveDis=" + d(2),
       "nShowSurveyPoint=0", "nAsCondition=1", "nAntHgtType=0", "szdSourceAntHgt=" + d(0),
       "GSMMODE=0", "GSMSendTimeInterval=5", "GSMSendDisInterval=" + d(1000),
       "nLinkMode=0", "nWorkMode=2",
       "nAdjustAntType=0", "nPlaneNihe=1", "nCurveNihe=1",
       "nDisplayType=0", "CodeSaveType=1",
       "nTimeZone=8", "szSFName=LN", "nSFStartID=0", "nSFNameMode=0",
       "szCollectStatus=0", "nCollectMode=0", "dCollectTime=" + d(3),
       "dCollectDis=" + d(5), "dDeepInterTime=" + d(5), "nComMode=1", "nInputCom=1"]
write("road1.ini", ini)

# road1.par: the defaults with the wizard's entries: central meridian 3
# degrees; four parameters on, rotation 0.3000 (0 deg 30 min = 0.5 deg in
# radians); seven parameters off but typed: 1.0 arc-second about x, 2 ppm.
# The base latitude, left at 0, comes through the packed-angle conversion,
# which gives a zero back negated: "-0.0000000000".
par = [TITLE, "", "[TouYin Par]",
       "nCoord=0", "nTouYin=0", "nDifang=1", "nSevenPar=0", "szdCenter=" + d(3),
       "szlTx=0", "szlTy=500000", "szdTk=" + d(1), "szdTlon=" + d(-0.0), "szdTHigh=" + d(0),
       "szdDa=" + d(6378245.0), "szdDf=" + d(298.3), "ProjectLat=" + d(0),
       "", "[Seven Par]",
       "szddx=" + d(0), "szddy=" + d(0), "szddz=" + d(0),
       "szdWx=" + d(4.848136811095216e-6), "szdWy=" + d(0), "szdWz=" + d(0),
       "szddK=" + d(2e-6),
       "", "[Four Par]",
       "szdCx1=" + d(0), "szdCy1=" + d(0), "szdCa1=" + d(0.5 * 3.1415926535897 / 180),
       "szdCk1=" + d(1), "nNiheMode=0"]
par += [k + "=" + d(0) for k in ["szdNiheA0", "szdNiheA1", "szdNiheA2", "szdNiheA3",
                                  "szdNiheA4", "szdNiheA5", "szdNiheX0", "szdNiheY0"]]
par += ["szConF=", "", "[Base Coordinate]",
        "szdBaseLat=?", "szdBaseLon=?", "szdBaseHgt=?",
        "szdBaseX=?", "szdBaseY=?", "szdBaseH=?", "UseNum=0",
        "szdCorrectionX=" + d(0), "szdCorrectionY=" + d(0), "szdCorrectionH=" + d(0),
        "", "[szdSourceC]", "szdSx0=?", "szdSy0=?", "szdSh0=?"]
par += ["szdS%s%d=%s" % (axis, i, d(0)) for i in range(1, 5) for axis in "xyh"]
write("road1.par", par)
