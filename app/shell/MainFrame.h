// CMainFrame: the program's one top-level window and the hub between the
// receiver link, the echo sounder, the document and the screens. It holds
// the plan view over the sounding-data view in a static splitter, the
// registry of the screen that receives live positions, the depth
// subscribers, the keyboard shortcuts and the close sequence.
//
// Screens switched in by the view commands cover the client area; the
// splitter and its panes are only hidden meanwhile, never destroyed, so
// their handles and subscriptions stay valid.
//
// Sections: MainFrame.cpp (creation, registry, keys), MainFrameViews.cpp
// (view switching), MainFrameClose.cpp (close and destruction),
// MainFrameRecording.cpp (the measurement commands and the raw epoch
// lines), MainFrameSounder.cpp (the echo sounder's port, bytes and depths),
// MainFrameTimer.cpp (the no-data watchdog and the parameter alarms),
// MainFrameCommands.cpp (the menu commands the frame handles itself),
// MainFrameDispatch.cpp (the receiver's lines and replies),
// MainFrameRelay.cpp (speed and heading, the GGA relay).
#pragma once

#include <deque>
#include <memory>

#include "app/FrameMessages.h"
#include "app/link/FrameReceiverHost.h"
#include "app/recording/SounderInput.h"
#include "app/recording/SounderTypes.h"
#include "app/shell/SplitterWndEx.h"
#include "platform/framework/Afx.h"
#include "platform/framework/CommandBar.h"
#include "pointdata/StringRecord32.h"
#include "receiver/ReceiverParser.h"
#include "receiver/SurveyRecord.h"
#include "receiver/link/ComPort.h"

