#include "classroom/RecordView.h"

#include "classroom/ClassFiles.h"
#include "classroom/ClassList.h"
#include "classroom/PupilPictures.h"
#include "classroom/RecordFile.h"
#include "classroom/RecordSheets.h"
#include "classroom/RecordWriter.h"
#include "core/Error.h"
#include "core/Fonts.h"
#include "core/WinColor.h"
#include "widgets/FileDialogs.h"
#include "widgets/FormParts.h"
#include "store/PuzzleStore.h"
#include "widgets/ActionGuard.h"
#include "widgets/Messages.h"
#include "widgets/StoreRetry.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QTableView>
#include <QToolButton>

namespace tivane {

namespace {

constexpr QSize FormSize(780, 540);
const QString AllChildren = QStringLiteral("Tous les enfants");
const QString Guests = QStringLiteral("Invités");

QImage thumbnailOf(const PuzzleStore &store, int puzzle)
{
    try {
        return store.contains(puzzle) ? store.readThumbnail(puzzle) : QImage();
    } catch (const Error &) {
        return {};
    }
}

} // namespace

RecordView::RecordView(PuzzleStore &store, RecordWriter *writer, QWidget *parent)
    : FramelessDialog(FormSize, parent), m_store(store), m_writer(writer)
{
    setObjectName(QStringLiteral("TFcarnet"));
    m_retry = new StoreRetry(this);
    m_model = new RecordModel(this);
    m_model->setThumbnailSource([this](int puzzle) { return thumbnailOf(m_store, puzzle); });
    build();
}

RecordView::~RecordView() = default;

void RecordView::build()
{
    applySilverPalette(this);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("P1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setGeometry(rect());

    auto *title = new QLabel(QStringLiteral("Carnet de suivi"), panel);
    title->setObjectName(QStringLiteral("Label1"));
    title->setFont(formFont(16, true));
    setTextColour(title, winColor(WinColors::Blue));
    title->setGeometry(16, 8, 300, 20);

    m_children = new QComboBox(panel);
    m_children->setObjectName(QStringLiteral("CBeleve"));
    m_children->setGeometry(330, 6, 220, 26);
    m_period = new QComboBox(panel);
    m_period->setObjectName(QStringLiteral("CBperiode"));
    m_period->setGeometry(560, 6, 200, 26);
    m_period->addItems({QStringLiteral("Aujourd'hui"), QStringLiteral("Cette semaine"), QStringLiteral("Ce mois-ci"),
                        QStringLiteral("Tout")});
    m_period->setCurrentIndex(int(RecordPeriod::All));
    connect(m_children, &QComboBox::currentIndexChanged, this, &RecordView::applyFilter);
    connect(m_period, &QComboBox::currentIndexChanged, this, &RecordView::applyFilter);

    m_problems = new QLabel(panel);
    m_problems->setObjectName(QStringLiteral("LProblemes"));
    m_problems->setFont(formFont(12, true));
    m_problems->setWordWrap(true);
    setTextColour(m_problems, winColor(WinColors::Red));
    m_problems->setGeometry(16, 36, 748, 36);

    m_table = new QTableView(panel);
    m_table->setObjectName(QStringLiteral("TVcarnet"));
    m_table->setGeometry(16, 76, 748, 360);
    m_table->setModel(m_model);
    m_table->setSortingEnabled(true);
    m_table->horizontalHeader()->setSortIndicator(RecordModel::DateColumn, Qt::DescendingOrder);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setIconSize(QSize(RecordModel::ThumbnailSide, RecordModel::ThumbnailSide));
    m_table->verticalHeader()->setDefaultSectionSize(RecordModel::ThumbnailSide + 4);
    m_table->verticalHeader()->hide();
    const int widths[] = {130, 130, 220, 60, 100, 55, 50};
    for (int c = 0; c < RecordModel::ColumnCount; ++c)
        m_table->setColumnWidth(c, widths[c]);

    m_summary = new QLabel(panel);
    m_summary->setObjectName(QStringLiteral("LResume"));
    m_summary->setFont(formFont(13, true));
    setTextColour(m_summary, winColor(WinColors::Navy));
    m_summary->setGeometry(16, 442, 748, 22);

    const auto button = [&](const char *name, const QString &text, int left, quint32 colour) {
        return makeSpeedButton(panel, QLatin1String(name), QRect(left, 490, 120, 33), text, formFont(13, true),
                               winColor(colour));
    };
    connect(button("BExporter", QStringLiteral("Exporter…"), 16, WinColors::Navy), &QToolButton::clicked, this,
            &RecordView::chooseExport);
    connect(button("BImprimer", QStringLiteral("Imprimer…"), 146, WinColors::Navy), &QToolButton::clicked, this,
            &RecordView::choosePrinter);
    connect(button("BEffacer", QStringLiteral("Effacer…"), 276, WinColors::Navy), &QToolButton::clicked, this, &RecordView::askClear);
    QToolButton *close = makeSpeedButton(panel, QStringLiteral("Fermer"), QRect(667, 490, 97, 33),
                                         QStringLiteral("FERMER"), formFont(13, true), winColor(WinColors::Maroon));
    connect(close, &QToolButton::clicked, this, &RecordView::closeFromButton);

    m_exportDialog = makeFileDialog(this, QStringLiteral("SD"), QStringLiteral("Exporter le carnet de suivi"),
                                    QFileDialog::AcceptSave);
    m_exportDialog->setNameFilters({QStringLiteral("Fichiers CSV (*.csv)")});
    m_exportDialog->setDefaultSuffix(QStringLiteral("csv"));
    m_exportDialog->setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    connect(m_exportDialog, &QDialog::finished, this, [this](int result) {
        if (result == QDialog::Accepted && !m_exportDialog->selectedFiles().isEmpty())
            exportTo(m_exportDialog->selectedFiles().constFirst());
    });
}

bool RecordView::openForm()
{
    ClassList list = emptyClassList();
    if (!runGuarded(parentWidget(), [&] { list = readClassList(m_store).list; }))
        return false;
    const QSignalBlocker blocker(m_children);
    m_children->clear();
    m_children->addItem(AllChildren);
    for (const Pupil &pupil : sortedByFirstName(list.pupils))
        m_children->addItem(pupil.firstName);
    m_children->addItem(Guests);
    reload();
    open();
    return true;
}

void RecordView::reload()
{
    if (m_writer)
        m_writer->flush();
    RecordReading reading;
    // A record that does not read opens empty, its fault named, so that "Effacer…" can mend it.
    try {
        reading = readRecord(m_store);
        m_readProblems = reading.problems();
    } catch (const Error &error) {
        m_readProblems = error.message();
    }
    m_model->setEntries(std::move(reading.entries));
    applyFilter();
    m_problems->setText(problems());
}

QString RecordView::problems() const
{
    QStringList parts;
    if (!m_readProblems.isEmpty())
        parts << m_readProblems;
    if (m_writer && !m_writer->unwritten().isEmpty())
        parts << QStringLiteral("%1 partie(s) n'ont pas encore pu être écrites dans le carnet (%2) ; elles le seront "
                                "avec la prochaine.")
                     .arg(m_writer->unwritten().size())
                     .arg(m_writer->failure());
    return parts.join(u' ');
}

QString RecordView::summary() const
{
    return m_summary->text();
}

void RecordView::applyFilter()
{
    RecordFilter filter;
    const int index = m_children->currentIndex();
    if (index > 0 && index == m_children->count() - 1) {
        filter.children = RecordFilter::Children::Guests;
    } else if (index > 0) {
        filter.children = RecordFilter::Children::One;
        filter.child = m_children->currentText();
    }
    filter.period = RecordPeriod(std::max(0, m_period->currentIndex()));
    m_model->setFilter(filter, m_today);
    m_summary->setText(filter.children == RecordFilter::Children::One
                           ? summaryText(summarise(m_model->entries(), m_model->shown()))
                           : QString());
}

QString RecordView::periodText() const
{
    return m_period->currentText();
}

bool RecordView::exportTo(const QString &path)
{
    return runGuarded(this, [&] {
        m_store.writer().write(path, exportRecord(m_model->entries(), m_model->shown()), QFileInfo(path).fileName());
    });
}

void RecordView::chooseExport()
{
    m_exportDialog->selectFile(QStringLiteral("carnet.csv"));
    m_exportDialog->open();
}

bool RecordView::printOn(QPrinter &printer)
{
    return runGuarded(this, [&] {
        ClassList list = readClassList(m_store).list;
        const QList<ChildSheet> sheets =
            childSheets(m_model->entries(), m_model->shown(), [&](const QString &firstName) {
                const std::optional<qsizetype> index = findPupil(list, firstName);
                return pupilPicture(m_store, index ? list.pupils[*index] : Pupil{firstName, {}, {}}, 240);
            });
        if (sheets.isEmpty())
            throw Error(QStringLiteral("Aucun enfant de la classe n'a joué sur cette période : il n'y a rien à imprimer."));
        if (!paintSheets(printer, sheets, periodText(), [this](int puzzle) { return thumbnailOf(m_store, puzzle); })
            || printer.printerState() == QPrinter::Error)
            throw Error(QStringLiteral("L'impression du carnet de suivi a échoué."));
    });
}

void RecordView::choosePrinter()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_printer->setDocName(QStringLiteral("Carnet de suivi"));
    auto *dialog = new QPrintDialog(m_printer.get(), this);
    dialog->setObjectName(QStringLiteral("PD"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    connect(dialog, qOverload<QPrinter *>(&QPrintDialog::accepted), this, [this](QPrinter *printer) { printOn(*printer); });
    dialog->open();
}

void RecordView::askClear()
{
    const RecordFilter filter = m_model->filter();
    const bool oneChild = filter.children == RecordFilter::Children::One;
    const QString question = oneChild
        ? QStringLiteral("Effacer toutes les lignes de %1 du carnet de suivi ?").arg(filter.child)
        : QStringLiteral("Effacer tout le carnet de suivi ?");
    askYesNo(this, QStringLiteral("Effacement du carnet de suivi"), question, [this, oneChild, child = filter.child](bool yes) {
        if (!yes)
            return;
        m_retry->run(
            [this, oneChild, child] {
                if (oneChild)
                    removeFromRecord(m_store, child);
                else
                    clearRecord(m_store);
            },
            [this](bool) { reload(); });
    });
}

} // namespace tivane
