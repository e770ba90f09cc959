#include "platform/IniSettingsStore.h"

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

#include <cerrno>
#include <cstdlib>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace zorvik {

namespace {

const QString kSection = u"Zorvik/"_s;

// Where a write must land: a link (a dotfiles manager's, say) is followed to its file, which was
// found to be a regular one just before.
QByteArray writeTarget(const QString& fileName) {
    QByteArray path = QFile::encodeName(fileName);
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.constData(), nullptr),
                                                               &std::free);
    if (resolved)
        return QByteArray(resolved.get());
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    return path;
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
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash < 0    ? QByteArray(".")
                              : slash == 0 ? QByteArray("/")
                                           : target.first(slash);
    const QByteArray temporary = folder + "/." + target.sliced(slash + 1) + ".zorvik-" +
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

} // namespace

IniSettingsStore::IniSettingsStore()
    : fileName_(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                u"/Teskaro.conf"_s) {
    reload();
}

QString IniSettingsStore::read(const QString& key, const QString& defaultValue) const {
    return document_.text(kSection + key).value_or(defaultValue);
}

void IniSettingsStore::write(const QString& key, const QString& value) {
    if (!setAsideNotice_.isEmpty())
        return;
    if (!reload()) {
        qWarning("Zorvik: %s", qPrintable(setAsideNotice_));
        return;
    }
    IniDocument edited = document_;
    if (!edited.setText(kSection + key, value)) {
        qWarning("Zorvik: could not store %s in the settings file %s", qPrintable(key),
                 qPrintable(fileName_));
        return;
    }
    if (edited.bytes() == document_.bytes())
        return;
    // Later reads see the value even if the disk refuses it, as they did with QSettings.
    const IniDocument previous = std::exchange(document_, std::move(edited));
    if (document_.bytes().size() > kLargestFile) {
        qWarning("Zorvik: the settings file %s would grow beyond 1 MB; not written", qPrintable(fileName_));
        return;
    }
    try {
        replaceFile(writeTarget(fileName_), document_.bytes());
    } catch (const Failure& failure) {
        qWarning("Zorvik: could not write the settings file %s: %s", qPrintable(fileName_),
                 qPrintable(failure.description()));
    }
}

bool IniSettingsStore::reload() {
    const RegularFileRead file = readRegularFile(fileName_, kLargestFile);
    switch (file.outcome) {
    case RegularFileRead::Outcome::Read:
        document_ = IniDocument(file.bytes);
        return true;
    case RegularFileRead::Outcome::NotFound:
        if (file.error == ENOENT) { // none yet, or a link to nothing: the first write puts a file there
            document_ = IniDocument();
            return true;
        }
        setAside(errnoText(file.error));
        return false;
    case RegularFileRead::Outcome::NotRegular:
        setAside(
            QCoreApplication::translate("IniSettingsStore", "it is %1, not a regular file").arg(file.kind));
        return false;
    case RegularFileRead::Outcome::TooLarge:
        setAside(QCoreApplication::translate("IniSettingsStore", "it is larger than 1 MB"));
        return false;
    case RegularFileRead::Outcome::CannotRead:
        setAside(errnoText(file.error));
        return false;
    }
    return false;
}

void IniSettingsStore::setAside(const QString& reason) {
    setAsideNotice_ = QCoreApplication::translate("IniSettingsStore", "The settings file %1 is not used: %2.")
                          .arg(fileName_, reason) +
                      u"\n\n"_s +
                      QCoreApplication::translate(
                          "IniSettingsStore",
                          "Zorvik starts with its default settings and saves no changes to them this time.");
}

} // namespace zorvik
