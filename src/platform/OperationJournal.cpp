#include "platform/OperationJournal.h"

#include "platform/FileId.h"
#include "platform/WriteAll.h"

#include <QRandomGenerator>

#include <atomic>
#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvik {

namespace {

std::atomic<StepHook> stepHook{nullptr};

// The operation each thread carries out, 0 for none.
thread_local std::uint64_t currentOperation = 0;

QByteArray checksumOf(QByteArrayView payload) {
    return QByteArray::number(qChecksum(payload), 16).rightJustified(4, '0');
}

// Makes every missing folder of `path`, readable by the user alone.
int makeFolders(const QByteArray& path) {
    for (qsizetype at = 1; at <= path.size(); ++at) {
        if (at < path.size() && path[at] != '/')
            continue;
        if (::mkdir(path.left(at).constData(), 0700) != 0 && errno != EEXIST)
            return errno;
    }
    return 0;
}

int syncFolder(const QByteArray& path) {
    const UniqueFd folder(::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder)
        return errno;
    return ::fsync(folder.get()) == 0 ? 0 : errno;
}

} // namespace

QByteArray JournalEntry::line() const {
    QByteArray payload = QByteArray::number(operation) + ' ' + kind;
    for (const QByteArray& field : fields)
        payload += ' ' + field.toHex();
    return checksumOf(payload) + ' ' + payload + '\n';
}

std::optional<JournalEntry> JournalEntry::parse(QByteArrayView line) {
    if (!line.endsWith('\n'))
        return std::nullopt; // the crash came before its end
    line.chop(1);
    const qsizetype space = line.indexOf(' ');
    if (space != 4 || checksumOf(line.sliced(5)) != line.first(4))
        return std::nullopt;
    const QList<QByteArray> parts = line.sliced(5).toByteArray().split(' ');
    if (parts.size() < 2)
        return std::nullopt;
    JournalEntry entry;
    bool number = false;
    entry.operation = parts[0].toULongLong(&number);
    if (!number)
        return std::nullopt;
    entry.kind = parts[1];
    for (qsizetype i = 2; i < parts.size(); ++i)
        entry.fields << QByteArray::fromHex(parts[i]);
    return entry;
}

OperationJournal& OperationJournal::ofProcess() {
    // Never destroyed: a worker may still record while static destructors run.
    static auto* journal = new OperationJournal;
    return *journal;
}

QByteArray OperationJournal::folder() {
    QByteArray state = qgetenv("XDG_STATE_HOME");
    if (!state.startsWith('/'))
        state = qgetenv("HOME") + "/.local/state";
    return state + "/zorvik";
}

QByteArray OperationJournal::path() {
    const std::lock_guard lock(mutex_);
    return owner_ == ::getpid() ? path_ : QByteArray();
}

int OperationJournal::openForThisProcess() {
    const pid_t self = ::getpid();
    if (file_ && owner_ == self)
        return 0;
    // A forked child leaves its parent's journal (and the parent's lock on it) to the parent. The
    // count of open operations stays: one begun before this first entry is open.
    file_.reset();
    const QByteArray where = folder();
    if (const int error = makeFolders(where))
        return error;
    const QByteArray name = "journal-" + QByteArray::number(self) + '-' +
                            QByteArray::number(QRandomGenerator::global()->generate64(), 36);
    const QByteArray hidden = where + "/." + name;
    // Locked before it can be seen under its own name, so that recovery never takes it for a dead one.
    UniqueFd file(
        ::open(hidden.constData(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!file)
        return errno;
    if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0 ||
        ::rename(hidden.constData(), QByteArray(where + '/' + name).constData()) != 0) {
        const int error = errno;
        ::unlink(hidden.constData());
        return error;
    }
    if (const int error = syncFolder(where))
        return error;
    file_ = std::move(file);
    owner_ = self;
    path_ = where + '/' + name;
    return 0;
}

std::uint64_t OperationJournal::begin() {
    const std::lock_guard lock(mutex_);
    ++open_;
    return ++lastOperation_;
}

int OperationJournal::record(const JournalEntry& entry, bool flush) {
    {
        const std::lock_guard lock(mutex_);
        if (const int error = openForThisProcess())
            return error;
        if (const int error = writeAll(file_.get(), entry.line()))
            return error;
        if (flush && ::fdatasync(file_.get()) != 0)
            return errno;
    }
    passStep(entry.kind.constData());
    return 0;
}

void OperationJournal::end(std::uint64_t operation) {
    const std::lock_guard lock(mutex_);
    if (open_ > 0)
        --open_;
    if (!file_ || owner_ != ::getpid())
        return;
    // Not flushed: an ended operation that a crash brings back is found finished, or undone, again.
    if (open_ == 0)
        (void)::ftruncate(file_.get(), 0);
    else
        (void)writeAll(file_.get(), JournalEntry{operation, "end", {}}.line());
}

JournaledOperation::JournaledOperation() {
    if (currentOperation != 0) {
        id_ = currentOperation;
        return;
    }
    id_ = OperationJournal::ofProcess().begin();
    currentOperation = id_;
    leads_ = true;
}

JournaledOperation::~JournaledOperation() {
    if (!leads_)
        return;
    currentOperation = 0;
    OperationJournal::ofProcess().end(id_);
}

int JournaledOperation::record(const char* kind, const QList<QByteArray>& fields, Flush flush) const {
    return OperationJournal::ofProcess().record({id_, kind, fields}, flush == Flush::Now);
}

QList<QByteArray> idFields(const FileId& id) {
    return {QByteArray::number(quint64(id.device)), QByteArray::number(quint64(id.inode))};
}

void setStepHook(StepHook hook) {
    stepHook.store(hook);
}

void passStep(const char* step) {
    if (const StepHook hook = stepHook.load())
        hook(step);
}

} // namespace zorvik
