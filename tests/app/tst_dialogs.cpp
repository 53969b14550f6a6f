#include "app/dialogs/Descramble.h"
#include "app/dialogs/InstructionsDialog.h"
#include "app/dialogs/AboutBox.h"
#include "app/dialogs/WinDialog.h"
#include "app/dialogs/TimeOutDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>
#include <QElapsedTimer>
#include <QTimer>

#include <memory>

using namespace tivane;

namespace {

std::unique_ptr<FramelessDialog> makeDialog(const QString &name, QWidget *parent = nullptr)
{
    if (name == QLatin1String("TFbravo"))
        return std::make_unique<WinDialog>(parent);
    if (name == QLatin1String("TFperdu"))
        return std::make_unique<TimeOutDialog>(parent);
    if (name == QLatin1String("TFaide"))
        return std::make_unique<InstructionsDialog>(parent);
    return std::make_unique<AboutBox>(parent);
}

QString textOf(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    if (const auto *edit = qobject_cast<const QPlainTextEdit *>(widget))
        return edit->toPlainText();
    return QStringLiteral("<no text>");
}

QLabel *genOf(const AboutBox &ap)
{
    return ap.findChild<QLabel *>(QStringLiteral("Gen"));
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void controls_data();
    void controls();
    void moveCount_data();
    void moveCount();
    void instructionsKeepWhatIsTyped();
    void descramble_data();
    void descramble();
    void scrambleRoundTripsEveryCode();
    void contactLinkOpensTheDescrambledAddress();
    void creditsCycle();
    void creditsRunOnlyWhileShown();
    void onlyTheButtonCloses_data();
    void onlyTheButtonCloses();
    void colours_data();
    void colours();
    void aboutBoxFramesTheBlackPanel();
};

void TestDialogs::controls_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("text");

    const QString retour = QStringLiteral("RETOUR AU JEU");
    const QString bravo = QStringLiteral("BRAVO !");
    QTest::newRow("bravo Label1") << "TFbravo" << "Label1" << QRect(6, 8, 273, 49) << 45 << true << bravo;
    QTest::newRow("bravo Label2") << "TFbravo" << "Label2" << QRect(8, 10, 275, 49) << 45 << true << bravo;
    QTest::newRow("bravo SpeedButton1") << "TFbravo" << "SpeedButton1" << QRect(56, 112, 177, 25) << 16 << true << retour;
    QTest::newRow("perdu Label1") << "TFperdu" << "Label1" << QRect(6, 8, 273, 49) << 37 << true << "PERDU";
    QTest::newRow("perdu Label3") << "TFperdu" << "Label3" << QRect(8, 64, 273, 25) << 16 << true
                                  << QStringLiteral("Tu as dépassé le temps imparti");
    QTest::newRow("perdu Lp") << "TFperdu" << "Lp" << QRect(56, 112, 177, 25) << 16 << true << retour;
    QTest::newRow("aide Label1") << "TFaide" << "Label1" << QRect(8, 8, 401, 30) << 24 << true << "INSTRUCTIONS";
    QTest::newRow("aide Memo1") << "TFaide" << "Memo1" << QRect(16, 48, 385, 177) << 16 << true
                                << QStringLiteral("- Pour prendre une pièce, faites un clic gauche \n"
                                                  "puis relachez le bouton.\n"
                                                  "\n"
                                                  "- Pour faire pivoter un pièce après l'avoir prise, \n"
                                                  "utilisez le bouton de droite de la souris.\n"
                                                  "\n"
                                                  "- Pour déposer la pièce, cliquez de nouveau à \n"
                                                  "gauche.");
    QTest::newRow("aide Lp") << "TFaide" << "Lp" << QRect(120, 232, 177, 25) << 16 << true << retour;
    QTest::newRow("ap Gen") << "TFap" << "Gen" << QRect(0, 0, 289, 161) << 16 << false
                            << QStringLiteral("TIVANE\n\nCréation de puzzles \npour l'école primaire\n ");
    QTest::newRow("ap SpeedButton1") << "TFap" << "SpeedButton1" << QRect(232, 186, 73, 17) << 11 << false << "FERMER";
    QTest::newRow("ap SpeedButton2") << "TFap" << "SpeedButton2" << QRect(16, 186, 97, 17) << 11 << false
                                     << QStringLiteral("Ecrire à l'auteur");
}

