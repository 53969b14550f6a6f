// Stores on real file systems. A small one filled to each free size in turn: every save, import,
// edit and deletion either goes through whole or leaves the store byte for byte as it was, with
// a message that names the real cause. A read-only one: it reads as any other, and every write
// says so and changes nothing. Needs root (it mounts); skipped otherwise.

#include "TestFiles.h"
#include "core/Error.h"
#include "core/PictureRoutines.h"
#include "store/PuzzleArchive.h"
#include "store/PuzzleStore.h"

#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

using namespace tivane;

namespace {

constexpr qint64 KiB = 1024;
constexpr qint64 FileSystemBytes = 3 * 1024 * KiB;
constexpr qint64 LargestFreeBytes = 800 * KiB;
constexpr qint64 FreeStepBytes = 4 * KiB;  // a tmpfs page

PuzzleDescription description(const QString &name)
{
    PuzzleDescription d;
    d.puzzleName = name;
    d.gridCols = 2;
    d.gridRows = 3;
    return d;
}

QImage picture(int side, QRgb colour)
{
    QImage image(side, side, QImage::Format_RGB888);
    image.fill(colour);
    return image;
}

qint64 freeBytes(const QString &path)
{
    struct statvfs info {};
    if (::statvfs(QFile::encodeName(path).constData(), &info) != 0)
        return -1;
    return qint64(info.f_bavail) * qint64(info.f_bsize);
}

} // namespace

class TestRealFileSystems : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The archive to import lives on another file system.
        QVERIFY(m_outside.isValid());
        m_archive = m_outside.filePath(QStringLiteral("arrivee.zip"));
        QVERIFY(writeBytes(m_archive, buildPuzzleArchive(archiveFiles(), QStringLiteral("arrivee.zip"))));

        QVERIFY(m_mountPoint.isValid());
        if (::geteuid() != 0) {
            m_skipped = QStringLiteral("mounting a file system needs root");
            return;
        }
        const QByteArray options = "size=" + QByteArray::number(FileSystemBytes);
        if (::mount("tivane-test", QFile::encodeName(m_mountPoint.path()).constData(), "tmpfs", 0,
                    options.constData()) != 0) {
            m_skipped = QStringLiteral("a tmpfs cannot be mounted here: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
            return;
        }
        m_mounted = true;
        m_store = QDir(m_mountPoint.path()).filePath(QStringLiteral("puzzles"));
        m_filler = QDir(m_mountPoint.path()).filePath(QStringLiteral("remplissage"));
    }

    void cleanupTestCase()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_mountPoint.path()).constData(), MNT_DETACH);
    }

    void aReadOnlyStoreReadsAndRefusesEveryWrite_data()
    {
        QTest::addColumn<QString>("action");
        for (const char *action : {"create", "import", "edit", "delete", "description"})
            QTest::newRow(action) << QString::fromLatin1(action);
    }

    // A school share mounted read-only: the puzzles play, and each write says once, in words,
    // that the folder is read-only.
    void aReadOnlyStoreReadsAndRefusesEveryWrite()
    {
        QFETCH(QString, action);
        if (::geteuid() != 0)
            QSKIP("mounting a file system needs root");
        QTemporaryDir source;
        QTemporaryDir shared;
        {
            PuzzleStore writable(source.path());
            writable.savePuzzle(0, description(QStringLiteral("Premier")), DescriptionLines::All,
                                picture(360, qRgb(200, 40, 40)), picture(100, qRgb(200, 40, 40)));
        }
        const QByteArray target = QFile::encodeName(shared.path());
        QCOMPARE(::mount(QFile::encodeName(source.path()).constData(), target.constData(), nullptr, MS_BIND, nullptr), 0);
        const int remounted = ::mount(nullptr, target.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr);
        const auto unmount = qScopeGuard([&] { ::umount2(target.constData(), MNT_DETACH); });
        QCOMPARE(remounted, 0);

        PuzzleStore store(shared.path());
        QVERIFY(store.isReadOnly());
        QCOMPARE(store.readDescription(0).puzzleName, QStringLiteral("Premier"));
        QCOMPARE(store.readPicture(0).size(), QSize(360, 360));
        const QStringList before = snapshot(shared.path());
        QString message;
        try {
            if (action == QLatin1String("description"))
                store.writeDescription(0, description(QStringLiteral("Autre")), DescriptionLines::All);
            else
                act(store, action);
        } catch (const ReadOnlyStore &error) {
            message = error.message();
        }
        QCOMPARE(message, PuzzleStore::readOnlyMessage(shared.path()));
        QVERIFY(message.contains(QStringLiteral("est en lecture seule")));
        QCOMPARE(snapshot(shared.path()), before);
    }

    // A save that died left its temporary and kept files: the next save, under the lock, takes
    // them away, and nothing else.
    void leftoversOfASaveThatDiedGo()
    {
        QTemporaryDir dir;
        PuzzleStore store(dir.path());
        for (const char *name : {"image3.bmp.tmp", "Vignette3.bmp.TMP", "puz3.tvn.old", "notes.old", "photo.tmp"})
            QVERIFY(writeBytes(dir.path(), QString::fromLatin1(name), "reste"));
        act(store, QStringLiteral("create"));
        QCOMPARE(entryNames(dir.path()), (QStringList{"image0.bmp", "notes.old", "photo.tmp", "puz0.tvn", "vignette0.bmp"}));
    }

    void everyAttemptIsWholeOrNothing_data()
    {
        QTest::addColumn<QString>("action");
        for (const char *action : {"create", "import", "edit", "delete"})
            QTest::newRow(action) << QString::fromLatin1(action);
    }

    void everyAttemptIsWholeOrNothing()
    {
        QFETCH(QString, action);
        if (!m_mounted)
            QSKIP(qPrintable(m_skipped));
        int succeeded = 0;
        int refused = 0;
        for (qint64 free = 0; free <= LargestFreeBytes; free += FreeStepBytes) {
            resetStore();
            fillTo(free);
            const QStringList before = snapshot(m_store);
            PuzzleStore store(m_store);
            QString message;
            try {
                act(store, action);
            } catch (const Error &error) {
                message = error.message();
            }
            const QString where = QStringLiteral("%1 with %2 bytes free: ").arg(action).arg(freeBytes(m_store));
            if (message.isEmpty()) {
                ++succeeded;
                QVERIFY2(isWhole(store, action), qPrintable(where + QStringLiteral("succeeded, but the puzzle is not whole")));
                continue;
            }
            ++refused;
            QVERIFY2(snapshot(m_store) == before, qPrintable(where + QStringLiteral("failed and changed the store: ") + message));
            QVERIFY2(message.contains(QStringLiteral("le disque est plein")), qPrintable(where + message));
            QVERIFY2(!message.contains(PuzzleStore::lockFileName()), qPrintable(where + message));
        }
        qInfo("%s: %d sizes from 0 to %lld KiB, %d succeeded whole, %d refused with the store unchanged",
              qPrintable(action), succeeded + refused, LargestFreeBytes / KiB, succeeded, refused);
        QVERIFY(succeeded > 0);
        QVERIFY(action == QLatin1String("delete") || refused > 0);
    }

