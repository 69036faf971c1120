#!/usr/bin/env python3
"""Writes the reference settings files that the app tests compare with.

Typed from the file layouts by hand, independently of the C++ writers, and
encoded with Python's own GBK codec. Run once; the outputs are checked in:

    python3 make_reference_files.py

It writes the default job's files into this folder and the new job "road1"
of the job commands' tests into ../commands/data. The base station's values
of the new job's parameter file depend on where the receiver puts the base;
that reference holds "?" for them and the test checks them numerically (see
../commands/data/PROVENANCE.md).
"""

import os

TITLE = "Quorvel1.1 Ver: 2012.06.01"
HERE = os.path.dirname(os.path.abspath(__file__))
COMMANDS = os.path.join(HERE, "..", "commands", "data")

# The default base site (latitude, longitude, grid north, grid east).
BASE_LAT = 48.8583
BASE_LON = 2.2945
BASE_X = 5416504.0
BASE_Y = 668365.0


def d(value):
    return "%.10f" % value


def write(path, lines):
    data = "".join(line + "\r\n" for line in lines).encode("gbk")
    with open(path, "wb") as f:
        f.write(data)


def system_file(ini, data, last):
    return ["", "[System]", "szIniFile=" + ini, "szDataFile=" + data, "szLastSaveName=" + last]


def ini_file(port, radio_format, link_mode, work_mode, display_type, code_save_type,
             com_mode, input_com):
    return [TITLE, "", "[System Par]",
            "Port=%d" % port, "SoundPort=1", "SoundType=0", "SoundBandrate=9600", "SoundUse=1",
            "ScreenStartx=" + d(0), "ScreenStarty=" + d(0), "ScreenScale=" + d(1),
            "nFixLevel=0", "nRadioFormat=%d" % radio_format,
            "dRmshLimit=" + d(0.1), "dRmsvLimit=" + d(0.1),
            "nGAngle=0", "nUseAntHgt=0", "szdRoverAntH=" + d(0), "nSaveType=0",
            "nAutoSaveTime=2", "nSmoothSecond=5", "szdAutoSaveDis=" + d(2),
            "nShowSurveyPoint=0", "nAsCondition=1", "nAntHgtType=0",
            "szdSourceAntHgt=" + d(0),
            "GSMMODE=0", "GSMSendTimeInterval=5", "GSMSendDisInterval=" + d(1000),
            "nLinkMode=%d" % link_mode, "nWorkMode=%d" % work_mode,
            "nAdjustAntType=0", "nPlaneNihe=1", "nCurveNihe=1",
            "nDisplayType=%d" % display_type, "CodeSaveType=%d" % code_save_type,
            "nTimeZone=8", "szSFName=LN", "nSFStartID=0", "nSFNameMode=0",
            "szCollectStatus=0", "nCollectMode=0", "dCollectTime=" + d(3),
            "dCollectDis=" + d(5), "dDeepInterTime=" + d(5),
            "nComMode=%d" % com_mode, "nInputCom=%d" % input_com]


# touyin: nDifang, szdCenter, szdTlon; seven and four: the values of those
# sections in order; base: the six base values as written; source0: the
# first source point's three values as written.
def par_file(touyin, seven, four, base, source0):
    difang, center, tlon = touyin
    par = [TITLE, "", "[TouYin Par]",
           "nCoord=0", "nTouYin=0", "nDifang=%d" % difang, "nSevenPar=0",
           "szdCenter=" + d(center), "szlTx=0", "szlTy=500000", "szdTk=" + d(1),
           "szdTlon=" + d(tlon), "szdTHigh=" + d(0),
           "szdDa=" + d(6378245.0), "szdDf=" + d(298.3), "ProjectLat=" + d(0),
           "", "[Seven Par]"]
    par += [k + "=" + d(v) for k, v in
            zip(["szddx", "szddy", "szddz", "szdWx", "szdWy", "szdWz", "szddK"], seven)]
    par += ["", "[Four Par]"]
    par += [k + "=" + d(v) for k, v in zip(["szdCx1", "szdCy1", "szdCa1"], four)]
    par += ["szdCk1=" + d(1), "nNiheMode=0"]
    par += [k + "=" + d(0) for k in ["szdNiheA0", "szdNiheA1", "szdNiheA2", "szdNiheA3",
                                      "szdNiheA4", "szdNiheA5", "szdNiheX0", "szdNiheY0"]]
    par += ["szConF=", "", "[Base Coordinate]"]
    par += [k + "=" + v for k, v in
            zip(["szdBaseLat", "szdBaseLon", "szdBaseHgt", "szdBaseX", "szdBaseY", "szdBaseH"],
                base)]
    par += ["UseNum=0",
            "szdCorrectionX=" + d(0), "szdCorrectionY=" + d(0), "szdCorrectionH=" + d(0),
            "", "[szdSourceC]"]
    par += ["szdS%s0=%s" % (axis, v) for axis, v in zip("xyh", source0)]
    par += ["szdS%s%d=%s" % (axis, i, d(0)) for i in range(1, 5) for axis in "xyh"]
    return par


# The default job.
write(os.path.join(HERE, "esystem_first_start.sys"),
      system_file("\\Flash Disk\\Jobs\\ruvo\\ruvo.ini", "ruvo.dat", "PT"))
write(os.path.join(HERE, "esystem_chinese_job.sys"),
      system_file("\\Flash Disk\\Jobs\\测量一队\\测量一队.ini", "外业数据.dat", "点12"))

# A record that never read a file: link, display and connection fields at
# their starting values.
write(os.path.join(HERE, "default_job.ini"),
      ini_file(port=3, radio_format=0, link_mode=1, work_mode=0, display_type=1,
               code_save_type=0, com_mode=0, input_com=7))

write(os.path.join(HERE, "default_job.par"),
      par_file(touyin=(0, 0, 0), seven=[0] * 7, four=[0] * 3,
               base=[d(BASE_LAT), d(BASE_LON), d(35), d(BASE_X), d(BASE_Y), d(35)],
               source0=[d(0)] * 3))

# esystem.sys after the new job "road1": its settings file, its data file,
# and "PT" as the last stored name (the next proposed is PT1).
write(os.path.join(COMMANDS, "road1_esystem.sys"),
      system_file("\\Flash Disk\\Jobs\\road1\\road1.ini", "road1.dat", "PT"))

# road1.ini: the new-job defaults, with what a new job keeps of the job it
# was made from (receiver port 2, differential format 3) and what the
# defaults never set (network link, display, receiver connection).
write(os.path.join(COMMANDS, "road1.ini"),
      ini_file(port=2, radio_format=3, link_mode=0, work_mode=2, display_type=0,
               code_save_type=1, com_mode=1, input_com=1))

# road1.par: the defaults with the wizard's entries: central meridian 3
# degrees; four parameters on, rotation 0.3000 (0 deg 30 min = 0.5 deg in
# radians); seven parameters off but typed: 1.0 arc-second about x, 2 ppm.
# The base latitude, left at 0, comes through the packed-angle conversion,
# which gives a zero back negated: "-0.0000000000".
write(os.path.join(COMMANDS, "road1.par"),
      par_file(touyin=(1, 3, -0.0), seven=[0, 0, 0, 4.848136811095216e-6, 0, 0, 2e-6],
               four=[0, 0, 0.5 * 3.1415926535897 / 180], base=["?"] * 6, source0=["?"] * 3))
