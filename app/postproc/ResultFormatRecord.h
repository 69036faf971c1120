// ResultFormatRecord: one user-defined result format, a line of the job's
// "dealformat.fmt". The document holds the list; the post-processing wizard
// loads, edits and writes it.
#pragma once

#include "platform/base/CString.h"

struct ResultFormatRecord {
    int m_bDepthFile = 0;  // 1: the format also writes a depth result file
    CString m_strName;
    CString m_strReserved;
    CString m_strSeparator;
    CString m_strCoordExt;
    CString m_strCoordFields;  // field indexes, each "%d:"
    CString m_strDepthExt;
    CString m_strDepthFields;
};
