#pragma once
// Answers modal windows as they come up, the way a user would, and notes what each showed.
// A timer looks for QApplication::activeModalWidget() every 10 ms while the answerer lives.

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>

namespace tivane {

class ModalAnswerer : public QObject
{
public:
    // Called with each modal window once, when it is shown; by default a message box's first
    // button is clicked, and a list message's OK.
    using Answer = std::function<void(QWidget *modal)>;

    explicit ModalAnswerer(Answer answer = {}) : m_answer(std::move(answer))
    {
        qApp->installEventFilter(this);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start(10);
    }
    ~ModalAnswerer() override { qApp->removeEventFilter(this); }

    // For each window answered: its objectName, its title, and the texts of its labels
    // (a message box's text included).
    QStringList names;
    QStringList titles;
    QStringList texts;

    int count() const { return int(names.size()); }

    // Clicks the child button of that object name (a flat QToolButton or a push button).
    static void clickButton(QWidget *modal, const char *name)
    {
        if (auto *button = modal->findChild<QAbstractButton *>(QLatin1String(name)))
            QTest::mouseClick(button, Qt::LeftButton);
    }
    // Clicks a message box's standard button, or the same button of a dialog's button box.
    static void clickStandard(QWidget *modal, QMessageBox::StandardButton which)
    {
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            if (QAbstractButton *button = box->button(which))
                button->click();
        } else if (auto *buttons = modal->findChild<QDialogButtonBox *>()) {
            if (QAbstractButton *button = buttons->button(QDialogButtonBox::StandardButton(int(which))))
                button->click();
        }
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(watched);
            if (widget->isWindow() && widget->windowModality() != Qt::NonModal && !m_shown.contains(widget))
                m_shown.append(QPointer<QWidget>(widget));
        }
        return false;
    }

private:
    // A window is answered when it is the active modal one, after its own handler has returned.
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !m_shown.contains(modal))
            return;
        m_shown.removeAll(modal);
        names << modal->objectName();
        titles << modal->windowTitle();
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            texts << box->text();
        for (const QLabel *label : modal->findChildren<QLabel *>())
            if (!label->text().isEmpty())
                texts << label->text();
        if (m_answer)
            m_answer(modal);
        else if (auto *box = qobject_cast<QMessageBox *>(modal))
            box->buttons().constFirst()->click();
        else if (modal->objectName() == QLatin1String("ListeMessages"))
            clickStandard(modal, QMessageBox::Ok);
    }

    Answer m_answer;
    QTimer m_timer;
    QList<QPointer<QWidget>> m_shown;
};

} // namespace tivane