class CVendropDoc;

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
  public:
    CMainFrame();
    ~CMainFrame() override;

    void Serialize(CArchive& ar) override;
    BOOL DestroyWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The title is the program's own (the data file's name): the
    // framework's document title never replaces it.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    // ---- Screen registry ----
    void SetViewWnd(HWND hWnd) { m_hViewWnd = hWnd; }
    HWND GetViewWnd() const { return m_hViewWnd; }
    void AddNotifyWnd(HWND hWnd) { m_notifyWnds.Add(hWnd); }
    const CArray<HWND>& GetNotifyWnds() const { return m_notifyWnds; }

    // The close step that a Yes to the exit question leads to: the plan
    // origin into the settings file, then the base close.
    void StoreGraphOriginAndClose();
    // Puts a new view of `cls` in place of the active view; null when it
    // cannot be created (nothing changes then).
    CView* SwitchToView(CRuntimeClass* cls);

    // ---- Survey recording (MainFrameRecording.cpp) ----
    // One epoch of a running measurement: m_fix formatted into m_record,
    // marked as a stored point when due, copied to the document and
    // appended to the raw file. Called by the receiver dispatcher after
    // every GGA while a measurement runs and is not paused.
    void RecordEpoch();
    // Fields 1 to 24 and 26 to 31 of m_record from the fix.
    void FormatSurveyRecord(SurveyRecord fix);
    // Whether the fix is to be stored as a point in the time and distance
    // modes (the first epoch of the run of the program always is).
    BOOL IsAutoSaveDue(SurveyRecord fix);
    // The next point name by naming mode nSFNameMode (taking the counter
    // up from "GPSPtNum" in mode 1 when it stands at 0).
    void MakePointName(CString& name, int nMode);
    // The named point is in the file: rewrites "GPSPtNum" and counts the
    // document's point counter on.
    void CountPointStored();
    // Whether a write of `source` went out. The first failure of a run of
    // its failures is told, by a box posted to the frame; the source is told
    // again after it has written in between, or once its run starts anew.
    void NoteSurveyWrite(SurveyWriteSource source, BOOL written);
    // A new measurement or collection run: `source` is told again at its
    // next failure.
    void RestartWriteNote(SurveyWriteSource source);
    // A measurement starts, or goes on in the next line's file: its epochs,
    // depth lines and base lines are told again at their next failure.
    void RestartRecordingNotes();

    // ---- Receiver dispatcher (MainFrameDispatch.cpp, MainFrameRelay.cpp) ----
    // A point of the GGA relay: its GGA text, longitude (x), latitude (y)
    // and altitude (h).
    struct RelayPoint {
        CString strName;
        double x = 0.0;
        double y = 0.0;
        double h = 0.0;
    };
    // The XOR of n bytes; 0 when n < 1.
    static BYTE CalcXorChecksum(const BYTE* bytes, int n);
    // Speed (m/s) and heading (radians from grid north towards east) of
    // m_fix against the previous GGA fix, which it then becomes. Across a
    // jump of 15 minutes or more both keep their values.
    void CalcSpeedHeading(double* pSpeed, double* pHeading);
    // Takes m_strCurGga as the GGA to relay when none is held yet or the
    // longitude moved by the relay distance (one arc-second counted as
    // 30 m) since the last one taken.
    void CheckRelayDistance();
    // Longitude, latitude and altitude of the GGA in the point's name
    // (hemisphere letters not applied).
    static void ParseNmeaLatLon(RelayPoint* point);

    // Whether a command is offered now: the update handlers the menu and
    // the toolbar ask, run for `nID` (a command nothing handles is not).
    BOOL IsCommandEnabled(UINT nID);

    // ---- Echo sounder (MainFrameSounder.cpp) ----
    // Opens m_sounderPort from the settings and selects the type; TRUE at
    // once when it is open already.
    BOOL OpenSounderPort();

    CSplitterWndEx m_wndSplitter;
    CString m_strRelayState;
    int m_nMsgCount = 0;
    HWND m_hViewWnd = nullptr;
    // The decoders' view of the program, and the decoder it is given to.
    CFrameReceiverHost m_receiverHost{*this};
    CReceiverParser m_parser{&m_receiverHost};
    RelayPoint m_lastRelayPos;
    float m_fBinSigma = 0.0f;
    double m_dGraphX;
    double m_dGraphY;
    double m_dGraphScale;
    CSounderInput m_sounderInput;  // the framing state of the sounder's bytes
    CArray<SounderTypeRecord> m_sounderTypes;
    HWND m_hDataView = nullptr;
    HWND m_hGraphView = nullptr;
    int m_nRelayMode = 0;
    int m_nRelayCounter = 0;
    CString m_strCurGga;
    CString m_strRelayGga;
    CComPort m_sounderPort;
    SounderDepthBlock m_depth;
    CArray<HWND> m_notifyWnds;
    SounderTypeRecord m_curSounderType;
    SurveyRecord m_fix;
    // The copies of m_fix posted to the current screen, oldest first. Each
    // post is followed by a WM_GPS_POSITION_DONE to the frame itself, which
    // the frame's queue delivers after the screen's message (or after that
    // message was dropped with its window), and which frees the oldest copy.
    std::deque<std::unique_ptr<SurveyRecord>> m_postedFixes;
    BOOL m_bManualRecord = 0;
    // Of each write source: told since its last write that went out.
    BOOL m_bWriteFailureTold[kWriteSourceCount] = {};
    // The boxes on the screen now: the .par's, and the one every other
    // source's failure shows.
    BOOL m_bParFailureBoxUp = 0;
    BOOL m_bWriteFailureBoxUp = 0;
    CString m_strLastPointName;
    // The last stored epoch and the previous GGA fix.
    struct EpochMark {
        double x = 0.0;
        double y = 0.0;
        double h = 0.0;
        int nHour = 0;
        int nMinute = 0;
        double dSeconds = 0.0;
        BOOL bValid = 0;
    };
    EpochMark m_lastStored;
    EpochMark m_prevFix;
    CStringRecord32 m_record;  // the fields of the current epoch
    int m_nNoDiffCount = 0;
    int m_nNoDataTicks = 0;
    BOOL m_bLedBlink = 0;
    BOOL m_bToggleToMain = 1;
    double m_dOffsetX = 0.0;
    double m_dOffsetY = 0.0;
    CCommandBar m_wndCommandBar;

  protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    void AddSounderType(const SounderTypeRecord& type);
    void InsertSounderType(const SounderTypeRecord& type);
    void SendGraphCommand(int code, LPARAM lParam = 0);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    afx_msg LRESULT OnBin1Sigma(WPARAM wParam, LPARAM lParam);
    // WM_GPS_SENTENCE: one line or reply frame from the receiver link.
    afx_msg LRESULT OnReceiverMessage(WPARAM wParam, LPARAM lParam);
    // WM_GPS_POSITION_DONE: the oldest posted copy of the fix is handled.
    afx_msg LRESULT OnPostedPositionDone(WPARAM wParam, LPARAM lParam);
    // WM_SURVEY_WRITE_NOTE: the box of a write source's failure.
    afx_msg LRESULT OnSurveyWriteNote(WPARAM wParam, LPARAM lParam);
    afx_msg void OnViewBlank();
    afx_msg void OnViewMain();
    afx_msg void OnViewSavePoint();
    afx_msg void OnViewRtkList();
    afx_msg void OnViewToggle();
    afx_msg void OnDestroy();
    // Recording.
    afx_msg void OnStartMeasure();
    afx_msg void OnPauseMeasure();
    afx_msg void OnStopMeasure();
    afx_msg void OnQuickLineChange();
    afx_msg void OnUpdateStartMeasure(CCmdUI* pCmdUI);
    afx_msg void OnUpdateStopMeasure(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePauseMeasure(CCmdUI* pCmdUI);
    afx_msg void OnUpdateQuickLineChange(CCmdUI* pCmdUI);
    // Echo sounder.
    afx_msg LRESULT OnSounderChar(WPARAM wParam, LPARAM lParam);
    afx_msg void OnConnectSounder();
    afx_msg void OnUpdateConnectSounder(CCmdUI* pCmdUI);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    // Menu commands (MainFrameCommands.cpp).
    afx_msg void OnInfoDisplay();
    afx_msg void OnConnectInstrument();
    afx_msg void OnParamView();
    afx_msg void OnCoordForward();
    afx_msg void OnCoordInverse();
    afx_msg void OnOffsetPoint();
    afx_msg void OnBearingOffset();
    afx_msg void OnIntersectCalc();
    afx_msg void OnMeasurePointLib();
    afx_msg void OnSystemInfo();
    afx_msg void OnPortTest();
    afx_msg void OnGgaSend();
    afx_msg void OnOffsetSettings();
    afx_msg void OnSounderSettings();
    afx_msg void OnDataCollectSettings();
    afx_msg void OnStorageSettings();
    afx_msg void OnHardwareReset();
    afx_msg void OnHardwareShutdown();
    afx_msg void OnGraphCommand(UINT nID);
    afx_msg void OnFrameExit();
    afx_msg void OnFrameNoAction();
    afx_msg void OnUpdateRecordingSettings(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePortSettings(CCmdUI* pCmdUI);
    afx_msg void OnUpdateGraphFiles(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

  private:
    CVendropDoc* Doc() const;
    // The watchdog's notice after a silence, and the alarm checks.
    void NoDataNotice();
    void CheckParameterAlarms();
    // The dispatcher's steps (MainFrameDispatch.cpp, MainFrameRelay.cpp).
    BOOL HandleReplyFrame(const BYTE* bytes, DWORD n);
    void HandleText(const CString& line);
    void ClearForRadioSearch(const CString& status);
    void TranslateStatus();
    void OnNewPosition();
    // Posts the current screen a copy of m_fix that later sentences cannot
    // change before the screen reads it.
    void PostPositionToScreen();
    void RelayGga();
    void FillSounderTypes();
    // Writes the settings; on failure the box of string 61423.
    [[nodiscard]] BOOL WriteSettings();
    // m_strRawFile: the first of szSFName + number + extension that does not
    // exist, counting nSFStartID on from `nFrom`.
    void ChooseRawFile(int nFrom, LPCTSTR extension);
    // The view switched in over the splitter, or null while the panes show.
    CView* m_pSwitchedView = nullptr;
};

CMainFrame* GetMainFrame();
