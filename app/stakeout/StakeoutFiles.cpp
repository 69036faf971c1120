#include "app/stakeout/StakeoutFiles.h"

#include <cwchar>
#include <string>

#include "app/DeviceFiles.h"
#include "app/InputRules.h"
#include "app/screens/ScreenPoints.h"
#include "app/settings/KeyValueFile.h"
#include "platform/base/TextConv.h"
#include "pointdata/AppendFile.h"
#include "pointdata/LibraryFiles.h"
#include "pointdata/StoredLines.h"

namespace stakeout {
namespace {

CString Joined(const CString& folder, LPCTSTR name) {
    CString path = folder;
    if (!path.IsEmpty() && path[path.GetLength() - 1] == L'\\')
        path = path.Left(path.GetLength() - 1);
    return path + L"\\" + name;
}

CString Trimmed(CString text) {
    text.Trim();
    return text;
}

}  // namespace

CString PointSettingsPath(const CString& jobDir) {
    return Joined(jobDir, L"ptlayauto");
}

CString LineSettingsPath(const CString& jobDir) {
    return Joined(jobDir, L"lnlayauto");
}

BOOL SavePointSettings(const CString& path, const PointSettings& s) {
    CKeyValueFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite)) return FALSE;
    file.WriteInt(L"ShowAllLayoutPoint", s.showAllLayoutPoint);
    file.WriteInt(L"ShowRecordLayoutPoint", s.showRecordLayoutPoint);
    file.WriteInt(L"SoundPrompt", s.soundPrompt);
    file.WriteDouble(L"MinLayoutPrompt", s.minLayoutPrompt);
    file.WriteDouble(L"MaxLayoutPrompt", s.maxLayoutPrompt);
    file.WriteString(L"CurLayoutFileName", s.curLayoutFileName);
    file.WriteInt(L"ShowSurveyPoint", s.showSurveyPoint);
    return file.Close();
}

void LoadPointSettings(const CString& path, PointSettings& s) {
    CKeyValueFile file;
    if (!file.Load(path, CFile::modeRead)) return;
    // The typed readers store 0 for an absent key; this file keeps the
    // field instead.
    int i = 0;
    double d = 0.0;
    if (file.ReadInt(L"ShowAllLayoutPoint", &i)) s.showAllLayoutPoint = i;
    if (file.ReadInt(L"ShowRecordLayoutPoint", &i)) s.showRecordLayoutPoint = i;
    if (file.ReadInt(L"SoundPrompt", &i)) s.soundPrompt = i;
    if (file.ReadDouble(L"MinLayoutPrompt", &d)) s.minLayoutPrompt = d;
    if (file.ReadDouble(L"MaxLayoutPrompt", &d)) s.maxLayoutPrompt = d;
    file.ReadString(L"CurLayoutFileName", &s.curLayoutFileName);
    if (file.ReadInt(L"ShowSurveyPoint", &i)) s.showSurveyPoint = i;
}

BOOL SaveLineSettings(const CString& path, const LineSettings& s) {
    CKeyValueFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite)) return FALSE;
    file.WriteInt(L"ShowAllLayoutLine", s.showAllLayoutLine);
    file.WriteInt(L"ShowRecordLayoutPoint", s.showRecordLayoutPoint);
    file.WriteInt(L"ShowPlumb", s.showPlumb);
    file.WriteInt(L"SoundPrompt", s.soundPrompt);
    file.WriteDouble(L"MinPrompt", s.minPrompt);
    file.WriteDouble(L"MaxPrompt", s.maxPrompt);
    file.WriteString(L"CurLayoutFileName", s.curLayoutFileName);
    file.WriteInt(L"ShowSurveyPoint", s.showSurveyPoint);
    file.WriteInt(L"IntMilPrompt", s.intMilPrompt);
    file.WriteDouble(L"dIntMileage", s.intMileage);
    return file.Close();
}

