#pragma once
// Per-user settings by application, section and key, as the program has always kept them
// in the registry (HKEY_CURRENT_USER\<application>\<section>\<key>). Here each application
// is one INI file in the settings folder.

#include <QString>

namespace bw {

// The folder of the settings files (the user's configuration folder unless set).
QString SettingsFolder();
void SetSettingsFolder(const QString& folder);

// Reads a setting; an empty or missing value gives the default. Reading creates the key,
// empty, when it is missing.
QString ReadSetting(const QString& app, const QString& section, const QString& key,
                    const QString& defaultValue);

// Writes a setting; true when written.
bool WriteSetting(const QString& app, const QString& section, const QString& key,
                  const QString& value);

}  // namespace bw
