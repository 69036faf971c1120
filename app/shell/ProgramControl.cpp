#include "app/shell/ProgramControl.h"

#include "app/shell/MainFrame.h"

namespace quorvel::app {

void EndProgramWithoutQuestions() {
    if (CMainFrame* frame = GetMainFrame(); frame && frame->GetSafeHwnd())
        frame->StoreGraphOriginAndClose();
}

}  // namespace quorvel::app
