// SurveyDocFields: the document's fields that the survey file writer reads.
//
// The program's one document derives from this record, so these are the
// document's own members under the names the rest of the program uses
// (pDoc->m_storeFix, pDoc->m_strPointName...), and hands itself to its
// writer (CSurveyFileWriter::Attach). The writer lies below the document in
// the layering and so knows it only through this record; tests fill one
// directly.
//
// The store roads set the point fields before they call the writer; the
// storage dialogs set the suffix fields; the job commands set the folders
// and the coordinate system. The writer reads all of them and changes only
// the shared engine's loaded ellipsoid and projection.
#pragma once

#include "geodesy/CoordSysParams.h"
#include "geodesy/CoordTransform.h"
#include "platform/base/CString.h"
#include "receiver/SurveyRecord.h"

struct SurveyDocFields {
    // ---- The point being stored ----
    SurveyRecord m_storeFix;  // position, grid values, quality and time of the point
    CString m_strPointName;
    CString m_strPointCode;
    double m_dPointAntHeight = 0.0;  // metres, taken off the grid and ellipsoidal heights

    // The latest receiver fix; the writer reads only its base-station
    // latitude, longitude (degrees) and height.
    SurveyRecord m_curFix;

    // ---- Job files ----
    CString m_strJobDir;    // the job folder, ending with a backslash
    CString m_strDataDir;   // the job's data folder, ending with a backslash
    CString m_strDataFile;  // the measured-point file's name in the data folder
    CString m_strIniName;   // the job's .ini name; the library is named after it

    // ---- Coordinate system ----
    CoordSysParams m_coordParams;
    CCoordTransform m_coordTransform;  // the program's shared engine

    // ---- Storage suffix of the .RTK and .BLH point lines ----
    int m_nStoreKind = 0;         // 1 general, 2 offset, 3 smoothing, 4 automatic
    int m_nOffsetRefMode = 0;     // offset kind: 0 distance and azimuth, 1 reference point
    float m_fOffsetDistance = 0;  // metres
    float m_fOffsetAngle = 0;     // packed ddd.mmss
    float m_fVerticalOffset = 0;  // metres
    double m_dOffsetRefX = 0.0;   // reference point, grid north
    double m_dOffsetRefY = 0.0;   // reference point, grid east
    int m_nAutoKind = 0;          // 1 by time, 2 by distance
    int m_nAutoInterval = 0;      // seconds, or metres truncated
    int m_nSmoothCount = 0;       // epochs averaged
    int m_nSmoothRemaining = 0;   // the countdown when the last epoch was taken
};
