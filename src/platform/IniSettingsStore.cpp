#include "platform/IniSettingsStore.h"

#include "core/BlockingCall.h"
#include "core/Failure.h"
#include "platform/RegularFile.h"
#include "platform/UniqueFd.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QtDebug>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

const QString kSection = u"Zorvik/"_s;

// Where a write must land: a link (a dotfiles manager's, say) is followed to its file, which was
// found to be a regular one just before. A link to nothing is replaced by the file.
QByteArray writeTarget(const QString& fileName) {
    QByteArray path = QFile::encodeName(fileName);
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.constData(), nullptr),
                                                               &std::free);
    if (resolved)
        return QByteArray(resolved.get());
    return path;
}

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.first(slash);
}

// The temporaries of a write to `target` are named "." + its name + kTemporaryMark + a random number
// in base 36; nothing else in the folder has that form.
constexpr char kTemporaryMark[] = ".zorvik-";

QByteArray temporaryNamePrefix(const QByteArray& target) {
    return '.' + target.sliced(target.lastIndexOf('/') + 1) + kTemporaryMark;
}

bool isTemporaryName(QByteArrayView name, QByteArrayView prefix) {
    if (!name.startsWith(prefix) || name.size() == prefix.size())
        return false;
    const QByteArrayView number = name.sliced(prefix.size());
    return std::all_of(number.begin(), number.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'); });
}

void writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote < 0)
            throwErrno(errno);
        done += wrote;
    }
}

// Replaces `target` with a file holding `bytes`, in one step: a crash leaves the old file or the
// new one, never a part of either. The new file keeps the old one's mode and, where the system
// allows, its owner (a user's file stays the user's when root writes it).
void replaceFile(const QByteArray& target, const QByteArray& bytes) {
    const QByteArray folder = folderOf(target);
    const QByteArray temporary = folder + '/' + temporaryNamePrefix(target) +
                                 QByteArray::number(QRandomGenerator::global()->generate64(), 36);
    UniqueFd file(::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
    if (!file)
        throwErrno(errno);
    auto removeTemporary = qScopeGuard([&] { ::unlink(temporary.constData()); });

    struct stat old {};
    if (::stat(target.constData(), &old) == 0) {
        // Checked when the file was read a moment ago; what stands there now is checked again, so
        // that a device swapped in meanwhile is never renamed over.
        if (!S_ISREG(old.st_mode))
            throw Failure(QCoreApplication::translate("IniSettingsStore", "it is no longer a regular file"));
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            if (::fchown(file.get(), old.st_uid, old.st_gid) != 0) {
                // Only root may give a file away; anyone else's new file stays theirs.
            }
        }
        if (::fchmod(file.get(), old.st_mode & 07777) != 0)
            throwErrno(errno);
    } else if (struct stat created{}; ::fstat(file.get(), &created) == 0) {
        // As QSettings does for a file it creates: readable and writable by its owner whatever the umask.
        if (::fchmod(file.get(), (created.st_mode & 07777) | S_IRUSR | S_IWUSR) != 0)
            throwErrno(errno);
    }
    writeAll(file.get(), bytes);
    if (::fsync(file.get()) != 0)
        throwErrno(errno);
    if (::close(file.release()) != 0)
        throwErrno(errno);
    if (::rename(temporary.constData(), target.constData()) != 0)
        throwErrno(errno);
    removeTemporary.dismiss();
    // The rename itself reaches the disk with the folder.
    const UniqueFd directory(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory)
        ::fsync(directory.get());
}

// Why a file as read cannot be used, or nothing when it can (an absent one is created by a write).
std::optional<QString> unusableReason(const RegularFileRead& file) {
    switch (file.outcome) {
    case RegularFileRead::Outcome::Read:
        return std::nullopt;
    case RegularFileRead::Outcome::NotFound:
        if (file.error == ENOENT) // none yet, or a link to nothing: the first write puts a file there
            return std::nullopt;
        return errnoText(file.error);
    case RegularFileRead::Outcome::NotRegular:
        return QCoreApplication::translate("IniSettingsStore", "it is %1, not a regular file").arg(file.kind);
    case RegularFileRead::Outcome::TooLarge:
        return QCoreApplication::translate("IniSettingsStore", "it is larger than 1 MB");
    case RegularFileRead::Outcome::CannotRead:
        return errnoText(file.error);
    }
    return errnoText(file.error);
}

