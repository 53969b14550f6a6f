#include "widgets/Messages.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace tivane {

namespace {

const QString Caption = QStringLiteral("TIVANE");

// The list message's size: its height shrinks on a screen too low for it.
constexpr int ListMessageWidth = 560;
constexpr int ListMessageHeight = 380;
constexpr int ScreenMargin = 60;

QMessageBox *openBox(QMessageBox::Icon icon, QWidget *parent, const QString &caption, const QString &text,
                     QMessageBox::StandardButtons buttons, std::function<void(QMessageBox::StandardButton)> done)
{
    auto *box = new QMessageBox(icon, caption, text, buttons, showingWindow(parent));
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

QWidget *showingWindow(QWidget *widget)
{
    QWidget *window = widget ? widget->window() : nullptr;
    while (window && !window->isVisible() && window->parentWidget())
        window = window->parentWidget()->window();
    return window;
}

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

QDialog *showListMessage(QWidget *parent, const QString &sentence, const QStringList &entries,
                         std::function<void()> closed)
{
    parent = showingWindow(parent);
    auto *dialog = new QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    dialog->setObjectName(QStringLiteral("ListeMessages"));
    dialog->setWindowTitle(Caption);
    dialog->setAttribute(Qt::WA_DeleteOnClose);

    auto *icon = new QLabel(dialog);
    const int iconSide = dialog->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, dialog);
    icon->setPixmap(dialog->style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, dialog).pixmap(iconSide));
    auto *text = new QLabel(sentence, dialog);
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    auto *top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addWidget(text, 1);

    // One paragraph an entry, apart from the next, so that wrapped entries stay told apart.
    QString html;
    for (const QString &entry : entries)
        html += QStringLiteral("<p style=\"margin: 0 0 6px 0\">%1</p>").arg(entry.toHtmlEscaped());
    auto *list = new QLabel(html);
    list->setTextFormat(Qt::RichText);
    list->setWordWrap(true);
    list->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    list->setTextInteractionFlags(Qt::TextSelectableByMouse);
    list->setMargin(4);
    auto *scroll = new QScrollArea(dialog);
    scroll->setObjectName(QStringLiteral("ListeEntrees"));
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(list);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);

    auto *layout = new QVBoxLayout(dialog);
    layout->addLayout(top);
    layout->addWidget(scroll, 1);
    layout->addWidget(buttons);

    int height = ListMessageHeight;
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen)
        height = std::min(height, screen->availableGeometry().height() - ScreenMargin);
    dialog->setFixedSize(ListMessageWidth, height);
    QObject::connect(dialog, &QDialog::finished, dialog, [closed = std::move(closed)] {
        if (closed)
            closed();
    });
    dialog->open();
    return dialog;
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
