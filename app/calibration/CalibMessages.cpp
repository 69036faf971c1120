#include "app/calibration/CalibMessages.h"

#include "platform/base/MessageBox.h"

void ReportKnowDataNotSaved(HWND owner) {
    MessageBox(owner, calib_text::kFileNotSaved, calib_text::kPromptCaption,
               MB_OK | MB_ICONINFORMATION);
}
