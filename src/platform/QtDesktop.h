#pragma once

#include "platform/Desktop.h"

namespace zorvik {

// Opens files through QDesktopServices (xdg-open on Linux) and shows them through the freedesktop.org
// file manager interface on the session bus (org.freedesktop.FileManager1.ShowItems).
class QtDesktop : public Desktop {
public:
    std::optional<QString> openFile(const QByteArray& path) override;
    std::optional<QString> showInFolder(const QByteArray& path) override;
};

} // namespace zorvik
