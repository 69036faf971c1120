// What the commands ask of paths on the device before they read, write or
// make something there.
#pragma once

#include <string>

#include "platform/base/CString.h"

// Something (a file or a folder) stands at the path.
BOOL DevicePathExists(const CString& path);
// The path names an existing file (not a folder).
BOOL DeviceFileExists(const CString& path);
// The bytes of the file at `path`; FALSE when it names no file that can be
// read (a folder included), with `bytes` empty.
BOOL ReadWholeDeviceFile(const CString& path, std::string& bytes);
// TRUE when `name` can name a file of the job: none of \ / : * ? " < > | [ ]
// = (a folder, a file or the settings files could not hold it) and no "..".
BOOL IsValidFileName(const CString& name);
// Makes the folder unless something stands at its path already. The job's
// folders are kept with a trailing backslash; it is dropped first.
void CreateFolderIfAbsent(const CString& folder);
// The alarm: the handheld's own \Flash Disk\Wav\Alarm5.wav when it is
// there, else the system's exclam.wav; played to its end, so that what
// follows (a prompt) comes once the sound is over.
void PlayAlarm();
