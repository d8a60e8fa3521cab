#include "capture/CaptureSettings.h"

#include <QByteArray>
#include <QStandardPaths>
#include <QVariant>
#include <bit>
#include <cmath>
#include <cstring>
#include <optional>
#include <span>

#include "kit/Profile.h"

namespace capture {
namespace {

using appkit::Profile;

// Binary values are the bytes of the field as the record holds them.
static_assert(std::endian::native == std::endian::little);

const QString kSettings = QStringLiteral("Settings");
constexpr double kDefaultFps = 30.0;

// How a value is stored: a 32-bit number, a byte array of the field's size, text,
// or the FPS double as its 8 bytes.
enum class Stored { Dword, Binary, Text, Double };

struct Value {
    const char* name;
    Stored stored;
    size_t offset;
    qsizetype size;
};

constexpr Value Dword(const char* name, size_t offset) {
    return {name, Stored::Dword, offset, 4};
}
constexpr Value Binary(const char* name, size_t offset, qsizetype size) {
    return {name, Stored::Binary, offset, size};
}
constexpr Value Text(const char* name, size_t offset) {
    return {name, Stored::Text, offset, sizeof(RecordText)};
}

using R = CaptureOptionsRecord;

constexpr Value kEveryRecord[] = {
    Text("FileName", offsetof(R, FileName)),
    Text("Message", offsetof(R, Message)),
    Dword("InsertDate", offsetof(R, InsertDate)),
    Dword("InsertMessage", offsetof(R, InsertMessage)),
    Dword("InsertTimestamp", offsetof(R, InsertTimestamp)),
    Dword("Position", offsetof(R, Position)),
};
constexpr Value kSeries[] = {
    Dword("AppendFileName", offsetof(R, AppendFileName)),
    Dword("Event", offsetof(R, Event)),
    Dword("LimitDisk", offsetof(R, LimitDisk)),
    Dword("TotalLimitDisk", offsetof(R, TotalLimitDisk)),
    Binary("captEvery", offsetof(R, captEvery), 8),
    Binary("LimitTime", offsetof(R, LimitTime), 8),
    Binary("TotalLimitTime", offsetof(R, TotalLimitTime), 8),
    Binary("BufferFrames", offsetof(R, BufferFrames), 4),
    Binary("FreezeLive", offsetof(R, FreezeLive), 4),
};
constexpr Value kAvi[] = {
    {"FPS", Stored::Double, offsetof(R, FPS), 8},
    Dword("CompressorType", offsetof(R, CompressorType)),
    Dword("CompressorHandler", offsetof(R, CompressorHandler)),
    Dword("CompressorKeyFrame", offsetof(R, CompressorKeyFrame)),
    Dword("CompressorQuality", offsetof(R, CompressorQuality)),
    Text("CompressorFlags", offsetof(R, CompressorName)),
    // The AVI page's one frame limit.
    Dword("LimitDisk", offsetof(R, TotalLimitDisk)),
    Dword("BufferFrames", offsetof(R, BufferFrames)),
    Dword("FreezeLive", offsetof(R, FreezeLive)),
};

struct RecordKey {
    const char* name;
    std::span<const Value> values;
};

RecordKey KeyOf(uint32_t saveType) {
    switch (saveType) {
        case kSaveSeries:
            return {"MultipleFrame", kSeries};
        case kSaveAvi:
            return {"AVI", kAvi};
        default:
            return {"SingleFrame", {}};
    }
}

QString Section(const char* key) {
    return kSettings + u'/' + QLatin1String(key);
}

bool IsText(const QVariant& v) {
    return v.typeId() == QMetaType::QString;
}

// A 32-bit number: text of a number (as the profile file keeps them) or an integer.
std::optional<uint32_t> ReadDword(const QVariant& v) {
    const int type = v.typeId();
    if (type != QMetaType::QString && type != QMetaType::Int && type != QMetaType::UInt &&
        type != QMetaType::LongLong && type != QMetaType::ULongLong)
        return std::nullopt;
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (!ok || n < INT32_MIN || n > qlonglong(UINT32_MAX))
        return std::nullopt;
    return uint32_t(n);
}

void ReadValue(const QString& section, const Value& value, std::byte* record) {
    const QVariant v = Profile::GetValue(section, QLatin1String(value.name));
    std::byte* field = record + value.offset;
    switch (value.stored) {
        case Stored::Dword:
            if (const auto n = ReadDword(v))
                std::memcpy(field, &*n, 4);
            return;
        case Stored::Binary:
        case Stored::Double: {
            if (v.typeId() != QMetaType::QByteArray)
                return;
            const QByteArray bytes = v.toByteArray();
            if (bytes.size() != value.size)
                return;
            if (value.stored == Stored::Double) {
                double fps = 0;
                std::memcpy(&fps, bytes.constData(), sizeof fps);
                if (!std::isfinite(fps) || fps <= 0)
                    return;
            }
            std::memcpy(field, bytes.constData(), size_t(value.size));
            return;
        }
        case Stored::Text:
            if (IsText(v))
                SetText(*reinterpret_cast<RecordText*>(field), v.toString());
            return;
    }
}

void WriteValue(const QString& section, const Value& value, const std::byte* record) {
    const QString name = QLatin1String(value.name);
    const std::byte* field = record + value.offset;
    switch (value.stored) {
        case Stored::Dword: {
            uint32_t n = 0;
            std::memcpy(&n, field, 4);
            Profile::WriteInt(section, name, int(n));
            return;
        }
        case Stored::Binary:
        case Stored::Double:
            Profile::WriteBinary(section, name, QByteArray(reinterpret_cast<const char*>(field), value.size));
            return;
        case Stored::Text:
            Profile::WriteString(section, name, GetText(*reinterpret_cast<const RecordText*>(field)));
            return;
    }
}

void ReadRecord(uint32_t saveType, CaptureOptionsRecord& record) {
    const RecordKey key = KeyOf(saveType);
    const QString section = Section(key.name);
    auto* bytes = reinterpret_cast<std::byte*>(&record);
    for (const Value& value : kEveryRecord)
        ReadValue(section, value, bytes);
    for (const Value& value : key.values)
        ReadValue(section, value, bytes);
}

void WriteRecord(uint32_t saveType, const CaptureOptionsRecord& record) {
    const RecordKey key = KeyOf(saveType);
    const QString section = Section(key.name);
    const auto* bytes = reinterpret_cast<const std::byte*>(&record);
    for (const Value& value : kEveryRecord)
        WriteValue(section, value, bytes);
    for (const Value& value : key.values)
        WriteValue(section, value, bytes);
}

void ReadTopLevel(const char* name, uint32_t& field) {
    if (const auto n = ReadDword(Profile::GetValue(kSettings, QLatin1String(name))))
        field = *n;
}

}  // namespace

CaptureSettings::CaptureSettings()
    : CaptureSettings(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)) {}

