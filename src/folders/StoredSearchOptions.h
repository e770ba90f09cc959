#pragma once

#include "platform/SearchOptions.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <optional>
#include <vector>

namespace zorvik {

class SettingsStore;

// The search options in the settings, one key each: SkipNames, OnlyNames (pattern lists), OneFileSystem,
// SkipCaches, SkipKernelFileSystems ("True"/"False", read as the option keys are). A key that is absent
// or damaged keeps its default.
SearchOptions readSearchOptions(const SettingsStore& settings, const QLocale& locale);
void writeSearchOptions(SettingsStore& settings, const SearchOptions& options);

// A pattern list as one settings text: the patterns joined by '/' (which no name holds), each pattern's
// valid UTF-8 as it is and every other byte, '%', '/' and control characters as %HH. A name's bytes
// therefore survive whatever they are, and the file stays readable where they are text.
QString patternListText(const std::vector<QByteArray>& patterns);
// The list back; nothing when the text is damaged (a '%' without two hex digits, an empty pattern).
std::optional<std::vector<QByteArray>> patternListFrom(const QString& text);

} // namespace zorvik
