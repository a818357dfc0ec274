#include "platform/Settings.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace bw {

namespace {
QString& folderRef() {
    static QString f;
    return f;
}

QString fileOf(const QString& app) {
    return SettingsFolder() + u'/' + app + QStringLiteral(".ini");
}

// Sections and keys are stored as given; "/" would open a sub-group, so it is replaced.
QString cleanPart(QString s) {
    return s.replace(u'/', u'_').replace(u'\\', u'_');
}
}  // namespace

QString SettingsFolder() {
    if (folderRef().isEmpty()) {
        QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        folderRef() = base + QStringLiteral("/Bellweft");
    }
    return folderRef();
}

void SetSettingsFolder(const QString& folder) {
    folderRef() = folder;
}

QString ReadSetting(const QString& app, const QString& section, const QString& key,
                    const QString& defaultValue) {
    QDir().mkpath(SettingsFolder());
    QSettings s(fileOf(app), QSettings::IniFormat);
    s.beginGroup(cleanPart(section));
    const QString k = cleanPart(key);
    if (!s.contains(k)) {
        s.setValue(k, QString());
        s.endGroup();
        s.sync();
        return defaultValue;
    }
    QString v = s.value(k).toString();
    s.endGroup();
    return v.isEmpty() ? defaultValue : v;
}

bool WriteSetting(const QString& app, const QString& section, const QString& key,
                  const QString& value) {
    if (!QDir().mkpath(SettingsFolder())) return false;
    QSettings s(fileOf(app), QSettings::IniFormat);
    s.beginGroup(cleanPart(section));
    s.setValue(cleanPart(key), value);
    s.endGroup();
    s.sync();
    return s.status() == QSettings::NoError;
}

}  // namespace bw