void TestDialogs::controls()
{
    QFETCH(QString, dialog);
    QFETCH(QString, control);
    QFETCH(QRect, geometry);
    QFETCH(int, pixelSize);
    QFETCH(bool, bold);
    QFETCH(QString, text);

    const auto form = makeDialog(dialog);
    const auto *widget = form->findChild<QWidget *>(control);
    QVERIFY(widget);
    QCOMPARE(textOf(widget), text);
    QCOMPARE(widget->geometry(), geometry);
    QCOMPARE(widget->font().pixelSize(), pixelSize);
    QCOMPARE(widget->font().bold(), bold);
    if (auto *button = qobject_cast<const QAbstractButton *>(widget)) {
        QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    }
}

void TestDialogs::moveCount_data()
{
    QTest::addColumn<int>("moves");
    QTest::addColumn<QString>("text");
    QTest::newRow("one keeps the plural") << 1 << QStringLiteral("Puzzle complété en 1 coups.");
    QTest::newRow("four") << 4 << QStringLiteral("Puzzle complété en 4 coups.");
    QTest::newRow("three digits") << 125 << QStringLiteral("Puzzle complété en 125 coups.");
}

void TestDialogs::moveCount()
{
    QFETCH(int, moves);
    QFETCH(QString, text);
    WinDialog bravo;
    bravo.setMoveCount(99);
    bravo.setMoveCount(moves);
    const auto *label = bravo.findChild<QLabel *>(QStringLiteral("Label3"));
    QVERIFY(label);
    QCOMPARE(label->text(), text);
    QCOMPARE(label->geometry(), QRect(8, 64, 273, 25));
}

// The lines are written once at creation: what a child types survives closing and showing again.
void TestDialogs::instructionsKeepWhatIsTyped()
{
    InstructionsDialog aide;
    auto *memo = aide.findChild<QPlainTextEdit *>(QStringLiteral("Memo1"));
    QVERIFY(memo);
    QVERIFY(!memo->isReadOnly());
    QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(memo->document()->blockCount(), 8);

    aide.show();
    QVERIFY(QTest::qWaitForWindowExposed(&aide));
    memo->setFocus();
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, QStringLiteral("Lou"));
    const QString typed = memo->toPlainText();
    QVERIFY(typed.endsWith(QStringLiteral("gauche.Lou")));

    aide.returnToGame();
    QVERIFY(!aide.isVisible());
    aide.show();
    QVERIFY(QTest::qWaitForWindowExposed(&aide));
    QCOMPARE(memo->toPlainText(), typed);
    aide.returnToGame();
}

void TestDialogs::descramble_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("expected");

    const auto latin1 = [](const char *s) { return QString::fromLatin1(s); };
    QTest::newRow("empty data") << "clef" << QString() << QString();
    QTest::newRow("empty key leaves data") << QString() << "Bonjour" << "Bonjour";
    // 0xC2 - 'a' = 'a', 0xC4 - 'b' = 'b', then the key starts again: 0xC4 - 'a' = 'c'.
    QTest::newRow("worked example") << "ab" << latin1("\xC2\xC4\xC4") << "abc";
    QTest::newRow("key index wraps") << latin1("\x01\x02\x03") << "BBBBBBB" << "A@?A@?A";
    QTest::newRow("key longer than data") << "zzzzzz" << latin1("\xDB") << "a";
    // Codes below the key code wrap modulo 256.
    QTest::newRow("1 - 'b' wraps to 159") << "b" << latin1("\x01") << latin1("\x9F");
    QTest::newRow("'A' - 255 wraps to 'B'") << latin1("\xFF") << "A" << "B";
    QTest::newRow("equal codes give 0") << "k" << "k" << QString(QChar(0));
}

