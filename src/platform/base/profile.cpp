#include "base/profile.h"

#include <QSettings>

namespace platform {

namespace {
QString& ProfileFile() {
    static QString path;
    return path;
}

QString Key(const QString& section, const QString& entry) {
    return section + QLatin1Char('/') + entry;
}
} // namespace

void SetProfileFile(const QString& iniPath) {
    ProfileFile() = iniPath;
}

std::unique_ptr<QSettings> OpenProfile() {
    if (!ProfileFile().isEmpty())
        return std::make_unique<QSettings>(ProfileFile(), QSettings::IniFormat);
    return std::make_unique<QSettings>(QString::fromLatin1(kRegistryKey),
                                       QString::fromLatin1(kProfileName));
}

QString GetProfileString(const QString& section, const QString& entry,
                         const QString& defaultValue) {
    return OpenProfile()->value(Key(section, entry), defaultValue).toString();
}

// A stored value that is not a number gives the default.
int GetProfileInt(const QString& section, const QString& entry, int defaultValue) {
    bool ok = false;
    const int value = OpenProfile()->value(Key(section, entry), defaultValue).toInt(&ok);
    return ok ? value : defaultValue;
}

bool WriteProfileString(const QString& section, const QString& entry, const QString& value) {
    auto settings = OpenProfile();
    settings->setValue(Key(section, entry), value);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

bool WriteProfileInt(const QString& section, const QString& entry, int value) {
    auto settings = OpenProfile();
    settings->setValue(Key(section, entry), value);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

} // namespace platform
