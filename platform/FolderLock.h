#pragma once

#include <QLockFile>
#include <QString>

namespace kotohana {

// One copy of the program to a data folder: two copies would each rewrite データ.txt from what
// they read and lose the plays the other saved. The lock is a small file in the folder that
// lasts while the program runs; one left by a copy that ended without removing it (a crash,
// a power cut) is taken over, since its process is gone. QLockFile keeps the lock: on Windows
// it holds the lock file open with no other writer allowed while the program runs.
//
// A lock this computer cannot judge is not taken over without the user: one written on another
// computer (a data folder synced between PCs, or on a USB stick, where the program was killed
// there), a damaged one, or something that is not a file in its place. The user is told what is
// there and may take the folder over.
class FolderLock final
{
public:
    enum class State {
        Held, // this copy has the folder
        HeldElsewhere, // another copy that still runs on this computer has it
        OtherComputer, // the lock was written on another computer, named by otherComputer()
        Damaged, // the lock file says nothing readable (empty, or garbled)
        NotAFile, // a folder, a pipe, a link or a device is where the lock goes
        NotLockable, // the folder cannot hold the lock file (it cannot be written)
    };

    static constexpr const char16_t *kFileName = u".kotohana.lock";

    explicit FolderLock(const QString &directory);
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    State state() const { return m_state; }
    QString otherComputer() const { return m_otherComputer; }
    // Whether takeOver() can clear what is in the lock's place: a lock file, a pipe or an empty
    // folder; never a folder with something in it, a link or a device.
    bool canTakeOver() const;
    // Removes the lock the user judged left behind, and locks the folder for this copy.
    // False when what is there cannot be removed or the folder is then locked by another copy.
    bool takeOver();

private:
    void lock();

    QString m_path;
    QLockFile m_lock;
    State m_state = State::NotLockable;
    QString m_otherComputer;
};

} // namespace kotohana