void TestDialogs::descramble()
{
    QFETCH(QString, key);
    QFETCH(QString, data);
    QFETCH(QString, expected);
    QCOMPARE(tivane::descramble(key, data), expected);
}

void TestDialogs::scrambleRoundTripsEveryCode()
{
    QString all;
    for (int code = 0; code < 256; ++code)
        all += QChar(code);
    const QString key = QStringLiteral("Zébulon");
    const QString scrambled = tivane::scramble(key, all);
    QCOMPARE(scrambled.size(), all.size());
    QVERIFY(scrambled != all);
    QCOMPARE(tivane::descramble(key, scrambled), all);
}

void TestDialogs::contactLinkOpensTheDescrambledAddress()
{
    const QString expected = QStringLiteral("mailto:contact@tivane.example.org");
    const QString stored = QString::fromLatin1(AboutBox::ScrambledContact, sizeof(AboutBox::ScrambledContact) - 1);
    QVERIFY(!stored.contains(QStringLiteral("tivane")));
    QCOMPARE(tivane::descramble(QString::fromLatin1(AboutBox::ContactKey), stored), expected);

    AboutBox ap;
    QList<QUrl> opened;
    ap.setUrlOpener([&opened](const QUrl &url) { opened << url; });
    auto *link = ap.findChild<QAbstractButton *>(QStringLiteral("SpeedButton2"));
    QVERIFY(link);
    link->click();
    QCOMPARE(opened, QList<QUrl>{QUrl(expected)});
}

// 2 pixels up a step; once past -161 the text comes in again from the bottom: 162 steps a cycle.
void TestDialogs::creditsCycle()
{
    AboutBox ap;
    ap.show();
    QVERIFY(ap.creditsPacer()->isRunning());
    ap.creditsPacer()->stop();
    QLabel *gen = genOf(ap);
    QCOMPARE(gen->y(), 161);
    for (int step = 1; step <= 161; ++step) {
        ap.scrollCredits();
        QCOMPARE(gen->y(), 161 - 2 * step);
        QCOMPARE(gen->x(), 0);
    }
    QCOMPARE(gen->y(), -161);
    ap.scrollCredits();
    QCOMPARE(gen->y(), 161);
    ap.closeBox();
}

void TestDialogs::creditsRunOnlyWhileShown()
{
    AboutBox ap;
    StepPacer *pacer = ap.creditsPacer();
    QCOMPARE(pacer->objectName(), QStringLiteral("MoveTimer"));
    QVERIFY(!pacer->isRunning());
    QLabel *gen = genOf(ap);

    for (int showing = 0; showing < 2; ++showing) {
        ap.show();
        // Each showing starts at the panel's bottom edge with a new running pacer.
        QCOMPARE(gen->y(), 161);
        QVERIFY(pacer->isRunning());
        QElapsedTimer clock;
        clock.start();

        QTRY_VERIFY(gen->y() <= 161 - 3 * 2);
        QCOMPARE((161 - gen->y()) % 2, 0);
        // A step every 50 ms: three steps take at least 150 ms.
        QVERIFY(clock.elapsed() >= 3 * AboutBox::CreditsStepMs - 10);

        // The first showing closes through the button, the second by a plain hide.
        if (showing == 0)
            ap.closeBox();
        else
            ap.hide();
        QVERIFY(!ap.isVisible());
        QVERIFY(!pacer->isRunning());
        const int stoppedAt = gen->y();
        QVERIFY(!QTest::qWaitFor([&] { return gen->y() != stoppedAt; }, 200));
    }
}

void TestDialogs::onlyTheButtonCloses_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("button");
    QTest::newRow("bravo") << "TFbravo" << "SpeedButton1";
    QTest::newRow("perdu") << "TFperdu" << "Lp";
    QTest::newRow("aide") << "TFaide" << "Lp";
    QTest::newRow("ap") << "TFap" << "SpeedButton1";
}

