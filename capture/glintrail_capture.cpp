// glintrail-capture: the viewer's capture without its windows, for scripts and
// machines without a display. Starts from the viewer's stored capture settings
// and the channel's camera file; the options change what they name.
#include <unistd.h>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <thread>

#include "analysis/LutTables.h"
#include "capture/CAVIWriter.h"
#include "capture/CaptureCommandLine.h"
#include "capture/CaptureJob.h"
#include "capture/ImageSaver.h"
#include "grabber/CameraFiles.h"
#include "grabber/CameraSettings.h"
#include "grabber/GrabRefusal.h"
#include "grabber/Grabber.h"
#include "kvxmoviemaker.h"

using namespace capture;

namespace {

volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int) {
    interrupted = 1;
}

QString CardLine(size_t index, const grabber::CardEntry& card) {
    std::u16string alias;
    grabber::GetCardAlias(card.cardId, alias);
    return QStringLiteral("%1  id %2  %3%4")
        .arg(index)
        .arg(card.cardId)
        .arg(QString::fromStdString(card.location))
        .arg(alias.empty() ? QString() : QStringLiteral("  \"%1\"").arg(QString::fromStdU16String(alias)));
}

// The card named by index, id or location; the library's default without a name.
grabber::CardHandle OpenCard(const std::optional<QString>& name, QString& error) {
    if (!name) {
        grabber::CardHandle card = grabber::CardHandle::OpenDefault();
        if (!card)
            error = QStringLiteral("No card found");
        return card;
    }
    const std::vector<grabber::CardEntry> cards = grabber::EnumerateCards();
    bool isNumber = false;
    const qulonglong number = name->toULongLong(&isNumber, 0);
    for (size_t i = 0; i < cards.size(); ++i) {
        const bool named = (isNumber && (number == i || number == cards[i].cardId)) ||
                           QString::fromStdString(cards[i].location) == *name;
        if (named) {
            grabber::CardHandle card = grabber::CardHandle::Open(cards[i].cardId);
            if (!card)
                error = QStringLiteral("Card %1 cannot be opened").arg(*name);
            return card;
        }
    }
    error = QStringLiteral("No card %1 (--list-cards lists them)").arg(*name);
    return {};
}

// Attaches the table of the image's depth; the owner keeps it alive.
bool AttachLut(const QString& path, CameraDescription& description, std::shared_ptr<const void>& owner,
               QString& error) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    if (!in) {
        error = QStringLiteral("Cannot read the lookup table %1").arg(path);
        return false;
    }
    const lut::LutParseResult parsed = lut::ParseLut(in);
    if (!parsed.lut) {
        error = QStringLiteral("%1: %2").arg(path, QString::fromStdString(parsed.error));
        return false;
    }
    std::shared_ptr<const lut::LutTableSet> tables = lut::BuildTableSet(*parsed.lut);
    const lut::LutTable* table = tables->Find(int(description.config.bitDepth));
    if (!table || table->empty()) {
        error =
            QStringLiteral("%1 has no table for %2-bit images").arg(path).arg(description.config.bitDepth);
        return false;
    }
    description.lutLevels = table->levels.data();
    description.lutValues = table->values.data();
    owner = std::move(tables);
    return true;
}

struct Summary {
    uint64_t grabbed = 0, written = 0, lostCard = 0, lostDelivery = 0, lostQueue = 0, lostDisk = 0;
    double megabytes = 0, seconds = 0;
    bool lossless() const {
        return written == grabbed && lostCard + lostDelivery + lostQueue + lostDisk == 0;
    }
};

void PrintSummary(const Summary& s, bool json) {
    const double rate = s.seconds > 0 ? s.megabytes / s.seconds : 0;
    if (json) {
        const QJsonObject lost{{"card", qint64(s.lostCard)},
                               {"delivery", qint64(s.lostDelivery)},
                               {"queue", qint64(s.lostQueue)},
                               {"disk", qint64(s.lostDisk)}};
        const QJsonObject object{{"grabbed", qint64(s.grabbed)},
                                 {"written", qint64(s.written)},
                                 {"lost", lost},
                                 {"megabytesPerSecond", rate},
                                 {"seconds", s.seconds}};
        std::printf("%s\n", QJsonDocument(object).toJson(QJsonDocument::Compact).constData());
        return;
    }
    std::printf("Frames grabbed: %llu, written: %llu\n", (unsigned long long)s.grabbed,
                (unsigned long long)s.written);
    std::printf("Lost at the card: %llu, at delivery: %llu, in the queue: %llu, at the disk: %llu\n",
                (unsigned long long)s.lostCard, (unsigned long long)s.lostDelivery,
                (unsigned long long)s.lostQueue, (unsigned long long)s.lostDisk);
    std::printf("%.1f MB in %.2f s: %.1f MB/s\n", s.megabytes, s.seconds, rate);
}

