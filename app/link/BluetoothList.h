// The devices a Bluetooth inquiry found, and the file "\BluetoothList" in
// the program's root folder that keeps them between runs: 8-bit text (code
// page 936), one device a line, "name,address" with CR LF.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Collections.h"

struct BtDevice {
    CString strAddress;
    CString strName;
};

// The devices of the file, in file order, in place of what `devices`
// held. Lines are cut at LF, each without the character before its LF (the
// CR); the list ends at the first empty line, after 201 lines, or at a last
// line without LF, which is left out. A missing file leaves the array
// empty.
void LoadBluetoothList(LPCTSTR path, CArray<BtDevice>& devices);

// One device as a whole line: `bFirst` re-creates the file, otherwise the
// line is appended (the file made when missing). FALSE when it could not
// be written.
[[nodiscard]] BOOL WriteBluetoothDevice(LPCTSTR path, const BtDevice& device, BOOL bFirst);

// "+INQRESU:" lines of an inquiry: the text after the marker split at
// commas, field 0 the address and field 1 the name. FALSE for a line
// without the marker.
BOOL ParseInquiryResult(const CString& line, BtDevice& device);
