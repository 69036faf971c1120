#include "app/ProgramControl.h"

#include "platform/framework/Afx.h"

namespace quorvel::app {

void EndProgramWithoutQuestions() {
    CWnd* main = AfxGetMainWnd();
    if (main && main->GetSafeHwnd()) main->DestroyWindow();
}

}  // namespace quorvel::app
