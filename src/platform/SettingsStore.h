#pragma once

#include <QString>

namespace zorvik {

// Per-user text values of application "Teskaro", section "Zorvik".
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString read(const QString& key, const QString& defaultValue) const = 0;
    // Stores the value and puts it on disk at once, so nothing is lost if the program ends a moment later.
    virtual void write(const QString& key, const QString& value) = 0;
    // Why the store left its file alone (a sentence naming the file), or nothing when it uses it. A
    // store that set its file aside reads every key as its default and writes nothing.
    virtual QString setAsideNotice() const { return {}; }
};

} // namespace zorvik
