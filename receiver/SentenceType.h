// GpsSentenceType: which parser a received line goes to.
//
// A line with a '$' is tested for "GPGGA", "GPGSV", "GPZDA", "GPGSA",
// "GPXXX", "CBN", "CPD", "PBN", "POS", "GPGST" and "CRMSS", in this order:
// the first one the line contains anywhere gives the code, so a line with
// both "CPD" and "POS" is a CPD. Otherwise a line with a '#' is tested for
// "BESTPOSA", "REFSTATIONA", "VERSIONA" and "NAVPOS". Anything else is 0.
#pragma once

#include "platform/base/CString.h"

enum GpsSentence {
    kSentenceNone = 0,
    kSentenceGga = 1,
    kSentenceGsv = 2,
    kSentenceZda = 3,
    kSentenceBestPos = 4,
    kSentenceRefStation = 5,
    kSentenceVersion = 6,
    kSentenceNavPos = 7,
    kSentenceGsa = 8,
    kSentenceGpxxx = 9,
    kSentenceCbn = 10,
    kSentenceCpd = 11,
    kSentencePbn = 12,
    kSentencePos = 13,
    kSentenceGst = 14,
    kSentenceCrmss = 15,
};

int GpsSentenceType(const CString& line);
