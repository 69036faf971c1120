// CDiffAgeWatch: the status LEDs and the receiver's radio set-up, driven by
// the differential age of each position log.
//
// Fresh corrections (1 to 3 s) blink LED 0 on alternate logs; old ones (4 to
// 8 s) light LED 4; none light LED 4 and count. After 30 logs without
// corrections the 31st re-sends the radio port's set-up to the receiver
// ("com,com2,9600", the interface mode of the correction format,
// "saveconfig") and the count starts again; receivers of variant 1 are not
// re-configured, and their count stays at 30. Logs with fresh corrections
// do not reset the count.
#pragma once

#include "platform/base/WinTypes.h"
#include "receiver/ReceiverHost.h"

class CDiffAgeWatch {
  public:
    static constexpr int kMaxLogsWithout = 30;

    // After every position log: `age` is its differential age in whole
    // seconds (SurveyRecord::nAux).
    void OnCorrectionAge(int age, IReceiverHost& host);

    // The interface-mode line of a correction format (nRadioFormat 0..3);
    // any other value gives an empty line.
    static CString InterfaceModeLine(int radioFormat);

    BOOL m_bLedBlink = FALSE;
    int m_nNoDiffCount = 0;
};
