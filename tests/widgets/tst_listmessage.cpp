#include "widgets/Messages.h"
#include "ModalAnswerer.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

using namespace tivane;

class TestListMessage : public QObject
{
    Q_OBJECT

private slots:
    void fitsTheScreen_data();
    void fitsTheScreen();
};

void TestListMessage::fitsTheScreen_data()
{
    QTest::addColumn<int>("entries");
    QTest::newRow("one") << 1;
    QTest::newRow("two") << 2;
    QTest::newRow("63") << 63;
    QTest::newRow("500") << 500;
}

// However many entries, the message stays within the screen (and within 768 pixels, the lowest
// screen a school may have), its list scrolls, and OK is on screen and closes it.
void TestListMessage::fitsTheScreen()
{
    QFETCH(int, entries);
    QStringList lines;
    // A name that looks like markup is shown as it is.
    lines << QStringLiteral("« <b>gras</b>.tvn » : ce n'est pas un fichier de puzzle.");
    for (int i = 1; i < entries; ++i)
        lines << QStringLiteral("Impossible de lire le fichier « vignette%1.bmp » : l'image mesure 5600 × 5600 pixels ; "
                                "elle ne doit pas dépasser 1024 pixels de côté.").arg(i);
    int closed = 0;
    QDialog *dialog = showListMessage(nullptr, QStringLiteral("Ces fichiers ont été laissés de côté."), lines,
                                      [&closed] { ++closed; });
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QCOMPARE(dialog->objectName(), QStringLiteral("ListeMessages"));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("TIVANE"));
    QVERIFY(dialog->isModal());

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(screen.contains(dialog->frameGeometry()), qPrintable(QStringLiteral("%1 x %2 at %3, %4")
        .arg(dialog->frameGeometry().width()).arg(dialog->frameGeometry().height())
        .arg(dialog->frameGeometry().x()).arg(dialog->frameGeometry().y())));
    QVERIFY(dialog->frameGeometry().height() <= 768);

    auto *list = dialog->findChild<QScrollArea *>(QStringLiteral("ListeEntrees"));
    QVERIFY(list);
    const auto *text = qobject_cast<QLabel *>(list->widget());
    QVERIFY(text);
    QCOMPARE(text->text().count(QStringLiteral("<p ")), entries);
    QVERIFY(text->text().contains(QStringLiteral("&lt;b&gt;gras&lt;/b&gt;.tvn")));
    if (entries > 1)
        QVERIFY(text->text().contains(QStringLiteral("« vignette%1.bmp »").arg(entries - 1)));
    QCOMPARE(list->verticalScrollBar()->maximum() > 0, entries > 10);
    // The last entry can be scrolled to.
    list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
    QVERIFY(list->viewport()->rect().intersects(
        QRect(text->pos() + QPoint(0, text->height() - 10), QSize(10, 10))));

    QPushButton *ok = dialog->findChild<QDialogButtonBox *>()->findChild<QPushButton *>();
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    const QRect okOnScreen(ok->mapToGlobal(QPoint(0, 0)), ok->size());
    QVERIFY(screen.contains(okOnScreen));
    QPointer<QDialog> alive(dialog);
    QTest::mouseClick(ok, Qt::LeftButton);
    QCOMPARE(closed, 1);
    QTRY_VERIFY(!alive);
}

QTEST_MAIN(TestListMessage)
#include "tst_listmessage.moc"
