#pragma once
// The password-zone settings of the open format (the characters, the characters per
// segment, the number of segments and the separator of the random codes), kept with the
// whole-format row as one text.

#include <QString>
#include <cstdint>

namespace bw {

// The settings of the password-zone codes of the open format.
struct PsdPara {
    QString charset = QStringLiteral("0123456789+-*/><");
    std::int16_t perSegment = 21;
    std::int16_t segments = 4;
    QString separator = QStringLiteral("\r\n");

    bool operator==(const PsdPara&) const = default;
};

// The stored form: the four settings joined by "{[]}", the numbers as decimal text. Missing
// parts give the defaults; a count that is no number or lies outside -32768..32767 keeps
// its default.
PsdPara ParsePsdPara(const QString& text);
QString PsdParaText(const PsdPara& para);

// The settings of the open format: set when its whole-format row is read, written back when
// it is saved, changed by the settings dialog.
void LoadPsdPara(const QString& text);
QString PsdParaString();
PsdPara& CurrentPsdPara();

}  // namespace bw
