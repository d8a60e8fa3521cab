#include "LogStartup.h"

namespace logengine {

void ConfigureLoggingAtStartup() {}

}  // namespace logengine
