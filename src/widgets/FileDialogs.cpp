#include "widgets/FileDialogs.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDialog>
#include <QEvent>
#include <QPointer>

namespace tivane {

namespace {

// Hides a completion popup that shows while its dialog is closed, or when the dialog closes.
class PopupCloser : public QObject
{
public:
    explicit PopupCloser(QDialog *dialog) : QObject(dialog), m_dialog(dialog)
    {
        connect(dialog, &QDialog::finished, this, [this] { hidePopups(); });
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && !m_dialog->isVisible()) {
            // Hidden from within its own show it would still be mapped: once that is over.
            QPointer<QWidget> popup = static_cast<QWidget *>(watched);
            QMetaObject::invokeMethod(this, [popup] {
                if (popup)
                    popup->hide();
            }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void hidePopups()
    {
        // Looked up each time: a dialog may make its name boxes late (a page of the print dialog).
        // A filter installed twice is still one filter.
        for (QCompleter *completer : m_dialog->findChildren<QCompleter *>()) {
            QAbstractItemView *popup = completer->popup();
            popup->installEventFilter(this);
            popup->hide();
        }
    }

    QDialog *m_dialog;
};

} // namespace

void closePopupsWithDialog(QDialog *dialog)
{
    new PopupCloser(dialog);
}

QFileDialog *makeFileDialog(QWidget *parent, const QString &objectName, const QString &title,
                            QFileDialog::AcceptMode mode)
{
    auto *dialog = new QFileDialog(parent, title);
    dialog->setObjectName(objectName);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    closePopupsWithDialog(dialog);
    return dialog;
}

} // namespace tivane