void TestDialogs::onlyTheButtonCloses()
{
    QFETCH(QString, dialog);
    QFETCH(QString, button);
    // A small owner in a corner: the dialog still centres on the screen, not on its owner.
    QWidget owner;
    owner.setGeometry(10, 10, 200, 150);
    owner.show();
    const auto form = makeDialog(dialog, &owner);
    QVERIFY(form->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(form->minimumSize(), form->maximumSize());

    bool sawModal = false;
    bool survivedEscape = false;
    bool survivedClose = false;
    QPoint centre;
    QTimer::singleShot(0, this, [&] {
        auto *modal = QApplication::activeModalWidget();
        sawModal = modal == form.get();
        if (!sawModal)
            return;
        centre = modal->geometry().center();
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : modal;
        QTest::keyClick(target, Qt::Key_Escape);
        survivedEscape = modal->isVisible();
        modal->close();
        survivedClose = modal->isVisible();
        if (auto *b = modal->findChild<QAbstractButton *>(button))
            QTest::mouseClick(b, Qt::LeftButton);
    });
    form->open();
    QTRY_VERIFY(!form->isVisible());
    const int result = form->result();

    QVERIFY(sawModal);
    QVERIFY(survivedEscape);
    QVERIFY(survivedClose);
    QCOMPARE(result, int(QDialog::Accepted));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QVERIFY2((centre - screen.center()).manhattanLength() <= 1,
             qPrintable(QStringLiteral("centre %1,%2").arg(centre.x()).arg(centre.y())));
}

void TestDialogs::colours_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("bravo border") << "TFbravo" << QPoint(1, 1) << QColor(Qt::black);
    QTest::newRow("bravo ground") << "TFbravo" << QPoint(2, 150) << QColor(0, 191, 0);
    QTest::newRow("perdu border") << "TFperdu" << QPoint(289, 152) << QColor(Qt::black);
    QTest::newRow("perdu ground") << "TFperdu" << QPoint(2, 2) << QColor(192, 220, 192);
    QTest::newRow("aide frame") << "TFaide" << QPoint(2, 100) << QColor(Qt::black);
    QTest::newRow("aide ground") << "TFaide" << QPoint(3, 100) << QColor(193, 234, 255);
    QTest::newRow("aide memo ground") << "TFaide" << QPoint(398, 220) << QColor(193, 234, 255);
    QTest::newRow("aide title ground") << "TFaide" << QPoint(9, 9) << QColor(166, 202, 240);
    // The credits start below the panel, so the panel is all black at first.
    QTest::newRow("ap panel") << "TFap" << QPoint(18 + 144, 19 + 80) << QColor(Qt::black);
    QTest::newRow("ap panel corner") << "TFap" << QPoint(18, 19) << QColor(Qt::black);
}

void TestDialogs::colours()
{
    QFETCH(QString, dialog);
    QFETCH(QPoint, at);
    QFETCH(QColor, colour);
    const auto form = makeDialog(dialog);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    const QImage image = form->grab().toImage();
    QCOMPARE(image.size(), form->size());
    QCOMPARE(image.pixelColor(at), colour);
}

// The background picture sets the box's size and rings the panel with a light frame.
void TestDialogs::aboutBoxFramesTheBlackPanel()
{
    AboutBox ap;
    QCOMPARE(ap.size(), QSize(325, 211));
    const auto *image = ap.findChild<QLabel *>(QStringLiteral("Image1"));
    QVERIFY(image);
    QCOMPARE(image->geometry(), QRect(0, 0, 325, 211));
    const auto *panel = ap.findChild<QWidget *>(QStringLiteral("P1"));
    QVERIFY(panel);
    QCOMPARE(panel->geometry(), QRect(18, 19, 289, 161));
    QCOMPARE(genOf(ap)->parentWidget(), panel);

    ap.show();
    const QImage shot = ap.grab().toImage();
    const QPoint frame[] = {{9, 100}, {315, 100}, {160, 8}, {125, 195}, {220, 195}};
    for (const QPoint at : frame)
        QVERIFY2(shot.pixelColor(at).lightness() > 170, qPrintable(QStringLiteral("%1,%2").arg(at.x()).arg(at.y())));
    ap.closeBox();
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
