// Fuzz target: "knowdata.dat" on arbitrary contents: loaded, every entry
// read and a slot replaced as the wizard pages do, saved, and loaded again,
// which must give every entry back.
#include <cstdlib>

#include "app/calibration/KnowData.h"
#include "fuzz/knowdata/CalibFuzzRoot.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    calibfuzz::Root().Store("Flash Disk/knowdata.dat", data, size);
    CKnowData store;
    store.SetFileName(L"\\Flash Disk\\knowdata.dat");
    store.Load();
    CString f[5];
    for (int i = -1; i <= store.GetCount(); ++i) store.GetAt(i, f[0], f[1], f[2], f[3], f[4]);
    if (store.GetCount() > 1) store.SetAt(1, L"1", L"2.5", L"3.5", L"4.5", L"1.2");
    if (!store.Save()) std::abort();
    const int count = store.GetCount();
    store.Load();
    // Saving writes every entry whole, so all of them come back.
    if (store.GetCount() != count) std::abort();
    return 0;
}
