// The string table: message and caption texts keyed by their ids.
#pragma once

#include <QString>

namespace res {

// The text of a string id; empty for an unknown id.
QString LoadString(int id);

// Line `line` (0-based) of a string whose lines are separated by '\n'.
QString LoadStringLine(int id, int line);

}  // namespace res
