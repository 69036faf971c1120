// POSITION: the framework's opaque iterator for maps, lists and list-control
// selections. Null means "no more".
#pragma once

struct QuorvelPositionTag;
typedef QuorvelPositionTag* POSITION;

#define BEFORE_START_POSITION (reinterpret_cast<POSITION>(-1))