QString setAsideNoticeFor(const QString& fileName, const QString& reason) {
    return QCoreApplication::translate("IniSettingsStore", "The settings file %1 is not used: %2.")
               .arg(fileName, reason) +
           u"\n\n"_s +
           QCoreApplication::translate(
               "IniSettingsStore",
               "Zorvik starts with its default settings and saves no changes to them this time.");
}

// Takes the lock that every instance holds while it reads and replaces the file: a hidden file of
// its own beside it (QSettings' Teskaro.conf.lock is a QLockFile, whose owners would take a file held
// open by flock for a stale lock and remove it). The lock file is never removed, so every instance
// locks the same inode; opening it neither follows a link nor waits on a named pipe, and only a
// regular file is locked. No descriptor, with errno set, when the lock cannot be had.
UniqueFd lockBeside(const QString& fileName) {
    const QByteArray path = QFile::encodeName(fileName);
    const QByteArray lockPath =
        folderOf(path) + "/." + path.sliced(path.lastIndexOf('/') + 1) + ".zorvik.lock";
    UniqueFd lock(::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600));
    if (!lock)
        return {};
    struct stat status {};
    if (::fstat(lock.get(), &status) != 0)
        return {};
    if (!S_ISREG(status.st_mode)) {
        errno = EINVAL;
        return {};
    }
    while (::flock(lock.get(), LOCK_EX) != 0)
        if (errno != EINTR)
            return {};
    return lock;
}

// Keeps the first-changed order of keys and each key's newest value.
void setChange(std::vector<SettingChange>& changes, SettingChange change) {
    const auto same = std::find_if(changes.begin(), changes.end(),
                                   [&](const SettingChange& known) { return known.key == change.key; });
    if (same != changes.end())
        same->value = std::move(change.value);
    else
        changes.push_back(std::move(change));
}

} // namespace

