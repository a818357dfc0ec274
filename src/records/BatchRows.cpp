#include "records/BatchRows.h"

#include <QDir>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <cmath>

#include "common/Globals.h"
#include "common/GridFunctions.h"
#include "common/Indicator.h"
#include "common/Services.h"
#include "filling/BoxConversion.h"
#include "filling/DataEntry.h"
#include "filling/NewBill.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/VbNumbers.h"
#include "store/BoxAccessors.h"
#include "store/BoxControl.h"
#include "store/BoxModel.h"
#include "store/Label.h"
#include "store/MainForm.h"
#include "store/RecordNumbers.h"
#include "store/TextBox.h"

namespace bw {

namespace {

// The number of boxes a spec list stands for (its element 0 holds nothing).
int specCount(const QStringList& list) {
    return std::max(0, static_cast<int>(list.size()) - 1);
}

// Leaving a text box after a record was put in: its text converted by its data type and
// the boxes linked to it calculated.
void leaveTextBox(TextBox* box) {
    TT_LostFocus(box);
}

// True when the text holds more than white space.
bool holdsText(const QString& text) {
    for (QChar c : text)
        if (!c.isSpace()) return true;
    return false;
}

}  // namespace

QStringList MergeColumnSpecs(const ColumnSpecs& specs) {
    QStringList merged{QString()};
    merged.reserve(1 + specCount(specs.text) + specCount(specs.check) + specCount(specs.picture));
    for (const QStringList* kind : {&specs.text, &specs.check, &specs.picture})
        for (int i = 1; i < kind->size(); ++i) merged << kind->at(i);
    return merged;
}

void NormalizeColumnSpecs(QStringList& specs) {
    for (int i = 1; i < specs.size(); ++i) {
        QString s = specs[i];
        s.replace(QChar(0x201D), u'"');
        s.replace(QChar(0x201C), u'"');
        s.replace(QChar(0xFF0C), u',');
        s = s.trimmed();
        if (s.startsWith(u',')) s.remove(0, 1);
        if (s.endsWith(u',')) s.chop(1);
        specs[i] = s;
    }
}

QString ColumnLetters(int n) {
    if (n < 1 || n > 702) return {};
    const int q = static_cast<int>(std::floor((n - 0.5) / 26));
    const int r = n - 26 * q;
    QString s;
    if (q > 0) s += QChar(u'A' + q - 1);
    if (r > 0) s += QChar(u'A' + r - 1);
    return s;
}

int ColumnNumber(const QString& letters) {
    const QString s = letters.trimmed().toUpper();
    if (s.size() != 1 && s.size() != 2) return 0;
    int n = s.back().unicode() - 64;
    if (s.size() == 2) n += (s.front().unicode() - 64) * 26;
    return std::max(n, 1);
}

SpecParts ParseColumnSpec(const QString& spec) {
    SpecParts parts;
    if (spec.isEmpty()) return parts;
    for (QString p : spec.split(u',')) {
        p.remove(u'\r');
        p.remove(u'\n');
        p = p.trimmed();
        SpecPart part;
        if (p.startsWith(u'"') && p.endsWith(u'"')) {
            part.literal = true;
            if (p.size() >= 2) part.text = p.mid(1, p.size() - 2);
        } else {
            const int plus = p.indexOf(u'+');
            if (plus >= 0) {
                const double k = RoundHalfEven(Val(p.mid(plus + 1)));
                part.line = static_cast<int>(std::clamp(k, -1e9, 1e9));
                part.column = ColumnNumber(p.left(p.lastIndexOf(u'+')));
            } else {
                part.column = ColumnNumber(p);
            }
        }
        parts.push_back(std::move(part));
    }
    return parts;
}

std::vector<SpecParts> BatchSpecParts(const ColumnSpecs& specs) {
    QStringList merged = MergeColumnSpecs(specs);
    NormalizeColumnSpecs(merged);
    std::vector<SpecParts> parts;
    parts.reserve(merged.size());
    for (const QString& spec : merged) parts.push_back(ParseColumnSpec(spec));
    return parts;
}

QString ComposeBatchValue(const SpecParts& parts, int first, int lines, int lastLine,
                          const std::function<QString(int line, int column)>& cell,
                          bool* readText) {
    QString value;
    for (const SpecPart& part : parts) {
        if (part.literal) {
            value += part.text;
            continue;
        }
        if (part.line >= lines) break;
        const qint64 ln = static_cast<qint64>(first) + part.line;
        if (ln > lastLine) break;
        const QString text = cell(static_cast<int>(ln), part.column);
        if (readText && !*readText) *readText = holdsText(text);
        value += text;
    }
    if (!LineBreakMark.isEmpty() && value.contains(u'\n')) value.replace(u'\n', LineBreakMark);
    if (value.endsWith(u'\t')) value.chop(1);
    return value;
}

bool FillBatchGrid(Grid& grid, const ColumnSpecs& specs, qint64 first, qint64 last,
                   const BatchSource& source, QWidget* form) {
    const std::vector<SpecParts> parts = BatchSpecParts(specs);
    bool readsCells = false;
    for (const SpecParts& p : parts)
        for (const SpecPart& part : p) readsCells = readsCells || !part.literal;
    const qint64 total = std::max<qint64>(last - first + 1, 0);
    // The values of the record at `cur` into `values`, element c for data column c; false
    // for a blank record.
    QStringList values(static_cast<qsizetype>(parts.size()));
    auto compose = [&](qint64 cur, int lines) {
        bool filled = !readsCells;
        for (size_t i = 1; i < parts.size(); ++i) {
            const SpecParts& p = parts[i];
            QString& v = values[static_cast<qsizetype>(i)];
            if (p.size() == 1 && !p.front().literal && p.front().line == 0) {
                // One column of the record's first line, the common case: the cell itself.
                v = source.cell(static_cast<int>(cur), p.front().column);
                if (!filled) filled = holdsText(v);
                if (!LineBreakMark.isEmpty() && v.contains(u'\n')) v.replace(u'\n', LineBreakMark);
                if (v.endsWith(u'\t')) v.chop(1);
            } else {
                v = p.empty() ? QString()
                              : ComposeBatchValue(p, static_cast<int>(cur), lines,
                                                  static_cast<int>(last), source.cell, &filled);
            }
        }
        return filled;
    };
    // Each record that is not blank in turn, composed, until `take` says to stop.
    auto forEach = [&](const std::function<bool(int lines)>& take) {
        qint64 cur = first;
        for (qint64 round = 0; round < total; ++round) {
            const int lines = std::max(1, source.lines(cur));
            if (compose(cur, lines) && !take(lines)) return;
            cur += lines;
            if (cur > last) return;
        }
    };

    // Nothing is touched before a record is found.
    bool any = false;
    forEach([&any](int) {
        any = true;
        return false;
    });
    if (!any) {
        CloseProgress();
        return false;
    }
    // Laid out without records: the rows are made at once and the unused ones dropped after.
    PrepareBatchGrid(grid, 0, specs);
    grid.SetRows(grid.FixedRows() + static_cast<int>(total));
    const int serial = grid.FixedCols() - 1;
    int row = grid.FixedRows();
    ProgressSteps progress(total);
    forEach([&](int lines) {
        grid.SetTextMatrix(row, serial, QString::number(row - grid.FixedRows() + 1));
        for (int i = 1; i < static_cast<int>(values.size()); ++i)
            if (!parts[static_cast<size_t>(i)].empty())
                grid.SetTextMatrix(row, grid.FixedCols() + i - 1, values[i]);
        ++row;
        progress.Add(lines);
        return true;
    });
    grid.SetRows(row);
    AutoFitGridColumns(form, grid, grid.FixedRows(), true);
    CloseProgress();
    return true;
}

void TellNothingToImport(const QString& file, qint64 first, qint64 last) {
    dlg::MsgBox(QStringLiteral("文件“%1”的第%2行至第%3行没有可导入的数据！")
                    .arg(QDir::toNativeSeparators(file))
                    .arg(first)
                    .arg(last),
                dlg::OkOnly | dlg::Exclamation);
}

void ProgressSteps::Add(qint64 steps) {
    pending_ += steps;
    if (pending_ < bundle_) return;
    UpdateProgress(static_cast<int>(pending_), QStringLiteral("pages"));
    pending_ = 0;
}

void PrepareBatchGrid(Grid& grid, int records, const ColumnSpecs& specs) {
    const int n = specCount(specs.text), m = specCount(specs.check), p = specCount(specs.picture);
    // The layout needs the id row and the caption row, and the serial column.
    if (grid.FixedRows() < 2) {
        grid.SetRows(std::max(grid.Rows(), 2));
        grid.SetFixedRows(2);
    }
    if (grid.FixedCols() < 1) {
        grid.SetCols(std::max(grid.Cols(), 1));
        grid.SetFixedCols(1);
    }
    grid.SetRows(grid.FixedRows() + std::max(0, records));
    grid.SetRowHeight(0, 0);
    grid.SetCols(grid.FixedCols() + n + m + p);
    const int serial = grid.FixedCols() - 1;
    for (int r = grid.FixedRows(); r < grid.Rows(); ++r)
        grid.SetTextMatrix(r, serial, QString::number(r - grid.FixedRows() + 1));
    int c = grid.FixedCols();
    for (int i = 1; i <= n; ++i) grid.SetTextMatrix(0, c++, QString::number(i));
    for (int i = 1001; i <= 1000 + m; ++i) grid.SetTextMatrix(0, c++, QString::number(i));
    for (int i = 2001; i <= 2000 + p; ++i) grid.SetTextMatrix(0, c++, QString::number(i));
    for (c = grid.FixedCols(); c < grid.Cols(); ++c) {
        const Label* label = CaptionLabel(CLng(Val(grid.TextRef(0, c))));
        grid.SetTextMatrix(1, c, label ? label->Caption() : QString());
    }
}

void FillBillFromRecord(Grid& grid, int row, int numbersAhead) {
    if (row < grid.FixedRows() || row >= grid.Rows()) return;
    // The first column of each box index, found once for the whole row.
    QHash<int, int> columnOf;
    for (int c = grid.FixedCols(); c < grid.Cols(); ++c) {
        const QString& head = grid.TextRef(0, c);
        if (head.isEmpty()) continue;
        const int id = CLng(Val(head));
        if (!columnOf.contains(id)) columnOf.insert(id, c);
    }
    for (int kind = kTextBox; kind <= kPictureBox; ++kind) {
        for (int id = FirstBoxIndex(kind); id <= LastBoxIndex(kind); ++id) {
            BoxControl* box = GetBoxByIndex(id);
            if (!box) continue;
            const auto found = columnOf.constFind(id);
            const bool hasColumn = found != columnOf.cend();
            const bool filled = hasColumn && grid.ColWidth(found.value()) >= kBatchColumnMinWidth;
            if (filled) SetBoxValue(box, grid.TextRef(row, found.value()));
            if (kind != kTextBox) continue;
            auto* text = static_cast<TextBox*>(box);
            // Every record is a bill of its own: a running number the record does not give
            // is the next one, as on a new bill.
            if (!filled && Fix(BoxDataType(text)) == 122)
                NextRunningNumber(text, numbersAhead);
            else if (hasColumn)
                leaveTextBox(text);
        }
    }
}

void LoadBatchRow(Grid& grid, int row) {
    if (row < grid.FixedRows() || row >= grid.Rows()) return;
    FillBillFromRecord(grid, row);
    MF().R_Num[1]->setText(QString::number(row - grid.FixedRows() + 1));
    R_Num_Change(1);
}

void SetupBatchRows(Grid& grid, QScrollBar* bar) {
    const int records = BatchRecordCount(grid);
    MainForm& mf = MF();
    if (bar) {
        const QSignalBlocker quiet(bar);
        bar->setRange(1, std::max(1, records));
        bar->setValue(1);
    }
    if (records > 0) {
        LoadBatchRow(grid, grid.FixedRows());
    } else {
        mf.R_Num[1]->setText(QStringLiteral("0"));
        R_Num_Change(1);
    }
    mf.R_Num[0]->setText(QString::number(records));
    R_Num_Change(0);
    const bool several = records >= 2;
    if (bar) bar->setEnabled(several);
    if (mf.COM.count(1)) mf.SetCommandEnabled(mf.COM[1], several);
}

void HS_Change() {
    MainForm& mf = MF();
    if (!mf.HS || mf.HS->maximum() < 2) return;
    Grid& g = *mf.MSF[1];
    LoadBatchRow(g, g.FixedRows() + mf.HS->value() - 1);
}

void ShowSelectedBatchRecord() {
    MainForm& mf = MF();
    Grid& g = *mf.MSF[1];
    mf.HS->setValue(g.Row() - g.FixedRows() + 1);
}

void DeleteSelectedBatchRows() {
    Grid& g = *MF().MSF[1];
    int first = g.Row(), last = g.RowSel();
    DeleteGridRows(g, first, last, true);
    if (const auto& setup = Doors().records.setupBatchRows) setup(g);
}

}  // namespace bw
