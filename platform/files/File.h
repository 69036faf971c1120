// CFile: the framework's file class over device paths.
//
// Failures never throw. Open returns FALSE and fills the optional
// CFileException. Read returns the number of bytes read (0 at the end and on
// failure). Write returns FALSE when not every byte was written, and every
// failed Write or Flush also raises a flag that stays up until the next Open:
// code that writes many pieces checks HasWriteError() once before it reports
// success. Operations on a closed file fail with ERROR_INVALID_HANDLE.
//
// The share flags are accepted and have no effect; typeBinary and typeText
// are accepted and change nothing (every file is binary here). Only regular
// files can be opened: a folder, a pipe or a device node fails with
// ERROR_ACCESS_DENIED, so that opening one can never block.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

class CFileException {
  public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    int m_cause = none;
    LONG m_lOsError = 0;  // the device error code
    CString m_strFileName;

    static int CauseFromError(DWORD error);
};

class CFile {
  public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    static inline const HANDLE hFileNull = INVALID_HANDLE_VALUE;

    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    virtual ~CFile();  // closes

    // An open file is closed first. modeCreate makes the file when missing
    // and empties it unless modeNoTruncate is given; the position starts at 0.
    virtual BOOL Open(LPCTSTR path, UINT flags, CFileException* error = nullptr);
    virtual UINT Read(void* buffer, UINT count);
    [[nodiscard]] virtual BOOL Write(const void* buffer, UINT count);
    virtual void Flush();
    virtual void Close();  // a failure to close counts as a write error
    virtual void Abort();  // closes, ignoring every error

    // Seek returns the new position, or (ULONGLONG)-1 with the position kept
    // when the target would be before the start (ERROR_NEGATIVE_SEEK).
    virtual ULONGLONG Seek(LONGLONG offset, UINT from);
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    void SeekToBegin() { Seek(0, begin); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    // Cuts the file to `length` bytes (or extends it with zeros); the
    // position stays where it was.
    [[nodiscard]] virtual BOOL SetLength(ULONGLONG length);

    CString GetFilePath() const { return m_strFileName; }
    bool IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }
    bool HasWriteError() const { return m_writeError; }

    HANDLE m_hFile = INVALID_HANDLE_VALUE;

  protected:
    int Fd() const;
    BOOL FailWrite(DWORD error);

    CString m_strFileName;
    bool m_writeError = false;
};

#ifndef ERROR_NEGATIVE_SEEK
#define ERROR_NEGATIVE_SEEK 131L
#endif
