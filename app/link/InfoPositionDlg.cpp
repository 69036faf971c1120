#include "app/link/InfoPositionDlg.h"

#include "res/resource.h"

void CInfoPositionDlg::Refresh() {
    const SurveyRecord& r = m_record;
    CString text;
    SetDlgItemText(IDC_INFO_LAT, Angle(r.dLat));
    SetDlgItemText(IDC_INFO_LON, Angle(r.dLon));
    SetDlgItemText(IDC_INFO_HEIGHT, Fixed4(r.dHeight));
    SetDlgItemText(IDC_INFO_X, Fixed4(r.dX));
    SetDlgItemText(IDC_INFO_Y, Fixed4(r.dY));
    SetDlgItemText(IDC_INFO_H, Fixed4(r.dGridH));
    text.Format(L"%.2f", r.dDop);
    SetDlgItemText(IDC_INFO_PDOP, text);
    SetDlgItemText(IDC_INFO_STATUS, r.strStatus);
    text.Format(L"%d", r.nSatsUsed);
    SetDlgItemText(IDC_INFO_SATS, text);
    SetDlgItemText(IDC_INFO_VRMS, Fixed4(r.dVrms));
    SetDlgItemText(IDC_INFO_HRMS, Fixed4(r.dHrms));
    text.Format(L"%02d-%02d-%02d  %02d:%02d:%02d", r.nYear % 2000, r.nMonth, r.nDay, r.nHour,
                r.nMinute, static_cast<int>(r.dSecond));
    SetDlgItemText(IDC_INFO_TIME, text);
}
