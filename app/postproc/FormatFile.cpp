#include "app/postproc/FormatFile.h"

#include "app/DeviceFiles.h"
#include "app/convert/ConvertText.h"
#include "platform/files/AtomicFile.h"

namespace postproc {

const wchar_t* const kVocabularyNames[kVocabularySize] = {
    L"点名",     L"日期",     L"时间", L"纬度",     L"经度",   L"椭球高",   L"天线高",
    L"北坐标",   L"东坐标",   L"高程", L"水底高程", L"水深",   L"PDOP",     L"卫星数",
    L"水平精度", L"高程精度", L"HDOP", L"VDOP",     L"解状态", L"原始水深", L"回车换行"};

const int kVocabularyField[kVocabularySize] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9, 32,
                                               33, 13, 16, 11, 12, 14, 15, 10, 20, -1};

const wchar_t* const kFixedFormatNames[kFixedFormats] = {L"Korvix5.0格式(*.ssd)",
                                                         L"Plenda格式(*.dat)"};

namespace {

constexpr wchar_t kCoordStart[] = L"COORDSTART";
constexpr wchar_t kDeepStart[] = L"DEEPSTART";

// "ext:fields" cut at its first ":"; without one, all of it is the
// extension.
void CutPart(const CString& part, CString& ext, CString& fields) {
    const int colon = part.Find(L':');
    if (colon < 0) {
        ext = part;
        fields.Empty();
        return;
    }
    ext = part.Left(colon);
    fields = part.Mid(colon + 1);
}

// The part of `text` after `marker` and the one character that follows it.
CString After(const CString& text, int at, int markerLength) {
    const int start = at + markerLength + 1;
    return start >= text.GetLength() ? CString() : text.Mid(start);
}

bool ParseFormatLine(const CString& line, ResultFormatRecord& f) {
    const int coord = line.Find(kCoordStart);
    if (coord < 0) return false;
    int start = 0;
    CString* heads[] = {&f.m_strName, &f.m_strReserved, &f.m_strSeparator};
    for (CString* head : heads) {
        const int colon = line.Find(L':', start);
        const int end = colon < 0 ? line.GetLength() : colon;
        *head = start <= line.GetLength() ? line.Mid(start, end - start) : CString();
        start = end + 1;
    }
    const CString rest = After(line, coord, 10);
    const int deep = rest.Find(kDeepStart);
    if (deep < 0) {
        CutPart(rest, f.m_strCoordExt, f.m_strCoordFields);
        return true;
    }
    f.m_bDepthFile = 1;
    CutPart(rest.Left(deep), f.m_strCoordExt, f.m_strCoordFields);
    CutPart(After(rest, deep, 9), f.m_strDepthExt, f.m_strDepthFields);
    return true;
}

}  // namespace

std::vector<int> ParseFieldIndexes(const CString& text) {
    std::vector<int> indexes;
    const std::wstring_view all(text.GetString(), static_cast<size_t>(text.GetLength()));
    size_t start = 0;
    while (start < all.size()) {
        size_t colon = all.find(L':', start);
        if (colon == std::wstring_view::npos) colon = all.size();
        if (colon == start) break;
        const long value = convert::TextInteger(all.substr(start, colon - start));
        if (value >= 0 && value < kVocabularySize) indexes.push_back(static_cast<int>(value));
        start = colon + 1;
    }
    return indexes;
}

void ParseFormatText(const std::string& bytes, CArray<ResultFormatRecord>& formats, int& index) {
    convert::CLineReader reader(bytes);
    std::wstring line;
    if (!reader.Next(line)) return;
    const long first = convert::TextInteger(line);
    formats.RemoveAll();
    while (reader.Next(line)) {
        ResultFormatRecord format;
        if (ParseFormatLine(CString(line.c_str()), format)) formats.Add(format);
    }
    const bool named = first >= 0 && first < kFixedFormats + static_cast<long>(formats.GetSize());
    index = named ? static_cast<int>(first) : 0;
}

std::string FormatFileText(const CArray<ResultFormatRecord>& formats, int index) {
    std::string out = std::to_string(index) + "\r\n";
    for (int i = 0; i < formats.GetSize(); ++i) {
        const ResultFormatRecord& f = formats[i];
        CString line;
        line.Format(L"%s:%s:%s:COORDSTART:%s:%s", f.m_strName.GetString(),
                    f.m_strReserved.GetString(), f.m_strSeparator.GetString(),
                    f.m_strCoordExt.GetString(), f.m_strCoordFields.GetString());
        if (f.m_bDepthFile) {
            line.AppendFormat(L"DEEPSTART:%s:%s", f.m_strDepthExt.GetString(),
                              f.m_strDepthFields.GetString());
        }
        convert::AppendGbk(out, std::wstring_view(line.GetString(), line.GetLength()));
        convert::AppendLineEnd(out);
    }
    return out;
}

BOOL ReadFormatFile(const CString& path, CArray<ResultFormatRecord>& formats, int& index,
                    IPostProcMessages& messages) {
    std::string bytes;
    if (!ReadWholeDeviceFile(path, bytes)) {
        messages.Inform(kFormatUnreadable);
        return FALSE;
    }
    ParseFormatText(bytes, formats, index);
    return TRUE;
}

BOOL WriteFormatFile(const CString& path, const CArray<ResultFormatRecord>& formats, int index,
                     IPostProcMessages& messages) {
    const std::string text = FormatFileText(formats, index);
    if (quorvel::WriteFileAtomic(path, text.data(), text.size())) return TRUE;
    messages.Inform(kFormatWriteFailed);
    return FALSE;
}

}  // namespace postproc
