// Between the port objects and the per-port line state; not for the program.
#pragma once

#include <string>

namespace quorvel::serial {

// A port was opened (with the host path its side file derives from) or
// closed. Opening raises nothing by itself; closing drops both lines.
void NoteOpen(int port, const std::string& hostPath);
void NoteClosed(int port);
void NoteModemLines(int port, bool dtr, bool rts);

// The power of `port` changed: the open port behind it discards its input.
void DiscardInput(int port);

}  // namespace quorvel::serial