void SettingsFileWriter::cleanUp() {
    const UniqueFd lock = lockBeside(fileName_);
    if (!lock)
        return; // no folder yet, or no lock: then what lies there may be a write under way
    const QByteArray target = writeTarget(fileName_);
    const QByteArray namePrefix = temporaryNamePrefix(target);
    DIR* const stream = ::opendir(folderOf(target).constData());
    if (!stream)
        return;
    const auto closeStream = qScopeGuard([stream] { ::closedir(stream); });
    while (const dirent* entry = ::readdir(stream)) {
        if (!isTemporaryName(QByteArrayView(entry->d_name), namePrefix))
            continue;
        // Only the user's own regular file goes; a link or anything of another user's stays.
        struct stat status {};
        if (::fstatat(::dirfd(stream), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(status.st_mode) && status.st_uid == ::geteuid())
            ::unlinkat(::dirfd(stream), entry->d_name, 0);
    }
}

SettingsFileWriter::Outcome SettingsFileWriter::write(const std::vector<SettingChange>& changes) {
    try {
        QDir().mkpath(QFileInfo(fileName_).absolutePath());
        const UniqueFd lock = lockBeside(fileName_);
        if (!lock)
            qWarning("Zorvik: the settings file %s is written without its lock: %s", qPrintable(fileName_),
                     qPrintable(errnoText(errno)));
        const RegularFileRead file = readRegularFile(fileName_, IniSettingsStore::kLargestFile);
        if (const std::optional<QString> reason = unusableReason(file)) {
            qWarning("Zorvik: %s", qPrintable(setAsideNoticeFor(fileName_, *reason)));
            return Outcome::Unusable;
        }
        IniDocument document(file.bytes);
        for (const SettingChange& change : changes)
            if (!document.setText(change.key, change.value))
                qWarning("Zorvik: could not store %s in the settings file %s", qPrintable(change.key),
                         qPrintable(fileName_));
        if (document.bytes() == file.bytes)
            return Outcome::Written;
        if (document.bytes().size() > IniSettingsStore::kLargestFile) {
            qWarning("Zorvik: the settings file %s would grow beyond 1 MB; not written",
                     qPrintable(fileName_));
            return Outcome::Failed;
        }
        replaceFile(writeTarget(fileName_), document.bytes());
        return Outcome::Written;
    } catch (const Failure& failure) {
        qWarning("Zorvik: could not write the settings file %s: %s", qPrintable(fileName_),
                 qPrintable(failure.description()));
        return Outcome::Failed;
    }
}

struct IniSettingsStore::Queue {
    std::mutex mutex;
    std::condition_variable settledChanged;
    std::vector<SettingChange> changes; // not yet taken by the worker
    quint64 asked = 0;                  // writes asked for (the start-up clean-up counts as one)
    quint64 settled = 0;                // of those, how many are on disk or given up
    bool cleanUpFirst = false;
    bool working = false;  // a worker runs, or is about to
    bool unusable = false; // the file turned bad: nothing more is written
};

IniSettingsStore::IniSettingsStore()
    : IniSettingsStore(std::make_shared<SettingsFileWriter>(
          QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/Teskaro.conf"_s)) {}

IniSettingsStore::IniSettingsStore(std::shared_ptr<SettingsFileWriter> file)
    : file_(std::move(file)), queue_(std::make_shared<Queue>()) {
    const RegularFileRead read = readRegularFile(file_->fileName(), kLargestFile);
    if (const std::optional<QString> reason = unusableReason(read)) {
        setAsideNotice_ = setAsideNoticeFor(file_->fileName(), *reason);
        return;
    }
    document_ = IniDocument(read.bytes);
    const std::lock_guard lock(queue_->mutex);
    queue_->cleanUpFirst = true;
    ++queue_->asked;
    startWorker();
}

IniSettingsStore::~IniSettingsStore() {
    if (!waitUntilWritten(kPatience))
        qWarning("Zorvik: the settings file %s is still being written", qPrintable(fileName()));
}

QString IniSettingsStore::read(const QString& key, const QString& defaultValue) const {
    return document_.text(kSection + key).value_or(defaultValue);
}

void IniSettingsStore::write(const QString& key, const QString& value) {
    if (!setAsideNotice_.isEmpty())
        return;
    IniDocument edited = document_;
    if (!edited.setText(kSection + key, value)) {
        qWarning("Zorvik: could not store %s in the settings file %s", qPrintable(key),
                 qPrintable(fileName()));
        return;
    }
    if (edited.bytes() == document_.bytes())
        return;
    // Later reads see the value even if the disk refuses it, as they did with QSettings.
    document_ = std::move(edited);
    const std::lock_guard lock(queue_->mutex);
    if (queue_->unusable)
        return;
    setChange(queue_->changes, {kSection + key, value});
    ++queue_->asked;
    startWorker();
}

bool IniSettingsStore::waitUntilWritten(std::chrono::milliseconds timeout) {
    std::unique_lock lock(queue_->mutex);
    const quint64 asked = queue_->asked;
    return queue_->settledChanged.wait_for(lock, timeout, [&] { return queue_->settled >= asked; });
}

// Called with the queue's lock held.
void IniSettingsStore::startWorker() {
    if (queue_->working)
        return;
    queue_->working = true;
    try {
        WorkerThreads::start([queue = queue_, file = file_] { work(queue, file); });
    } catch (const std::system_error& error) {
        // The changes stay queued for the next write's worker.
        qWarning("Zorvik: the settings file %s is not written now: %s", qPrintable(fileName()), error.what());
        queue_->working = false;
        queue_->settled = queue_->asked;
    }
}

void IniSettingsStore::work(const std::shared_ptr<Queue>& queue,
                            const std::shared_ptr<SettingsFileWriter>& file) {
    std::unique_lock lock(queue->mutex);
    while (queue->settled < queue->asked) {
        // Every change asked for so far goes in this one write: a burst of keystrokes is one write.
        const quint64 asked = queue->asked;
        const bool cleanUp = std::exchange(queue->cleanUpFirst, false);
        std::vector<SettingChange> changes = std::exchange(queue->changes, {});
        lock.unlock();
        if (cleanUp)
            file->cleanUp();
        const SettingsFileWriter::Outcome outcome =
            changes.empty() ? SettingsFileWriter::Outcome::Written : file->write(changes);
        lock.lock();
        if (outcome == SettingsFileWriter::Outcome::Failed) {
            // Tried again with the next write, under the newer values of keys changed meanwhile.
            for (SettingChange& newer : queue->changes)
                setChange(changes, std::move(newer));
            queue->changes = std::move(changes);
        } else if (outcome == SettingsFileWriter::Outcome::Unusable) {
            queue->unusable = true;
            queue->changes.clear();
        }
        queue->settled = asked;
        queue->settledChanged.notify_all();
    }
    queue->working = false;
}

} // namespace zorvik
