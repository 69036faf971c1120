// The line protocol between processes sharing their top-level windows, over
// a unix stream socket per process (<dir>/.quorvel/win-<pid>.sock), one
// request per connection:
//   "LIST"                 -> one "W" line per top-level window, then "END"
//   "CMD <h> <what> <arg>" -> "OK <result>"
// A "W" line: handle, visible (0/1), left, top, right, bottom, class, title,
// property count, then name and value per property; fields are separated by
// tabs and text is hex (8 digits per character), so nothing needs escaping.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel::win::detail {

std::string HexText(const std::wstring& text);
std::wstring FromHexText(const std::string& hex);
std::vector<std::string> SplitTabs(const std::string& line);

std::string SocketFolder(const std::string& dir);
std::string SocketPathFor(const std::string& dir, long pid);

// One request to the process listening on `path`: sends `request` (a line
// without its end) and collects the reply lines up to and including the
// one equal to `last` (or a single line when `last` is empty). Bounded by a
// real-time limit: another process is not on this program's clock. False
// when it failed; *stale is set when nobody listens there any more (the
// process ended without removing its socket).
bool Ask(const std::string& path, const std::string& request, const std::string& last,
         std::vector<std::string>* reply, bool* stale = nullptr);

// Reads one line (without its end) from a socket; false at end or error.
bool ReadLine(int fd, std::string* line, int timeoutMs);
bool WriteAll(int fd, const std::string& data);

}  // namespace quorvel::win::detail
