#include "widgets/Messages.h"

#include <QAbstractButton>

namespace tivane {

namespace {

const QString Caption = QStringLiteral("TIVANE");

QMessageBox *openBox(QMessageBox::Icon icon, QWidget *parent, const QString &caption, const QString &text,
                     QMessageBox::StandardButtons buttons, std::function<void(QMessageBox::StandardButton)> done)
{
    auto *box = new QMessageBox(icon, caption, text, buttons, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setTextFormat(Qt::PlainText);
    if (QAbstractButton *ok = box->button(QMessageBox::Ok))
        ok->setText(QStringLiteral("OK"));
    if (QAbstractButton *yes = box->button(QMessageBox::Yes))
        yes->setText(QStringLiteral("Oui"));
    if (QAbstractButton *no = box->button(QMessageBox::No))
        no->setText(QStringLiteral("Non"));
    QObject::connect(box, &QMessageBox::finished, box, [box, done = std::move(done)] {
        const auto answer = box->standardButton(box->clickedButton());
        if (done)
            done(answer);
    });
    box->open();
    return box;
}

} // namespace

QMessageBox *showMessage(QWidget *parent, const QString &text, std::function<void()> closed)
{
    return openBox(QMessageBox::Information, parent, Caption, text, QMessageBox::Ok,
                   [closed = std::move(closed)](QMessageBox::StandardButton) {
                       if (closed)
                           closed();
                   });
}

QMessageBox *showError(QWidget *parent, const QString &text, std::function<void()> closed)
{
    return openBox(QMessageBox::Warning, parent, Caption, text, QMessageBox::Ok,
                   [closed = std::move(closed)](QMessageBox::StandardButton) {
                       if (closed)
                           closed();
                   });
}

QMessageBox *askYesNo(QWidget *parent, const QString &caption, const QString &question,
                      std::function<void(bool yes)> answered)
{
    return openBox(QMessageBox::Question, parent, caption, question, QMessageBox::Yes | QMessageBox::No,
                   [answered = std::move(answered)](QMessageBox::StandardButton button) {
                       if (answered)
                           answered(button == QMessageBox::Yes);
                   });
}

} // namespace tivane
