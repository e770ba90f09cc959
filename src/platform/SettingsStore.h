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
};

} // namespace zorvik
