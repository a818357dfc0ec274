#include "platform/LoadableModule.h"

#include <dlfcn.h>
#include <unistd.h>

#include <QByteArray>
#include <QHash>
#include <QtDebug>
#include <climits>

namespace bw {

namespace {

QByteArray executableFolder() {
    char buf[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return {};
    const QByteArray path(buf, static_cast<qsizetype>(n));
    return path.left(path.lastIndexOf('/'));
}

void* openModule(const char* name) {
    const QByteArray file = QByteArray("libbw_") + name + ".so";
    QByteArray folders[] = {executableFolder(), QByteArray(BW_MODULE_DIR)};
    QByteArray errors;
    for (const QByteArray& folder : folders) {
        if (folder.isEmpty()) continue;
        const QByteArray path = folder + '/' + file;
        if (access(path.constData(), R_OK) != 0) continue;
        if (void* handle = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL)) return handle;
        errors += dlerror();
    }
    qWarning("module %s not loaded: %s", file.constData(),
             errors.isEmpty() ? "not found" : errors.constData());
    return nullptr;
}

}  // namespace

void* ModuleSymbol(const char* name, const char* symbol) {
    // Loaded once and kept for the life of the process; a module that failed is not retried.
    static QHash<QByteArray, void*> handles;
    auto it = handles.find(name);
    if (it == handles.end()) it = handles.insert(name, openModule(name));
    return it.value() ? dlsym(it.value(), symbol) : nullptr;
}

}  // namespace bw
