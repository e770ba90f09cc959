#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace zorvik {

// What the user chose in "Search Options…": the names a search leaves out or looks for (globs in the
// system's bytes) and where it does not go. Stored in the settings, handed to every search.
struct SearchOptions {
    std::vector<QByteArray> excludedNames;
    std::vector<QByteArray> onlyNames; // empty: every name
    bool oneFileSystem = false;
    bool excludeCaches = false;
    bool skipKernelFileSystems = true;

    friend bool operator==(const SearchOptions&, const SearchOptions&) = default;
};

// The patterns as lines of text for editing, one a line.
QString patternLines(const std::vector<QByteArray>& patterns);

// The edited lines back as patterns. A line left as it was shown keeps the bytes it was shown for, so
// a pattern that is not valid text survives the dialog; other lines become the system's bytes. Blank
// lines are dropped.
std::vector<QByteArray> patternsFromLines(const QString& lines, const std::vector<QByteArray>& shown);

} // namespace zorvik
