// The text lines of the survey data files, formatted from the document's
// fields. Numbers are the C library's digits (CString::Format); every line
// is returned whole, without its CR LF, and the writer adds the line end.
//
// Angles in the point lines are packed ddd.mmss ("%.10f"): degrees, two
// digits of minutes, two of seconds, then decimals of a second.
#pragma once

#include "pointdata/StringRecord32.h"
#include "pointdata/SurveyDocFields.h"
#include "receiver/DepthSample.h"

namespace quorvel::pointdata {

// Which writer made the .RTK file: the header's version line differs.
enum class RtkHeaderKind { kPoint, kSmoothing };

// Packed ddd.mmss text of an angle in degrees, and of one in radians.
CString PackedFromDegrees(double degrees);
CString PackedFromRadians(double radians);

// "%s," for each of the 32 fields.
CString FieldRecordLine(const CStringRecord32& record);
// name, date, time with the minute space-padded and whole seconds, depth.
CString TimedRecordLine(const DepthSample& sample);
// The 14 fields of a measured point, each followed by a comma.
CString MeasuredPointLine(const SurveyDocFields& doc);

// The seven "Rem " lines that open a .RTK file (version, time of the stored
// fix, datum, projection, seven parameters, four parameters, height fit).
void RtkHeaderLines(const SurveyDocFields& doc, RtkHeaderKind kind, CString lines[7]);
// "Rem BaseStation" with the job's base, as the point writer puts it.
CString RtkBaseLine(const CoordSysParams& params);
// "Rem BaseStation" of the smoothing writer: the job's base grid values
// and the receiver's reported base position.
CString SmoothingBaseLine(const CoordSysParams& params, const SurveyRecord& curFix);

// The .RTK and .BLH point lines of the stored fix. The .BLH line takes the
// latitude and longitude recovered from the stored grid values (radians).
CString RtkPointLine(const SurveyDocFields& doc);
CString BlhPointLine(const SurveyDocFields& doc, double gridLat, double gridLon);
// One .RTK line of a smoothing epoch, with the epoch's own storage values.
CString SmoothingEpochLine(const SurveyDocFields& doc, const SurveyRecord& epoch);
// The storage suffix chosen by m_nStoreKind; empty for an unknown kind.
CString StorageSuffix(const SurveyDocFields& doc);

// The coordinate library's pair: "1" with the plain projection of the
// fix's latitude and longitude, "0" with its grid values.
CString LibProjectedLine(const SurveyDocFields& doc, double x, double y);
CString LibGridLine(const SurveyDocFields& doc);

}  // namespace quorvel::pointdata
