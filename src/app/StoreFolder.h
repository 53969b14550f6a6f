#pragma once
// Where the puzzle store lives, resolved once at start-up: the folder named on the command line,
// else Tivane in the user's home folder. A new, empty store receives the starter puzzles.

#include <QByteArray>
#include <QString>

namespace tivane {

// The store's absolute path: `argument` when given, as the system gave it (relative to the working
// directory at start-up), else <home>/Tivane. A name that is not valid text in the file-name
// encoding (a Latin-1 "é" on an old USB stick) would become another folder once decoded: that
// folder is created when missing, opened by its own bytes, and reached through its descriptor
// ("/proc/self/fd/N") for the whole run. Throws Error when it cannot be created or opened.
QString storeFolderFor(const QByteArray &argument, const QString &home);

// Creates the folder when it is missing and checks that it is a folder that can be read (a
// read-only one serves too: its puzzles can be played). Returns true when it holds nothing at all
// (new, or just created): such a store is to receive the starter puzzles. Throws Error with a French message naming the folder.
bool checkStoreFolder(const QString &path);

// checkStoreFolder, then the starter puzzles into a folder that held nothing; one that holds
// anything is left as it is. Returns true when the starter puzzles were added.
bool prepareStoreFolder(const QString &path);

} // namespace tivane
