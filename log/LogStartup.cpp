#include "log/LogStartup.h"

#include <QSettings>

// Only the profile's organisation and application names: the log library stays
// free of widgets, so it reads the same INI file with QSettings itself.
#include "kit/Profile.h"

namespace logengine {

LogSettings ReadLogSettings() {
    QSettings profile(QSettings::IniFormat, QSettings::UserScope, appkit::kOrganization,
                      appkit::kApplication);
    profile.beginGroup(QStringLiteral("Log"));
    const auto number = [&](const char* name, uint32_t fallback) {
        bool ok = false;
        const uint32_t value = profile.value(QLatin1String(name)).toUInt(&ok);
        return ok ? value : fallback;
    };
    LogSettings settings;
    settings.detail.system = number("SysOutDetail", 0);
    settings.detail.file = number("FileOutDetail", 0);
    settings.detail.ide = number("IdeOutDetail", 0);
    settings.systemThreshold = number("SysSeverityThrsh", 7);
    settings.fileThreshold = number("FileSeverityThrsh", 7);
    settings.ideThreshold = number("IdeSeverityThrsh", 7);
    settings.directory = profile.value(QStringLiteral("LogDir")).toString().toStdString();
    return settings;
}

void ConfigureLogging(const LogSettings& settings) {
    Initialize(0, kComponentTag, settings.directory, false, false, settings.detail);
    const struct {
        ChannelType type;
        uint32_t detail;
        uint32_t threshold;
    } channels[] = {{kSystemChannel, settings.detail.system, settings.systemThreshold},
                    {kFileChannel, settings.detail.file, settings.fileThreshold},
                    {kIdeChannel, settings.detail.ide, settings.ideThreshold}};
    for (const auto& channel : channels)
        if (channel.detail != 0)
            SetThreshold(0, channel.threshold, channel.type);
}

void ConfigureLoggingAtStartup() {
    ConfigureLogging(ReadLogSettings());
}

}  // namespace logengine
