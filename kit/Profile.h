// The application profile: every stored setting goes through here, under
// organisation "Korvan" and application "Glintrail Express", one section per group.
#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QVariant>

namespace appkit {

inline constexpr const char* kOrganization = "Korvan";
inline constexpr const char* kApplication = "Glintrail Express";

class Profile {
public:
    static int GetInt(const QString& section, const QString& name, int defaultValue);
    static void WriteInt(const QString& section, const QString& name, int value);
    static QString GetString(const QString& section, const QString& name, const QString& defaultValue = {});
    static void WriteString(const QString& section, const QString& name, const QString& value);
    // Binary values; an absent value answers an empty array.
    static QByteArray GetBinary(const QString& section, const QString& name);
    static void WriteBinary(const QString& section, const QString& name, const QByteArray& value);
    // The stored value as read, for callers that check its type themselves.
    static QVariant GetValue(const QString& section, const QString& name);
    static bool Contains(const QString& section, const QString& name);

private:
    static QString key(const QString& section, const QString& name);
};

}  // namespace appkit
