#include "TestSupport.h"

#include <QDir>

#include "platform/AppFolder.h"

#ifndef BW_TEST_BINARY_DIR
#define BW_TEST_BINARY_DIR "."
#endif

namespace bw::test {

namespace {
QVariant defaultAnswer(const dlg::Shown& s) {
    if (s.kind == dlg::Shown::Message) {
        switch (s.style & 7) {
            case dlg::OkOnly:
                return int(dlg::Ok);
            case dlg::YesNo:
                return int(dlg::No);
            default:
                return int(dlg::Cancel);
        }
    }
    return QVariant();
}
}  // namespace

void InstallDefaultAnswerer() {
    dlg::SetAnswerer(defaultAnswer);
}

ScriptedAnswers::ScriptedAnswers() : queue_(std::make_shared<std::deque<QVariant>>()) {
    dlg::ClearShown();
    auto q = queue_;
    dlg::SetAnswerer([q](const dlg::Shown& s) -> QVariant {
        if (q->empty()) return defaultAnswer(s);
        QVariant a = q->front();
        q->pop_front();
        return a;
    });
}

ScriptedAnswers::~ScriptedAnswers() {
    InstallDefaultAnswerer();
}

QStringList ScriptedAnswers::messages() const {
    QStringList out;
    for (const auto& s : dlg::ShownLog())
        if (s.kind == dlg::Shown::Message) out << s.text;
    return out;
}

QString ScriptedAnswers::lastMessage() const {
    QStringList m = messages();
    return m.isEmpty() ? QString() : m.last();
}

TempDataFolder::TempDataFolder() : previous_(AppPath()) {
    SetAppPath(dir_.path());
}
TempDataFolder::~TempDataFolder() {
    SetAppPath(previous_);
}

QString ArtifactDir() {
    QString d = QStringLiteral(BW_TEST_BINARY_DIR) + QStringLiteral("/artifacts");
    QDir().mkpath(d);
    return d;
}

}  // namespace bw::test
