#include "library/PuzzleChooser.h"

#include "core/Error.h"
#include "core/Fonts.h"
#include "core/PointerInput.h"
#include "core/WinColor.h"
#include "library/ArchiveExchange.h"
#include "store/PuzzleStore.h"
#include "widgets/ActionGuard.h"
#include "widgets/FormParts.h"
#include "widgets/Messages.h"
#include "widgets/StoreRetry.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QFrame>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <utility>

namespace tivane {

namespace {

constexpr int FormWidth = 728;
constexpr int FormHeight = 480;
constexpr quint32 Maroon = 0x000080;
constexpr quint32 Blue = 0xFF0000;
constexpr int DeleteDelayMs = 100;

} // namespace

ThumbnailLabel::ThumbnailLabel(PuzzleChooser *form, int tag, QWidget *parent)
    : QLabel(parent), m_form(form), m_tag(tag)
{
    setObjectName(QStringLiteral("VV%1").arg(tag));
    setCursor(Qt::PointingHandCursor);
}

void ThumbnailLabel::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        m_leftDown = true;
    // Only a real mouse opens the teacher's menu: presses made from a touch carry no Ctrl.
    m_form->thumbnailPressed(this, event->button(), isFromRealMouse(*event) ? event->modifiers() : Qt::NoModifier,
                             event->position().toPoint());
}

void ThumbnailLabel::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const bool click = m_leftDown && rect().contains(event->position().toPoint());
    m_leftDown = false;
    if (click)
        m_form->thumbnailClicked(this);
}

PuzzleChooser::PuzzleChooser(PuzzleStore &store, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_store(store),
      m_badges(ThumbnailBadges::builtin())
{
    setObjectName(QStringLiteral("TFliste"));
    setModal(true);
    buildForm();
    buildMenu();
    m_storeRetry = new StoreRetry(this);
    connect(&m_store, &PuzzleStore::changed, this, &PuzzleChooser::scheduleScan);

    m_settleTimer = new QTimer(this);
    m_settleTimer->setSingleShot(true);
    connect(m_settleTimer, &QTimer::timeout, this, &PuzzleChooser::rescanIfChanged);
    m_watcher = new QFileSystemWatcher(this);
    m_watcher->addPath(m_store.directory());
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &PuzzleChooser::folderChanged);
}

void PuzzleChooser::buildForm()
{
    QPalette silver = palette();
    silver.setColor(QPalette::Window, winColor(WinColors::Silver));
    silver.setColor(QPalette::Button, winColor(WinColors::Silver));
    setPalette(silver);
    setAutoFillBackground(true);
    setFixedSize(FormWidth, FormHeight);
    centreOnScreen();

    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("P1"));
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_panel->setLineWidth(2);
    m_panel->setGeometry(0, 0, width(), height());

    m_title = new QLabel(QStringLiteral("Choisis un puzzle..."), m_panel);
    m_title->setObjectName(QStringLiteral("Label1"));
    m_title->setFont(formFont(16, true));
    setTextColour(m_title, winColor(Blue));
    m_title->setGeometry(16, 8, 361, 17);

    m_scrollBox = new QScrollArea(m_panel);
    m_scrollBox->setObjectName(QStringLiteral("SB"));
    m_scrollBox->setGeometry(16, 32, m_panel->width() - 40, m_panel->height() - 80);
    m_scrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollBox->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scrollBox->verticalScrollBar()->setTracking(true);
    // The content follows the box's width; its height is set by each scan to fit the rows.
    m_scrollBox->setWidgetResizable(true);
    m_content = new QWidget;
    m_content->setObjectName(QStringLiteral("SBcontent"));
    m_scrollBox->setWidget(m_content);

    m_hint = new QLabel(QStringLiteral("Ctrl+Clic droit sur un puzzle pour les options"), m_panel);
    m_hint->setObjectName(QStringLiteral("Label2"));
    m_hint->setFont(formFont(16, true));
    setTextColour(m_hint, winColor(Blue));
    m_hint->adjustSize();
    m_hint->move(16, m_scrollBox->y() + m_scrollBox->height() + 10);

    m_cancel = makeSpeedButton(m_panel, QStringLiteral("Annuler"), QRect(), QStringLiteral("ANNULER"),
                               formFont(13, true), winColor(Maroon));
    m_cancel->resize(97, 33);
    m_cancel->move(m_panel->width() - m_cancel->width() - 20, m_scrollBox->y() + m_scrollBox->height() + 4);
    connect(m_cancel, &QToolButton::clicked, this, &PuzzleChooser::reject);
}

