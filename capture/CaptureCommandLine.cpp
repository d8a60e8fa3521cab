#include "capture/CaptureCommandLine.h"

#include <QCommandLineParser>
#include <cmath>

#include "capture/CaptureJob.h"

namespace capture {
namespace {

struct Named {
    const char* name;
    uint32_t value;
};

constexpr Named kModes[] = {{"single", kSaveSingleFrame}, {"series", kSaveSeries}, {"avi", kSaveAvi}};
constexpr Named kFormats[] = {{"bmp", kImageBmp},   {"jpeg", kImageJpeg}, {"jpg", kImageJpeg},
                              {"tiff", kImageTiff}, {"tif", kImageTiff},  {"raw", kImageRaw}};
constexpr Named kNumbering[] = {{"date", kAppendDateTime}, {"2", kAppendDigits2}, {"3", kAppendDigits3},
                                {"4", kAppendDigits4},     {"5", kAppendDigits5}, {"6", kAppendDigits6}};
constexpr Named kPositions[] = {{"top-left", 0},    {"top-center", 1},    {"top-right", 2},
                                {"bottom-left", 3}, {"bottom-center", 4}, {"bottom-right", 5}};

template <size_t N>
std::optional<uint32_t> Lookup(const Named (&table)[N], const QString& text) {
    for (const Named& entry : table)
        if (text == QLatin1String(entry.name))
            return entry.value;
    return std::nullopt;
}

template <size_t N>
QString Choices(const Named (&table)[N]) {
    QStringList names;
    for (const Named& entry : table)
        names << QLatin1String(entry.name);
    return names.join(u'|');
}

// Seconds, fractions allowed, up to what the 32-bit millisecond timers take.
std::optional<uint32_t> Milliseconds(const QString& text) {
    bool ok = false;
    const double seconds = text.toDouble(&ok);
    if (!ok || !std::isfinite(seconds) || seconds <= 0 || seconds * 1000 > double(UINT32_MAX))
        return std::nullopt;
    return uint32_t(std::llround(seconds * 1000));
}

std::optional<uint32_t> Count(const QString& text, uint32_t lowest, uint32_t highest) {
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return uint32_t(value);
}

// Durations are kept in the record to the second; the plan keeps milliseconds.
CaptureDuration ToDuration(uint32_t ms) {
    const uint32_t seconds = std::min<uint32_t>((ms + 999) / 1000, 32767u * 3600u);
    CaptureDuration d;
    d.hours = int16_t(seconds / 3600);
    d.minutes = int16_t(seconds / 60 % 60);
    d.seconds = int16_t(seconds % 60);
    return d;
}

}  // namespace

CaptureCommandParse ParseCaptureCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Captures frames of a Glintrail Express channel to image files or AVI clips without a display."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Show the version."));
    const QCommandLineOption listCards(QStringLiteral("list-cards"),
                                       QStringLiteral("List the cards and exit."));
    const QCommandLineOption card(QStringLiteral("card"),
                                  QStringLiteral("The card: its index, id or location."),
                                  QStringLiteral("INDEX|ID|LOCATION"));
    const QCommandLineOption channel(QStringLiteral("channel"), QStringLiteral("The channel (default 1)."),
                                     QStringLiteral("1|2"));
    const QCommandLineOption cameraFile(
        QStringLiteral("camera-file"),
        QStringLiteral("Camera file to configure the channel with (default: the channel's own)."),
        QStringLiteral("FILE"));
    const QCommandLineOption mode(QStringLiteral("mode"), QStringLiteral("What to capture."),
                                  QStringLiteral("single|series|avi"));
    const QCommandLineOption output(
        QStringLiteral("output"),
        QStringLiteral("The file (single, avi) or folder and base name (series, e.g. /data/run1/Glintrail)."),
        QStringLiteral("PATH"));
    const QCommandLineOption format(QStringLiteral("format"), QStringLiteral("Image format."),
                                    QStringLiteral("bmp|jpeg|tiff|raw"));
    const QCommandLineOption numbering(QStringLiteral("numbering"),
                                       QStringLiteral("Series file names: date and time, or 2 to 6 digits."),
                                       QStringLiteral("date|2|3|4|5|6"));
    const QCommandLineOption frames(QStringLiteral("frames"), QStringLiteral("Stop after N frames."),
                                    QStringLiteral("N"));
    const QCommandLineOption duration(QStringLiteral("duration"), QStringLiteral("Stop after SECONDS."),
                                      QStringLiteral("SECONDS"));
    const QCommandLineOption every(QStringLiteral("every"),
                                   QStringLiteral("Start a capture event every SECONDS."),
                                   QStringLiteral("SECONDS"));
    const QCommandLineOption eventFrames(QStringLiteral("event-frames"),
                                         QStringLiteral("Most frames of each event (with --every)."),
                                         QStringLiteral("N"));
    const QCommandLineOption eventDuration(QStringLiteral("event-duration"),
                                           QStringLiteral("How long each event takes frames (with --every)."),
                                           QStringLiteral("SECONDS"));
    const QCommandLineOption buffer(
        QStringLiteral("buffer"), QStringLiteral("Keep frames in memory and write them after the capture."));
    const QCommandLineOption freeze(QStringLiteral("freeze"),
                                    QStringLiteral("Store \"freeze the live view\" with the settings."));
    const QCommandLineOption stampDate(QStringLiteral("stamp-date"), QStringLiteral("Stamp date and time."));
    const QCommandLineOption stampTime(QStringLiteral("stamp-time"),
                                       QStringLiteral("Stamp the frame's time stamp."));
    const QCommandLineOption stampText(QStringLiteral("stamp-text"), QStringLiteral("Stamp TEXT."),
                                       QStringLiteral("TEXT"));
    const QCommandLineOption stampPosition(QStringLiteral("stamp-position"),
                                           QStringLiteral("Corner of the stamp."), Choices(kPositions));
    const QCommandLineOption lut(QStringLiteral("lut"), QStringLiteral("Lookup table applied to the images."),
                                 QStringLiteral("FILE"));
    const QCommandLineOption jpegQuality(QStringLiteral("jpeg-quality"),
                                         QStringLiteral("JPEG quality, 10 to 100 in steps of 10."),
                                         QStringLiteral("Q"));
    const QCommandLineOption normalise(QStringLiteral("normalise"),
                                       QStringLiteral("Stretch deep grey TIFF images to 16 bits."));
    const QCommandLineOption listCompressors(
        QStringLiteral("list-compressors"),
        QStringLiteral("List the clip compressors, one a line, and exit."));
    const QCommandLineOption compressor(QStringLiteral("compressor"),
                                        QStringLiteral("Clip compressor, as --list-compressors names it."),
                                        QStringLiteral("NAME"));
    const QCommandLineOption fps(QStringLiteral("fps"), QStringLiteral("Clip frames per second."),
                                 QStringLiteral("F"));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("Print the summary as one JSON object, and nothing else."));
    parser.addOptions({help,      version,         listCards,     card,      channel,     cameraFile,
                       mode,      output,          format,        numbering, frames,      duration,
                       every,     eventFrames,     eventDuration, buffer,    freeze,      stampDate,
                       stampTime, stampText,       stampPosition, lut,       jpegQuality, normalise,
                       json,      listCompressors, compressor,    fps});

    CaptureCommandParse result;
    auto bad = [&result](const QString& text) {
        result.outcome = CaptureCommandParse::Outcome::BadOption;
        result.text = text;
        return result;
    };
    if (!parser.parse(arguments))
        return bad(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return bad(QStringLiteral("Unexpected argument: %1").arg(parser.positionalArguments().first()));
    if (parser.isSet(help)) {
        result.outcome = CaptureCommandParse::Outcome::Help;
        // The parser names the program only once an application object exists.
        result.text = parser.helpText().replace(QStringLiteral("<executable_name>"),
                                                QStringLiteral("glintrail-capture"));
        return result;
    }
    if (parser.isSet(version)) {
        result.outcome = CaptureCommandParse::Outcome::Version;
        return result;
    }

    CaptureCommand& c = result.command;
    c.listCards = parser.isSet(listCards);
    c.listCompressors = parser.isSet(listCompressors);
    if (c.listCompressors) {
        result.outcome = CaptureCommandParse::Outcome::Run;
        return result;
    }
    c.json = parser.isSet(json);
    if (parser.isSet(card))
        c.card = parser.value(card);
    if (parser.isSet(channel)) {
        const auto number = Count(parser.value(channel), 1, 2);
        if (!number)
            return bad(QStringLiteral("--channel takes 1 or 2"));
        c.channel = uint8_t(*number - 1);
    }
    if (parser.isSet(cameraFile))
        c.cameraFile = parser.value(cameraFile);
    if (c.listCards) {
        result.outcome = CaptureCommandParse::Outcome::Run;
        return result;
    }

    const auto saveType = Lookup(kModes, parser.value(mode));
    if (!saveType)
        return bad(QStringLiteral("--mode takes %1").arg(Choices(kModes)));
    c.saveType = *saveType;
    c.output = parser.value(output);
    if (c.output.isEmpty())
        return bad(QStringLiteral("--output is missing"));
    if (c.output.size() >= qsizetype(kRecordTextChars))
        return bad(QStringLiteral("--output is longer than %1 characters").arg(kRecordTextChars - 1));
    if (parser.isSet(format) && !(c.imageType = Lookup(kFormats, parser.value(format))))
        return bad(QStringLiteral("--format takes bmp|jpeg|tiff|raw"));
    if (parser.isSet(numbering) && !(c.appendFileName = Lookup(kNumbering, parser.value(numbering))))
        return bad(QStringLiteral("--numbering takes %1").arg(Choices(kNumbering)));
    if (parser.isSet(frames) && !(c.frames = Count(parser.value(frames), 1, UINT32_MAX)))
        return bad(QStringLiteral("--frames takes a number of frames from 1"));
    if (parser.isSet(duration) && !(c.durationMs = Milliseconds(parser.value(duration))))
        return bad(QStringLiteral("--duration takes a number of seconds above 0"));
    if (parser.isSet(every) && !(c.everyMs = Milliseconds(parser.value(every))))
        return bad(QStringLiteral("--every takes a number of seconds above 0"));
    if (parser.isSet(eventFrames) && !(c.eventFrames = Count(parser.value(eventFrames), 1, UINT32_MAX)))
        return bad(QStringLiteral("--event-frames takes a number of frames from 1"));
    if (parser.isSet(eventDuration) && !(c.eventDurationMs = Milliseconds(parser.value(eventDuration))))
        return bad(QStringLiteral("--event-duration takes a number of seconds above 0"));
    if ((c.eventFrames || c.eventDurationMs) && !c.everyMs)
        return bad(QStringLiteral("--event-frames and --event-duration go with --every"));
    if (c.saveType != kSaveSeries && (c.everyMs || c.appendFileName))
        return bad(QStringLiteral("--every and --numbering go with --mode series"));
    c.buffer = parser.isSet(buffer);
    c.freeze = parser.isSet(freeze);
    c.stampDate = parser.isSet(stampDate);
    c.stampTime = parser.isSet(stampTime);
    if (parser.isSet(stampText)) {
        c.stampText = parser.value(stampText);
        if (c.stampText->size() >= qsizetype(kRecordTextChars))
            return bad(QStringLiteral("--stamp-text is longer than %1 characters").arg(kRecordTextChars - 1));
    }
    if (parser.isSet(stampPosition) && !(c.stampPosition = Lookup(kPositions, parser.value(stampPosition))))
        return bad(QStringLiteral("--stamp-position takes %1").arg(Choices(kPositions)));
    if (parser.isSet(lut))
        c.lut = parser.value(lut);
    if (parser.isSet(jpegQuality)) {
        c.jpegQuality = Count(parser.value(jpegQuality), 10, 100);
        if (!c.jpegQuality || *c.jpegQuality % 10 != 0)
            return bad(QStringLiteral("--jpeg-quality takes 10, 20, ... 100"));
    }
    c.normalise = parser.isSet(normalise);
    if (parser.isSet(compressor))
        c.compressor = parser.value(compressor);
    if (parser.isSet(fps)) {
        bool ok = false;
        c.fps = parser.value(fps).toDouble(&ok);
        // As the AVI page's frame rate goes.
        if (!ok || !(*c.fps > 0) || *c.fps > 10000)
            return bad(QStringLiteral("--fps takes frames per second above 0, at most 10000"));
    }
    if (c.saveType != kSaveAvi && (c.compressor || c.fps))
        return bad(QStringLiteral("--compressor and --fps go with --mode avi"));
    result.outcome = CaptureCommandParse::Outcome::Run;
    return result;
}

