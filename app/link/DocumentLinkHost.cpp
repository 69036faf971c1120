#include "app/link/DocumentLinkHost.h"

#include "app/shell/VendropDoc.h"

void CDocumentLinkHost::Attach(CVendropDoc* doc) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_pDoc = doc;
    m_nRadioFormat = doc != nullptr ? doc->m_sysParams.nRadioFormat : 0;
}

void CDocumentLinkHost::Detach(const CVendropDoc* doc) {
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_pDoc == doc) m_pDoc = nullptr;
}

void CDocumentLinkHost::SetReceiverType(int nType) {
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_pDoc != nullptr) m_pDoc->m_nReceiverType = nType;
}
