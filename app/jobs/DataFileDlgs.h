// The file dialogs of the data-file commands. A data file's name goes into
// esystem.sys, whose reader cannot give back a name holding "[", "]" or
// "=": such a name is refused on OK with a message, and the dialog stays
// open, as the save dialog does for the characters no file name can hold.
#pragma once

#include "ui/FileOpenDlg.h"
#include "ui/FileSaveDlg.h"

class CDataFileSaveDlg : public CFileSaveDlg {
  public:
    using CFileSaveDlg::CFileSaveDlg;

  protected:
    void OnOK() override;
};

class CDataFileOpenDlg : public CFileOpenDlg {
  public:
    using CFileOpenDlg::CFileOpenDlg;

  protected:
    void OnOK() override;
};

// TRUE when the last component of `strPath` holds "[", "]" or "=".
BOOL HoldsSettingsSeparator(const CString& strPath);
