// Kept for tests written before the shared fixture: new tests include
// platform/testing/TempDeviceRoot.h directly.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/files/DevicePath.h"
#include "platform/files/Registry.h"
#include "platform/testing/TempDeviceRoot.h"

using quorvel::testing::DeviceRootTest;
