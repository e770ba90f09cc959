#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace zorvik {

// What the desktop does with a found file. Each returns the reason when it could not.
class Desktop {
public:
    virtual ~Desktop() = default;
    // Opens the file with the desktop's default application for it.
    virtual std::optional<QString> openFile(const QByteArray& path) = 0;
    // Shows the file selected in the user's file manager; where no file manager answers, opens the
    // folder that holds it.
    virtual std::optional<QString> showInFolder(const QByteArray& path) = 0;
};

} // namespace zorvik