void ApplyCommand(const CaptureCommand& c, CaptureSettings& settings) {
    // What the command leaves out stays as the viewer stored it.
    settings.SetSaveType(c.saveType);
    if (c.imageType)
        settings.SetImageType(*c.imageType);
    if (c.jpegQuality)
        settings.JPGQuality = (100 - *c.jpegQuality) / 10;
    if (c.normalise)
        settings.Normalize = true;
    CaptureOptionsRecord& r = settings.Current();
    SetText(r.FileName, c.output);
    if (c.appendFileName)
        r.AppendFileName = *c.appendFileName;
    if (c.frames)
        r.TotalLimitDisk = *c.frames;
    if (c.durationMs)
        r.TotalLimitTime = ToDuration(*c.durationMs);
    if (c.everyMs) {
        r.Event = kEventEvery;
        r.captEvery = ToDuration(*c.everyMs);
        r.LimitDisk = c.eventFrames.value_or(0);
        r.LimitTime = ToDuration(c.eventDurationMs.value_or(0));
    }
    if (c.buffer)
        r.BufferFrames = 1;
    if (c.freeze)
        r.FreezeLive = 1;
    if (c.stampDate)
        r.InsertDate = 1;
    if (c.stampTime)
        r.InsertTimestamp = 1;
    if (c.stampText) {
        r.InsertMessage = 1;
        SetText(r.Message, *c.stampText);
    }
    if (c.stampPosition)
        r.Position = *c.stampPosition;
    if (c.compressor)
        SetText(r.CompressorName, *c.compressor);
    if (c.fps)
        r.FPS = *c.fps;
}

CapturePlan PlanForCommand(const CaptureCommand& c, const CaptureSettings& settings) {
    CapturePlan plan = PlanFor(JobFrom(settings));
    if (c.durationMs)
        plan.totalTimeMs = *c.durationMs;
    if (c.everyMs) {
        plan.everyMs = *c.everyMs;
        plan.eventTimeMs = c.eventDurationMs.value_or(0);
        plan.eventFrameLimit = c.eventFrames.value_or(0);
    }
    return plan;
}

}  // namespace capture
