// Writes a whole file under a temporary name beside its destination and renames
// it over the destination when complete: a failure never leaves a partial file,
// and an existing file is replaced only by a complete one.
#pragma once

#include <cstddef>
#include <string>

#include "capture/WriteResult.h"

namespace capture {

WriteResult ReplaceFile(const std::string& path, const void* data, size_t size);

}  // namespace capture
