#pragma once

#include <QLocale>
#include <QString>

namespace zorvik {

// Where a command that works file by file says how far it has come: the window's status line, which
// also speaks to screen readers. The line decides how often it is repainted; a command may write to it
// at every turn it gives the event loop.
class ProgressLine {
public:
    virtual ~ProgressLine() = default;
    virtual void show(const QString& text) = 0;
    // The command has ended: the line says again what it said before.
    virtual void clear() = 0;
    // The language whose digits the numbers are written in.
    virtual QLocale locale() const = 0;
};

} // namespace zorvik
