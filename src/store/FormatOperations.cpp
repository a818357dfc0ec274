#include "store/FormatOperations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTreeWidget>
#include <utility>
#include <vector>

#include "common/Database.h"
#include "common/Globals.h"
#include "common/GridFunctions.h"
#include "common/Indicator.h"
#include "common/SelFormat.h"
#include "common/Services.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/RegularFile.h"
#include "platform/SafeFiles.h"
#include "platform/VbNumbers.h"
#include "store/BackgroundPicture.h"
#include "store/Canvas.h"
#include "store/CanvasOptions.h"
#include "store/CanvasSizing.h"
#include "store/FormatBatch.h"
#include "store/FormatFileNames.h"
#include "store/FormatRows.h"
#include "store/FormatTable.h"
#include "store/LayoutChanges.h"
#include "store/MainForm.h"
#include "store/RowToBox.h"

namespace bw {

namespace {

const QString kParamMarker = QStringLiteral("=>");

// The parameters of a format: every Var made of the name, "=>" and a tail without another
// "=>" (the custom values, "=>自定义类型" and a code). The keys of a format whose name merely
// begins the same way ("快递运单=>副本" beside "快递运单") hold a second "=>" and are not
// its own. The name is compared as text, not as a LIKE pattern, so that any name works.
const QString kParamCondition = QStringLiteral(
    "length(Var) > length(?1) AND substr(Var, 1, length(?1)) = ?1"
    " AND instr(substr(Var, length(?1) + 1), '=>') = 0");
Params paramKey(const QString& format) {
    return {format + kParamMarker};
}

void loadDefaultData(const QString& format) {
    if (const auto& load = Doors().records.loadDefaultData) load(format);
}
bool saveDefaultData(const QString& format) {
    const auto& save = Doors().records.saveDefaultData;
    return !save || save(format);
}
void markCurrentFormatNode(const QString& previous, const QString& current) {
    if (const auto& mark = Doors().library.markCurrentFormatNode) mark(previous, current);
}

QString chooseFormat(bool typing) {
    return RunChooser(QStringLiteral("Format"), typing);
}

// Replaces the parameters of `target` by copies of those of `source`.
bool copyFormatParams(const QString& source, const QString& target) {
    Transaction t;
    if (!ExecuteSql(QStringLiteral("DELETE FROM 参数 WHERE ") + kParamCondition, paramKey(target)))
        return false;
    Recordset rs;
    if (!OpenRecordset(rs, QStringLiteral("SELECT * FROM 参数 WHERE ") + kParamCondition,
                       paramKey(source)))
        return false;
    std::vector<std::pair<QString, QString>> params;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        params.emplace_back(rs.Text(QStringLiteral("Var")).mid(source.size() + kParamMarker.size()),
                            rs.Text(QStringLiteral("Con")));
    CloseRecordset(rs);
    for (const auto& [tail, con] : params)
        if (!ExecuteSql(QStringLiteral("INSERT INTO 参数(Var, Con) VALUES(?, ?)"),
                        {target + kParamMarker + tail, con}))
            return false;
    return t.Commit();
}

// A save under `name` that did not happen, with the cause (the database's when none is given).
void tellNotSaved(const QString& name, const QString& cause = QString()) {
    dlg::MsgBox(QStringLiteral("格式“") + name + QStringLiteral("”没有保存（") +
                    (cause.isEmpty() ? LastDatabaseError() : cause) +
                    QStringLiteral("），原有数据未作改动！"),
                dlg::OkOnly | dlg::Exclamation);
}

// Why the background pictures a save from `from` as `to` copies and then shows cannot be
// opened: one that is there but is no regular file (a FIFO's open would wait for good); ""
// when both are regular files or missing.
QString pictureInTheWay(const QString& from, const QString& to) {
    for (const QString& format : {from, to}) {
        const QString file = BackgroundPicturePath(format);
        if (QFileInfo::exists(file) && !IsRegularFile(file))
            return QStringLiteral("底图“") + QDir::toNativeSeparators(file) + QStringLiteral("”") +
                   NotRegularFileCause(file);
    }
    return QString();
}

}  // namespace

void TellDefaultsNotSaved(const QString& format) {
    dlg::MsgBox(QStringLiteral("格式“") + format + QStringLiteral("”的单据内容没有保存（") +
                    LastDatabaseError() + QStringLiteral("）！"),
                dlg::OkOnly | dlg::Exclamation);
}

QString FormatNameProblem(const QString& name) {
    // Characters as the user sees them: an emoji is one, not the two units it takes.
    if (name.toUcs4().size() > kMaxFormatNameLength) return kLongNameMessage;
    for (QChar c : kForbiddenNameChars)
        if (name.contains(c)) return kForbiddenNameMessage;
    return FormatFileNamesFit(name) ? QString() : kFileNameTooLongMessage;
}

bool FormatNameAllowed(const QString& name) {
    const QString problem = FormatNameProblem(name);
    if (problem.isEmpty()) return true;
    dlg::MsgBox(problem, dlg::OkOnly | dlg::Exclamation);
    return false;
}

void SetFormatCaption(const QString& name) {
    MainForm& mf = MF();
    if (mf.CurrentFormat() == name) return;
    mf.SetCurrentFormat(name);
    mf.LFMT[0]->setToolTip(name);
    LoadBackgroundPicture(name);
}

void SelectFormat(const QString& name, bool force) {
    QString n = name;
    bool f = force;
    SelectFormat(n, f);
}

void SelectFormat(QString& name, bool& force) {
    MainForm& mf = MF();
    const Services& doors = Doors();
    if (name.isEmpty())
        name = doors.library.formatList ? doors.library.formatList() : chooseFormat(false);
    if (name.isEmpty() || (name == mf.CurrentFormat() && !force)) return;
    const QString previous = mf.CurrentFormat();
    // The batch of the format being left may go, and its changed layout is saved or dropped,
    // or the switch waits. The batch is asked about first: No leaves everything as it was.
    if (name != previous && !(MayDropBatch() && ResolveLayoutChanges())) return;
    if (name != previous) {
        DropBatch();
        if (!previous.isEmpty() && !saveDefaultData(previous)) TellDefaultsNotSaved(previous);
        SetFormatCaption(name);
    }
    // Loading the format into the view also loads its default values.
    LoadFormatIntoView(name);
    SaveAppOptionsRow(name);
    ResetCanvasScroll();
    if (doors.filling.fillNewBillValues) doors.filling.fillNewBillValues();
    for (int i = 0; i <= 4; ++i) O2_Click(i);
    markCurrentFormatNode(previous, name);
}

void LoadFormatIntoView(QString& name) {
    MainForm& mf = MF();
    mf.PG->hide();
    ClearGrid(mf.BoxGrid(), false);
    ShowProgress(QStringLiteral("正在初始化格式……"), 6, 0);
    UpdateProgress(1, QStringLiteral("pages"));
    LoadWholeFormatRow(name);
    UpdateProgress(1, QStringLiteral("pages"));
    SizeCanvasToFormat(mf.PaperWidthMm(), mf.PaperHeightMm());  // refuses a size of 0
    UpdateProgress(1, QStringLiteral("pages"));
    LoadBoxesIntoGrid(mf.BoxGrid(), name);
    UpdateProgress(1, QStringLiteral("pages"));
    ReloadFormatBoxes(mf.BoxGrid(), false);
    UpdateProgress(1, QStringLiteral("pages"));
    loadDefaultData(name);
    CloseProgress();
    mf.PG->show();
}

bool SaveFormatAs(QString& newName) {
    MainForm& mf = MF();
    if (newName.isEmpty()) {
        newName = chooseFormat(true);
        if (newName.isEmpty()) return false;
    }
    // The open format's own name stays whatever it is; a new name must be one a format can take.
    if (newName != mf.CurrentFormat() && !FormatNameAllowed(newName)) return false;
    QString current = mf.CurrentFormat();
    const bool same = newName == current;
    // The pictures are looked at before anything is written.
    if (const QString cause = same ? QString() : pictureInTheWay(current, newName);
        !cause.isEmpty()) {
        tellNotSaved(newName, cause);
        return false;
    }
    if (!saveDefaultData(current)) TellDefaultsNotSaved(current);

    Recordset rs;
    if (!OpenRecordset(rs, QStringLiteral("SELECT Fmt FROM Fmt WHERE Fmt=?"), {newName})) {
        tellNotSaved(newName);
        return false;
    }
    const bool exists = rs.RecordCount() > 0;
    CloseRecordset(rs);
    if (exists && dlg::MsgBox(QStringLiteral("该格式已经存在，是否覆盖？"),
                              dlg::YesNo | dlg::Question) != dlg::Yes)
        return false;

    // The rows, the copied parameters and the default contents under the new name are one
    // change: all of it or nothing. The grid takes the new record IDs only when it holds.
    Grid& grid = mf.BoxGrid();
    BoxGridLinks before;
    before.take(grid);
    bool begun = false, rowsSaved = false, saved = false;
    {
        Transaction all;
        // Saving under the open format's own name keeps its parameters (the custom lists)
        // as they are; another name gets copies of them. What the boxes show becomes the
        // new format's default contents (the grid holds the new record IDs by then).
        begun = all.Active();
        rowsSaved = begun && SaveFormat(grid, newName);
        saved = rowsSaved && (same || copyFormatParams(current, newName)) &&
                saveDefaultData(newName) && all.Commit();
    }
    if (!saved) {
        before.restore(grid);
        // A failed save of the rows has told the user already.
        if (rowsSaved || !begun) tellNotSaved(newName);
        return false;
    }
    // The picture follows once the format is there; the old format's stays as it is.
    if (!same) {
        const QString from = BackgroundPicturePath(current), to = BackgroundPicturePath(newName);
        QString why;
        if (QFileInfo::exists(from) && !QFileInfo::exists(to) && !CopyFileSafely(from, to, &why))
            dlg::MsgBox(QStringLiteral("格式“") + newName + QStringLiteral("”的底图没有复制（") +
                            why + QStringLiteral("）！"),
                        dlg::OkOnly | dlg::Exclamation);
    }
    if (const auto& add = Doors().library.addFormatNode) add(mf.TV, newName);
    // The new format is shown again from the table.
    SetFormatCaption(newName);
    bool force = true;
    SelectFormat(newName, force);
    markCurrentFormatNode(current, newName);
    SaveAppOptionsRow(newName);
    return true;
}

bool DeleteFormat(QString& name) {
    MainForm& mf = MF();
    ChosenItem = name.isEmpty() ? chooseFormat(false) : name;
    const QString f = ChosenItem;
    if (f.isEmpty()) return false;
    name = f;
    if (f == mf.CurrentFormat()) {
        dlg::MsgBox(QStringLiteral("此格式为当前格式，不允许删除！"),
                    dlg::OkOnly | dlg::Exclamation);
        return false;
    }
    if (dlg::MsgBox(QStringLiteral("您确定要删除格式：“") + f + QStringLiteral("”？"),
                    dlg::YesNo | dlg::Question) != dlg::Yes)
        return false;
    bool ok = false;
    {
        Transaction t;
        ok = t.Active() && ExecuteSql(QStringLiteral("DELETE FROM 历史 WHERE Fmt=?"), {f}) &&
             ExecuteSql(QStringLiteral("DELETE FROM 默认 WHERE Fmt=?"), {f}) &&
             ExecuteSql(QStringLiteral("DELETE FROM 映射 WHERE Fmt=?"), {f}) &&
             ExecuteSql(QStringLiteral("DELETE FROM Fmt WHERE Fmt=?"), {f}) &&
             ExecuteSql(QStringLiteral("DELETE FROM 参数 WHERE ") + kParamCondition, paramKey(f)) &&
             t.Commit();
    }
    if (!ok) {
        dlg::MsgBox(QStringLiteral("格式“") + f + QStringLiteral("”删除失败，原有数据未作改动！"),
                    dlg::OkOnly | dlg::Exclamation);
        return false;
    }
    if (const auto& remove = Doors().library.removeTreeNode) remove(mf.TV, QStringLiteral("F") + f);
    return true;
}

}  // namespace bw
