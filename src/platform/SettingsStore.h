#pragma once

#include <QString>

#include <chrono>

namespace zorvik {

// Per-user text values of application "Teskaro", section "Zorvik".
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString read(const QString& key, const QString& defaultValue) const = 0;
    // Stores the value: reads see it at once; it reaches the disk soon after, without holding the caller.
    virtual void write(const QString& key, const QString& value) = 0;
    // Waits at most `timeout` until every write made so far is on disk (or was given up with a line in
    // the log); true when none is left. For the program's end, so that closing loses no change.
    virtual bool waitUntilWritten(std::chrono::milliseconds timeout) {
        (void)timeout;
        return true;
    }
    // Why the store left its file alone (a sentence naming the file), or nothing when it uses it. A
    // store that set its file aside reads every key as its default and writes nothing.
    virtual QString setAsideNotice() const { return {}; }
};

} // namespace zorvik
