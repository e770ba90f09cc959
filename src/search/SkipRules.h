#pragma once

#include <QByteArray>

#include <vector>

namespace zorvik {

// What a search leaves out besides the size condition: names, caches, other file systems. Folders to
// skip are rows of the folder list; these rules hold for every listed folder alike.
struct SkipRules {
    // Shell globs matched byte for byte against each folder's and file's own name.
    std::vector<QByteArray> excludedNames;
    // Shell globs a file's own name must match to be a result; empty: every name.
    std::vector<QByteArray> onlyNames;
    // Sub-folders on another device than their listed folder are not entered.
    bool oneFileSystem = false;
    // A folder holding a signed CACHEDIR.TAG is not walked.
    bool excludeCaches = false;
    // proc, sysfs and the like are not entered from a listed folder that is not itself on one.
    bool skipKernelFileSystems = true;

    friend bool operator==(const SkipRules&, const SkipRules&) = default;
};

} // namespace zorvik
