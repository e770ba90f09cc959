#pragma once
// A settings file's values as QSettings writes and reads them, so that a file either program wrote
// means the same to the other.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace zorvik {

// The text that the raw value of a line stands for (a hand-edited list read back as the text written);
// none for one of Qt's typed forms ("@Variant(...)" and the like), which no text of ours is written as.
std::optional<QString> iniValueText(QByteArrayView bytes);

// The raw form of a text, as it goes after the '='.
QByteArray iniEscapedValue(const QString& text);

} // namespace zorvik
