// Fuzz target: the parameters derived from a control-point file on
// arbitrary contents, with both fit settings.
#include <cstdlib>

#include "app/calibration/ParamsFromControlFile.h"
#include "app/shell/VendropDoc.h"
#include "fuzz/knowdata/CalibFuzzRoot.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    calibfuzz::Root().Store("Flash Disk/points.cot", data, size);
    CVendropDoc doc;
    doc.m_coordParams.szdDa = 6378137.0;
    doc.m_coordParams.szdDf = 298.257223563;
    doc.m_coordParams.szdCenter = -114.0;
    doc.m_coordParams.szlTy = 500000;
    doc.m_coordParams.szdTk = 1.0;
    doc.m_strPostFile = L"\\Flash Disk\\points.cot";
    for (int setting = 0; setting <= 1; ++setting) {
        doc.m_sysParams.nPlaneNihe = doc.m_sysParams.nCurveNihe = setting;
        CoordSysParams record;
        double dx = 0, dy = 0, dh = 0;
        int plane = 0, height = 0;
        if (ComputeParamsFromControlFile(doc, record, dx, dy, dh, plane, height) != 1) std::abort();
        if (doc.m_ctrlRows.GetSize() > 50) std::abort();
    }
    return 0;
}
