#include "platform/VersionNumber.h"

namespace bw {

double LeadingNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
    QString digits;
    bool point = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9') {
            digits += c;
        } else if (c == u'.' && !point) {
            point = true;
            digits += c;
        } else {
            break;
        }
    }
    bool ok = false;
    const double value = digits.toDouble(&ok);
    return ok ? value : 0.0;
}

QString RunningVersionText(const QString& caption) {
    QString out;
    for (QChar c : caption)
        if ((c >= u'0' && c <= u'9') || c == u'.') out += c;
    return out;
}

AnnouncedVersion VersionFromPage(const QString& page) {
    QString rest = page;
    const qsizetype title = rest.indexOf(QStringLiteral("<title>"), 0, Qt::CaseSensitive);
    if (title >= 0) rest = rest.mid(title + 7);
    const qsizetype paren = rest.indexOf(u'(');
    if (paren >= 0) rest = rest.mid(paren + 1);
    AnnouncedVersion v;
    v.value = LeadingNumber(rest);
    v.text = QString::number(v.value, 'g', 15);
    return v;
}

bool IsNewerVersion(double announced, double running) {
    return announced != 0 && running != 0 && announced > running;
}

}  // namespace bw
