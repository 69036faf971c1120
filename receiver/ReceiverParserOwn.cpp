// CReceiverParser: the receiver's own sentences GPXXX, CBN, CPD, PBN and
// POS. None of them carries a guard; fields count from the start of the
// line.
#include <cwchar>

#include "receiver/FieldCut.h"
#include "receiver/ReceiverParser.h"
#include "receiver/ReceiverText.h"

namespace {

// The PBN angle: the integer of the first three characters plus the
// minutes from the fifth character on, divided by 60.
double PbnDegrees(const CFieldCut& f, int i) {
    const int n = f.Length(i);
    const double minutes = n > 4 ? nmea::ReadDouble(f.Begin(i) + 4) : 0.0;
    return nmea::ReadIntPrefix(f.Begin(i), n < 3 ? n : 3) + minutes / 60.0;
}

double Negated(const CFieldCut& f, int letterField, double value) {
    const wchar_t letter = f.First(letterField);
    return letter == L'S' || letter == L'W' ? -value : value;
}

}  // namespace

BOOL CReceiverParser::ParseGpxxx(CString& sentence, SurveyRecord* rec) {
    const CFieldCut f(sentence, 10);
    rec->strRxId1 = f.Text(1);
    rec->strRxId2 = f.Text(2);
    rec->strRxId3 = f.Text(3);
    rec->strRxId3Copy = f.Text(3);
    if (m_host == nullptr) return TRUE;
    m_host->SetAntennaConstant(f.Equals(4, L"Q27-2") ? 0.0205 : 0.014);
    if (f.Length(1) > 5) {
        const wchar_t variant = f.Begin(1)[5];
        if (variant == L'0') m_host->SetReceiverVariant(0);
        if (variant == L'5') m_host->SetReceiverVariant(1);
    }
    SurveyRecord& current = m_host->CurrentFix();
    current.strRxId1 = rec->strRxId1;
    current.strRxId3 = rec->strRxId3;
    current.strRxId3Copy = rec->strRxId3Copy;
    return TRUE;
}

BOOL CReceiverParser::ParseCbn(CString& sentence, SurveyRecord* rec) {
    const CFieldCut f(sentence, 24);
    rec->dHrms = receiver_text::Hypot(f.Double(11), f.Double(12));
    rec->dVrms = f.Double(13);
    return TRUE;
}

BOOL CReceiverParser::ParseCpd(CString& sentence, SurveyRecord* rec) {
    const CFieldCut f(sentence, 8);
    if (f.Equals(2, L"DLK")) {
        const int star = sentence.Find(L'*');
        const wchar_t sign = star > 0 ? sentence.GetAt(star - 1) : L'\0';
        if (sign == L'+') rec->nAux = 1;
        if (sign == L'-') rec->nAux = 0;
        return TRUE;
    }
    if (!f.Equals(2, L"POS")) return FALSE;
    rec->dBaseLat = Negated(f, 4, f.Degrees(3, 2));
    rec->dBaseLon = Negated(f, 6, f.Degrees(5, 3));
    // Characters 1..9 of the height field; its first character is skipped.
    rec->dBaseH = nmea::ReadDouble(f.Text(7).Mid(1, 9));
    if (m_host == nullptr) return TRUE;
    double x, y, h;
    BaseToGrid(rec->dBaseLat, rec->dBaseLon, rec->dBaseH, x, y, h);
    StoreBase(x, y, rec->dBaseH);
    return TRUE;
}

BOOL CReceiverParser::ParsePbn(CString& sentence, SurveyRecord* rec) {
    const CFieldCut f(sentence, 18);
    rec->dPbnLat = Negated(f, 7, PbnDegrees(f, 6));
    rec->dPbnLon = Negated(f, 8, PbnDegrees(f, 7));
    rec->dPbnH = f.Double(8);
    if (m_host == nullptr || m_host->CurrentFix().nSolution != 1) return TRUE;
    rec->dLat = rec->dPbnLat;
    rec->dLon = rec->dPbnLon;
    rec->dHeight = rec->dPbnH;
    rec->nSatsUsed = f.Int(12);
    rec->dDop = f.Double(14);
    return TRUE;
}

BOOL CReceiverParser::ParsePos(CString& sentence, SurveyRecord* rec) {
    const CFieldCut f(sentence, 19);
    rec->dDop = f.Double(14);
    receiver_text::ReadClock(f, 4, rec);
    rec->dLat = receiver_text::SignedDegrees(f, 5, 2);
    rec->dLon = receiver_text::SignedDegrees(f, 7, 3);
    rec->dHeight = f.Double(9);
    rec->nSatsUsed = f.Int(3);
    if (m_host != nullptr) ConvertOnDocumentEngine(rec, false);
    return TRUE;
}
