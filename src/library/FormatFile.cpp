#include "library/FormatFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <vector>

#include "common/Common.h"
#include "common/Database.h"
#include "common/Globals.h"
#include "common/Indicator.h"
#include "common/Params.h"
#include "common/SelFormat.h"
#include "common/TextFiles.h"
#include "library/FormatTree.h"
#include "platform/Dialogs.h"
#include "platform/FileNameBytes.h"
#include "platform/RegularFile.h"
#include "platform/SafeFiles.h"
#include "platform/VbNumbers.h"
#include "store/BackgroundPicture.h"
#include "store/FormatOperations.h"
#include "store/MainForm.h"

namespace bw {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kLabelBreak = QStringLiteral("‖‖‖");
const QString kMemoBreak = QStringLiteral("♂♂");
const QString kItemOpen = QStringLiteral("=[");
const QString kItemEnd = QStringLiteral("][END]");
const QString kParamMarker = QStringLiteral("=>");
const QString kCustomType = QStringLiteral("自定义类型");
const QString kImportCaption = QStringLiteral("正在导入格式...");

// The columns of a record line, in file order.
const char* const kRecordColumns[] = {
    "ID",          "Clas", "LBL",   "Dir",   "X",     "Y",      "W",       "H",
    "S",           "L",    "Color", "fName", "fSize", "fBold",  "fItalic", "fUnderline",
    "fStrikethru", "Cash", "RCtl",  "Mem",   "SumID", "SumID1", "RCtl1"};
constexpr int kRecordFields = 23;
constexpr int kLeastFields = 21;  // older files end after SumID

// The parameters of a format are those whose key starts with its name and "=>" (exactly:
// neither case nor the LIKE wildcards widen the match).
const QString kParamOfFormat = QStringLiteral("instr(Var, ?)=1");

QString recordLine(const Recordset& rs) {
    QStringList fields;
    fields.reserve(kRecordFields);
    for (const char* c : kRecordColumns) {
        const QString column = QLatin1String(c);
        QString text = rs.Text(column);
        if (column == QLatin1String("LBL")) text.replace(kCrLf, kLabelBreak);
        if (column == QLatin1String("Mem")) text.replace(kCrLf, kMemoBreak);
        fields << text;
    }
    return fields.join(kFormatFileFieldSeparator);
}

bool fieldIsTrue(const QString& field) {
    return field.toLower() == QLatin1String("true");
}

// The custom items of the folded last line: what follows the last marker, without line
// breaks, cut at "][END]"; each "key=[value]" piece with exactly one "=[".
QList<std::pair<QString, QString>> customItems(const QString& lastLine) {
    QList<std::pair<QString, QString>> items;
    const int at = lastLine.lastIndexOf(kFormatFileCustomMarker);
    if (at < 0) return items;
    QString section = lastLine.mid(at + kFormatFileCustomMarker.size());
    section.remove(kCrLf);
    for (const QString& piece : section.split(kItemEnd)) {
        const QStringList parts = piece.split(kItemOpen);
        if (parts.size() == 2) items.append({parts[0], parts[1]});
    }
    return items;
}

struct RecordKeys {
    double oldKey;
    qint64 newKey;
};

// The link value with its old key replaced by the new one, the sign kept; unknown keys and 0
// stay as they are.
double relinked(double value, const std::vector<RecordKeys>& keys) {
    if (value == 0) return value;
    for (const RecordKeys& k : keys)
        if (k.oldKey == std::fabs(value)) return value < 0 ? -double(k.newKey) : double(k.newKey);
    return value;
}

// Closes the progress window whichever way the import ends.
struct ProgressGuard {
    ~ProgressGuard() { CloseProgress(); }
};

void setProgressVisible(bool visible) {
    if (Indicator* w = ProgressWindow()) w->setVisible(visible);
}

// A picture that is there to be copied (and is not the target itself).
bool pictureToCopy(const QString& from, const QString& to) {
    return QFileInfo::exists(from) && QFileInfo(from) != QFileInfo(to);
}

// A whole copy of the picture `from` under a temporary name beside `to`, for ReplaceFile to
// put in place; "" when there is nothing to copy or the copy failed (`why` then says why).
QString stagePicture(const QString& from, const QString& to, QString* why) {
    if (!pictureToCopy(from, to)) return QString();
    return CopyToTemporaryBeside(from, to, why);
}

QString withPictureEnding(const QString& path) {
    return path.left(path.size() - 4) + QStringLiteral(".jpg");
}

// Why the file at `path` may not be read or written over as a format file or its picture
// (a FIFO, a device, a folder: opening one would wait for good or never end); "" when it is a
// regular file or there is none.
QString notRegular(const QString& path) {
    return QFileInfo::exists(path) ? NotRegularFileCause(path) : QString();
}

// What the user is told of a format file, or of the picture beside it, that cannot be read:
// a name that is no UTF-8 (named by its bytes), or no regular file; "" when both can be.
QString unreadableImport(const QString& path) {
    if (NameNotDecodable(path))
        return QStringLiteral("无法读取格式文件“") + PathForMessage(path) +
               QStringLiteral("”：文件名不是UTF-8编码，请先改名！");
    if (const QString cause = notRegular(path); !cause.isEmpty())
        return QStringLiteral("无法读取格式文件“") + QDir::toNativeSeparators(path) +
               QStringLiteral("”：") + cause + QStringLiteral("！");
    const QString picture = withPictureEnding(path);
    if (const QString cause = notRegular(picture); !cause.isEmpty())
        return QStringLiteral("格式文件“") + QDir::toNativeSeparators(path) +
               QStringLiteral("”没有导入：它的底图“") + QDir::toNativeSeparators(picture) +
               QStringLiteral("”") + cause + QStringLiteral("！");
    return QString();
}

// A free, acceptable name for the import: asks again while the name is taken, holds a
// character the format lists cannot keep or is too long. "" when the user gave up.
QString freeFormatName(QString name) {
    for (;;) {
        QString prompt;
        if (FormatExists(name) || name.isEmpty()) {
            prompt = QStringLiteral("格式：“") + name + QStringLiteral("”已存在，请另取格式名！");
        } else {
            prompt = FormatNameProblem(name);
            if (prompt.isEmpty()) return name;
        }
        setProgressVisible(false);
        const auto answer = dlg::InputBox(prompt, QStringLiteral("格式名输入"), name);
        setProgressVisible(true);
        name = answer ? answer->trimmed() : QString();
        if (name.isEmpty()) return {};
    }
}

}  // namespace

