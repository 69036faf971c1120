// The program's build date, as its compiler's date macro gave it on the
// device. It is a fixed text, never the host's build date: it goes into the
// title line of every settings file and into the About box.
#pragma once

namespace quorvel {

inline constexpr const wchar_t kBuildDate[] = L"Jun  1 2012";
inline constexpr const char kBuildDateA[] = "Jun  1 2012";

}  // namespace quorvel
