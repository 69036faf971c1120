// The document's job records: the default job, the point-name advance, the
// job paths, the record writers and the engine loaded from the job's
// coordinate parameters.
#include <limits>
#include <utility>

#include "app/settings/DefaultRecords.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

namespace {

// A decimal digit string without leading zeros, plus one, as text: names
// may end in more digits than any integer holds.
CString IncrementDigits(const CString& digits) {
    CString text = digits;
    text.TrimLeft(L'0');
    std::wstring value(text.GetString());
    int i = static_cast<int>(value.size()) - 1;
    while (i >= 0 && value[static_cast<size_t>(i)] == L'9') value[static_cast<size_t>(i--)] = L'0';
    if (i < 0)
        value.insert(value.begin(), L'1');
    else
        ++value[static_cast<size_t>(i)];
    return CString(value.c_str());
}

}  // namespace

void CVendropDoc::SetDefaultJob() {
    m_sysFile.szIniFile.Format(L"%s\\Jobs\\ruvo\\ruvo.ini", m_strProgramRoot.GetString());
    m_sysFile.szDataFile = L"ruvo.dat";
    m_sysFile.szLastSaveName = L"PT";
}

void CVendropDoc::AdvancePointName() {
    if (!AdvancePointNameUntold()) AfxMessageBox(IDS_STRING61618, MB_OK | MB_ICONINFORMATION);
}

BOOL CVendropDoc::AdvancePointNameUntold() {
    m_sysFile.szLastSaveName = m_strNextPointName;
    const BOOL saved = WriteSystemFile();
    const int length = m_strNextPointName.GetLength();
    int digits = 0;
    while (digits < length) {
        const wchar_t c = m_strNextPointName[length - 1 - digits];
        if (c < L'0' || c > L'9') break;
        ++digits;
    }
    if (digits == 0) {
        m_strNextPointName += L"1";
        return saved;
    }
    m_strNextPointName = m_strNextPointName.Left(length - digits) +
                         IncrementDigits(m_strNextPointName.Right(digits));
    return saved;
}

void CVendropDoc::DeriveJobPaths() {
    const CString& ini = m_sysFile.szIniFile;
    const int slash = ini.ReverseFind(L'\\');
    SetJobFiles(ini.Left(slash + 1), ini.Mid(slash + 1));
    m_strDataFile = m_sysFile.szDataFile;
}

BOOL CVendropDoc::WriteSystemFile() {
    const CSystemFileRecord copy = m_sysFile;
    return m_iniFile.WriteSystemFile(m_strProgramRoot + L"\\", L"esystem.sys", copy) ? TRUE : FALSE;
}

BOOL CVendropDoc::SaveSystemFile() {
    if (WriteSystemFile()) return TRUE;
    AfxMessageBox(IDS_STRING61618, MB_OK | MB_ICONINFORMATION);
    return FALSE;
}

BOOL CVendropDoc::SaveSystemParams() {
    const SystemParams copy = m_sysParams;
    if (m_iniFile.WriteSystemParams(m_strJobDir, m_strIniName, copy)) return TRUE;
    AfxMessageBox(IDS_STRING61423, MB_OK | MB_ICONINFORMATION);
    return FALSE;
}

BOOL CVendropDoc::SaveCoordParams() {
    if (WriteCoordParams()) return TRUE;
    AfxMessageBox(IDS_STRING61441, MB_OK | MB_ICONINFORMATION);
    return FALSE;
}

BOOL CVendropDoc::WriteCoordParams() {
    const CoordSysParams copy = m_coordParams;
    return m_iniFile.WriteCoordParams(m_strJobDir, m_strParName, copy);
}

void CVendropDoc::SetDefaultIniRecord() {
    FillDefaultIniRecord(m_sysParams, m_strSoftwareDate);
}

void CVendropDoc::SetDefaultParRecord() {
    FillDefaultParRecord(m_coordParams, m_strSoftwareDate);
}

BOOL CVendropDoc::ReadIniRecord(const CString& folder, const CString& fileName) {
    const SystemParams before = m_sysParams;
    SetDefaultIniRecord();
    if (m_iniFile.ReadSystemParams(folder, fileName, &m_sysParams)) return TRUE;
    m_sysParams = before;
    return FALSE;
}

// The ellipsoid and the projection's scale must come from the file: a .par
// without them (garbage, no sections) holds no parameters of its own, and
// the defaults that stand in are said to do so.
BOOL CVendropDoc::ReadParRecord(const CString& folder, const CString& fileName) {
    const CoordSysParams before = m_coordParams;
    SetDefaultParRecord();
    m_coordParams.szdDa = m_coordParams.szdDf = m_coordParams.szdTk =
        std::numeric_limits<double>::quiet_NaN();
    if (!m_iniFile.ReadCoordParams(folder, fileName, &m_coordParams)) {
        m_coordParams = before;
        return FALSE;
    }
    if (!CIniFile::IsUsableCoordParams(m_coordParams)) {
        SetDefaultParRecord();
        AfxMessageBox(L"工程参数文件有误,已使用缺省参数,请检查!", MB_OK | MB_ICONINFORMATION);
    }
    return TRUE;
}

void CVendropDoc::LoadCoordTransform() {
    const CoordSysParams& p = m_coordParams;
    m_coordTransform.SetEllipsoid(p.szdDa, p.szdDf, p.szdTHigh);
    m_coordTransform.SetProjection(p.szlTx, p.szlTy, p.szdCenter, p.szdTk, p.szdTlon, p.szdTHigh);
    m_coordTransform.SetFourParams(p.szdCx1, p.szdCy1, p.szdCa1, p.szdCk1);
    m_coordTransform.SetSevenParams(p.szddx, p.szddy, p.szddz, p.szdWx, p.szdWy, p.szdWz, p.szddK);
    m_coordTransform.SetHeightFitParams(p.szdNiheA0, p.szdNiheA1, p.szdNiheA2, p.szdNiheA3,
                                        p.szdNiheA4, p.szdNiheA5, p.szdNiheX0, p.szdNiheY0);
}
