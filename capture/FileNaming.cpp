#include "capture/FileNaming.h"

#include <algorithm>
#include <ctime>

namespace capture {
namespace {

qsizetype LastSeparator(QStringView path) {
    return std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
}

QString ExtensionOf(uint32_t kind, uint32_t imageType) {
    if (kind == kPageAvi || kind == kSaveAvi)
        return QStringLiteral(".avi");
    if (kind != kPageSingleFrame && kind != kPageSeries && kind != kSaveSingleFrame && kind != kSaveSeries)
        return {};
    switch (imageType) {
        case kImageBmp:
            return QStringLiteral(".bmp");
        case kImageJpeg:
            return QStringLiteral(".jpg");
        case kImageTiff:
            return QStringLiteral(".tif");
        case kImageRaw:
            return QStringLiteral(".raw");
        default:
            return {};
    }
}

// Digits of the series numbering, 0 for names by date and time.
int NumberDigits(uint32_t appendFileName) {
    return appendFileName >= kAppendDigits2 && appendFileName <= kAppendDigits6
               ? int(appendFileName - kAppendDigits2) + 2
               : 0;
}

bool SameMillisecond(const SystemTime& a, const SystemTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.minute == b.minute && a.second == b.second && a.milliseconds == b.milliseconds;
}

}  // namespace

QString FixExtension(const QString& path, uint32_t kind, uint32_t imageType) {
    const QString extension = ExtensionOf(kind, imageType);
    if (extension.isEmpty())
        return path;
    const qsizetype dot = path.lastIndexOf(u'.');
    return (dot > LastSeparator(path) ? path.left(dot) : path) + extension;
}

QString AdvanceFileName(const QString& fileName) {
    const QStringView path(fileName);
    const QStringView folder = path.left(LastSeparator(path) + 1);
    const QStringView rest = path.mid(folder.size());
    const qsizetype dot = rest.lastIndexOf(u'.');
    const QStringView base = dot < 0 ? rest : rest.left(dot);
    const QStringView extension = dot < 0 ? QStringView() : rest.mid(dot);
    qsizetype digitsStart = base.size();
    while (digitsStart > 0 && base[digitsStart - 1] >= u'0' && base[digitsStart - 1] <= u'9')
        --digitsStart;

    // Counting on the digits themselves keeps every width exact, however long the run.
    QString number = digitsStart < base.size() ? base.mid(digitsStart).toString() : QStringLiteral("0");
    qsizetype i = number.size() - 1;
    for (; i >= 0 && number[i] == u'9'; --i)
        number[i] = u'0';
    if (i < 0)
        number.prepend(u'1');
    else
        number[i] = QChar(number[i].unicode() + 1);
    QString advanced = folder.toString();
    advanced += base.left(digitsStart);
    advanced += number;
    advanced += extension;
    return advanced;
}

QString FrameNamer::Name(const CaptureOptionsRecord& record, uint32_t saveType, uint32_t passIndex,
                         const SystemTime& localTime) {
    const QString fileName = GetText(record.FileName);
    QString name;
    if (saveType == kSaveSingleFrame || saveType == kSaveAvi) {
        name = fileName;
    } else if (saveType == kSaveSeries) {
        if (const int digits = NumberDigits(record.AppendFileName)) {
            name = fileName + u'/' + QString::number(passIndex).rightJustified(digits, u'0');
        } else {
            const SystemTime& t = localTime;
            name = fileName + u'/' +
                   QString::asprintf("%04d%02d%02d%02d%02d%02d%03d", t.year, t.month, t.day, t.hour, t.minute,
                                     t.second, t.milliseconds);
            repeat_ = SameMillisecond(t, remembered_) ? repeat_ + 1 : 0;
            if (repeat_ != 0)
                name += u'_' + QString::number(repeat_);
            remembered_ = t;
        }
    } else {
        return {};
    }
    return FixExtension(name, saveType, record.ImageType);
}

}  // namespace capture