bool FormatExists(const QString& name) {
    Recordset rs;
    OpenRecordset(rs, QStringLiteral("SELECT ID FROM Fmt WHERE Fmt=? LIMIT 1"), {name});
    return rs.RecordCount() > 0;
}

QString FormatFileText(const QString& name) {
    QString text = kFormatFileHeader + kCrLf + name + kCrLf;
    Recordset rs;
    OpenRecordset(rs, QStringLiteral("SELECT * FROM Fmt WHERE Fmt=? ORDER BY ID"), {name});
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) text += recordLine(rs) + kCrLf;
    CloseRecordset(rs);

    text += kFormatFileCustomMarker + kCrLf;
    const QString prefix = name + kParamMarker;
    OpenRecordset(rs,
                  QStringLiteral("SELECT Var, Con FROM 参数 WHERE ") + kParamOfFormat +
                      QStringLiteral(" AND instr(Var, ?)>0 ORDER BY rowid"),
                  {prefix, kCustomType});
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        const QString key = rs.Text(QStringLiteral("Var")).mid(prefix.size());
        text += key + kItemOpen + rs.Text(QStringLiteral("Con")) + kItemEnd + kCrLf;
    }
    CloseRecordset(rs);
    if (text.endsWith(kCrLf)) text.chop(kCrLf.size());
    return text;
}

QStringList FormatFileLines(const QString& text) {
    const QStringList lines = text.split(kCrLf);
    if (lines.size() <= 3) return lines;
    // From the last line down to the fourth, a broken line (empty, or too few separators)
    // joins the line before it, and the joined line is judged again as a whole. The pieces of
    // the line being built are kept, last first, with their separator count, so that every
    // line is read and copied once.
    auto separators = [](const QString& line) { return line.count(kFormatFileFieldSeparator); };
    QStringList kept;  // the finished lines from the end, last first
    std::vector<const QString*> pieces{&lines.last()};
    qsizetype count = separators(lines.last());
    bool empty = lines.last().isEmpty();
    auto finish = [&] {
        QString line;
        qsizetype size = 0;
        for (const QString* p : pieces) size += p->size() + kCrLf.size();
        line.reserve(size);
        for (auto p = pieces.rbegin(); p != pieces.rend(); ++p) {
            if (p != pieces.rbegin()) line += kCrLf;
            line += **p;
        }
        kept.push_back(std::move(line));
    };
    for (qsizetype i = lines.size() - 1; i >= 3; --i) {
        const QString& before = lines[i - 1];
        if (!empty && count >= kLeastFields - 1) {
            finish();
            pieces.clear();
            count = 0;
        }
        pieces.push_back(&before);
        count += separators(before);
        empty = pieces.size() == 1 && before.isEmpty();
    }
    finish();
    kept.push_back(lines[1]);
    kept.push_back(lines[0]);
    std::reverse(kept.begin(), kept.end());
    return kept;
}

