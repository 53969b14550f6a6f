#pragma once
// Where the puzzle store lives, resolved once at start-up: the folder named on the command line,
// else Tivane in the user's home folder. A new, empty store receives the starter puzzles.

#include <QString>

namespace tivane {

// The store's absolute path: `argument` when given (relative to the working directory at
// start-up), else <home>/Tivane.
QString storeFolderFor(const QString &argument, const QString &home);

// Creates the folder when it is missing and checks that it is a folder that can be read and
// written. Returns true when it holds nothing at all (new, or just created): such a store is to
// receive the starter puzzles. Throws Error with a French message naming the folder.
bool checkStoreFolder(const QString &path);

// checkStoreFolder, then the starter puzzles into a folder that held nothing; one that holds
// anything is left as it is. Returns true when the starter puzzles were added.
bool prepareStoreFolder(const QString &path);

} // namespace tivane
