#include "platform/CompoundFile.h"

// glib names a struct member "signals", which Qt defines as a keyword.
#undef signals
#include <gsf/gsf.h>

#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace bw {

namespace {

// A file larger than this is not read as a workbook (Excel 97-2003 files stay far below).
constexpr qint64 kMaxFileSize = qint64(512) * 1024 * 1024;

void quietLog(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

void initOnce() {
    static bool done = [] {
        // Damaged input is an expected case here; keep libgsf's complaints off the console.
        g_log_set_handler("libgsf:msole", G_LOG_LEVEL_MASK, quietLog, nullptr);
        g_log_set_handler("libgsf", G_LOG_LEVEL_MASK, quietLog, nullptr);
        return true;
    }();
    (void)done;
}

template <typename T>
struct GObjectRef {
    T* p = nullptr;
    GObjectRef() = default;
    explicit GObjectRef(T* q) : p(q) {}
    ~GObjectRef() {
        if (p) g_object_unref(p);
    }
    GObjectRef(const GObjectRef&) = delete;
    GObjectRef& operator=(const GObjectRef&) = delete;
};

}  // namespace

CompoundStatus ReadCompoundStream(const QString& path, const QStringList& names, QByteArray* data,
                                  QString* found) {
    initOnce();
    data->clear();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return CompoundStatus::CannotOpen;
    if (f.size() > kMaxFileSize) return CompoundStatus::Damaged;
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) return CompoundStatus::CannotOpen;
    static const char kMagic[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    if (bytes.size() < 8 || !bytes.startsWith(QByteArray(kMagic, 8)))
        return CompoundStatus::NotCompound;

    GObjectRef<GsfInput> mem(gsf_input_memory_new(
        reinterpret_cast<const guint8*>(bytes.constData()), bytes.size(), FALSE));
    if (!mem.p) return CompoundStatus::Damaged;
    GError* err = nullptr;
    GObjectRef<GsfInfile> ole(gsf_infile_msole_new(mem.p, &err));
    if (err) g_error_free(err);
    if (!ole.p) return CompoundStatus::Damaged;

    int count = gsf_infile_num_children(ole.p);
    for (const QString& want : names) {
        for (int i = 0; i < count; ++i) {
            const char* name = gsf_infile_name_by_index(ole.p, i);
            if (!name || QString::fromUtf8(name).compare(want, Qt::CaseInsensitive) != 0) continue;
            GObjectRef<GsfInput> child(gsf_infile_child_by_index(ole.p, i));
            if (!child.p) return CompoundStatus::Damaged;
            gsf_off_t size = gsf_input_size(child.p);
            if (size < 0 || size > bytes.size()) return CompoundStatus::Damaged;
            data->resize(static_cast<qsizetype>(size));
            if (size > 0 && !gsf_input_read(child.p, static_cast<size_t>(size),
                                            reinterpret_cast<guint8*>(data->data()))) {
                data->clear();
                return CompoundStatus::Damaged;
            }
            if (found) *found = QString::fromUtf8(name);
            return CompoundStatus::Ok;
        }
    }
    return CompoundStatus::NoStream;
}

bool WriteCompoundFile(const QString& path, const QString& streamName, const QByteArray& data) {
    initOnce();
    const QString tmp = path + QStringLiteral(".TMP");
    const QByteArray tmpName = QFile::encodeName(tmp);
    bool ok = false;
    {
        GError* err = nullptr;
        GObjectRef<GsfOutput> sink(gsf_output_stdio_new(tmpName.constData(), &err));
        if (err) g_error_free(err);
        if (!sink.p) return false;
        GObjectRef<GsfOutfile> ole(gsf_outfile_msole_new(sink.p));
        if (ole.p) {
            GObjectRef<GsfOutput> stream(
                gsf_outfile_new_child(ole.p, streamName.toUtf8().constData(), FALSE));
            if (stream.p) {
                ok = gsf_output_write(stream.p, static_cast<size_t>(data.size()),
                                      reinterpret_cast<const guint8*>(data.constData()));
                ok = gsf_output_close(stream.p) && ok;
            }
            ok = gsf_output_close(GSF_OUTPUT(ole.p)) && ok;
        }
        ok = (gsf_output_is_closed(sink.p) || gsf_output_close(sink.p)) && ok;
    }
    if (ok) ok = std::rename(tmpName.constData(), QFile::encodeName(path).constData()) == 0;
    if (!ok) QFile::remove(tmp);
    return ok;
}

}  // namespace bw
