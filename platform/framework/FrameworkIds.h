// The framework's own command and window ids, with the device framework's
// values: the standard commands the application, document and frame
// handle, and the ids of the frame's bars and panes. Each is guarded, so a
// header that also spells one of them out does no harm.
#pragma once

#ifndef ID_FILE_NEW
#define ID_FILE_NEW 0xE100
#endif
#ifndef ID_FILE_OPEN
#define ID_FILE_OPEN 0xE101
#endif
#ifndef ID_FILE_CLOSE
#define ID_FILE_CLOSE 0xE102
#endif
#ifndef ID_FILE_SAVE
#define ID_FILE_SAVE 0xE103
#endif
#ifndef ID_FILE_SAVE_AS
#define ID_FILE_SAVE_AS 0xE104
#endif
#ifndef ID_FILE_MRU_FILE1
#define ID_FILE_MRU_FILE1 0xE110
#endif
#ifndef ID_APP_ABOUT
#define ID_APP_ABOUT 0xE140
#endif
#ifndef ID_APP_EXIT
#define ID_APP_EXIT 0xE141
#endif

#ifndef AFX_IDW_TOOLBAR
#define AFX_IDW_TOOLBAR 0xE800
#endif
#ifndef AFX_IDW_PANE_FIRST
#define AFX_IDW_PANE_FIRST 0xE900
#endif
#ifndef AFX_IDW_PANE_LAST
#define AFX_IDW_PANE_LAST 0xE9FF
#endif

// The string the application's title comes from when it gives none.
#ifndef AFX_IDS_APP_TITLE
#define AFX_IDS_APP_TITLE 0xE000
#endif

// The prompts of data exchange when a control's text is not a number of
// its kind. The framework has their texts itself; a program's string table
// may give others under the same ids.
#ifndef AFX_IDP_PARSE_INT
#define AFX_IDP_PARSE_INT 0xF110
#endif
#ifndef AFX_IDP_PARSE_REAL
#define AFX_IDP_PARSE_REAL 0xF111
#endif

// The framework's private messages: the initial update every view of a new
// frame receives, and the idle-time update of a frame's bars.
#ifndef WM_IDLEUPDATECMDUI
#define WM_IDLEUPDATECMDUI 0x0363
#endif
#ifndef WM_INITIALUPDATE
#define WM_INITIALUPDATE 0x0364
#endif
