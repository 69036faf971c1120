// SurveyRecord: one receiver epoch with everything derived from it. It is
// copied by value wherever it travels: the main frame's fix being built,
// the document's current and stored fixes, every screen's copy, the
// smoothing array of the survey-file writer.
//
// Units: degrees for latitudes and longitudes, metres for heights and grid
// values, radians for the heading (0 north, towards east), seconds for
// time. Grid x is north, y is east.
#pragma once

#include "platform/base/CString.h"

// One satellite of the GSV sentences.
struct SatelliteInfo {
    int nPrn = 0;
    int nElevation = 0;  // degrees
    int nAzimuth = 0;    // degrees
    int nSnr = 0;        // dB-Hz, at most 51
};

struct SurveyRecord {
    static constexpr int kMaxSatellites = 12;

    double dDop = 0.0;  // GGA's HDOP, or GSA's PDOP after a GSA
    int nSatsInView = 0;
    int nSatsUsed = 0;
    double dLon = 0.0;  // WGS84, decimal degrees
    double dLat = 0.0;
    double dHeight = 0.0;  // WGS84 ellipsoidal height
    double dX = 0.0;       // grid north of the offset point
    double dY = 0.0;       // grid east of the offset point
    double dAntX = 0.0;    // grid north of the antenna, before the offset step
    double dAntY = 0.0;
    double dGridH = 0.0;            // grid height, antenna height not subtracted
    CString strStatus = L"SINGLE";  // solution text, or NODATA/FINDRADIO/FIND
    double dSpeed = 0.0;
    double dHeading = 0.0;  // radians in [0, 2*pi)
    int nHour = 0;          // local time of the fix
    int nMinute = 0;
    double dSecond = 0.0;
    int nYear = 0;  // date of the last ZDA
    int nMonth = 0;
    int nDay = 0;
    SatelliteInfo sats[kMaxSatellites];
    double dHrms = 0.0;
    double dVrms = 0.0;
    int nAux = 0;       // differential age in whole seconds, or CPD's DLK flag
    int nSolution = 0;  // 1 none, 5 single, 6 DGPS, 9 float, 10 fixed, ...
    double dGeoidSep = 0.0;
    CString strLatTag;  // hemisphere letter of the latitude
    CString strLonTag;
    double dBaseLat = 0.0;  // base-station position, degrees and metres
    double dBaseLon = 0.0;
    double dBaseH = 0.0;
    CString strRxId1;  // receiver identification
    CString strRxId2;
    CString strRxId3;
    CString strRxId3Copy;
    double dProjX = 0.0;  // plain projection before plane parameters
    double dProjY = 0.0;
    double dProjH = 0.0;
    double dPbnLat = 0.0;  // position of the last PBN sentence
    double dPbnLon = 0.0;
    double dPbnH = 0.0;

    // Shown by the information display as "差分格式(ID):"; no parser fills
    // them.
    CString strDiffFormat;
    CString strBaseId;

    // Storage values of a smoothing epoch, written and read only by the
    // point-storing code: kind (3), number of epochs, epoch number (1-based).
    int nStoreKind = 0;
    int nSmoothTotal = 0;
    int nSmoothIndex = 0;
};
