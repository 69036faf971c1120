// The layouts of esystem.sys, the job's .ini and the job's .par: each file
// is a table of keys in file order, so that writing and reading can never
// disagree on a key, its type or its place.
//
// A key's fallback is what a read stores when the key is absent; keys
// without one keep the field's value.
#include <cmath>
#include <span>

#include "app/settings/IniFile.h"
#include "platform/base/MessageBox.h"

namespace {

template <typename R>
struct IniField {
    LPCTSTR key;
    int R::*pInt = nullptr;
    double R::*pDouble = nullptr;
    CString R::*pString = nullptr;
    bool hasFallback = false;
    double fallbackNumber = 0.0;
    LPCTSTR fallbackText = L"";
};

template <typename R>
constexpr IniField<R> Int(LPCTSTR key, int R::*p) {
    return {key, p, nullptr, nullptr};
}
template <typename R>
constexpr IniField<R> Int(LPCTSTR key, int R::*p, int fallback) {
    return {key, p, nullptr, nullptr, true, static_cast<double>(fallback)};
}
template <typename R>
constexpr IniField<R> Dbl(LPCTSTR key, double R::*p) {
    return {key, nullptr, p, nullptr};
}
template <typename R>
constexpr IniField<R> Dbl(LPCTSTR key, double R::*p, double fallback) {
    return {key, nullptr, p, nullptr, true, fallback};
}
template <typename R>
constexpr IniField<R> Str(LPCTSTR key, CString R::*p) {
    return {key, nullptr, nullptr, p};
}
template <typename R>
constexpr IniField<R> Str(LPCTSTR key, CString R::*p, LPCTSTR fallback) {
    return {key, nullptr, nullptr, p, true, 0.0, fallback};
}

template <typename R>
struct IniTableSection {
    LPCTSTR name;
    std::span<const IniField<R>> fields;
};

using S = SystemParams;
using C = CoordSysParams;
using F = CSystemFileRecord;

const IniField<F> kSystemFileKeys[] = {
    Str(L"szIniFile", &F::szIniFile),
    Str(L"szDataFile", &F::szDataFile),
    Str(L"szLastSaveName", &F::szLastSaveName),
};

// "SoundBandrate" falls back to the default baud rate; the key of
// nCollectStatus is "szCollectStatus" for compatibility with older files.
const IniField<S> kSystemParamKeys[] = {
    Int(L"Port", &S::Port, 1),
    Int(L"SoundPort", &S::SoundPort, 1),
    Int(L"SoundType", &S::SoundType, 0),
    Int(L"SoundBandrate", &S::SoundBandrate, 9600),
    Int(L"SoundUse", &S::SoundUse, 0),
    Dbl(L"ScreenStartx", &S::ScreenStartx),
    Dbl(L"ScreenStarty", &S::ScreenStarty),
    Dbl(L"ScreenScale", &S::ScreenScale),
    Int(L"nFixLevel", &S::nFixLevel),
    Int(L"nRadioFormat", &S::nRadioFormat),
    Dbl(L"dRmshLimit", &S::dRmshLimit),
    Dbl(L"dRmsvLimit", &S::dRmsvLimit),
    Int(L"nGAngle", &S::nGAngle),
    Int(L"nUseAntHgt", &S::nUseAntHgt),
    Dbl(L"szdRoverAntH", &S::szdRoverAntH),
    Int(L"nSaveType", &S::nSaveType),
    Int(L"nAutoSaveTime", &S::nAutoSaveTime),
    Int(L"nSmoothSecond", &S::nSmoothSecond),
    Dbl(L"szdAutoSaveDis", &S::szdAutoSaveDis),
    Int(L"nShowSurveyPoint", &S::nShowSurveyPoint),
    Int(L"nAsCondition", &S::nAsCondition),
    Int(L"nAntHgtType", &S::nAntHgtType),
    Dbl(L"szdSourceAntHgt", &S::szdSourceAntHgt),
    Int(L"GSMMODE", &S::GSMMODE, 0),
    Int(L"GSMSendTimeInterval", &S::GSMSendTimeInterval, 5),
    Dbl(L"GSMSendDisInterval", &S::GSMSendDisInterval, 1000.0),
    Int(L"nLinkMode", &S::nLinkMode, 1),
    Int(L"nWorkMode", &S::nWorkMode, 0),
    Int(L"nAdjustAntType", &S::nAdjustAntType, 0),
    Int(L"nPlaneNihe", &S::nPlaneNihe, 1),
    Int(L"nCurveNihe", &S::nCurveNihe, 1),
    Int(L"nDisplayType", &S::nDisplayType, 1),
    Int(L"CodeSaveType", &S::CodeSaveType, 0),
    Int(L"nTimeZone", &S::nTimeZone, 8),
    Str(L"szSFName", &S::szSFName, L"LN"),
    Int(L"nSFStartID", &S::nSFStartID, 0),
    Int(L"nSFNameMode", &S::nSFNameMode, 0),
    Int(L"szCollectStatus", &S::nCollectStatus, 0),
    Int(L"nCollectMode", &S::nCollectMode, 0),
    Dbl(L"dCollectTime", &S::dCollectTime, 3.0),
    Dbl(L"dCollectDis", &S::dCollectDis, 5.0),
    Dbl(L"dDeepInterTime", &S::dDeepInterTime, 5.0),
    Int(L"nComMode", &S::nComMode, 0),
    Int(L"nInputCom", &S::nInputCom, 7),
};

const IniField<C> kProjectionKeys[] = {
    Int(L"nCoord", &C::nCoord),
    Int(L"nTouYin", &C::nTouYin),
    Int(L"nDifang", &C::nDifang),
    Int(L"nSevenPar", &C::nSevenPar),
    Dbl(L"szdCenter", &C::szdCenter),
    Int(L"szlTx", &C::szlTx),
    Int(L"szlTy", &C::szlTy),
    Dbl(L"szdTk", &C::szdTk),
    Dbl(L"szdTlon", &C::szdTlon),
    Dbl(L"szdTHigh", &C::szdTHigh),
    Dbl(L"szdDa", &C::szdDa),
    Dbl(L"szdDf", &C::szdDf),
    Dbl(L"ProjectLat", &C::ProjectLat, 0.0),
};

const IniField<C> kSevenParamKeys[] = {
    Dbl(L"szddx", &C::szddx), Dbl(L"szddy", &C::szddy), Dbl(L"szddz", &C::szddz),
    Dbl(L"szdWx", &C::szdWx), Dbl(L"szdWy", &C::szdWy), Dbl(L"szdWz", &C::szdWz),
    Dbl(L"szddK", &C::szddK),
};

const IniField<C> kFourParamKeys[] = {
    Dbl(L"szdCx1", &C::szdCx1),       Dbl(L"szdCy1", &C::szdCy1),
    Dbl(L"szdCa1", &C::szdCa1),       Dbl(L"szdCk1", &C::szdCk1),
    Int(L"nNiheMode", &C::nNiheMode), Dbl(L"szdNiheA0", &C::szdNiheA0),
    Dbl(L"szdNiheA1", &C::szdNiheA1), Dbl(L"szdNiheA2", &C::szdNiheA2),
    Dbl(L"szdNiheA3", &C::szdNiheA3), Dbl(L"szdNiheA4", &C::szdNiheA4),
    Dbl(L"szdNiheA5", &C::szdNiheA5), Dbl(L"szdNiheX0", &C::szdNiheX0),
    Dbl(L"szdNiheY0", &C::szdNiheY0), Str(L"szConF", &C::szConF),
};

const IniField<C> kBaseKeys[] = {
    Dbl(L"szdBaseLat", &C::szdBaseLat),
    Dbl(L"szdBaseLon", &C::szdBaseLon),
    Dbl(L"szdBaseHgt", &C::szdBaseHgt),
    Dbl(L"szdBaseX", &C::szdBaseX),
    Dbl(L"szdBaseY", &C::szdBaseY),
    Dbl(L"szdBaseH", &C::szdBaseH),
    Int(L"UseNum", &C::UseNum),
    Dbl(L"szdCorrectionX", &C::szdCorrectionX),
    Dbl(L"szdCorrectionY", &C::szdCorrectionY),
    Dbl(L"szdCorrectionH", &C::szdCorrectionH),
};

const IniField<C> kSourceKeys[] = {
    Dbl(L"szdSx0", &C::szdSx0), Dbl(L"szdSy0", &C::szdSy0), Dbl(L"szdSh0", &C::szdSh0),
    Dbl(L"szdSx1", &C::szdSx1), Dbl(L"szdSy1", &C::szdSy1), Dbl(L"szdSh1", &C::szdSh1),
    Dbl(L"szdSx2", &C::szdSx2), Dbl(L"szdSy2", &C::szdSy2), Dbl(L"szdSh2", &C::szdSh2),
    Dbl(L"szdSx3", &C::szdSx3), Dbl(L"szdSy3", &C::szdSy3), Dbl(L"szdSh3", &C::szdSh3),
    Dbl(L"szdSx4", &C::szdSx4), Dbl(L"szdSy4", &C::szdSy4), Dbl(L"szdSh4", &C::szdSh4),
};

const IniTableSection<F> kSystemFileLayout[] = {{L"System", kSystemFileKeys}};
const IniTableSection<S> kSystemParamLayout[] = {{L"System Par", kSystemParamKeys}};
const IniTableSection<C> kCoordParamLayout[] = {
    {L"TouYin Par", kProjectionKeys}, {L"Seven Par", kSevenParamKeys},
    {L"Four Par", kFourParamKeys},    {L"Base Coordinate", kBaseKeys},
    {L"szdSourceC", kSourceKeys},
};

}  // namespace