bool IsFormatFile(const QStringList& lines) {
    return lines.size() >= 3 && lines[0] == kFormatFileHeader;
}

QString FormatNameOfFile(const QString& path) {
    const QString file = QFileInfo(QDir::fromNativeSeparators(path)).fileName();
    const int dot = file.lastIndexOf(u'.');
    return dot < 0 ? file : file.left(dot);
}

FormatFileStore StoreFormatFileLines(const QStringList& lines, const QString& name) {
    auto db = Db();
    if (!db) return FormatFileStore::Failed;
    Transaction t;
    if (!t.Active()) return FormatFileStore::Failed;
    // A statement run on the connection itself leaves its cause for the message.
    auto failed = [] {
        NoteDatabaseFailure();
        return FormatFileStore::Failed;
    };

    static const QString insert = QStringLiteral(
        "INSERT INTO Fmt(Fmt, Clas, LBL, Dir, X, Y, W, H, S, L, Color, fName, fSize, fBold, "
        "fItalic, fUnderline, fStrikethru, Cash, RCtl, Mem, SumID, SumID1, RCtl1) "
        "VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    struct Links {
        qint64 id;
        double rctl, rctl1, sumId, sumId1;
    };
    std::vector<RecordKeys> keys;
    std::vector<Links> links;
    for (int i = 2; i < lines.size(); ++i) {
        const QStringList f = lines[i].split(kFormatFileFieldSeparator);
        if (f.size() < kLeastFields) return FormatFileStore::BadRecord;
        QString label = f[2], memo = f[19];
        label.replace(kLabelBreak, kCrLf);
        memo.replace(kMemoBreak, kCrLf);
        const double sumId1 = f.size() >= 22 ? Val(f[21]) : 0;
        const double rctl1 = f.size() >= 23 ? Val(f[22]) : 0;
        const Params values{name,
                            Val(f[1]),
                            label,
                            f[3],
                            Val(f[4]),
                            Val(f[5]),
                            Val(f[6]),
                            Val(f[7]),
                            Val(f[8]),
                            Val(f[9]),
                            Val(f[10]),
                            f[11],
                            Val(f[12]),
                            fieldIsTrue(f[13]),
                            fieldIsTrue(f[14]),
                            fieldIsTrue(f[15]),
                            fieldIsTrue(f[16]),
                            Val(f[17]),
                            Val(f[18]),
                            memo,
                            Val(f[20]),
                            sumId1,
                            rctl1};
        if (!db->Exec(insert, values)) return failed();
        const qint64 id = db->LastInsertId();
        keys.push_back({double(CLng64(Val(f[0]))), id});
        links.push_back({id, Val(f[18]), rctl1, Val(f[20]), sumId1});
    }

    if (!ExecuteSql(QStringLiteral("DELETE FROM 参数 WHERE ") + kParamOfFormat,
                    {name + kParamMarker}))
        return FormatFileStore::Failed;
    static const QString insertItem = QStringLiteral("INSERT INTO 参数(Var, Con) VALUES(?, ?)");
    const QString prefix = name + kParamMarker;
    for (const auto& [key, value] : customItems(lines.last()))
        if (!db->Exec(insertItem, {prefix + key, value})) return failed();

    for (const Links& l : links) {
        const double r = relinked(l.rctl, keys), r1 = relinked(l.rctl1, keys);
        const double s = relinked(l.sumId, keys), s1 = relinked(l.sumId1, keys);
        if (r == l.rctl && r1 == l.rctl1 && s == l.sumId && s1 == l.sumId1) continue;
        if (!ExecuteSql(
                QStringLiteral("UPDATE Fmt SET RCtl=?, RCtl1=?, SumID=?, SumID1=? WHERE ID=?"),
                {r, r1, s, s1, l.id}))
            return FormatFileStore::Failed;
    }
    return t.Commit() ? FormatFileStore::Stored : FormatFileStore::Failed;
}

