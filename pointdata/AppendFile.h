// CAppendFile: a survey data file that records are appended to, one call at
// a time. Each call opens the file (creating it when missing), writes whole
// lines at its end and closes it again, so no file stays open between
// records and a record either lands whole or is reported as not written.
//
// A file whose last byte is not a line feed (a record torn by a power cut
// or a full store) first gets CR LF, so the next record starts a line of its
// own instead of being glued to the torn tail.
//
// A call that could not write everything takes back what it did write: the
// file is cut back to its length before the call's first line (after the CR
// LF of a torn tail), and a file the call created is removed again, so a
// full store leaves no torn record behind and a file that is there always
// has the header its creator wrote. That happens however the opening ends
// (CloseAppended, Close, Abort, the next OpenToAppend or the destructor),
// so a caller that stops at the first failed call tears nothing either.
//
// A file marked read-only is refused as the device refuses to open it for
// writing, even where the host would let the process write it.
#pragma once

#include "platform/base/CString.h"
#include "platform/files/File.h"

class CAppendFile : public CFile {
  public:
    ~CAppendFile() override;

    // FALSE, with nothing opened or created, when the file cannot be opened
    // for writing (a missing folder, a folder in the file's place, a
    // read-only file). *pCreated tells whether the file was missing.
    [[nodiscard]] BOOL OpenToAppend(const CString& path, BOOL* pCreated = nullptr);
    // Writes the line and CR LF, converted to code page 936, whatever its
    // length; FALSE when the file is not open or not every byte went out.
    [[nodiscard]] BOOL AppendLine(const CString& line);
    // Closes; TRUE when the open, every write since and the close succeeded.
    // Otherwise what this opening wrote is taken back.
    [[nodiscard]] BOOL CloseAppended();
    // Close and Abort end an opening as CloseAppended does, without a word.
    void Close() override;
    void Abort() override;

    // One line appended to `path` by an opening of its own: whole or not at
    // all. FALSE for an empty path too.
    [[nodiscard]] static BOOL AppendLineTo(const CString& path, const CString& line);

    // Ends a torn last line of an existing file with CR LF; a missing or
    // whole file is left as it is. FALSE when the tail stays torn.
    [[nodiscard]] static BOOL EndTornLineOf(const CString& path);

  private:
    [[nodiscard]] BOOL EndTornLine();
    // Ends the opening of a successful OpenToAppend; TRUE when nothing failed.
    bool EndAppending();

    bool m_bAppending = false;  // opened by OpenToAppend and not yet ended
    bool m_bFailed = true;
    bool m_bCreated = false;
    ULONGLONG m_keptLength = 0;  // the length a failed call cuts back to
};