int Fail(const QString& message) {
    std::fprintf(stderr, "glintrail-capture: %s\n", qPrintable(message));
    return 1;
}

// The clip writer for the channel's geometry and the AVI options; an empty
// error when it is ready.
QString PrepareClipWriter(CAVIWriter& writer, const CameraDescription& d, const CaptureOptionsRecord& avi) {
    const bool monochrome = d.colorFormat == 0 && d.config.bitDepth != 24;
    int32_t result = writer.Init(d.config.widthValid, -int32_t(d.config.heightValid), avi.FPS,
                                 monochrome ? KVX_OPTION_MONOCHROME : 0);
    bool hasOptions = false;
    const QString name = GetText(avi.CompressorName);
    if (result >= 0 && !name.isEmpty())
        result = writer.SetCompressor(name, hasOptions);
    if (result >= 0)
        return {};
    return QStringLiteral("The clip cannot be set up%1: %2")
        .arg(name.isEmpty() ? QString() : QStringLiteral(" with \"%1\"").arg(name), AviErrorText(result));
}

int Run(const CaptureCommand& command) {
    if (command.listCompressors) {
        CAVIWriter writer;
        QStringList names;
        const int32_t result = writer.Init(640, -480, 30.0, 0) < 0 ? -1 : writer.GetCompressors(names);
        if (result < 0)
            return Fail(AviErrorText(result));
        for (const QString& name : names)
            std::printf("%s\n", qPrintable(name));
        return 0;
    }
    if (command.listCards) {
        const std::vector<grabber::CardEntry> cards = grabber::EnumerateCards();
        for (size_t i = 0; i < cards.size(); ++i)
            std::printf("%s\n", qPrintable(CardLine(i, cards[i])));
        return cards.empty() ? Fail(QStringLiteral("No card found")) : 0;
    }
    QString error;
    grabber::CardHandle card = OpenCard(command.card, error);
    if (!card)
        return Fail(error);
    grabber::ChannelLease lease = grabber::ChannelLease::Claim(card.get(), command.channel);
    if (!lease)
        return Fail(QStringLiteral("Channel %1 is in use by another program").arg(command.channel + 1));

    const QString cameraFile = command.cameraFile.value_or(grabber::AutomaticChannelFile(command.channel));
    grabber::ChannelSettings channelSettings;
    CameraDescription description = grabber::DefaultCameraDescription();
    const uint32_t loaded = grabber::LoadCameraSettings(cameraFile, channelSettings, description);
    if (loaded != ZAMGRB_OK && command.cameraFile)
        return Fail(QStringLiteral("Cannot read the camera file %1 (status %2)").arg(cameraFile).arg(loaded));
    std::shared_ptr<const void> lutOwner;
    if (command.lut && !AttachLut(*command.lut, description, lutOwner, error))
        return Fail(error);
    if (const uint32_t status = grabber::ConfigureChannel(card.get(), command.channel, description.config))
        return Fail(QStringLiteral("The card refuses the camera configuration of %1 (status %2)")
                        .arg(cameraFile)
                        .arg(status));

    CaptureSettings settings;
    settings.Load();
    ApplyCommand(command, settings);
    auto job = std::make_shared<const CaptureJob>(JobFrom(settings));
    const CaptureOptionsRecord& record = job->record;
    const bool stamps = record.InsertDate || record.InsertMessage || record.InsertTimestamp;

    std::mutex mutex;
    std::condition_variable wake;
    bool ended = false;
    GrabStatistics atEnd{};
    QString firstFailure;
    CaptureEngine::Hooks hooks;
    const uint64_t cardHandle = card.get();
    const uint8_t channel = command.channel;
    hooks.stoppedItself = [&](CaptureEngine::StopReason) {
        GrabStatistics statistics{};
        grabber::GetStatistics(cardHandle, channel, statistics);
        std::lock_guard lock(mutex);
        if (!ended)
            atEnd = statistics;
        ended = true;
        wake.notify_all();
    };
    hooks.fileFailed = [&](const FrameSaver::Result& result, bool) {
        std::lock_guard lock(mutex);
        if (firstFailure.isEmpty())
            firstFailure = QString::fromStdString(result.reason.empty() ? result.path : result.reason);
    };
    hooks.outOfMemory = [&](uint32_t frames, uint64_t used) {
        std::lock_guard lock(mutex);
        firstFailure = QStringLiteral("System ran out of memory after %1 frames (%2 MB in use)")
                           .arg(frames)
                           .arg(used >> 20);
    };
    CAVIWriter clipWriter;
    if (job->saveType == kSaveAvi) {
        if (const QString refusal = PrepareClipWriter(clipWriter, description, record); !refusal.isEmpty())
            return Fail(refusal);
    }
    ClipHooks clipHooks;
    clipHooks.endFailed = [&](int32_t result) {
        std::lock_guard lock(mutex);
        if (firstFailure.isEmpty())
            firstFailure = QStringLiteral("The clip could not be ended: %1").arg(AviErrorText(result));
    };
    ImageSaver saver(stamps ? RenderStampGlyphs() : nullptr, &clipWriter, clipHooks);
    CTimerQueue timers;
    CaptureEngine engine(saver, timers, hooks);
    engine.setDescription(description, lutOwner);

    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    const bool progress = !command.json && isatty(STDERR_FILENO);
    const auto started = std::chrono::steady_clock::now();
    auto seconds = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    };
    auto showProgress = [&] {
        if (!progress)
            return;
        const CaptureCounts counts = engine.counts();
        const double s = seconds();
        std::fprintf(stderr, "\rframes %llu  written %llu  %.1f MB/s  queue %u   ",
                     (unsigned long long)counts.queued, (unsigned long long)counts.written,
                     s > 0 ? double(counts.bytesWritten) / 1e6 / s : 0.0, engine.queuedFrames());
    };

    engine.start(PlanForCommand(command, settings), job);
    auto deliver = [](void* context, const FrameInfo* frame) {
        static_cast<CaptureEngine*>(context)->EnqueueCapturedFrame(*frame);
    };
    if (const uint32_t status = grabber::StartGrab(card.get(), channel, deliver, &engine)) {
        engine.stop();
        return Fail(grabber::StartGrabRefusal(status));
    }
    {
        std::unique_lock lock(mutex);
        while (!ended && !interrupted) {
            wake.wait_for(lock, std::chrono::milliseconds(250));
            lock.unlock();
            showProgress();
            lock.lock();
        }
    }
    grabber::StopGrab(card.get(), channel);
    GrabStatistics statistics{};
    grabber::GetStatistics(card.get(), channel, statistics);
    engine.stop();
    while (engine.queuedFrames() != 0 && progress) {
        showProgress();
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    engine.waitUntilSaved();
    showProgress();
    if (progress)
        std::fputc('\n', stderr);

    {
        std::lock_guard lock(mutex);
        if (ended)
            statistics = atEnd;
    }
    const CaptureCounts counts = engine.counts();
    Summary summary;
    summary.grabbed = counts.offered;
    summary.written = counts.written;
    summary.lostCard = statistics.overrunCount;
    summary.lostDelivery = statistics.dropCount;
    summary.lostQueue = counts.lostQueue;
    summary.lostDisk = counts.lostDisk;
    summary.megabytes = double(counts.bytesWritten) / 1e6;
    summary.seconds = seconds();
    PrintSummary(summary, command.json);
    if (!firstFailure.isEmpty())
        return Fail(firstFailure);
    if (!summary.lossless())
        return Fail(QStringLiteral("Not every frame was written"));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CaptureCommandParse parse = ParseCaptureCommand(arguments);
    switch (parse.outcome) {
        case CaptureCommandParse::Outcome::Help:
            std::printf("%s", qPrintable(parse.text));
            return 0;
        case CaptureCommandParse::Outcome::Version:
            std::printf("glintrail-capture %s\n", GLINTRAIL_VERSION);
            return 0;
        case CaptureCommandParse::Outcome::BadOption:
            std::fprintf(stderr, "glintrail-capture: %s\nTry glintrail-capture --help.\n",
                         qPrintable(parse.text));
            return 2;
        case CaptureCommandParse::Outcome::Run:
            break;
    }
    // The text stamp draws its glyphs with QtGui; no display is needed for that.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    return Run(parse.command);
}
