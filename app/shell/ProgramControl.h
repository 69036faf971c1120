// What the launcher (the quorvel command) asks of the program beyond the
// application framework: ending the run without the close questions, for a
// signal or the end of a script.
#pragma once

namespace quorvel::app {

// Ends the run as a Yes to the exit question would, without asking and
// whatever is running: the plan origin is saved to the job's settings file,
// the receiver link is closed, the LEDs go off, and the main window is
// destroyed, which ends the message loop. Runs on the UI thread; does
// nothing when there is no main window.
void EndProgramWithoutQuestions();

}  // namespace quorvel::app