void ExportFormatFile(const QString& name) {
    if (!name.isEmpty())
        ChosenItem = name;
    else
        RunChooser(QStringLiteral("Format"));
    const QString format = ChosenItem;
    if (format.isEmpty()) return;

    QString defaultName = BackgroundPicturePath(format);
    if (defaultName.endsWith(QStringLiteral(".jpg"))) defaultName.chop(4);
    QString path = FileDialog(kFormatFileFilter, true, QDir::toNativeSeparators(defaultName));
    if (path.isEmpty()) return;
    if (path.right(4).toLower() != QStringLiteral(".vfm")) path += QStringLiteral(".vfm");

    // Nothing but a regular file is written over (the picture's place only when one goes there).
    const QString picture = BackgroundPicturePath(format), pictureTo = withPictureEnding(path);
    for (const QString& target : {path, pictureTo}) {
        if (target == pictureTo && !pictureToCopy(picture, pictureTo)) continue;
        if (const QString cause = notRegular(target); !cause.isEmpty()) {
            dlg::MsgBox(QStringLiteral("格式：“") + format + QStringLiteral("”没有导出：“") +
                            QDir::toNativeSeparators(target) + QStringLiteral("”") + cause +
                            QStringLiteral("！"),
                        dlg::OkOnly | dlg::Exclamation);
            return;
        }
    }
    const QString text = FormatFileText(format);
    if (QFileInfo::exists(path) &&
        dlg::MsgBox(QStringLiteral("文件：“") + path + QStringLiteral("”已经存在，是否覆盖？"),
                    dlg::YesNo | dlg::Question) != dlg::Yes)
        return;
    // The picture is copied whole before anything is replaced, so that a failure leaves the
    // old pair of files as it was; the one step after the text file is a rename.
    QString why;
    const QString staged = stagePicture(picture, pictureTo, &why);
    const bool copied = staged.isEmpty() == !pictureToCopy(picture, pictureTo);
    const bool saved = copied && SaveTextFile(text, path);
    if (!copied || !saved || (!staged.isEmpty() && !ReplaceFile(staged, pictureTo))) {
        if (!staged.isEmpty()) RemoveTemporary(staged);
        dlg::MsgBox(copied && !saved
                        ? QStringLiteral("文件保存出错！")
                        : QStringLiteral("格式：“") + format + QStringLiteral("”导出失败：底图“") +
                              QDir::toNativeSeparators(pictureTo) + QStringLiteral("”没有写成（") +
                              (why.isEmpty() ? QStringLiteral("写入时出错") : why) +
                              QStringLiteral("）！"),
                    dlg::OkOnly | dlg::Exclamation);
        return;
    }
    dlg::MsgBox(QStringLiteral("格式：“") + format + QStringLiteral("”导出完成！"),
                dlg::OkOnly | dlg::Information);
}

bool ImportFormatFile(QString path) {
    path = path.trimmed();
    if (path.isEmpty()) {
        path = FileDialog(kFormatFileFilter, false, QString());
        if (path.isEmpty() || (!QFileInfo::exists(path) && !NameNotDecodable(path))) return false;
    }
    // The files are looked at before anything is stored.
    if (const QString refused = unreadableImport(path); !refused.isEmpty()) {
        dlg::MsgBox(refused, dlg::OkOnly | dlg::Exclamation);
        return false;
    }
    ShowProgress(kImportCaption, 4, 0);
    ProgressGuard closeProgress;
    // What the user is told or asked comes after the progress window has gone.
    auto tell = [](const QString& text, int style) {
        CloseProgress();
        return dlg::MsgBox(text, style);
    };

    // An empty file is no format file; only a file still arriving is waited for.
    const QFileInfo info(path);
    if (info.exists() && info.size() == 0) return false;
    const QString text = ReadTextFile(path, false);
    if (text.isEmpty()) return false;
    const QStringList raw = text.split(kCrLf);
    if (!IsFormatFile(raw)) {
        tell(QStringLiteral("无法识别此文件，请确认文件：“") + path +
                 QStringLiteral("”为Bellweft格式文件！"),
             dlg::OkOnly | dlg::Exclamation);
        return false;
    }
    QString name = FormatNameOfFile(path);
    if (name.isEmpty()) name = raw[1];
    name = freeFormatName(name);
    if (name.isEmpty()) return false;
    UpdateProgress(1, QStringLiteral("pages"));

    const FormatFileStore stored = StoreFormatFileLines(FormatFileLines(text), name);
    if (stored != FormatFileStore::Stored) {
        tell(stored == FormatFileStore::BadRecord
                 ? QStringLiteral("格式文件有错！")
                 : QStringLiteral("格式“") + name + QStringLiteral("”导入失败（") +
                       LastDatabaseError() + QStringLiteral("）！"),
             dlg::OkOnly | dlg::Exclamation);
        return false;
    }
    UpdateProgress(1, QStringLiteral("pages"));

    AddFormatNode(MF().TV, name);
    const QString picture = withPictureEnding(path), pictureTo = BackgroundPicturePath(name);
    QString why;
    if (pictureToCopy(picture, pictureTo) && !CopyFileSafely(picture, pictureTo, &why))
        tell(QStringLiteral("格式“") + name + QStringLiteral("”的底图没有导入（") + why +
                 QStringLiteral("）！"),
             dlg::OkOnly | dlg::Exclamation);
    if (tell(QStringLiteral("格式“") + name + QStringLiteral("”导入成功,立即调用此格式？"),
             dlg::YesNo | dlg::Question) == dlg::Yes)
        SelectFormat(name);
    return true;
}

}  // namespace bw
