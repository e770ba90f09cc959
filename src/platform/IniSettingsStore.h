#pragma once

#include "platform/IniDocument.h"
#include "platform/SettingsStore.h"

namespace zorvik {

// The INI file that QSettings would use for organisation "Teskaro" in the user's configuration folder:
// $XDG_CONFIG_HOME/Teskaro.conf (default ~/.config/Teskaro.conf), section [Zorvik], read and written
// by IniDocument so that no value is ever decoded as one of Qt's typed values. Only a regular file
// (links followed) of at most kLargestFile bytes is used; anything else is set aside for the session:
// every key reads as its default and nothing is written, least of all through a link to a device.
class IniSettingsStore final : public SettingsStore {
public:
    static constexpr qint64 kLargestFile = qint64(1) << 20;

    IniSettingsStore();
    QString read(const QString& key, const QString& defaultValue) const override;
    // Reads the file again first, so that what another program wrote meanwhile is kept, then replaces
    // it with a complete new one (written beside it, synced, renamed over it).
    void write(const QString& key, const QString& value) override;
    QString setAsideNotice() const override { return setAsideNotice_; }
    QString fileName() const { return fileName_; }

private:
    bool reload();
    void setAside(const QString& reason);

    QString fileName_;
    IniDocument document_;
    QString setAsideNotice_;
};

} // namespace zorvik