private:
    static PuzzleFiles archiveFiles()
    {
        return {formatDescription(description(QStringLiteral("Arrivée")), DescriptionLines::All),
                encodedImage(picture(360, qRgb(20, 120, 200)), "bmp"),
                encodedImage(picture(100, qRgb(20, 120, 200)), "bmp")};
    }

    // The store holds puzzle 0 alone; the filler is gone.
    void resetStore()
    {
        QFile::remove(m_filler);
        QDir(m_store).removeRecursively();
        QVERIFY(QDir().mkpath(m_store));
        PuzzleStore store(m_store);
        store.savePuzzle(0, description(QStringLiteral("Premier")), DescriptionLines::All,
                         picture(360, qRgb(200, 40, 40)), picture(100, qRgb(200, 40, 40)));
    }

    // Takes the file system's free space down to `free` bytes with one file beside the store.
    void fillTo(qint64 free)
    {
        const qint64 size = freeBytes(m_store) - free;
        QVERIFY(size >= 0);
        const int fd = ::open(QFile::encodeName(m_filler).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        QVERIFY(fd >= 0);
        const int allocated = size > 0 ? ::posix_fallocate(fd, 0, size) : 0;
        ::close(fd);
        QCOMPARE(allocated, 0);
        QCOMPARE(freeBytes(m_store), free);
    }

    void act(PuzzleStore &store, const QString &action)
    {
        if (action == QLatin1String("create"))
            store.saveNewPuzzle(description(QStringLiteral("Nouveau")), picture(360, qRgb(40, 200, 40)),
                                picture(100, qRgb(40, 200, 40)));
        else if (action == QLatin1String("import"))
            importPuzzle(store, m_archive);
        else if (action == QLatin1String("edit"))
            store.replacePuzzle(0, description(QStringLiteral("Modifié")), DescriptionLines::UpToTime,
                                picture(360, qRgb(40, 40, 200)), picture(100, qRgb(40, 40, 200)));
        else
            store.deletePuzzle(0);
    }

    // What a success must have left: the new or changed puzzle readable in full, or puzzle 0 gone.
    static bool isWhole(const PuzzleStore &store, const QString &action)
    {
        if (action == QLatin1String("delete"))
            return !store.contains(0);
        const int n = action == QLatin1String("edit") ? 0 : 1;
        try {
            const QString expected = action == QLatin1String("create") ? QStringLiteral("Nouveau")
                                   : action == QLatin1String("import") ? QStringLiteral("Arrivée")
                                                                       : QStringLiteral("Modifié");
            return store.readDescription(n).puzzleName == expected && store.readPicture(n).size() == QSize(360, 360)
                && store.readThumbnail(n).size() == QSize(100, 100);
        } catch (const Error &) {
            return false;
        }
    }

    QTemporaryDir m_mountPoint;
    QTemporaryDir m_outside;
    bool m_mounted = false;
    QString m_skipped;
    QString m_store;
    QString m_filler;
    QString m_archive;
};

QTEST_GUILESS_MAIN(TestRealFileSystems)
#include "tst_realfilesystems.moc"
