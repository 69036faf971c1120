#!/usr/bin/env python3
"""Writes the reference settings files that the app tests compare with.

Typed from the file layouts by hand, independently of the C++ writers, and
encoded with Python's own GBK codec. Run once; the outputs are checked in:

    python3 make_reference_files.py
"""

TITLE = "Quorvel1.1 Ver: 2012.06.01"

# The default base site (latitude, longitude, grid north, grid east).
BASE_LAT = 48.8583
BASE_LON = 2.2945
BASE_X = 5416504.0
BASE_Y = 668365.0


def d(value):
    return "%.10f" % value


def write(name, lines):
    data = "".join(line + "\r\n" for line in lines).encode("gbk")
    with open(name, "wb") as f:
        f.write(data)


def system_file(ini, data, last):
    return ["", "[System]", "szIniFile=" + ini, "szDataFile=" + data, "szLastSaveName=" + last]


write("esystem_first_start.sys",
      system_file("\\Flash Disk\\Jobs\\ruvo\\ruvo.ini", "ruvo.dat", "PT"))
write("esystem_chinese_job.sys",
      system_file("\\Flash Disk\\Jobs\\测量一队\\测量一队.ini", "外业数据.dat", "点12"))

ini = [TITLE, "", "[System Par]",
       "Port=3", "SoundPort=1", "SoundType=0", "SoundBandrate=9600", "SoundUse=1",
       "ScreenStartx=" + d(0), "ScreenStarty=" + d(0), "ScreenScale=" + d(1),
       "nFixLevel=0", "nRadioFormat=0", "dRmshLimit=" + d(0.1), "dRmsvLimit=" + d(0.1),
       "nGAngle=0", "nUseAntHgt=0", "szdRoverAntH=" + d(0), "nSaveType=0",
       "nAutoSaveTime=2", "nSmoothSecond=5", "szdAutoSaveDis=" + d(2),
       "nShowSurveyPoint=0", "nAsCondition=1", "nAntHgtType=0", "szdSourceAntHgt=" + d(0),
       "GSMMODE=0", "GSMSendTimeInterval=5", "GSMSendDisInterval=" + d(1000),
       # a record that never read a file: link, display and connection
       # fields at their starting values
       "nLinkMode=1", "nWorkMode=0",
       "nAdjustAntType=0", "nPlaneNihe=1", "nCurveNihe=1",
       "nDisplayType=1", "CodeSaveType=0",
       "nTimeZone=8", "szSFName=LN", "nSFStartID=0", "nSFNameMode=0",
       "szCollectStatus=0", "nCollectMode=0", "dCollectTime=" + d(3),
       "dCollectDis=" + d(5), "dDeepInterTime=" + d(5), "nComMode=0", "nInputCom=7"]
write("default_job.ini", ini)

par = [TITLE, "", "[TouYin Par]",
       "nCoord=0", "nTouYin=0", "nDifang=0", "nSevenPar=0", "szdCenter=" + d(0),
       "szlTx=0", "szlTy=500000", "szdTk=" + d(1), "szdTlon=" + d(0), "szdTHigh=" + d(0),
       "szdDa=" + d(6378245.0), "szdDf=" + d(298.3), "ProjectLat=" + d(0),
       "", "[Seven Par]"]
par += [k + "=" + d(0) for k in ["szddx", "szddy", "szddz", "szdWx", "szdWy", "szdWz", "szddK"]]
par += ["", "[Four Par]"]
par += [k + "=" + d(0) for k in ["szdCx1", "szdCy1", "szdCa1"]]
par += ["szdCk1=" + d(1), "nNiheMode=0"]
par += [k + "=" + d(0) for k in ["szdNiheA0", "szdNiheA1", "szdNiheA2", "szdNiheA3",
                                  "szdNiheA4", "szdNiheA5", "szdNiheX0", "szdNiheY0"]]
par += ["szConF=", "", "[Base Coordinate]",
        "szdBaseLat=" + d(BASE_LAT), "szdBaseLon=" + d(BASE_LON), "szdBaseHgt=" + d(35),
        "szdBaseX=" + d(BASE_X), "szdBaseY=" + d(BASE_Y), "szdBaseH=" + d(35), "UseNum=0",
        "szdCorrectionX=" + d(0), "szdCorrectionY=" + d(0), "szdCorrectionH=" + d(0),
        "", "[szdSourceC]"]
par += ["szdS%s%d=%s" % (axis, i, d(0)) for i in range(5) for axis in "xyh"]
write("default_job.par", par)
