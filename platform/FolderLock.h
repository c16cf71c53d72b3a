#pragma once

#include <QLockFile>
#include <QString>

namespace kotohana {

// One copy of the program to a data folder: two copies would each rewrite データ.txt from what
// they read and lose the plays the other saved. The lock is a small file in the folder that
// lasts while the program runs; one left by a copy that ended without removing it (a crash,
// a power cut) is taken over, since its process is gone.
class FolderLock final
{
public:
    enum class State {
        Held,          // this copy has the folder
        HeldElsewhere, // another copy that still runs has it
        NotLockable,   // the folder cannot hold the lock file (it cannot be written)
    };

    static constexpr const char16_t *kFileName = u".kotohana.lock";

    explicit FolderLock(const QString &directory);
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    State state() const { return m_state; }

private:
    QLockFile m_lock;
    State m_state;
};

} // namespace kotohana
