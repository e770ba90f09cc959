#pragma once

// Ownership rules:
// - The user-interface thread owns the store: its document, which answers every read, and its notice.
//   After the constructor has read the file, that thread never touches the file system for settings:
//   a write edits the document and hands the change to the store's worker.
// - The store and its worker share a queue (changes not yet written, how many writes were asked for
//   and how many are settled), guarded by the queue's mutex, and the SettingsFileWriter, which only
//   the worker calls. At most one worker runs per store; it ends when the queue is settled.
// - Both are held through shared_ptr, so a worker left behind on a share that never answers can
//   outlive the store; the store's destructor waits for it only a bounded time.

#include "platform/IniDocument.h"
#include "platform/SettingsStore.h"

#include <QString>

#include <chrono>
#include <memory>
#include <vector>

namespace zorvik {

// One key ("Zorvik/Text1") and the text it was set to.
struct SettingChange {
    QString key;
    QString value;
};

// The settings file as the store's worker writes it. Each call holds a lock (flock on a hidden file
// beside the settings file, never removed) for its whole read, edit and replace, so that two
// instances of the program never interleave and neither loses the other's keys. Tests derive from it
// to see which thread writes and how often.
class SettingsFileWriter {
public:
    enum class Outcome {
        Written,  // on disk, or nothing to change
        Failed,   // not written (logged); the changes are worth trying again with the next write
        Unusable, // the file is no regular file of a sane size any more (logged): stop writing
    };

    explicit SettingsFileWriter(QString fileName) : fileName_(std::move(fileName)) {}
    virtual ~SettingsFileWriter() = default;
    SettingsFileWriter(const SettingsFileWriter&) = delete;
    SettingsFileWriter& operator=(const SettingsFileWriter&) = delete;

    const QString& fileName() const { return fileName_; }
    // Removes the temporaries that an interrupted write (a crash, a kill) left beside the file. Only
    // under the lock: outside it, such a file may be another instance's write under way.
    virtual void cleanUp();
    // Reads the file again, so that what others wrote meanwhile is kept, sets `changes` in it, in
    // order, and replaces it with a complete new one (written beside it, synced, renamed over it).
    virtual Outcome write(const std::vector<SettingChange>& changes);

private:
    QString fileName_;
};

// The INI file that QSettings would use for organisation "Teskaro" in the user's configuration folder:
// $XDG_CONFIG_HOME/Teskaro.conf (default ~/.config/Teskaro.conf), section [Zorvik], read and written
// by IniDocument so that no value is ever decoded as one of Qt's typed values. Only a regular file
// (links followed) of at most kLargestFile bytes is used; anything else is set aside for the session:
// every key reads as its default and nothing is written, least of all through a link to a device.
// The file is read once, by the constructor; writes go to it behind the caller's back, on a worker,
// many quick ones in one go.
class IniSettingsStore final : public SettingsStore {
public:
    static constexpr qint64 kLargestFile = qint64(1) << 20;
    // How long the destructor waits for writes still under way.
    static constexpr std::chrono::seconds kPatience{5};

    IniSettingsStore();
    // Reads `file`'s file and writes through `file`.
    explicit IniSettingsStore(std::shared_ptr<SettingsFileWriter> file);
    ~IniSettingsStore() override;
    IniSettingsStore(const IniSettingsStore&) = delete;
    IniSettingsStore& operator=(const IniSettingsStore&) = delete;

    QString read(const QString& key, const QString& defaultValue) const override;
    void write(const QString& key, const QString& value) override;
    // Also waits for the clean-up that the constructor started.
    bool waitUntilWritten(std::chrono::milliseconds timeout) override;
    QString setAsideNotice() const override { return setAsideNotice_; }
    QString fileName() const { return file_->fileName(); }

private:
    struct Queue;

    void startWorker();
    static void work(const std::shared_ptr<Queue>& queue, const std::shared_ptr<SettingsFileWriter>& file);

    std::shared_ptr<SettingsFileWriter> file_;
    std::shared_ptr<Queue> queue_;
    IniDocument document_;
    QString setAsideNotice_;
};

} // namespace zorvik
