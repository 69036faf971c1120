// The compiler's stages after parsing, and the whole run as one call so
// that tests can drive it without the executable.
#pragma once

#include <string>
#include <vector>

#include "platform/resources/rc/Model.h"

namespace quorvel::rc {

// Ids used twice within one resource type, initial lists that name no list
// or combo box, image files that are missing or not BMP/PNG, toolbars
// without their bitmap strip. Also attaches the initial lists to their
// controls.
std::vector<CompileError> CheckScript(Script& script);

// The C++ source of the tables, for the resources library.
std::string EmitTables(const Script& script);

// Reads, parses and checks `path`. Returns the errors; `script` is complete
// only when there are none.
std::vector<CompileError> CompileScript(const std::string& path, Script& script);

}  // namespace quorvel::rc
