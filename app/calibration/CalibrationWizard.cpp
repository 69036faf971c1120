// Command 32835 "校正向导": the mode, then the pages of the mode one after
// the other while each is left with its next button, then the finish.
#include "app/calibration/BaseKnownWizardDlg.h"
#include "app/calibration/BaseUnknownWizardDlg.h"
#include "app/calibration/CalibModeDlg.h"
#include "app/calibration/Calibration.h"
#include "app/shell/VendropDoc.h"

namespace {

// TRUE when a page was confirmed with its correct button, or the last page
// at all: the finish runs. Any other ending of a page ends the command.
template <class Page1, class Page2, class Page3>
bool RunPages(const CVendropDoc& doc) {
    Page1 page1;
    if (page1.DoModal() != IDOK) return false;
    if (!doc.m_bCalibNextStep) return true;
    Page2 page2;
    if (page2.DoModal() != IDOK) return false;
    if (!doc.m_bCalibNextStep) return true;
    Page3 page3;
    return page3.DoModal() == IDOK;
}

}  // namespace

void RunCalibrationWizard(CVendropDoc& doc) {
    doc.m_bCalibParFailureTold = 0;
    CCalibModeDlg mode;
    if (mode.DoModal() != IDOK) return;
    if (mode.m_nMode == 0) {
        if (RunPages<CBaseKnownWizard1Dlg, CBaseKnownWizard2Dlg, CBaseKnownWizard3Dlg>(doc))
            CalibrateOnKnownPoint(doc);
    } else if (mode.m_nMode == 1) {
        if (RunPages<CBaseUnknownWizard1Dlg, CBaseUnknownWizard2Dlg, CBaseUnknownWizard3Dlg>(doc))
            CalibrateOnUnknownPoint(doc);
    }
}

// A page's write and the finish's meet the same full store or missing
// folder: one box says it, and only a write that goes through in between
// makes a later failure news again.
void SaveCalibrationParams(CVendropDoc& doc) {
    if (!doc.m_bCalibParFailureTold) {
        if (!doc.SaveCoordParams()) doc.m_bCalibParFailureTold = 1;
    } else if (doc.WriteCoordParams()) {
        doc.m_bCalibParFailureTold = 0;
    }
}

void CVendropDoc::OnCalibrationWizard() {
    RunCalibrationWizard(*this);
    m_bStatusInChinese = 1;
}
