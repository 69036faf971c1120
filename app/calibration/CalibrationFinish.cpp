// The two finishes of the calibration wizard and their shared steps.
#include "app/DeviceFiles.h"
#include "app/calibration/CalibMessages.h"
#include "app/calibration/CalibWizardPromptDlg.h"
#include "app/calibration/Calibration.h"
#include "app/coordsys/CoordSysUi.h"
#include "app/shell/VendropDoc.h"
#include "pointdata/AppendFile.h"

namespace {

constexpr int kFixedSolution = 10;

HWND MainWindow() {
    CWnd* main = AfxGetMainWnd();
    return main != nullptr ? main->GetSafeHwnd() : nullptr;
}

// Packed ddd.mmss of an angle in degrees, ten decimals.
CString PackedText(double degrees) {
    CString text;
    text.Format(L"%.10f", coordsys::DegreesToPacked(degrees));
    return text;
}

// One line for each finished calibration, in the job's result folder. A
// file that cannot be written is reported and the calibration goes on.
void AppendCalibrationRecord(const CVendropDoc& doc) {
    const SurveyRecord& fix = doc.m_curFix;
    CString line;
    line.Format(L"adjust,%s,%s,%.3f,00000000", PackedText(fix.dLat), PackedText(fix.dLon),
                fix.dHeight);
    if (!CAppendFile::AppendLineTo(doc.m_strResultDir + L"adjustcoord.RTK", line))
        AfxMessageBox(calib_text::kRecordNotCreated, MB_OK | MB_ICONINFORMATION);
}

// The prompt, the fix taken, the question for a fix that is not fixed and
// the record line. FALSE when the user stopped the calibration.
BOOL ConfirmCalibration(CVendropDoc& doc, const wchar_t* modeText) {
    CCalibWizardPromptDlg prompt;
    prompt.m_strMode = modeText;
    if (prompt.DoModal() != IDOK) return FALSE;
    doc.m_calibPoint.dX = doc.m_curFix.dProjX;
    doc.m_calibPoint.dY = doc.m_curFix.dProjY;
    doc.m_calibPoint.dH = doc.m_curFix.dProjH;
    if (doc.m_curFix.nSolution != kFixedSolution &&
        MessageBox(MainWindow(), calib_text::kNotFixed, calib_text::kInfoCaption,
                   MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return FALSE;
    }
    AppendCalibrationRecord(doc);
    return TRUE;
}

}  // namespace

void CalibrateOnKnownPoint(CVendropDoc& doc) {
    PlayAlarm();
    if (!ConfirmCalibration(doc, calib_text::kModeKnown)) return;
    if (doc.m_coordParams.nDifang != 0) {
        UpdateCalibSourcePoints(doc);
    } else if (doc.m_nCalibPointCount > 1) {
        UpdateCalibSourcePoints(doc);
        SolveCalibFourParams(doc, FALSE);
    }
    ComputeCorrectionKnownBase(doc);
    doc.LoadCoordTransform();
}

void CalibrateOnUnknownPoint(CVendropDoc& doc) {
    PlayAlarm();
    if (doc.m_nCalibPointCount < 2) {
        AfxMessageBox(calib_text::kCountTooSmall);
        return;
    }
    if (!ConfirmCalibration(doc, calib_text::kModeUnknown)) return;
    if (doc.m_coordParams.nDifang == 0) {
        UpdateCalibSourcePoints(doc);
        if (doc.m_nCalibPointCount > 2) SolveCalibFourParams(doc, TRUE);
    } else {
        UpdateCalibSourcePoints(doc);
    }
    ComputeCorrectionUnknownBase(doc);
    doc.LoadCoordTransform();
}
