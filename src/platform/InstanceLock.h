#pragma once
// The lock file that marks a running program: a file the program holds under an exclusive
// lock of the system's for as long as it runs (flock, as Qt's QLockFile takes it too, so the
// two keep each other out). The system drops the lock with the process, so a lock file left
// behind by a program that crashed stands in nobody's way; nothing is synced to the disk
// when the lock is taken. The lock is the flock alone: the text in the file only tells people
// who holds it, and a lock whose text cannot be written (a full disk) holds all the same.

#include <QString>

namespace bw {

class InstanceLock {
public:
    enum class Result {
        Taken,          // this process holds the lock now
        HeldElsewhere,  // another process, or another lock in this one, holds it
        CannotMake,     // the file cannot be made or opened (a folder that cannot be written,
                        // a disk without room for one more file): MakeError() tells why
    };

    InstanceLock() = default;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    // Gives the lock up.
    ~InstanceLock();

    // Takes the lock on `path`, making the file when it is missing, and writes the process
    // id, the program's name and the host's name into it, as QLockFile does (an empty file
    // when the text cannot be written).
    Result TryLock(const QString& path);
    // The system's error (errno) of the last TryLock that ended in CannotMake.
    int MakeError() const { return makeError_; }
    // Removes the file and gives the lock up; nothing when none is held.
    void Unlock();

    bool IsLocked() const { return fd_ >= 0; }
    QString FileName() const { return path_; }

private:
    int fd_ = -1;
    int makeError_ = 0;
    QString path_;
};

}  // namespace bw
