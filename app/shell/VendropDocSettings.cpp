// The two settings of the job's .ini that the parameter menu edits: the
// rover's antenna height and the time zone.
#include <cmath>
#include <cwchar>

#include "app/InputRules.h"
#include "app/setup/RoverAntHeightDlg.h"
#include "app/setup/TimeZoneDlg.h"
#include "app/shell/VendropDoc.h"

// A slant height becomes the vertical one, kept to four decimals as the
// screens show it; one shorter than the antenna's radius has none, and
// then nothing is stored (the dialog refuses such a height).
void CVendropDoc::OnRoverAntennaHeight() {
    CRoverAntHeightDlg dlg;
    if (dlg.DoModal() != IDOK) return;
    const double h = dlg.m_szdSourceAntHgt;
    double vertical = h;
    if (dlg.m_nAntHgtType == 1) {
        const double reduced = SlantToVertical(h, m_dAntennaConst);
        if (std::isnan(reduced)) return;
        CString text;
        text.Format(L"%.4f", reduced);
        vertical = std::wcstod(text.GetString(), nullptr);
    }
    m_sysParams.nUseAntHgt = dlg.m_nUseAntHgt;
    m_sysParams.nAntHgtType = dlg.m_nAntHgtType;
    m_sysParams.szdSourceAntHgt = h;
    m_dPointAntHeight = m_sysParams.szdRoverAntH = vertical;
    (void)SaveSystemParams();  // a failure has had its box
}

void CVendropDoc::OnTimeZone() {
    CTimeZoneDlg dlg;
    if (dlg.DoModal() != IDOK) return;
    m_sysParams.nTimeZone = dlg.m_nTimeZone;
    (void)SaveSystemParams();  // a failure has had its box
}
