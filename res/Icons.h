// Icons of the program: the application icon and one image per command, drawn
// from SVG at any size; Qt derives the disabled look.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace res {

QIcon applicationIcon();
QIcon commandIcon(int commandId);
// Icon 144, 16 x 16: the status pane's mark while the overrun notice is up.
QPixmap overrunIcon();

}  // namespace res
