// CInfoPage: a page of the information display. Each holds its own copy of
// the last receiver epoch, which the display hands to the page on top, and
// refreshes its read-outs from it.
#pragma once

#include "platform/framework/Afx.h"
#include "receiver/SurveyRecord.h"

class CInfoPage : public CDialog {
  public:
    CInfoPage() = default;

    void SetRecord(const SurveyRecord& record) { m_record = record; }
    virtual void Refresh() {}

  protected:
    // Pages are children of the tab sheet: Enter and Escape close nothing.
    void OnOK() override {}
    void OnCancel() override {}

    // The read-outs of the pages: lengths to four decimals, angles given in
    // degrees shown as degrees, minutes and seconds.
    static CString Fixed4(double value);
    static CString Angle(double degrees);

    SurveyRecord m_record;
};