void PuzzleChooser::buildMenu()
{
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("PP"));
    const auto entry = [this](const char *name, const QString &text) {
        QAction *action = m_menu->addAction(text);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    m_print = entry("Imprimer1", QStringLiteral("Imprimer"));
    m_delete = entry("Supprimer1", QStringLiteral("Supprimer"));
    m_modify = entry("Modifier1", QStringLiteral("Modifier"));
    m_export = entry("Exporter1", QStringLiteral("Exporter"));
    m_import = entry("Importer1", QStringLiteral("Importer"));
    // Printing is switched on by whoever provides it.
    m_print->setEnabled(false);

    connect(m_print, &QAction::triggered, this, [this] { emit printRequested(m_popupPuzzle); });
    connect(m_delete, &QAction::triggered, this, &PuzzleChooser::confirmDelete);
    connect(m_modify, &QAction::triggered, this, [this] { emit modifyRequested(m_selectedPuzzle); });
    m_exchange = new ArchiveExchange(m_store, this);
    connect(m_export, &QAction::triggered, this, [this] { m_exchange->startExport(m_selectedPuzzle); });
    connect(m_import, &QAction::triggered, m_exchange, &ArchiveExchange::startImport);

    m_deleteTimer = new QTimer(this);
    m_deleteTimer->setObjectName(QStringLiteral("Timer1"));
    m_deleteTimer->setSingleShot(true);
    m_deleteTimer->setInterval(DeleteDelayMs);
    connect(m_deleteTimer, &QTimer::timeout, this, &PuzzleChooser::deletePending);
}

void PuzzleChooser::centreOnScreen()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

void PuzzleChooser::showEvent(QShowEvent *event)
{
    centreOnScreen();
    QDialog::showEvent(event);
}

void PuzzleChooser::openForChoice()
{
    m_selectedPuzzle = -1;
    rescanIfChanged();
    open();
}

void PuzzleChooser::folderChanged()
{
    if (!m_settleTimer->isActive())
        m_burst.start();
    const qint64 left = MaxSettleMs - m_burst.elapsed();
    m_settleTimer->start(int(std::clamp<qint64>(left, 0, SettleMs)));
}

void PuzzleChooser::rescanIfChanged()
{
    // Our own saves were scanned already, through the store's signal.
    if (folderSignature() != m_signature)
        scanPuzzles();
}

QByteArray PuzzleChooser::folderSignature() const
{
    QByteArray signature;
    const QFileInfoList entries = QDir(m_store.directory())
                                      .entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                         | QDir::NoDotAndDotDot,
                                                     QDir::Name);
    for (const QFileInfo &entry : entries) {
        // Present only while some program saves; the save's files tell the change.
        if (entry.fileName() == PuzzleStore::lockFileName())
            continue;
        signature += QFile::encodeName(entry.fileName()) + '/' + QByteArray::number(entry.size()) + '/'
                     + QByteArray::number(entry.lastModified().toMSecsSinceEpoch()) + '\n';
    }
    return signature;
}

void PuzzleChooser::clearThumbnails()
{
    // A thumbnail may be the one whose handler is running: it goes once that has returned.
    for (ThumbnailLabel *thumbnail : std::as_const(m_thumbnails)) {
        thumbnail->hide();
        thumbnail->deleteLater();
    }
    m_thumbnails.clear();
}

void PuzzleChooser::scheduleScan()
{
    if (m_scanScheduled)
        return;
    m_scanScheduled = true;
    QTimer::singleShot(0, this, [this] {
        if (m_scanScheduled)
            scanPuzzles();
    });
}

