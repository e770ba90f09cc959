#pragma once

// What a move or a trash is about to do to the user's files, written down and flushed before it is
// done, so that after a crash (a kill, a power cut) the next start can finish or roll back what was
// under way (platform/JournalRecovery.h) and no file stays under a hidden name.
//
// Ownership rules:
// - One journal per process, a file of its own ($XDG_STATE_HOME/zorvik/journal-PID-RANDOM), opened on
//   first use and locked (flock) for as long as the process lives: recovery passes over a journal it
//   cannot lock, since its process still runs. A child made by fork opens one of its own at first use.
// - The journal's state is guarded by its mutex; any thread may record. An operation belongs to the
//   thread that began it (JournaledOperation); what that thread records meanwhile, a trash made to make
//   room for a move included, belongs to that operation.
// - When no operation is open any more, the file is emptied: the journal stays as small as what runs.

#include "platform/UniqueFd.h"

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <mutex>
#include <optional>

#include <sys/types.h>

namespace zorvik {

struct FileId;

// One line of a journal: an operation's number, what it is about to do, and the details (any bytes).
struct JournalEntry {
    std::uint64_t operation = 0;
    QByteArray kind;
    QList<QByteArray> fields;
    bool operator==(const JournalEntry&) const = default;

    // The line as it is written: fields in hex, so that any bytes survive, and a checksum, so that a
    // line torn by a crash is told from a whole one.
    QByteArray line() const;
    // The entry of a whole line (its newline included); no value for a torn or foreign one.
    static std::optional<JournalEntry> parse(QByteArrayView line);
};

class OperationJournal {
public:
    // The journal of this process.
    static OperationJournal& ofProcess();
    // Where the journals of every process are kept: $XDG_STATE_HOME/zorvik, by default
    // ~/.local/state/zorvik.
    static QByteArray folder();

    // The path of this process's journal, empty while it has none open.
    QByteArray path();
    std::uint64_t begin();
    // Appends `entry` and flushes it to the disk (or leaves that to the next entry's flush, when a step
    // needs both before it is taken): 0, or the errno value that kept it from being kept.
    int record(const JournalEntry& entry, bool flush = true);
    // The operation has ended: all it did is final, undone or recorded elsewhere.
    void end(std::uint64_t operation);

    OperationJournal() = default;
    OperationJournal(const OperationJournal&) = delete;
    OperationJournal& operator=(const OperationJournal&) = delete;

private:
    // Opens a journal of this process's own where none is open, or where the one open was inherited
    // from the process that forked this one. 0 or an errno value. Called under the mutex.
    int openForThisProcess();

    std::mutex mutex_;
    UniqueFd file_;
    pid_t owner_ = 0; // the process that opened file_
    QByteArray path_;
    std::uint64_t lastOperation_ = 0;
    int open_ = 0; // operations begun and not ended
};

// The operation the calling thread is carrying out: the first made on a thread begins one, those made
// inside it (the trash a move calls) join it; the first one to go ends it.
class JournaledOperation {
public:
    JournaledOperation();
    ~JournaledOperation();
    JournaledOperation(const JournaledOperation&) = delete;
    JournaledOperation& operator=(const JournaledOperation&) = delete;

    enum class Flush { Now, WithNext };
    // Records what is about to be done: 0, or the errno value that kept it from being recorded (the
    // step must then not be taken). An entry flushed WithNext is only kept once the next one is.
    int record(const char* kind, const QList<QByteArray>& fields, Flush flush = Flush::Now) const;
    // Whether this one began the operation, rather than joined one of its caller.
    bool leads() const { return leads_; }

private:
    std::uint64_t id_ = 0;
    bool leads_ = false;
};

// The fields that name a file's identity in an entry.
QList<QByteArray> idFields(const FileId& id);

// A step of a move or a trash has been taken. A test may set a hook that is called at each (to end
// the process there, as a crash would); there is none otherwise.
using StepHook = void (*)(const char* step);
void setStepHook(StepHook hook);
void passStep(const char* step);

} // namespace zorvik
