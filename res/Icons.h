// Icons of the program: the application icon and one toolbar image per command.
#pragma once

#include <QIcon>

namespace res {

QIcon applicationIcon();
QIcon commandIcon(int commandId);

}  // namespace res
