// The platform's window, dialog and control style names and the standard
// dialog ids, known to the compiler without any header: a script uses them
// as the device's own resource scripts do.
#pragma once

#include <cstdint>
#include <string>

namespace quorvel::rc {

bool LookupBuiltin(const std::string& name, uint32_t& value);

// Common style values the statements' defaults are made of.
constexpr uint32_t kWsChild = 0x40000000u;
constexpr uint32_t kWsVisible = 0x10000000u;
constexpr uint32_t kWsPopup = 0x80000000u;
constexpr uint32_t kWsBorder = 0x00800000u;
constexpr uint32_t kWsSysMenu = 0x00080000u;
constexpr uint32_t kWsCaption = 0x00C00000u;
constexpr uint32_t kWsGroup = 0x00020000u;
constexpr uint32_t kWsTabStop = 0x00010000u;
constexpr uint32_t kDsSetFont = 0x40u;

}  // namespace quorvel::rc
