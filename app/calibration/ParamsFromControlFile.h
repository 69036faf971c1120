// Plane and height parameters derived from a control-point file, for the
// conversion of post-processed results to local coordinates.
//
// The file (the document's m_strPostFile) holds one control point a line,
// 11 comma-separated fields: 1 known north, 2 known east, 3 known height,
// 4 raw latitude and 5 raw longitude (packed ddd.mmss), 6 raw height,
// 9 plane flag, 10 height flag ("Y" exactly means used). At most 50 lines
// are read; the rest of a longer file is ignored. A field that is not a
// number reads as 0.
//
// The raw positions are projected with a private engine on the job's
// ellipsoid and projection (transverse Mercator whatever the job's
// projection type, no seven parameters) and rounded to 4 decimals; the rows
// go into the document's m_ctrlRows.
//
// Plane: one plane point gives the shift dx, dy (plane mode 1); two or more
// a four-parameter set in the record (nDifang 1, dx = dy = 0, plane mode 2).
// Height, with L = nPlaneNihe + 2: up to L height points give the mean
// shift dh (height mode 1); more, a fitted surface in the record (nNiheMode
// 1 with coefficients and origin, dh = 0, height mode 2), with the fit's
// minimum counts nPlaneNihe + 3 and nCurveNihe + 6. nPlaneNihe and
// nCurveNihe outside 0..1 count as 1. A mode whose points are missing, or
// whose solve fails, leaves its outputs as they were.
//
// Returns 1; 0 (after the message "参数文件不存在") when the file cannot be
// read, with every output untouched.
#pragma once

#include "app/coordsys/ControlPointRow.h"
#include "app/settings/SystemParams.h"
#include "geodesy/CoordSysParams.h"
#include "platform/base/CArray.h"

class CVendropDoc;

// The rows of the control-point file at `path` (at most 50), projected on
// `job`'s ellipsoid and projection as above; FALSE, with `rows` emptied,
// when the file cannot be read. No message.
BOOL ReadControlPointRows(const CString& path, const CoordSysParams& job,
                          CArray<ControlPointRow>& rows);

// The plane and height results of `rows` as above, on `job`'s ellipsoid
// and projection, with the fit settings of `settings`.
void SolveControlPointRows(const CArray<ControlPointRow>& rows, const CoordSysParams& job,
                           const SystemParams& settings, CoordSysParams& params, double& dx,
                           double& dy, double& dh, int& planeMode, int& heightMode);

int ComputeParamsFromControlFile(CVendropDoc& doc, CoordSysParams& params, double& dx, double& dy,
                                 double& dh, int& planeMode, int& heightMode);
