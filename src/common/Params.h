#pragma once
// Named settings: text parameters in table 参数 and the per-user registry settings.

#include <QString>

class QWidget;

namespace bw {

// Stores the value under the name (one row per name). False when it could not be written;
// the old value then stays and LastDatabaseError() says why.
bool SetParam(const QString& name, const QString& value);
QString GetParam(const QString& name);  // "" when absent
// The same, telling a file that could not be read (false; LastDatabaseError() says why)
// from an absent name (true, value "").
bool ReadParam(const QString& name, QString& value);

// Window positions as "Left;Top;Width;Height" in twips under "窗口参数：" + name: the
// corner of the window's frame and the size inside it, so that a window saved and restored
// any number of times keeps its place and size.
void SaveWindowPos(QWidget* window, const QString& name);
void RestoreWindowPos(QWidget* window, const QString& name);

bool SaveRegValue(const QString& app, const QString& section, const QString& key,
                  const QString& value);
QString GetRegValue(const QString& app, const QString& section, const QString& key,
                    const QString& defaultValue);

}  // namespace bw
