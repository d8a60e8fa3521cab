#include "res/StringTable.h"

#include <QHash>
#include <QStringList>

#include "res/ResourceIds.h"

namespace res {
namespace {

const QHash<int, QString>& table() {
    static const QHash<int, QString> strings = {
        {IDS_HISTOGRAM, QStringLiteral("Histogram")},
        {IDS_AVG_TAP1, QStringLiteral("Avg Tap1 = %d")},
        {IDS_AVG_TAP2, QStringLiteral("Avg Tap2 = %d")},
        {IDS_PIXELS, QStringLiteral("Pixels")},
        {IDS_SIGNAL_ADU, QStringLiteral("Signal (ADU)")},
        {IDS_HORIZONTAL_AVERAGE, QStringLiteral("HORIZONTAL - Average")},
        {IDS_VERTICAL_AVERAGE, QStringLiteral("VERTICAL - Average")},
        {IDS_UNLIMITED, QStringLiteral("Unlimited")},
        {IDS_OLE_INIT_FAILED,
         QStringLiteral(
             "OLE initialization failed.  Make sure that the OLE libraries are the correct version.")},
        {IDS_OLD_FIRMWARE,
         QStringLiteral(
             "Your Glintrail Express firmware needs to be upgraded to\nversion 0.1.0.7 or greater. Please "
             "download the latest firmware from the Korvan web site.\n\nIf you choose to ignore this "
             "warning then the 'packed'\noption in the Camera Parameters dialog will not be available.")},
        {IDS_POSITION_FIRST, QStringLiteral("Top Left")},
        {127, QStringLiteral("Top Center")},
        {128, QStringLiteral("Top Right")},
        {129, QStringLiteral("Bottom Left")},
        {130, QStringLiteral("Bottom Center")},
        {131, QStringLiteral("Bottom Right")},
        {IDS_FPS_NOT_POSITIVE, QStringLiteral("FPS should be greater than zero")},
        {IDS_EMPTY_FILE_NAME, QStringLiteral("Empty file/path name specified.")},
        {IDS_CHANGE_BAUD_RATE, QStringLiteral("Do you realy want to change baud rate?")},
        {IDS_SERIAL_PORT_FAILED, QStringLiteral("Can't initialize serial port interface.")},
        {140, QStringLiteral(
                  "Either BitDepth and Tap configuration doesn't supported\n(BitDepth*Taps*Channels shall "
                  "not exceed 80bit)")},
        {141, QStringLiteral(
                  "Your Glintrail Express firmware needs to be upgraded to\nversion 0.2.0.0 or greater to "
                  "support medium mode or product of\nnumber of taps and bit depth should not exceed 24")},
        {142, QStringLiteral("The frame grabber doesn't support Full camera link mode")},
        {143, QStringLiteral("The frame grabber doesn't support 80bit (Deca) camera link mode")},
        {IDS_CANT_READ_FILE, QStringLiteral("Can't read file '%s'.")},
        {IDS_CANT_OPEN_FILE, QStringLiteral("Can't open file '%s' .")},
        {IDS_INVALID_FILE, QStringLiteral("File '%s\" is invalid.")},
        {IDS_OUT_OF_MEMORY,
         QStringLiteral("System ran out of memory.\nCapture Stopped.\n\nFrames captured: %d\nMemory "
                        "used: %d MBytes")},
        {151, QStringLiteral("Image width or image height can't be zero.")},
        {IDS_GRABBING_NEEDED, QStringLiteral("Grabbing needs to be on for this function to work")},
        {IDS_PLC, QStringLiteral("PLC\nProgrammable Logic Controller")},
        {IDS_TAP_GEOMETRY,
         QStringLiteral("No frame can be placed with this tap configuration.\nAlternate taps need an even "
                        "number of taps, and the image needs at least one column per tap and one line per "
                        "channel.")},
        {IDS_APP_NAME, QStringLiteral("Glintrail Express")},
        {38002, QStringLiteral("Pixels")},
        {38003, QStringLiteral("Signal (ADU)")},
        {38004, QStringLiteral("HORIZONTAL - Average")},
        {38005, QStringLiteral("VERTICAL - Average")},
        {49001, QStringLiteral("1 tap, L->R")},
        {49002, QStringLiteral("1 tap, R->L")},
        {49003, QStringLiteral("2 tap, L->R Interleaved")},
        {49004, QStringLiteral("2 tap, R->L Interleaved")},
        {49005, QStringLiteral("2 tap, L->R Separate")},
        {49006, QStringLiteral("2 tap, R->L Separate")},
        {49007, QStringLiteral("2 tap, Converge Separate")},
        {49008, QStringLiteral("2 taps, Diverge Separate")},
        {49009, QStringLiteral("3 taps, L->R Separate")},
        {49010, QStringLiteral("4 taps, L->R Separate")},
        {49011, QStringLiteral("4 taps, R->L Separate")},
        {49012, QStringLiteral("4 taps, 2 Seg, Interleaved")},
        {49013, QStringLiteral("4 taps, 2 Seg, Converge Interleaved")},
        {49014, QStringLiteral("4 taps, Quad Converge")},
        {49015, QStringLiteral("4 taps, L->R Interleaved")},
        {49016, QStringLiteral("4 taps, R->L Interleaved")},
        {49017, QStringLiteral("8 taps, L->R Interleaved")},
        {49018, QStringLiteral("10 taps, L->R Interleaved")},
        {49019, QStringLiteral("Custom")},
        {IDS_MORE, QStringLiteral("More >>>")},
        {IDS_LESS, QStringLiteral("Less <<<")},
        {50003, QStringLiteral("Start grab")},
        {50004, QStringLiteral("Stop grab")},
        {IDS_PULSE_START, QStringLiteral("Start")},
        {IDS_PULSE_STOP, QStringLiteral("Stop")},
        {IDS_START_CAPTURE, QStringLiteral("Start Capture")},
        {IDS_STOP_CAPTURE, QStringLiteral("Stop Capture")},
        {IDS_MASTER_WIDTH_TOO_LONG,
         QStringLiteral("Master pulse width should not exceed Master pulse period")},
        {IDS_SLAVE_WIDTH_TOO_LONG, QStringLiteral("Slave pulse width should not exceed Master pulse period")},
        {IDS_SLAVE_DELAY_TOO_LONG, QStringLiteral("Slave pulse delay should not exceed Master pulse period")},
        {IDS_MEAN_RGB, QStringLiteral("Mean RGB = {%d, %d, %d}")},
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
