// The one way the receiver link starts: at start-up and at every
// reconnection, from the job's connection settings.
#pragma once

class CMainFrame;
class CVendropDoc;

// Closes the link (stopping any reader, also one still opening its port),
// resets it, sets its port parameters by the settings' nComMode:
//   0: the Port choice, 9600 baud for choice 2 (the built-in Bluetooth
//      module, COM1) and 57600 for the others;
//   1: COM nInputCom at 57600;
//   any other value: the link's own start values (COM5, 57600);
// then gives it the frame as its notify window and the document as its
// host, and starts the reader.
void StartReceiverLink(CVendropDoc& doc, CMainFrame& frame);