CaptureSettings::CaptureSettings(const QString& desktopFolder) {
    SetText(singleFrame.FileName, desktopFolder + QStringLiteral("/glintrail.bmp"));
    SetText(series.FileName, desktopFolder + QStringLiteral("/Glintrail"));
    SetText(avi.FileName, desktopFolder + QStringLiteral("/glintrail.avi"));
    series.AppendFileName = kAppendDateTime;
    series.Event = kEventContinuous;
    avi.FPS = kDefaultFps;
    SetImageType(kImageBmp);
}

CaptureOptionsRecord& CaptureSettings::Current() {
    return SaveType == kSaveSeries ? series : SaveType == kSaveAvi ? avi : singleFrame;
}

const CaptureOptionsRecord& CaptureSettings::Current() const {
    return SaveType == kSaveSeries ? series : SaveType == kSaveAvi ? avi : singleFrame;
}

bool CaptureSettings::SetImageType(uint32_t imageType) {
    if (imageType < kImageBmp || imageType > kImageRaw)
        return false;
    ImageType = imageType;
    singleFrame.ImageType = imageType;
    series.ImageType = imageType;
    return true;
}

bool CaptureSettings::SetSaveType(uint32_t saveType) {
    if (saveType < kSaveSingleFrame || saveType > kSaveAvi)
        return false;
    SaveType = saveType;
    return true;
}

void CaptureSettings::Load() {
    uint32_t imageType = ImageType;
    uint32_t saveType = SaveType;
    uint32_t normalized = Normalize ? 1 : 0;
    ReadTopLevel("ImageType", imageType);
    ReadTopLevel("SaveType", saveType);
    ReadTopLevel("JPGQuality", JPGQuality);
    ReadTopLevel("NormalizedImage", normalized);
    Normalize = normalized == 1;

    ReadRecord(kSaveSingleFrame, singleFrame);
    ReadRecord(kSaveSeries, series);
    avi.FPS = kDefaultFps;
    ReadRecord(kSaveAvi, avi);
    avi.CompressorFlags = 0;

    SetImageType(imageType);
    SetSaveType(saveType);
}

void CaptureSettings::Save() const {
    Profile::WriteInt(kSettings, QStringLiteral("ImageType"), int(ImageType));
    Profile::WriteInt(kSettings, QStringLiteral("JPGQuality"), int(JPGQuality));
    Profile::WriteInt(kSettings, QStringLiteral("SaveType"), int(SaveType));
    Profile::WriteInt(kSettings, QStringLiteral("NormalizedImage"), Normalize ? 1 : 0);
    WriteRecord(SaveType, Current());
}

int SelectCompressor(const QStringList& listed, const QString& stored) {
    if (listed.isEmpty())
        return -1;
    return std::max(0, int(listed.indexOf(stored)));
}

}  // namespace capture
