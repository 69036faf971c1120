#include "app/ProgramControl.h"

#include "app/MainFrame.h"

namespace quorvel::app {

void EndProgramWithoutQuestions() {
    if (CMainFrame* frame = GetMainFrame(); frame && frame->GetSafeHwnd())
        frame->StoreGraphOriginAndClose();
}

}  // namespace quorvel::app
