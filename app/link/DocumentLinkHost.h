// CDocumentLinkHost: the document as the receiver link's reader thread sees
// it when the link starts: the correction format of the radio port and the
// command family the link set up.
//
// The reader runs beside the user-interface thread, so nothing here reads
// the document's settings from that thread: the start of the link (every
// start and reconnection goes through StartReceiverLink) attaches the
// document and takes a copy of its nRadioFormat. The receiver type goes
// into the document's atomic m_nReceiverType under a lock that the
// document's destruction also takes (Detach), so a reader that is still
// opening its port when the document goes writes nothing.
//
// One object for the whole run (g_linkHost); it outlives the link object.
#pragma once

#include <atomic>
#include <mutex>

#include "receiver/link/GpsComm.h"

class CVendropDoc;

class CDocumentLinkHost : public IGpsLinkHost {
  public:
    // On the user-interface thread, before the link starts.
    void Attach(CVendropDoc* doc);
    // The document is going: later reports are dropped.
    void Detach(const CVendropDoc* doc);

    int RadioFormat() const override { return m_nRadioFormat.load(); }
    void SetReceiverType(int nType) override;

  private:
    std::mutex m_lock;
    CVendropDoc* m_pDoc = nullptr;
    std::atomic<int> m_nRadioFormat{0};
};

extern CDocumentLinkHost g_linkHost;
