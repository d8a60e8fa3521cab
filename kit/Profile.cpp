#include "kit/Profile.h"

namespace appkit {
namespace {

QSettings settings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, kOrganization, kApplication);
}

}  // namespace

QString Profile::key(const QString& section, const QString& name) {
    return section + QLatin1Char('/') + name;
}

int Profile::GetInt(const QString& section, const QString& name, int defaultValue) {
    bool ok = false;
    const int value = settings().value(key(section, name)).toInt(&ok);
    return ok ? value : defaultValue;
}

void Profile::WriteInt(const QString& section, const QString& name, int value) {
    settings().setValue(key(section, name), value);
}

QString Profile::GetString(const QString& section, const QString& name, const QString& defaultValue) {
    return settings().value(key(section, name), defaultValue).toString();
}

void Profile::WriteString(const QString& section, const QString& name, const QString& value) {
    settings().setValue(key(section, name), value);
}

QByteArray Profile::GetBinary(const QString& section, const QString& name) {
    return settings().value(key(section, name)).toByteArray();
}

void Profile::WriteBinary(const QString& section, const QString& name, const QByteArray& value) {
    settings().setValue(key(section, name), value);
}

QVariant Profile::GetValue(const QString& section, const QString& name) {
    return settings().value(key(section, name));
}

bool Profile::Contains(const QString& section, const QString& name) {
    return settings().contains(key(section, name));
}

}  // namespace appkit
