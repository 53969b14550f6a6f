#pragma once
// The program's file dialogs: Qt's own dialog (so it opens with open() like every other), which
// leaves no window behind once it has closed.

#include <QFileDialog>
#include <QString>

class QDialog;
class QWidget;

namespace tivane {

// A file dialog named objectName: AcceptOpen picks an existing file, AcceptSave any name.
// Closed with no popup left behind (see closePopupsWithDialog).
QFileDialog *makeFileDialog(QWidget *parent, const QString &objectName, const QString &title,
                            QFileDialog::AcceptMode mode);

// The name boxes of file and print dialogs offer completions in a popup window of their own,
// which the folder's listing, when it ends after Return was pressed, brings up once the dialog
// has closed: it then stays over the window below until a click, which it swallows. From now
// on, such a popup never outlives `dialog`'s closing.
void closePopupsWithDialog(QDialog *dialog);

} // namespace tivane
