#include "player/PlayerSteps.h"

namespace player {

Step NextStep(int count, int selected) {
    if (count == 0)
        return {};
    if (selected == count - 1)
        return {-1, 0};
    return {selected < 0 ? 0 : selected + 1, 1};
}

Step PreviousStep(int count, int selected) {
    if (count == 0 || selected < 0)
        return {};
    if (selected == 0)
        return {-1, 0};
    return {selected - 1, 1};
}

QSize ViewSizeFor(QSize image, int sizeChoice) {
    const int divisor = sizeChoice == IDC_QUARTER_FRAME ? 4 : sizeChoice == IDC_HALF_FRAME ? 2 : 1;
    return {image.width() / divisor, image.height() / divisor};
}

}  // namespace player