void LoadLineSettings(const CString& path, LineSettings& s) {
    CKeyValueFile file;
    if (!file.Load(path, CFile::modeRead)) return;
    file.ReadInt(L"ShowAllLayoutLine", &s.showAllLayoutLine);
    file.ReadInt(L"ShowRecordLayoutPoint", &s.showRecordLayoutPoint);
    file.ReadInt(L"ShowPlumb", &s.showPlumb);
    file.ReadInt(L"SoundPrompt", &s.soundPrompt);
    file.ReadDouble(L"MinPrompt", &s.minPrompt);
    file.ReadDouble(L"MaxPrompt", &s.maxPrompt);
    file.ReadString(L"CurLayoutFileName", &s.curLayoutFileName);
    file.ReadInt(L"ShowSurveyPoint", &s.showSurveyPoint);
    file.ReadInt(L"IntMilPrompt", &s.intMilPrompt);
    file.ReadDouble(L"dIntMileage", &s.intMileage);
}

CString CountText(int showSurveyPoint) {
    if (showSurveyPoint == -1) return L"全部";
    CString text;
    text.Format(L"%d", showSurveyPoint);
    return text;
}

int CountFromText(const CString& text) {
    if (text == CString(L"全部")) return -1;
    const long v = std::wcstol(text.GetString(), nullptr, 10);
    if (v > 1000000000L || v < -1000000000L) return 0;
    return static_cast<int>(v);
}

CString RecordPathFor(const CString& libraryPath, LPCTSTR ext) {
    if (libraryPath.GetLength() < 3) return CString();
    CString path = libraryPath.Left(libraryPath.GetLength() - 3) + ext;
    if (path.CompareNoCase(libraryPath) == 0) return CString();
    return path;
}

CString FormatRecordLine(const PointRecord& p) {
    CString line;
    line.Format(L"%s,%.4f,%.4f,%.4f,%s\r\n", p.strName.GetString(), p.dX, p.dY, p.dH,
                p.strCode.GetString());
    return line;
}

BOOL AppendRecord(const CString& recordPath, const PointRecord& p) {
    if (recordPath.IsEmpty()) return FALSE;
    CString line = FormatRecordLine(p);
    line = line.Left(line.GetLength() - 2);  // the file adds CR LF
    return CAppendFile::AppendLineTo(recordPath, line);
}

std::vector<CString> ReadTextLines(const CString& path) {
    std::vector<CString> lines;
    std::string bytes;
    if (path.IsEmpty() || !ReadWholeDeviceFile(path, bytes)) return lines;
    for (CString& line : SplitStoredLines(quorvel::FromGbk(bytes.data(), bytes.size()))) {
        line.Trim();
        if (!line.IsEmpty()) lines.push_back(line);
    }
    return lines;
}

std::vector<PointRecord> ReadRecordFile(const CString& recordPath) {
    // The record lines have the measured-point file's first five fields.
    CArray<PointRecord> read;
    LoadScreenPoints(recordPath, read);
    std::vector<PointRecord> points;
    for (int i = 0; i < read.GetSize(); ++i) {
        PointRecord p = read[i];
        p.strCode.Trim();
        points.push_back(p);
    }
    return points;
}

std::vector<PointRecord> ReadPointLibrary(const CString& path) {
    std::vector<PointRecord> points;
    for (const CString& line : ReadTextLines(path)) {
        const pointdata::PointTexts t = pointdata::ParsePtbLine(line);
        PointRecord p;
        p.strName = Trimmed(t.name);
        p.dX = ReadNumber(t.north);
        p.dY = ReadNumber(t.east);
        p.dH = ReadNumber(t.height);
        p.strCode = t.code;
        points.push_back(p);
    }
    return points;
}

std::vector<StakeLine> ReadLineLibrary(const CString& path) {
    std::vector<StakeLine> lines;
    for (const CString& line : ReadTextLines(path)) {
        StakeLine l = pointdata::ParseLnbLine(line);
        l.start.strName.Trim();
        l.end.strName.Trim();
        l.chainage = 0.0;  // the screen takes chainages only from the library's pick
        lines.push_back(l);
    }
    return lines;
}

}  // namespace stakeout
