#pragma once
// One running copy per user: a lock file that the running copy holds. A lock left behind by a copy that ended
// without releasing it (a crash) is recognised by its dead process and taken over.

#include <memory>

#include <QString>

class QLockFile;

namespace kalvora {

class SingleInstance {
public:
    explicit SingleInstance(const QString& lockPath);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this copy now holds the lock; false when another running copy holds it.
    bool Acquire();

    // The user's lock file: in the runtime folder, else in the temporary folder.
    static QString DefaultLockPath();

private:
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace kalvora
