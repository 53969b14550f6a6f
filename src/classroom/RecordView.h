#pragma once
// "Carnet de suivi…", TFcarnet: the record as a table, newest first and sortable by any column,
// filtered by child and period, with one child's summary line. "Exporter…" writes the lines
// shown as a record file, "Imprimer…" one page per child, "Effacer…" the whole record or the
// chosen child's lines after a question. Lines that could not be read, and games that could not
// be written yet, are named above the table.

#include "classroom/RecordModel.h"
#include "widgets/FormParts.h"

#include <QDate>

#include <memory>

class QComboBox;
class QFileDialog;
class QLabel;
class QPrinter;
class QTableView;

namespace tivane {

class PuzzleStore;
class RecordWriter;
class StoreRetry;

class RecordView : public FramelessDialog
{
    Q_OBJECT
public:
    // `writer`, when given, is asked to write what it kept, and what it still keeps is named.
    RecordView(PuzzleStore &store, RecordWriter *writer, QWidget *parent = nullptr);
    ~RecordView() override;

    // Reads the record and the class list and opens the form. A record that cannot be read opens
    // empty, its fault named above the table; a class list that cannot be read is named in a
    // message and the form stays closed (false).
    bool openForm();

    // The day the periods are counted from (today unless a test says otherwise).
    void setToday(const QDate &today) { m_today = today; }

    RecordModel *model() const { return m_model; }
    QString problems() const;
    QString summary() const;

    // What "Exporter…" and "Imprimer…" do once the file or the printer is chosen.
    bool exportTo(const QString &path);
    bool printOn(QPrinter &printer);

    QFileDialog *exportDialog() const { return m_exportDialog; }

private:
    void build();
    void applyFilter();
    void chooseExport();
    void choosePrinter();
    void askClear();
    void reload();
    QString periodText() const;

    PuzzleStore &m_store;
    RecordWriter *m_writer;
    StoreRetry *m_retry = nullptr;
    RecordModel *m_model = nullptr;
    QDate m_today = QDate::currentDate();
    QString m_readProblems;
    QTableView *m_table = nullptr;    // TVcarnet
    QComboBox *m_children = nullptr;  // CBeleve
    QComboBox *m_period = nullptr;    // CBperiode
    QLabel *m_summary = nullptr;      // LResume
    QLabel *m_problems = nullptr;     // LProblemes
    QFileDialog *m_exportDialog = nullptr;  // SD
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace tivane