namespace {

template <typename R>
void WriteFields(CIniFile& ini, const R& record, std::span<const IniField<R>> fields) {
    for (const IniField<R>& field : fields) {
        if (field.pInt != nullptr) {
            ini.WriteInt(field.key, record.*field.pInt);
        } else if (field.pDouble != nullptr) {
            ini.WriteDouble(field.key, record.*field.pDouble);
        } else {
            ini.WriteString(field.key, record.*field.pString);
        }
    }
}

// Later sections are set apart by one empty line.
template <typename R>
void WriteLayout(CIniFile& ini, const R& record, std::span<const IniTableSection<R>> layout) {
    for (size_t i = 0; i < layout.size(); ++i) {
        if (i > 0) ini.WriteLine(L"\r\n");
        ini.WriteLine(CString(L"[") + layout[i].name + L"]\r\n");
        WriteFields(ini, record, layout[i].fields);
    }
}

template <typename R>
void ReadField(const CIniFile& ini, LPCTSTR section, const IniField<R>& field, R& record) {
    if (field.pInt != nullptr) {
        if (!ini.GetInt(section, field.key, &(record.*field.pInt)) && field.hasFallback) {
            record.*field.pInt = static_cast<int>(field.fallbackNumber);
        }
    } else if (field.pDouble != nullptr) {
        if (!ini.GetDouble(section, field.key, &(record.*field.pDouble)) && field.hasFallback) {
            record.*field.pDouble = field.fallbackNumber;
        }
    } else {
        if (!ini.GetString(section, field.key, &(record.*field.pString)) && field.hasFallback) {
            record.*field.pString = field.fallbackText;
        }
    }
}

template <typename R>
void ReadLayout(const CIniFile& ini, R& record, std::span<const IniTableSection<R>> layout) {
    for (const IniTableSection<R>& section : layout) {
        for (const IniField<R>& field : section.fields) ReadField(ini, section.name, field, record);
    }
}

// A number read as "nan" or "inf" is no setting: the field keeps what it
// held before the read (the default its reader filled in).
template <typename R>
void KeepFiniteNumbers(R& record, const R& before, std::span<const IniTableSection<R>> layout) {
    for (const IniTableSection<R>& section : layout) {
        for (const IniField<R>& field : section.fields) {
            if (field.pDouble == nullptr || std::isfinite(record.*field.pDouble)) continue;
            const double kept = before.*field.pDouble;
            record.*field.pDouble = std::isfinite(kept) ? kept : 0.0;
        }
    }
}

// Older receivers' port numbers map onto the current choices.
int ConvertStoredPort(int port) {
    if (port == 5) return 0;
    if (port == 3) return 1;
    return port;
}

}  // namespace

