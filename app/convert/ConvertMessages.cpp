#include "app/convert/ConvertMessages.h"

#include "platform/base/MessageBox.h"

namespace convert {

void ReportConversion(HWND owner, ConvertStatus status, int counted, const CString& target,
                      const ResultTexts& texts) {
    switch (status) {
        case ConvertStatus::kSameFile:
            MessageBox(owner, kSameFile, kPromptCaption, MB_OK | MB_ICONINFORMATION);
            return;
        case ConvertStatus::kTargetFailed:
            MessageBox(owner, kTargetFailed, kPromptCaption, MB_OK | MB_ICONINFORMATION);
            return;
        case ConvertStatus::kNoSource:
            AfxMessageBox(texts.nNoDataId, MB_OK);
            return;
        case ConvertStatus::kWritten:
        case ConvertStatus::kKeptTarget:
            break;
    }
    if (counted == 0) {
        AfxMessageBox(texts.nNoDataId, MB_OK);
        return;
    }
    CString text;
    text.LoadString(texts.nDoneId);
    if (texts.bWithPath) text += target;
    AfxMessageBox(text, MB_OK);
}

}  // namespace convert
