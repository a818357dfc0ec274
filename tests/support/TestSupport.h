#pragma once
// Helpers shared by the tests: a data folder of the test's own and scripted dialog answers.

#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <deque>
#include <memory>

#include "platform/Dialogs.h"

namespace bw::test {

// Answers dialogs from a queue (front first); when the queue is empty every message box is
// answered with its default (OK, No, Cancel) and every other dialog is cancelled. All
// dialogs land in dlg::ShownLog(). Installing one clears the log; destroying it restores
// the default answerer of the test main.
class ScriptedAnswers {
public:
    ScriptedAnswers();
    ~ScriptedAnswers();
    ScriptedAnswers& operator<<(const QVariant& answer) {
        queue_->push_back(answer);
        return *this;
    }
    // The texts of the message boxes shown so far.
    QStringList messages() const;
    // The last message text, or "" when none was shown.
    QString lastMessage() const;

private:
    std::shared_ptr<std::deque<QVariant>> queue_;
};

// Installs the answerer that answers every dialog with its default (used by the test main).
void InstallDefaultAnswerer();

// A fresh data folder for one test; AppPath() points to it while the object lives.
class TempDataFolder {
public:
    TempDataFolder();
    ~TempDataFolder();
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    QString previous_;
};

// A folder under the build tree where tests leave pictures and files for people to look at.
QString ArtifactDir();

}  // namespace bw::test
