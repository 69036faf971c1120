// Start-up's job: esystem.sys names the current job (or the default job is
// made), the job's folders and settings files are found or created and the
// document takes the job's state over.
// Each file error shows its box and the start-up goes on.
#include "app/DeviceFiles.h"
#include "app/shell/VendropApp.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

namespace {

void ShowInformation(UINT textId) {
    AfxMessageBox(textId, MB_OK | MB_ICONINFORMATION);
}

// esystem.sys: read it, or make the default job and write it. A record
// that could not be read, or whose settings path names no folder, gives
// way to the default job, so that no path is derived from empty text.
void OpenSystemFile(CVendropDoc& doc) {
    const CString root = doc.m_strProgramRoot + L"\\";
    if (DevicePathExists(root + L"esystem.sys")) {
        if (!doc.m_iniFile.ReadSystemFile(root, L"esystem.sys", &doc.m_sysFile) ||
            doc.m_sysFile.szIniFile.Find(L'\\') < 0) {
            ShowInformation(IDS_STRING61404);
            doc.SetDefaultJob();
        }
        return;
    }
    doc.SetDefaultJob();
    const CSystemFileRecord copy = doc.m_sysFile;
    if (!doc.m_iniFile.WriteSystemFile(root, L"esystem.sys", copy))
        ShowInformation(IDS_STRING61403);
}

void OpenSettingsFile(CVendropDoc& doc) {
    if (!DevicePathExists(doc.m_strJobDir + doc.m_strIniName)) {
        doc.SetDefaultIniRecord();
        const SystemParams copy = doc.m_sysParams;
        if (!doc.m_iniFile.WriteSystemParams(doc.m_strJobDir, doc.m_strIniName, copy))
            ShowInformation(IDS_STRING61405);
    } else if (!doc.ReadIniRecord(doc.m_strJobDir, doc.m_strIniName)) {
        // The program runs on the default job's values, never on zeros.
        doc.SetDefaultIniRecord();
        ShowInformation(IDS_STRING61406);
    }
}

void OpenParameterFile(CVendropDoc& doc) {
    if (!DevicePathExists(doc.m_strJobDir + doc.m_strParName)) {
        doc.SetDefaultParRecord();
        const CoordSysParams copy = doc.m_coordParams;
        if (!doc.m_iniFile.WriteCoordParams(doc.m_strJobDir, doc.m_strParName, copy))
            ShowInformation(IDS_STRING61264);
    } else if (!doc.ReadParRecord(doc.m_strJobDir, doc.m_strParName)) {
        doc.SetDefaultParRecord();
        ShowInformation(IDS_STRING61407);
    }
}

}  // namespace

void CVendropApp::OpenCurrentJob(CVendropDoc& doc) {
    OpenSystemFile(doc);
    doc.DeriveJobPaths();
    CreateFolderIfAbsent(doc.m_strProgramRoot + L"\\Jobs");
    CreateFolderIfAbsent(doc.m_strJobDir);
    CreateFolderIfAbsent(doc.m_strDataDir);
    CreateFolderIfAbsent(doc.m_strResultDir);
    OpenSettingsFile(doc);
    OpenParameterFile(doc);
    // The engine starts at zero: it converts with the job's parameters
    // only once they are loaded into it.
    doc.LoadCoordTransform();
}

void CVendropApp::RestoreJobState(CVendropDoc& doc) {
    doc.ApplyBaseCoordinates(doc.m_coordParams);

    const SystemParams& params = doc.m_sysParams;
    doc.m_dPointAntHeight = params.szdRoverAntH;
    doc.m_strPointName = doc.m_sysFile.szLastSaveName;
    doc.m_strNextPointName = doc.m_sysFile.szLastSaveName;
    doc.AdvancePointName();

    doc.m_nStoreType = params.nSaveType;
    doc.m_nAutoTime = params.nAutoSaveTime;
    doc.m_dAutoDistance = params.szdAutoSaveDis;
    doc.m_nSmoothEpochs = params.nSmoothSecond;
    doc.m_nStoreKind = doc.m_nStoreType + 1;
    switch (doc.m_nStoreType) {
        case 2:
            doc.m_nStoreKind = 3;
            doc.m_bSmoothStore = 1;
            doc.m_nSmoothCount = doc.m_nSmoothEpochs;
            break;
        case 3:
            doc.m_nStoreKind = 4;
            doc.m_nAutoKind = 1;
            doc.m_nAutoInterval = doc.m_nAutoTime;
            doc.m_nAutoCollectInterval = doc.m_nAutoTime;
            break;
        case 4:
            doc.m_nStoreKind = 4;
            doc.m_nAutoKind = 2;
            doc.m_nAutoInterval = static_cast<int>(doc.m_dAutoDistance);
            break;
        default:
            break;
    }
}