BOOL CIniFile::WriteSystemFile(const CString& folder, const CString& fileName,
                               const CSystemFileRecord& record) {
    if (!BeginWrite(folder + fileName)) return FALSE;
    WriteLine(L"\r\n");
    WriteLayout<F>(*this, record, kSystemFileLayout);
    return EndWrite();
}

BOOL CIniFile::WriteSystemParams(const CString& folder, const CString& fileName,
                                 const SystemParams& params) {
    if (!BeginWrite(folder + fileName)) return FALSE;
    WriteLine(params.szTitle + L"\r\n\r\n");
    WriteLayout<S>(*this, params, kSystemParamLayout);
    return EndWrite();
}

BOOL CIniFile::WriteCoordParams(const CString& folder, const CString& fileName,
                                const CoordSysParams& params) {
    if (!BeginWrite(folder + fileName)) return FALSE;
    WriteLine(params.szTitle + L"\r\n\r\n");
    WriteLayout<C>(*this, params, kCoordParamLayout);
    return EndWrite();
}

BOOL CIniFile::ReadSystemFile(const CString& folder, const CString& fileName,
                              CSystemFileRecord* pRecord) {
    if (!Load(folder + fileName, CFile::modeRead)) {
        AfxMessageBox(L"Read Sys file failed!", MB_OK);
        return FALSE;
    }
    ReadLayout<F>(*this, *pRecord, kSystemFileLayout);
    m_sections.clear();
    return TRUE;
}

