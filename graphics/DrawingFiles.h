// The two drawing files of a job, "text.sg" and "line.sg", and the reading
// of the raw epoch file into the track. Lines are "TEXT:" or "LINE:"
// followed by comma-separated fields, code page 936, CR LF; numbers with 8
// decimals, colours as decimal integers.
//
// Readers append (reading twice doubles the items), skip lines with too few
// fields or a number that is not finite, and stop at the first empty line;
// a last line without its line end is not read.
#pragma once

#include "graphics/GraphRecords.h"

// One line of each file, line end included.
CString TextLayerLine(const CGraphText& text);
CString LineLayerLine(const CGraphLine& line);

// Replace the file whole. FALSE (and GetLastError) when it was not written;
// the old file then stays as it was.
[[nodiscard]] BOOL SaveTextLayer(LPCTSTR path, const CGraphTextSet& texts);
[[nodiscard]] BOOL SaveLineLayer(LPCTSTR path, const CGraphLineSet& lines);

// From a file's decoded text.
void ReadTextLayer(const CString& text, CGraphTextSet& texts);
void ReadLineLayer(const CString& text, CGraphLineSet& lines);
void ReadTrack(const CString& text, CGraphPointSet& points);

// From a file; a missing or unreadable file adds nothing.
void LoadTextLayerFile(LPCTSTR path, CGraphTextSet& texts);
void LoadLineLayerFile(LPCTSTR path, CGraphLineSet& lines);
void LoadTrackFile(LPCTSTR path, CGraphPointSet& points);

// A point of the track from one raw epoch line (fields 0, 1, 2 name, date
// and time; 7, 8, 9 north, east, height; 25 "1" for a stored point). FALSE
// when its coordinates are not finite numbers.
BOOL TrackPointFromRaw(const CString& line, CGraphPoint& point);
// The same from the fields themselves (the recorder's last epoch).
BOOL MakeTrackPoint(const CString& name, const CString& date, const CString& time,
                    const CString& north, const CString& east, const CString& height,
                    const CString& stored, CGraphPoint& point);
