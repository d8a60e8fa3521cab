#include "camera/PulseTiming.h"

#include <algorithm>
#include <limits>

#include "res/ResourceIds.h"

namespace cccontrol {

uint16_t ClampCount(int64_t value) {
    return uint16_t(std::clamp<int64_t>(value, 1, kCycleMax));
}

int64_t LeadingNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        const int digit = text[i].unicode() - u'0';
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return negative ? -value : value;
}

uint16_t CyclesOf(const QString& nanoseconds, uint16_t granularity) {
    return ClampCount(LeadingNumber(nanoseconds) / std::max<int64_t>(granularity, 1) / 10);
}

QString NanosecondsText(int64_t cycles, int64_t granularity) {
    return QString::number(cycles * granularity * 10);
}

QString FrequencyText(int64_t masterPeriod, int64_t granularity) {
    const double hz = 1e9 / (double(ClampCount(masterPeriod)) * ClampCount(granularity) * 10);
    return QString::asprintf("%.2f", hz);
}

int PeriodCheck(const PulseGeneratorSettings& s) {
    if (s.masterWidth >= s.masterPeriod)
        return res::IDS_MASTER_WIDTH_TOO_LONG;
    if (s.slaveWidth >= s.masterPeriod)
        return res::IDS_SLAVE_WIDTH_TOO_LONG;
    if (s.slaveDelay >= s.masterPeriod)
        return res::IDS_SLAVE_DELAY_TOO_LONG;
    return 0;
}

int AcceleratedStep(double heldSeconds) {
    struct Stage {
        double after;
        int step;
    };
    static constexpr Stage kStages[] = {{18, 200}, {15, 50}, {12, 10}, {9, 5}, {6, 2}};
    for (const Stage& s : kStages)
        if (heldSeconds >= s.after)
            return s.step;
    return 1;
}

}  // namespace cccontrol
