// CReceiverParser: one received line into the fields of a SurveyRecord.
//
// The main frame owns one parser and one record; its dispatcher picks the
// operation by the sentence type (GpsSentenceType) and hands each a copy of
// the line as the link delivered it: from the end of the previous line (its
// LF, for receivers that end lines with CR LF) up to and with the CR.
// Everything that looks at the start of a sentence works from its first "$"
// or "#", so the LF in front never matters.
//
// Guards: GGA, GSV, ZDA and GSA must pass the NMEA checksum, BESTPOSA its
// CRC-32; the other sentences are taken as they come. A guarded sentence
// that fails changes nothing. Fields that are missing or not numbers read
// as 0 or empty text. Every operation returns TRUE when it took the
// sentence.
//
// Hemispheres: S and W make latitudes and longitudes negative (GGA, POS,
// CPD and PBN, wherever the field after the angle holds the letter); the
// letters themselves are kept in strLatTag and strLonTag.
//
// Grid conversion: GGA, POS and BESTPOSA carry the WGS84 position through
// the job's coordinate system (IReceiverHost::CoordParams): the job's
// ellipsoid and projection are loaded into the engine the sentence uses
// (the document's for GGA and POS, the parser's own for BESTPOSA), then
// the datum step (with seven parameters), the plain projection into
// dProjX/Y/H, the full grid chain and the job's corrections; GGA also the
// measured-point offset turned by the heading.
//
// Sections of the implementation:
//   ReceiverChecks.cpp        checksum, CRC-32, cutting at "$"
//   ReceiverParserNmea.cpp    GGA, GSV, ZDA, GSA, GST
//   ReceiverParserGrid.cpp    the grid chain and the offset step
//   ReceiverParserLogs.cpp    BESTPOSA, REFSTATIONA, NAVPOS and their tables
//   ReceiverParserOwn.cpp     GPXXX, CBN, CPD, PBN, POS
#pragma once

#include <cstdint>

#include "geodesy/CoordTransform.h"
#include "platform/base/CString.h"
#include "receiver/ReceiverHost.h"
#include "receiver/SurveyRecord.h"

// A point of the offset step: north x, east y, metres.
struct OffsetPoint {
    double x = 0.0;
    double y = 0.0;
};

class CReceiverParser {
  public:
    // The host must outlive the parser. Without one (nullptr) the parsers
    // still fill the record but skip every step that needs the job.
    explicit CReceiverParser(IReceiverHost* host = nullptr) : m_host(host) {}
    virtual ~CReceiverParser() = default;

    void SetHost(IReceiverHost* host) { m_host = host; }

    // ---- NMEA sentences ----
    BOOL ParseGga(CString& sentence, SurveyRecord* rec);
    BOOL ParseGsv(CString& sentence, SurveyRecord* rec);
    BOOL ParseZda(CString& sentence, SurveyRecord* rec);
    BOOL ParseGsa(CString& sentence, SurveyRecord* rec);
    BOOL ParseGst(CString& sentence, SurveyRecord* rec);

    // ---- The receiver's own sentences and logs ----
    BOOL ParseBestPos(CString& sentence, SurveyRecord* rec);
    BOOL ParseRefStation(CString& sentence, SurveyRecord* rec);
    BOOL ParseNavPos(CString& sentence, SurveyRecord* rec);
    BOOL ParseGpxxx(CString& sentence, SurveyRecord* rec);
    BOOL ParseCbn(CString& sentence, SurveyRecord* rec);
    BOOL ParseCpd(CString& sentence, SurveyRecord* rec);
    BOOL ParsePbn(CString& sentence, SurveyRecord* rec);
    BOOL ParsePos(CString& sentence, SurveyRecord* rec);

    // Calls the operation of a GpsSentenceType code; FALSE for the codes
    // that have none.
    BOOL Parse(int type, CString& sentence, SurveyRecord* rec);

    // The GGA fields alone, without the host and the grid step: time (local
    // by `timeZone` hours), quality, position, satellites and HDOP.
    BOOL DecodeGga(const wchar_t* line, SurveyRecord* rec, int timeZone) const;

    // ---- Shared steps ----
    // The text from its first '$' on, or the whole text without one.
    static CString CutAtDollar(const CString& text);
    // TRUE when text begins with '$' and the XOR of the low bytes after it,
    // up to the first '*', equals the two hex digits after the '*' (a
    // character that is not a hex digit counts as 0). Mode 0 is the only
    // mode.
    static BOOL VerifyChecksum(const wchar_t* text, int mode = 0);
    // CRC-32, reflected, polynomial 0xEDB88320, initial value 0 and no
    // final inversion ("abc" gives 0xCA6598D0).
    static uint32_t CalcCrc32(const BYTE* bytes, int n);
    // The offset step: with d = b - a, out.x = p.x + cos(theta) d.y -
    // sin(theta) d.x and out.y = p.y + sin(theta) d.y + cos(theta) d.x. So
    // d.y lies along the direction theta (from north towards east) and d.x
    // to its right.
    static void RotateOffset(double theta, const OffsetPoint& a, const OffsetPoint& b,
                             const OffsetPoint& p, OffsetPoint* out);

    // BESTPOSA position type word into strStatus and nSolution.
    void PositionTypeCode(const CString& word, SurveyRecord* rec) const;
    // NAVPOS solution letter into strStatus.
    static void PositionTypeText(const CString& text, SurveyRecord* rec);
    // "DDDoMM'SS.S\"" to decimal degrees, rounded to 8 decimals.
    static double ParseDmsAngle(const CString& text);

    // The date of the last ZDA.
    int m_nZdaYear = 0;
    int m_nZdaMonth = 0;
    int m_nZdaDay = 0;
    // Kept with the parser; no operation uses them.
    CString m_strSpare1;
    CString m_strSpare2;
    CString m_strSpare3;

  private:
    // Grid chain of GGA and POS on the document's engine; GGA adds the
    // offset step into dX/dY and keeps the antenna in dAntX/dAntY.
    void ConvertOnDocumentEngine(SurveyRecord* rec, bool offsetStep);
    // Grid chain of BESTPOSA on the parser's own engine, height fit after.
    void ConvertOnOwnEngine(SurveyRecord* rec);
    // Datum step and plain projection on `engine` loaded with the job's
    // ellipsoid and projection; then the full chain into x, y, h.
    static void RunGridChain(CCoordTransform& engine, const CoordSysParams& params,
                             SurveyRecord* rec, double& x, double& y, double& h);
    // The base station's grid position from its WGS84 position (degrees,
    // metres) on the document's engine; h is the height after the datum
    // step.
    void BaseToGrid(double lat, double lon, double height, double& x, double& y, double& h);
    // Stores a base grid position into the job and the document.
    void StoreBase(double x, double y, double h);
    // REFSTATIONA's basecoord.RTK line and raw-file record for a new base.
    void WriteBaseRecord(double latRad, double lonRad, double height);

    IReceiverHost* m_host = nullptr;
    CCoordTransform m_engine;
};
