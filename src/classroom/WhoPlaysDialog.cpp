#include "classroom/WhoPlaysDialog.h"

#include "classroom/ClassList.h"
#include "classroom/PupilPictures.h"
#include "core/Fonts.h"
#include "core/WinColor.h"

#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace tivane {

namespace {

constexpr quint32 Blue = 0xFF0000;
constexpr quint32 Maroon = 0x000080;
constexpr int Margin = 16;
constexpr int TitleHeight = 40;
constexpr int BottomHeight = 50;

// The guest's picture: a question mark on a grey disc.
QImage guestPicture(int side)
{
    QImage picture(side, side, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x80, 0x80, 0x80));
    painter.drawEllipse(QRectF(0, 0, side, side));
    painter.setPen(Qt::white);
    painter.setFont(formFont(side * 11 / 20, true));
    painter.drawText(QRect(0, 0, side, side), Qt::AlignCenter, QStringLiteral("?"));
    return picture;
}

} // namespace

int WhoPlaysDialog::pictureSide(float scale)
{
    return int(std::lround(double(scale) * PictureSideAtUnitScale));
}

WhoPlaysDialog::WhoPlaysDialog(const PuzzleStore &store, const QList<Pupil> &pupils, float scale, QWidget *parent)
    : FramelessDialog(QSize(1, 1), parent)
{
    setObjectName(QStringLiteral("TFqui"));
    const int side = pictureSide(scale);
    const int nameHeight = std::max(24, side / 4);
    const QSize tileSize(side + 24, side + nameHeight + 16);
    const int spacing = 12;

    const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry()
                                                          : QRect(0, 0, 1024, 768);
    const int count = int(pupils.size()) + 1;
    const int fitColumns = std::max(1, (screen.width() * 9 / 10 - 2 * Margin + spacing) / (tileSize.width() + spacing));
    const int columns = std::min(count, fitColumns);
    const int rows = (count + columns - 1) / columns;
    const int gridWidth = columns * tileSize.width() + (columns - 1) * spacing;
    const int gridHeight = rows * tileSize.height() + (rows - 1) * spacing;
    const int maxGridHeight = screen.height() * 9 / 10 - TitleHeight - BottomHeight;
    const bool scrolls = gridHeight > maxGridHeight;
    const int scrollBarRoom = scrolls ? 24 : 0;
    const QSize client(std::max(gridWidth + scrollBarRoom, 300) + 2 * Margin,
                       TitleHeight + std::min(gridHeight, maxGridHeight) + BottomHeight);
    setFixedSize(client);

    QPalette silver = palette();
    silver.setColor(QPalette::Window, winColor(WinColors::Silver));
    silver.setColor(QPalette::Button, winColor(WinColors::Silver));
    setPalette(silver);
    setAutoFillBackground(true);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("P1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setGeometry(0, 0, client.width(), client.height());

    auto *title = new QLabel(QStringLiteral("Qui joue ?"), panel);
    title->setObjectName(QStringLiteral("Label1"));
    title->setFont(formFont(24, true));
    setTextColour(title, winColor(Blue));
    title->setGeometry(Margin, 6, client.width() - 2 * Margin, TitleHeight - 6);

    auto *scrollArea = new QScrollArea(panel);
    scrollArea->setObjectName(QStringLiteral("SB"));
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea->setGeometry(Margin, TitleHeight, client.width() - 2 * Margin, client.height() - TitleHeight - BottomHeight);
    auto *grid = new QWidget;
    grid->setObjectName(QStringLiteral("SBcontent"));
    grid->setFixedSize(gridWidth, gridHeight);
    scrollArea->setWidget(grid);

    const auto addTile = [&](const QString &name, const QString &caption, const QImage &picture) {
        const int i = int(m_tiles.size());
        auto *tile = makeSpeedButton(grid, name,
                                     QRect(QPoint(i % columns * (tileSize.width() + spacing),
                                                  i / columns * (tileSize.height() + spacing)),
                                           tileSize),
                                     caption, formFont(nameHeight * 3 / 4, true), winColor(WinColors::Black));
        tile->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        tile->setIcon(QIcon(QPixmap::fromImage(picture)));
        tile->setIconSize(QSize(side, side));
        m_tiles << tile;
        return tile;
    };
    for (const Pupil &pupil : sortedByFirstName(pupils)) {
        QToolButton *tile = addTile(QStringLiteral("Eleve%1").arg(m_tiles.size()), pupil.firstName,
                                    pupilPicture(store, pupil, side));
        connect(tile, &QToolButton::clicked, this, [this, name = pupil.firstName] { choose(name); });
    }
    QToolButton *guest = addTile(QStringLiteral("Invite"), QStringLiteral("Invité"), guestPicture(side));
    connect(guest, &QToolButton::clicked, this, [this] { choose(QString()); });

    QToolButton *cancel = makeSpeedButton(panel, QStringLiteral("Annuler"),
                                          QRect(client.width() - 97 - 20, client.height() - BottomHeight + 9, 97, 33),
                                          QStringLiteral("ANNULER"), formFont(13, true), winColor(Maroon));
    connect(cancel, &QToolButton::clicked, this, [this] { done(QDialog::Rejected); });
}

void WhoPlaysDialog::choose(const QString &firstName)
{
    m_chosen = firstName;
    done(QDialog::Accepted);
}

} // namespace tivane
