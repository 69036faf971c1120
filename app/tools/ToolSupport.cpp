#include "app/tools/ToolSupport.h"

#include <cmath>
#include <memory>

#include "app/shell/VendropDoc.h"
#include "platform/files/FileApi.h"
#include "platform/framework/DataExchangePrompt.h"
#include "pointdata/AppendFile.h"
#include "res/resource.h"

namespace tools {

namespace {
const wchar_t kOpenFailed[] = L"打开文件错误,请检查";
const wchar_t kPromptCaption[] = L"提示";
}  // namespace

void DDX_Number(CDataExchange* pDX, int nIDC, double& value) {
    DDX_Text(pDX, nIDC, value);
    if (!pDX->m_bSaveAndValidate || std::isfinite(value)) return;
    pDX->PrepareEditCtrl(nIDC);
    quorvel::framework::ShowPrompt(pDX, quorvel::framework::PromptText(AFX_IDP_PARSE_REAL));
    value = 0.0;
    pDX->Fail();
}

BOOL ReadTextNumber(const CString& text, double& value) {
    CString trimmed = text;
    trimmed.Trim();
    if (trimmed.IsEmpty()) {
        value = 0.0;
        return TRUE;
    }
    double parsed = 0.0;
    if (quorvel::framework::ParseReal(trimmed, parsed) && std::isfinite(parsed)) {
        value = parsed;
        return TRUE;
    }
    AfxMessageBox(quorvel::framework::PromptText(AFX_IDP_PARSE_REAL), MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

CString ResultFilePath(LPCTSTR name) {
    return g_pDoc ? g_pDoc->m_strResultDir + name : CString(name);
}

CString JobFilePath(LPCTSTR extension) {
    if (!g_pDoc) return CString(extension);
    const CString& ini = g_pDoc->m_strIniName;
    const int keep = ini.GetLength() > 3 ? ini.GetLength() - 3 : 0;
    return g_pDoc->m_strJobDir + ini.Left(keep) + extension;
}

BOOL AppendLines(CWnd* pOwner, const std::vector<FileLine>& lines, BOOL bQuiet) {
    std::vector<std::unique_ptr<CAppendFile>> files;
    std::vector<BOOL> made;
    BOOL opened = TRUE;
    for (const FileLine& line : lines) {
        BOOL created = FALSE;
        files.push_back(std::make_unique<CAppendFile>());
        if (!files.back()->OpenToAppend(line.first, &created)) {
            opened = FALSE;
            break;
        }
        made.push_back(created);
    }
    BOOL ok = opened;
    for (size_t i = 0; ok && i < lines.size(); ++i) ok = files[i]->AppendLine(lines[i].second);
    for (size_t i = 0; i < files.size(); ++i) {
        if (!files[i]->IsOpen()) continue;
        if (!files[i]->CloseAppended()) ok = FALSE;
        // Files made empty for a store that could not open them all go.
        if (!opened && made[i]) (void)DeleteFile(lines[i].first);
    }
    if (!ok) {
        ShowText(pOwner, kOpenFailed);
        return FALSE;
    }
    if (!bQuiet) ShowText(pOwner, IDS_STRING61293);
    return TRUE;
}

void CancelTool(CWnd* pPage) {
    CWnd* tab = pPage->GetParent();
    CWnd* tool = tab ? tab->GetParent() : nullptr;
    if (tool) tool->SendMessage(WM_COMMAND, IDCANCEL, 0);
}

void ShowText(CWnd* pOwner, UINT nId) {
    CString text;
    text.LoadString(nId);
    ShowText(pOwner, text);
}

void ShowText(CWnd* pOwner, LPCTSTR text) {
    if (pOwner && pOwner->GetSafeHwnd()) {
        pOwner->MessageBox(text, kPromptCaption, MB_OK | MB_ICONINFORMATION);
    } else {
        AfxMessageBox(text, MB_OK | MB_ICONINFORMATION);
    }
}

bool AllFinite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

}  // namespace tools
