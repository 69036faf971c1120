// The quorvel command: the launcher around the program's application object.
#include "app/shell/ProgramControl.h"
#include "launcher/Launcher.h"

int main(int argc, char** argv) {
    quorvel::launcher::LauncherHooks hooks;
    hooks.endProgram = quorvel::app::EndProgramWithoutQuestions;
    return quorvel::launcher::RunLauncher(argc, argv, hooks);
}
