#include "StringTable.h"

#include <QHash>
#include <QStringList>

#include "ResourceIds.h"

namespace res {
namespace {

const QHash<int, QString>& table() {
    static const QHash<int, QString> strings = {
        {IDS_HISTOGRAM, QStringLiteral("Histogram")},
        {IDS_OLE_INIT_FAILED,
         QStringLiteral(
             "OLE initialization failed.  Make sure that the OLE libraries are the correct version.")},
        {IDS_OLD_FIRMWARE,
         QStringLiteral(
             "Your Glintrail Express firmware needs to be upgraded to\nversion 0.1.0.7 or greater. Please "
             "download the latest firmware from the Korvan web site.\n\nIf you choose to ignore this "
             "warning then the 'packed'\noption in the Camera Parameters dialog will not be available.")},
        {140, QStringLiteral(
                  "Either BitDepth and Tap configuration doesn't supported\n(BitDepth*Taps*Channels shall "
                  "not exceed 80bit)")},
        {141, QStringLiteral(
                  "Your Glintrail Express firmware needs to be upgraded to\nversion 0.2.0.0 or greater to "
                  "support medium mode or product of\nnumber of taps and bit depth should not exceed 24")},
        {142, QStringLiteral("The frame grabber doesn't support Full camera link mode")},
        {143, QStringLiteral("The frame grabber doesn't support 80bit (Deca) camera link mode")},
        {151, QStringLiteral("Image width or image height can't be zero.")},
        {IDS_PLC, QStringLiteral("PLC\nProgrammable Logic Controller")},
        {IDS_APP_NAME, QStringLiteral("Glintrail Express")},
        {38002, QStringLiteral("Pixels")},
        {38003, QStringLiteral("Signal (ADU)")},
        {38004, QStringLiteral("HORIZONTAL - Average")},
        {38005, QStringLiteral("VERTICAL - Average")},
        {50003, QStringLiteral("Start grab")},
        {50004, QStringLiteral("Stop grab")},
        {50005, QStringLiteral("Start")},
        {50006, QStringLiteral("Stop")},
        {50007, QStringLiteral("Start Capture")},
        {50008, QStringLiteral("Stop Capture")},
    };
    return strings;
}

}  // namespace

QString LoadString(int id) {
    return table().value(id);
}

QString LoadStringLine(int id, int line) {
    const QStringList lines = LoadString(id).split(QLatin1Char('\n'));
    return line >= 0 && line < lines.size() ? lines[line] : QString();
}

}  // namespace res
