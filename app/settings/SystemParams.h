// The records of the settings files: CSystemFileRecord (esystem.sys, which
// job is current) and SystemParams (the job's .ini, "[System Par]").
//
// SystemParams members carry the names of their keys (one exception: the
// file stores nCollectStatus under "szCollectStatus") and are declared in
// the order the program has always kept them. Units: metres and seconds
// unless noted.
//
// Members that the new-job defaults leave alone start as the values a read
// gives them when their key is absent, so a record is meaningful before any
// file was read.
#pragma once

#include "platform/base/CString.h"

struct CSystemFileRecord {
    CString szIniFile;       // full device path of the current job's .ini
    CString szLastSaveName;  // point name last stored ("PT" in a new job)
    CString szDataFile;      // file name of the current data file
};

struct SystemParams {
    int nLinkMode = 1;                // network link: 0 GSM, 1 GPRS
    int nWorkMode = 0;                // network work mode 0..2
    int GSMSendTimeInterval = 0;      // position relay interval, s
    double GSMSendDisInterval = 0.0;  // position relay distance, m
    CString szTitle;                  // first line of the .ini; written, never read back
    int Port = 0;                     // receiver port choice
    int SoundPort = 0;                // echo-sounder COM port number
    int SoundType = 0;                // echo-sounder type 0..3
    int SoundBandrate = 0;            // echo-sounder baud rate
    int SoundUse = 0;                 // echo sounder in use
    double ScreenStartx = 0.0;        // graph view origin, first coordinate
    double ScreenStarty = 0.0;        // graph view origin, second coordinate
    double ScreenScale = 0.0;         // graph view scale
    int nFixLevel = 0;                // required solution precision level
    int nRadioFormat = 0;             // 0 RTCA, 1 RTCM, 2 CMR, 3 RTCM3
    int nGAngle = 0;                  // elevation mask, degrees
    int nUseAntHgt = 0;               // antenna height applied
    double szdRoverAntH = 0.0;        // rover antenna height
    int nSaveType = 0;      // 0 normal, 1 offset, 2 smoothing, 3 auto by time, 4 auto by distance
    int nSmoothSecond = 0;  // smoothing point count
    int nAutoSaveTime = 0;  // automatic storage interval, s
    double szdAutoSaveDis = 0.0;   // automatic storage distance
    int nShowSurveyPoint = 0;      // show surveyed points
    int nAsCondition = 0;          // automatic storage needs: 0 single, 1 DGPS, 2 float, 3 fixed
    int nAntHgtType = 0;           // vertical or slant antenna height
    double szdSourceAntHgt = 0.0;  // antenna height subtracted from the fix height
    int GSMMODE = 0;               // correction link: 0 radio, 1 GSM, 2 network
    int nAdjustAntType = 0;        // calibration antenna height measured slant
    int nPlaneNihe = 0;            // minimum control points, plane height fit
    int nCurveNihe = 0;            // minimum control points, curved height fit
    int nDisplayType = 1;          // label beside points: point name or code
    int CodeSaveType = 0;          // code given to a stored point
    int nTimeZone = 0;             // hours added to UTC
    double dRmshLimit = 0.0;       // horizontal RMS limit
    double dRmsvLimit = 0.0;       // vertical RMS limit
    CString szSFName;              // raw-file base name
    int nSFStartID = 0;            // raw-file number
    int nSFNameMode = 0;           // point naming mode
    int nCollectStatus = 0;        // solution required for recording
    int nCollectMode = 0;          // recording: 0 time, 1 distance, 2 manual, 3 space
    double dCollectTime = 0.0;     // recording interval, s
    double dCollectDis = 0.0;      // recording distance
    double dDeepInterTime = 0.0;   // depth interval
    int nComMode = 0;              // receiver connection: 0 by Port, 1 by nInputCom
    int nInputCom = 7;             // receiver COM number when nComMode is 1
};
