// The device root of the calibration readers' fuzz targets, with
// "\Flash Disk" in it; message boxes are answered at once.
#pragma once

#include "fuzz/FuzzRoot.h"
#include "platform/base/MessageBox.h"

namespace calibfuzz {

class CCalibRoot : public quorvel::fuzz::CFuzzRoot {
  public:
    CCalibRoot() : CFuzzRoot("calib", {"Flash Disk"}) {
        quorvel::SetMessageBoxHandler([](const quorvel::MessageBoxRequest&) { return IDOK; });
    }
};

inline const CCalibRoot& Root() {
    static const CCalibRoot root;
    return root;
}

}  // namespace calibfuzz
