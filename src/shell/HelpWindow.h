#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace zorvik {

// The program's own help, readable without a network: the conditions, the units and their rounding,
// the commands, the keys and where the settings live. It stays open beside the window (shown, never
// run modally); Escape closes it. A screen reader reads it as one text whose lines can be selected
// and walked with the keys.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    // `contactUrl` may be empty: the help then names no address.
    HelpWindow(const QString& applicationTitle, const QString& contactUrl, QWidget* parent);

    // The help as a screen reader hears it.
    QString text() const;

private:
    QTextBrowser* browser_ = nullptr;
};

} // namespace zorvik
