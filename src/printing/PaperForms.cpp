#include "printing/PaperForms.h"

#include <QHash>

#include "platform/Printer.h"
#include "platform/VbNumbers.h"

namespace bw {

namespace {
// The forms the program added, per printer; they last while the program runs.
QHash<QString, QList<QPageSize>>& addedForms() {
    static QHash<QString, QList<QPageSize>> forms;
    return forms;
}
}  // namespace

PaperFormSize PaperSizeOf(double widthMm, double heightMm) {
    return {CLng(widthMm * 1000), CLng(heightMm * 1000)};
}

PaperFormSize PaperSizeOf(const QPageSize& size) {
    const QSizeF mm = size.definitionUnits() == QPageSize::Millimeter
                          ? size.definitionSize()
                          : size.size(QPageSize::Millimeter);
    return PaperSizeOf(mm.width(), mm.height());
}

QList<QPageSize> PaperForms(const Printer& printer) {
    return printer.PaperSizes() + addedForms().value(printer.DeviceName());
}

int FindPaperForm(const QList<QPageSize>& forms, PaperFormSize size, QString& foundName) {
    foundName.clear();
    for (int i = 0; i < forms.size(); ++i) {
        if (forms[i].isValid() && PaperSizeOf(forms[i]) == size) {
            foundName = forms[i].name();
            return i + 1;
        }
    }
    return -1;
}

QString AddPaperForm(const Printer& printer, PaperFormSize size, const QString& formName) {
    if (size.cx <= 0 || size.cy <= 0) return QStringLiteral("None");
    const QPageSize form(QSizeF(size.cx / 1000.0, size.cy / 1000.0), QPageSize::Millimeter,
                         formName, QPageSize::ExactMatch);
    if (!form.isValid()) return QStringLiteral("None");
    QList<QPageSize>& forms = addedForms()[printer.DeviceName()];
    forms.removeIf([&](const QPageSize& f) { return f.name() == formName; });
    forms << form;
    return formName;
}

bool SetCustomPaper(Printer& printer, QString& formName, double widthMm, double heightMm) {
    const PaperFormSize size = PaperSizeOf(widthMm, heightMm);
    if (size.cx <= 0 || size.cy <= 0) return false;
    QList<QPageSize> forms = PaperForms(printer);
    QString found;
    int n = FindPaperForm(forms, size, found);
    if (n < 0) {
        AddPaperForm(printer, size, formName);
        forms = PaperForms(printer);
        QString ignored;
        n = FindPaperForm(forms, size, ignored);
    } else {
        formName = found;
    }
    if (n > 0) printer.SetPageSize(forms[n - 1]);
    return true;
}

void ClearAddedPaperForms() {
    addedForms().clear();
}

}  // namespace bw
