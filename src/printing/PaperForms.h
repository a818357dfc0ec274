#pragma once
// Paper of the bill's exact size on the current printer: a paper size the printer already
// has is used when it matches to the thousandth of a millimetre, otherwise the program's own
// form "Korvane格式" is made at that size. Forms are compared as the printer lists them
// (portrait), so 297 x 210 does not match A4.

#include <QList>
#include <QPageSize>
#include <QString>
#include <cstdint>

namespace bw {

class Printer;

// The name of the program's own paper form.
inline const QString kCustomFormName = QStringLiteral("Korvane格式");

// A paper size in thousandths of a millimetre.
struct PaperFormSize {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    bool operator==(const PaperFormSize&) const = default;
};
// Millimetres to thousandths, halves to even.
PaperFormSize PaperSizeOf(double widthMm, double heightMm);
PaperFormSize PaperSizeOf(const QPageSize& size);

// The printer's paper forms: the sizes it offers, then the forms the program added to it.
QList<QPageSize> PaperForms(const Printer& printer);

// The 1-based number of the first form of exactly that size, or -1; `foundName` gets its
// name ("" when none).
int FindPaperForm(const QList<QPageSize>& forms, PaperFormSize size, QString& foundName);

// Adds the form to the printer's forms, replacing any older one of that name. Its name, or
// "None" when no such paper can be made.
QString AddPaperForm(const Printer& printer, PaperFormSize size, const QString& formName);

// Puts paper of widthMm x heightMm on the printer: a matching form (its name handed back in
// formName) or the form formName made at that size. False, printer unchanged, for a size
// that is no paper.
bool SetCustomPaper(Printer& printer, QString& formName, double widthMm, double heightMm);

// Forgets the forms the program added (tests).
void ClearAddedPaperForms();

}  // namespace bw
