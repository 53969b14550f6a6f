#pragma once
// Message boxes that never block: each is opened with open() and returns at once; what follows
// the answer runs from the box's finished signal, after the handler that opened it has returned.
// Captions are "TIVANE" unless given; buttons are labelled in French. Each box goes over the
// window that is showing: `parent`'s own window when it is visible, else the nearest visible
// window it belongs to (a form that failed to open reports over the window that opened it).

#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <functional>

namespace tivane {

// The window a message about `widget` goes over, by the rule above.
QWidget *showingWindow(QWidget *widget);

// An information box with one OK button; `closed` runs once it is closed.
QMessageBox *showMessage(QWidget *parent, const QString &text, std::function<void()> closed = {});

// A warning box with one OK button.
QMessageBox *showError(QWidget *parent, const QString &text, std::function<void()> closed = {});

// A warning of a short sentence above a list of entries, one a line, that scrolls inside a box of
// bounded size: any number of entries fits the screen with OK in reach. The dialog is named
// "ListeMessages", its list "ListeEntrees".
QDialog *showListMessage(QWidget *parent, const QString &sentence, const QStringList &entries,
                         std::function<void()> closed = {});

// A question with the buttons "Oui" and "Non"; `answered` gets true only for "Oui".
QMessageBox *askYesNo(QWidget *parent, const QString &caption, const QString &question,
                      std::function<void(bool yes)> answered);

} // namespace tivane
