#include "app/gui/shell/single_instance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace kalvora {

SingleInstance::SingleInstance(const QString& lockPath) : lock_(std::make_unique<QLockFile>(lockPath)) {
    // The lock is never stale by age (the program may run for days); it is stale only when the process that
    // wrote it no longer runs, which QLockFile checks on this host.
    lock_->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::Acquire() { return lock_->isLocked() || lock_->tryLock(0); }

QString SingleInstance::DefaultLockPath() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && QDir(runtime).exists()) return QDir(runtime).filePath(QStringLiteral("kalvora.lock"));
    // The temporary folder is shared by all users: one lock per user.
    const QString user = qEnvironmentVariable("USER", QStringLiteral("user"));
    return QDir(QDir::tempPath()).filePath(QStringLiteral("kalvora-%1.lock").arg(user));
}

}  // namespace kalvora
