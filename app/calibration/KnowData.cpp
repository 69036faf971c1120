#include "app/calibration/KnowData.h"

#include <string>

#include "app/settings/SettingsText.h"
#include "platform/base/TextConv.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/File.h"
#include "platform/files/FileApi.h"
#include "pointdata/StoredLines.h"

BOOL CKnowData::FileExists() const {
    const DWORD attributes = GetFileAttributes(m_strFileName);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void CKnowData::Load() {
    m_names.RemoveAll();
    m_xs.RemoveAll();
    m_ys.RemoveAll();
    m_heights.RemoveAll();
    m_antennas.RemoveAll();
    if (!FileExists()) {
        if (GetFileAttributes(m_strFileName) == INVALID_FILE_ATTRIBUTES) {
            CFile file;
            if (file.Open(m_strFileName, CFile::modeCreate | CFile::modeWrite)) file.Close();
        }
        return;
    }
    CFile file;
    CString text;
    if (!LoadSettingsText(file, m_strFileName, CFile::modeRead, text)) return;
    for (const CString& line : SplitStoredLines(text)) {
        m_names.Add(StoredField(line, 0));
        m_xs.Add(StoredField(line, 1));
        m_ys.Add(StoredField(line, 2));
        m_heights.Add(StoredField(line, 3));
        m_antennas.Add(StoredField(line, 4));
    }
}

BOOL CKnowData::Save() const {
    std::wstring text;
    for (int i = 0; i < GetCount(); ++i) {
        text += m_names[i].str() + L"," + m_xs[i].str() + L"," + m_ys[i].str() + L"," +
                m_heights[i].str() + L"," + m_antennas[i].str() + L"\r\n";
    }
    const std::string bytes = quorvel::ToGbk(text.data(), text.size());
    return quorvel::WriteFileAtomic(m_strFileName, bytes.data(), bytes.size());
}

void CKnowData::Add(const CString& name, const CString& x, const CString& y, const CString& h,
                    const CString& antenna) {
    m_names.Add(name);
    m_xs.Add(x);
    m_ys.Add(y);
    m_heights.Add(h);
    m_antennas.Add(antenna);
}

void CKnowData::SetAt(int index, const CString& name, const CString& x, const CString& y,
                      const CString& h, const CString& antenna) {
    if (index < 0 || index >= GetCount()) return;
    m_names[index] = name;
    m_xs[index] = x;
    m_ys[index] = y;
    m_heights[index] = h;
    m_antennas[index] = antenna;
}

void CKnowData::GetAt(int index, CString& name, CString& x, CString& y, CString& h,
                      CString& antenna) const {
    if (index < 0 || index >= GetCount()) return;
    name = m_names[index];
    x = m_xs[index];
    y = m_ys[index];
    h = m_heights[index];
    antenna = m_antennas[index];
}
