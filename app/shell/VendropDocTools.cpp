// The document's commands that only open a library, a stake-out screen or
// a tool: each constructs its dialog, runs it and lets it go; the dialogs
// do their own work.
#include "app/coordsys/CalcFourParamDlg.h"
#include "app/coordsys/CalcSevenParamDlg.h"
#include "app/coordsys/ParamWizardDlg.h"
#include "app/libraries/CoordLibDlg.h"
#include "app/libraries/LatLonCoordLibDlg.h"
#include "app/libraries/StakeLineLibDlg.h"
#include "app/libraries/StakePointLibDlg.h"
#include "app/postproc/PostProcWizardDlg.h"
#include "app/shell/VendropDoc.h"
#include "app/stakeout/LineStakeoutDlg.h"
#include "app/stakeout/StakeoutDlg.h"
#include "app/tools/AreaCalcDlg.h"
#include "app/tools/CoordConvertDlg.h"
#include "app/tools/DistIntersectDlg.h"
#include "app/tools/MapTransDlg.h"
#include "app/tools/SpaceDistanceDlg.h"

namespace {

template <class Dialog>
void Run() {
    Dialog dlg;
    dlg.DoModal();
}

}  // namespace

// The wizard's values are a new job's business: here it only shows them.
void CVendropDoc::OnParamWizard() {
    Run<CParamWizardDlg>();
}

void CVendropDoc::OnCoordLib() {
    CCoordLibDlg dlg;
    dlg.SetMode(2);
    dlg.DoModal();
}

void CVendropDoc::OnLatLonLib() {
    Run<CLatLonCoordLibDlg>();
}

void CVendropDoc::OnStakePointLib() {
    Run<CStakePointLibDlg>();
}

void CVendropDoc::OnStakeLineLib() {
    Run<CStakeLineLibDlg>();
}

void CVendropDoc::OnPointStakeout() {
    m_nStakeMode = 1;
    Run<CStakeoutDlg>();
}

void CVendropDoc::OnLineStakeout() {
    Run<CLineStakeoutDlg>();
}

void CVendropDoc::OnCalcFourParams() {
    Run<CCalcFourParamDlg>();
}

void CVendropDoc::OnCalcSevenParams() {
    Run<CCalcSevenParamDlg>();
}

void CVendropDoc::OnCoordConvert() {
    Run<CCoordConvertDlg>();
}

void CVendropDoc::OnSpaceDistance() {
    Run<CSpaceDistanceDlg>();
}

void CVendropDoc::OnAreaCalc() {
    Run<CAreaCalcDlg>();
}

void CVendropDoc::OnDistIntersect() {
    Run<CDistIntersectDlg>();
}

void CVendropDoc::OnMapTrans() {
    Run<CMapTransDlg>();
}

void CVendropDoc::OnPostProcWizard() {
    Run<CPostProcWizardDlg>();
}

void CVendropDoc::OnUpdateFileSave(CCmdUI* pCmdUI) {
    pCmdUI->Enable(FALSE);
}
