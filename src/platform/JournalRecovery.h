#pragma once

#include <QByteArray>
#include <QList>

namespace zorvik {

// What recovery found and did.
struct RecoveryReport {
    int operations = 0;        // interrupted operations finished or undone
    QList<QByteArray> renamed; // files left under a new visible name, their own being taken
};

// Finishes or undoes what a crash interrupted: every journal (platform/OperationJournal.h) whose process
// no longer runs is read, each operation in it that did not end is settled, and the journal removed.
// A move whose file was put in place is completed; any other has its source, and a file it sent to the
// trash to make room, given their names back, and its partial copy removed. A trash that did not
// complete gives the file its name back. Identity (device and inode) decides, never a name alone, and
// nothing is overwritten: a file whose name is taken meanwhile stays under "NAME (recovered)", and the
// error stream says so.
//
// Blocking file-system work, so never on the window's thread. Calls within one process run one after
// the other; between processes the journal's lock keeps them apart.
RecoveryReport recoverInterruptedOperations();

} // namespace zorvik
