#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace zorvik {

// What the desktop does with a found file.
class Desktop {
public:
    // Told the reason when the desktop could not do what was asked.
    using Refused = std::function<void(const QString& reason)>;

    virtual ~Desktop() = default;
    // Opens the file with the desktop's default application for it; the reason when it could not.
    virtual std::optional<QString> openFile(const QByteArray& path) = 0;
    // Shows the file selected in the user's file manager; where no file manager answers, opens the
    // folder that holds it. Returns at once, since a file manager the bus must start first may take
    // seconds to answer: `refused` is called later, on this thread, when neither worked.
    virtual void showInFolder(const QByteArray& path, Refused refused) = 0;
};

} // namespace zorvik
