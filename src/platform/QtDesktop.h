#pragma once

#include "platform/Desktop.h"

namespace zorvik {

// Opens files through QDesktopServices (xdg-open on Linux) and shows them through the freedesktop.org
// file manager interface on the session bus (org.freedesktop.FileManager1.ShowItems), asked without
// waiting for its answer.
class QtDesktop : public Desktop {
public:
    std::optional<QString> openFile(const QByteArray& path) override;
    void showInFolder(const QByteArray& path, Refused refused) override;
};

} // namespace zorvik
