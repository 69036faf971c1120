#include "receiver/DiffAgeWatch.h"

CString CDiffAgeWatch::InterfaceModeLine(int radioFormat) {
    switch (radioFormat) {
        case 0:
            return L"interfacemode,com2,rtca,novatel\r\n";
        case 1:
            return L"interfacemode,com2,rtcm,novatel\r\n";
        case 2:
            return L"interfacemode,com2,cmr,novatel\r\n";
        case 3:
            return L"interfacemode,com2,rtcmv3,novatel\r\n";
        default:
            return CString();
    }
}

void CDiffAgeWatch::OnCorrectionAge(int age, IReceiverHost& host) {
    if (age >= 1 && age <= 3) {
        host.SetDeviceLed(0, m_bLedBlink);
        host.SetDeviceLed(4, 0);
        m_bLedBlink = !m_bLedBlink;
        host.SetDiffAlive(TRUE);
        return;
    }
    if (age >= 4 && age <= 8) {
        host.SetDeviceLed(4, 1);
        host.SetDiffAlive(TRUE);
        return;
    }
    host.SetDeviceLed(0, 0);
    host.SetDeviceLed(4, 1);
    host.SetDiffAlive(FALSE);
    if (m_nNoDiffCount < kMaxLogsWithout) {
        ++m_nNoDiffCount;
        return;
    }
    if (host.ReceiverVariant() != 0) return;
    host.SendReceiverLine(L"com,com2,9600\r\n");
    host.SendReceiverLine(InterfaceModeLine(host.RadioFormat()));
    host.SendReceiverLine(L"saveconfig\r\n");
    m_nNoDiffCount = 0;
}
