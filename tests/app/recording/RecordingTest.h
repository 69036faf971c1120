// The running program as a survey run uses it: a job written with chosen
// settings before the start, receiver epochs handed to the frame's
// recording, the state of the measurement commands as the command bar asks
// for it, and the job's data files read back.
#pragma once

#include <string>
#include <vector>

#include "app/recording/DataView.h"
#include "platform/serial/PortMap.h"
#include "res/resource.h"
#include "tests/app/ShellTest.h"

namespace shelltest {

class RecordingTest : public ShellTest {
  protected:
    void TearDown() override {
        ShellTest::TearDown();
        quorvel::ClearSerialPortMappings();
    }

    // A started program whose job has the default settings with `change`.
    CMainFrame* StartWith(void (*change)(SystemParams&)) {
        WriteDefaultJob(change);
        return StartAndSettle();
    }

    // The fix the receiver reported, handed to the recording as the
    // dispatcher does after a GGA, then the frame's queue, where the box of
    // a failed write waits until the epoch's handling is over.
    void Record(const SurveyRecord& fix) {
        Frame()->m_fix = fix;
        Frame()->RecordEpoch();
        Pump();
    }

    static CDataView* DataView() {
        return static_cast<CDataView*>(CWnd::FromHandle(Frame()->m_hDataView));
    }
};

// A fix at the default job's site with the grid values given; solution
// fixed, time 08:00:00 of 2012-06-05.
SurveyRecord MakeFix(double x, double y, int hour, int minute, double second);

}  // namespace shelltest