void PuzzleChooser::scanPuzzles()
{
    m_scanScheduled = false;
    m_settleTimer->stop();
    // Taken before the files are read: a change made while they are read is scanned again.
    m_signature = folderSignature();
    QStringList problems;
    try {
        clearThumbnails();
        m_descriptions.clear();
        const StoreListing listing = m_store.listPuzzles();
        int position = 0;
        for (const StoreEntry &entry : listing.entries) {
            try {
                QByteArray bytes;
                const PuzzleDescription d =
                    m_store.readDescriptionFile(entry.fileName, DescriptionLines::UpToTime, &bytes);
                buildThumbnail(entry.number, position, d.puzzleName, d.gridRows, d.gridCols,
                               d.timeLimit > 0, d.rotationEnabled, d.modelAllowed);
                m_descriptions.insert(entry.number, bytes);
                ++position;
            } catch (const Error &error) {
                problems << error.message();
            }
        }
        for (const LeftOutFile &file : listing.leftOut)
            problems << QStringLiteral("%1 : %2").arg(quoted(file.fileName), file.reason);
    } catch (const Error &error) {
        problems << error.message();
    }
    fitContent();

    // Before the message: whoever waits for the list must not wait for the box as well.
    emit listRebuilt();
    if (problems.isEmpty() || problems == m_lastProblems) {
        m_lastProblems = problems;
        return;
    }
    m_lastProblems = problems;
    QWidget *owner = isVisible() ? this : parentWidget();
    showListMessage(owner, QStringLiteral("Ces fichiers du dossier des puzzles ont été laissés de côté ; "
                                          "les puzzles qu'ils décrivent ne sont pas dans la liste."),
                    problems);
}

void PuzzleChooser::buildThumbnail(int n, int position, const QString &name, int rows, int columns,
                                   bool timed, bool rotation, bool model)
{
    const QImage picture = m_store.readThumbnail(n);
    const QImage shown = thumbnailForDisplay(picture, {columns, rows, model, rotation, timed}, m_badges);

    auto *thumbnail = new ThumbnailLabel(this, n, m_content);
    thumbnail->setPixmap(QPixmap::fromImage(shown));
    thumbnail->resize(shown.size());
    thumbnail->move(ThumbnailLayout::place(position));
    thumbnail->setToolTip(name);
    thumbnail->show();
    m_thumbnails.append(thumbnail);
}

void PuzzleChooser::fitContent()
{
    int bottom = 0;
    for (const ThumbnailLabel *thumbnail : std::as_const(m_thumbnails))
        bottom = std::max(bottom, thumbnail->geometry().bottom() + 1);
    m_content->setMinimumHeight(bottom);
}

QList<int> PuzzleChooser::puzzleNumbers() const
{
    QList<int> numbers;
    numbers.reserve(m_thumbnails.size());
    for (const ThumbnailLabel *thumbnail : m_thumbnails)
        numbers.append(thumbnail->tag());
    return numbers;
}

void PuzzleChooser::thumbnailPressed(ThumbnailLabel *thumbnail, Qt::MouseButton button,
                                     Qt::KeyboardModifiers modifiers, QPoint pos)
{
    m_selectedPuzzle = thumbnail->tag();
    m_pictureFile = PuzzleStore::pictureName(thumbnail->tag());
    if (button == Qt::RightButton && modifiers.testFlag(Qt::ControlModifier)) {
        m_popupPuzzle = m_selectedPuzzle;
        const QPoint at = thumbnail->mapToGlobal(pos);
        emit popupRequested(m_popupPuzzle, at);
        m_menu->popup(at);
    }
}

void PuzzleChooser::thumbnailClicked(ThumbnailLabel *thumbnail)
{
    m_selectedPuzzle = thumbnail->tag();
    accept();
}

void PuzzleChooser::reject()
{
    m_selectedPuzzle = -1;
    QDialog::reject();
}

void PuzzleChooser::confirmDelete()
{
    const int puzzle = m_popupPuzzle;
    // The puzzle as the list shows it: if another program changes it meanwhile, it stays.
    std::optional<QByteArray> shown;
    if (m_descriptions.contains(puzzle))
        shown = m_descriptions.value(puzzle);
    askYesNo(this, QStringLiteral("Suppression d'un puzzle"), QStringLiteral("Confirmez-vous l'effacement ?"),
             [this, puzzle, shown](bool yes) {
                 if (!yes || m_deleteTimer->isActive() || m_storeRetry->isActive())
                     return;
                 QApplication::setOverrideCursor(Qt::WaitCursor);
                 m_pendingDelete = puzzle;
                 m_pendingDeleteDescription = shown;
                 m_deleteTimer->start();
                 scanPuzzles();
             });
}

void PuzzleChooser::deletePending()
{
    const int puzzle = std::exchange(m_pendingDelete, -1);
    const std::optional<QByteArray> shown = std::exchange(m_pendingDeleteDescription, std::nullopt);
    const bool started = m_storeRetry->run([this, puzzle, shown] { m_store.deletePuzzle(puzzle, shown); },
                                           [this](bool) {
                                               scanPuzzles();
                                               QApplication::restoreOverrideCursor();
                                           });
    if (!started)
        QApplication::restoreOverrideCursor();
}

} // namespace tivane
