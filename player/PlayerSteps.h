// The player's moves through its list and the size of its view: rules without widgets.
#pragma once

#include <QSize>

namespace player {

// Transport buttons and size choices; the ids are shared by both player windows.
enum Control : int {
    IDC_REWIND = 1039,
    IDC_STEP_BACK = 1040,
    IDC_PLAY = 1041,
    IDC_STEP_FORWARD = 1042,
    IDC_FAST_FORWARD = 1043,
    IDC_STOP = 1044,
    IDC_FULL_FRAME = 1024,
    IDC_HALF_FRAME = 1025,
    IDC_QUARTER_FRAME = 1026,
    IDC_VIEW_FRAME = 1046,
    IDC_FOLDER = 1048,
    IDC_BROWSE = 1049,
    IDC_FILE_LIST = 1050,
};

// What a step to the next or previous entry does, from the selected row (-1 for
// none) of `count` entries: the row to select and show (-1 for no change), and the
// answer: 1 when the list moved or there is nothing to move, 0 at its end.
struct Step {
    int row = -1;
    int answer = 1;
};
Step NextStep(int count, int selected);
Step PreviousStep(int count, int selected);

// The view's size for an image under a size choice (full, half or quarter frame).
QSize ViewSizeFor(QSize image, int sizeChoice);

}  // namespace player
