// The application's per-user profile, which the original kept in the registry
// under the key "Local AppWizard-Generated Applications" and the application's
// name. Here it is QSettings with that organisation and application; a test
// points it at an INI file of its own.
#pragma once

#include <QString>

#include <memory>

class QSettings;

namespace platform {

inline constexpr const char* kRegistryKey = "Local AppWizard-Generated Applications";
inline constexpr const char* kProfileName = "Quorvandelix";

// Values by section and entry. A missing entry gives the default.
QString GetProfileString(const QString& section, const QString& entry,
                         const QString& defaultValue = QString());
int GetProfileInt(const QString& section, const QString& entry, int defaultValue);
// Return false when the profile could not be written.
bool WriteProfileString(const QString& section, const QString& entry, const QString& value);
bool WriteProfileInt(const QString& section, const QString& entry, int value);

// Tests: keep the profile in this INI file instead of the user's settings;
// an empty path restores the user's settings.
void SetProfileFile(const QString& iniPath);

// The profile as QSettings, for code that needs more than single values.
std::unique_ptr<QSettings> OpenProfile();

} // namespace platform
