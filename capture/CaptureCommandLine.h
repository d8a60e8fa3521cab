// The options of the headless recorder, glintrail-capture, and how they change
// the stored capture settings it starts from.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "capture/CaptureEngine.h"
#include "capture/CaptureSettings.h"

namespace capture {

struct CaptureCommand {
    bool listCards = false;
    bool listCompressors = false;
    bool json = false;
    std::optional<QString> card;  // index, id or location
    uint8_t channel = 0;
    std::optional<QString> cameraFile;
    uint32_t saveType = kSaveSeries;
    QString output;
    std::optional<uint32_t> imageType;
    std::optional<uint32_t> appendFileName;
    std::optional<uint32_t> frames;
    std::optional<uint32_t> durationMs;
    std::optional<uint32_t> everyMs;
    std::optional<uint32_t> eventFrames;
    std::optional<uint32_t> eventDurationMs;
    bool buffer = false;
    bool freeze = false;
    bool stampDate = false;
    bool stampTime = false;
    std::optional<QString> stampText;
    std::optional<uint32_t> stampPosition;
    std::optional<QString> lut;
    std::optional<uint32_t> jpegQuality;  // 10..100
    bool normalise = false;
    std::optional<QString> compressor;  // clips: a name the movie maker lists
    std::optional<double> fps;          // clips: frames per second
};

struct CaptureCommandParse {
    enum class Outcome { Run, Help, Version, BadOption };
    Outcome outcome = Outcome::BadOption;
    CaptureCommand command;
    QString text;  // the help text, or what is wrong with the options
};

// arguments[0] is the program.
CaptureCommandParse ParseCaptureCommand(const QStringList& arguments);

// The stored settings with the command's choices applied; the plan of the
// resulting job with the command's times to the millisecond.
void ApplyCommand(const CaptureCommand& command, CaptureSettings& settings);
CapturePlan PlanForCommand(const CaptureCommand& command, const CaptureSettings& settings);

}  // namespace capture