BOOL CIniFile::ReadSystemParams(const CString& folder, const CString& fileName,
                                SystemParams* pParams) {
    if (!Load(folder + fileName, CFile::modeRead)) {
        AfxMessageBox(L"Read Status Par file failed!", MB_OK);
        return FALSE;
    }
    const SystemParams before = *pParams;
    ReadLayout<S>(*this, *pParams, kSystemParamLayout);
    KeepFiniteNumbers<S>(*pParams, before, kSystemParamLayout);
    pParams->Port = ConvertStoredPort(pParams->Port);
    m_sections.clear();
    return TRUE;
}

BOOL CIniFile::ReadCoordParams(const CString& folder, const CString& fileName,
                               CoordSysParams* pParams) {
    if (!Load(folder + fileName, CFile::modeRead)) {
        AfxMessageBox(L"Read Par file failed!", MB_OK);
        return FALSE;
    }
    ReadLayout<C>(*this, *pParams, kCoordParamLayout);
    m_sections.clear();
    return TRUE;
}

BOOL CIniFile::IsUsableCoordParams(const CoordSysParams& params) {
    for (const IniTableSection<C>& section : kCoordParamLayout) {
        for (const IniField<C>& field : section.fields) {
            if (field.pDouble != nullptr && !std::isfinite(params.*field.pDouble)) return FALSE;
        }
    }
    if (!(params.szdDa > 0.0) || !(params.szdDf > 0.0) || !(params.szdTk > 0.0)) return FALSE;
    // The plane adjustment's scale counts only where the adjustment is used.
    if (params.nDifang != 0 && !(params.szdCk1 > 0.0)) return FALSE;
    return TRUE;
}
