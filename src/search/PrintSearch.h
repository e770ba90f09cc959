#pragma once

#include "criteria/SizeTypes.h"
#include "results/ByteTotal.h"
#include "search/ReadAheadWalk.h"
#include "search/SkipRules.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace zorvik {

class FileSystem;

// A search without a window (the command line's --print): the folders, the condition, and how the
// files found are written.
struct PrintRequest {
    enum class Format { Text, Csv, Json };
    enum class Order {
        Found, // as the walk finds them, written at once
        Size,  // largest first, as the window's first click on "Size"
        Path,  // A to Z by the path's bytes, as the window's first click on "Results"
    };
    // Bound texts in the notation of the C locale ("1.5"), units as the window's.
    SizeCondition condition;
    QList<QByteArray> folders; // absolute paths, the system's bytes
    Format format = Format::Text;
    bool nulEnds = false; // text: each path ends with a NUL instead of a line feed
    Order order = Order::Found;
    // What the walk leaves out; kernel file systems are, unless a listed folder is on one.
    SkipRules skip;
};

// How far a printed search has come.
struct PrintCounts {
    quint64 folders = 0;        // entered, listed folders included
    quint64 files = 0;          // that met the condition
    ByteTotal bytes;            // theirs
    quint64 foldersLeftOut = 0; // by the request's rules
};

// Where a printed search's findings go: the process's standard output and error in the program, a
// recorder in tests. Everything is called on the thread that runs printSearch.
class PrintOutput {
public:
    virtual ~PrintOutput() = default;
    // Result lines. False once nobody reads them any more (a closed pipe): the search then ends.
    virtual bool write(QByteArrayView bytes) = 0;
    // A folder that could not be searched, listed or below a listed one; the search goes on without it.
    virtual void problem(QByteArrayView path, const QString& reason) = 0;
    // Called as each folder is entered and again and again while the walk waits for the disk. False
    // ends the search, as from write.
    virtual bool progress(const PrintCounts& counts) = 0;
};

struct PrintOutcome {
    PrintCounts counts;
    bool listedFolderFailed = false; // a listed folder does not exist or could not be listed
    bool outputClosed = false;
};

// Walks every folder of the request in turn with the window's walk (read ahead as `readAhead` says),
// tests every file with the window's SizeTest and writes each match (each file once, however often it
// is reached) as it is found, or all of them
// sorted at the end. Size texts are in the condition's unit (Between: the lower bound's), written
// with the C locale's separators, so output is the same in every language.
PrintOutcome printSearch(FileSystem& fileSystem, const PrintRequest& request, PrintOutput& output,
                         const ReadAheadOptions& readAhead = {});

} // namespace zorvik
