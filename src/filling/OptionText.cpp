#include "filling/OptionText.h"

#include "platform/Dialogs.h"

namespace bw {

QString ForbiddenOptionSeparator(const QString& value, bool passwordZone) {
    if (value.contains(u'|')) return QStringLiteral("|");
    if (passwordZone && value.contains(QStringLiteral("{[]}"))) return QStringLiteral("{[]}");
    return QString();
}

bool CheckOptionValue(const QString& value, const QString& caption, bool passwordZone) {
    const QString sep = ForbiddenOptionSeparator(value, passwordZone);
    if (sep.isEmpty()) return true;
    dlg::MsgBox(caption + QStringLiteral("中不能含有“") + sep + QStringLiteral("”，请重新输入！"),
                dlg::Exclamation);
    return false;
}

}  // namespace bw
