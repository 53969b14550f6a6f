// The larger single-purpose pictures: placeholder, logo, no-model sign, about-box frame.

#include "Canvas.h"
#include "Pictures.h"

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace Pictures {

namespace {

constexpr QRgb Lime = 0xFF00FF00u;
constexpr QRgb LogoGreen = 0xFF008000u;

// Unhinted outlines, so the shapes do not depend on the font configuration.
QFont boldFont(const QString &family, int pixelSize)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(true);
    return font;
}

QPainterPath textPath(const QFont &font, const QString &text)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    return path;
}

// Moves `path` so that its bounding box is centred on `centre`.
QPainterPath centredOn(const QPainterPath &path, QPointF centre)
{
    return path.translated(centre - path.boundingRect().center());
}

} // namespace

QImage questionMark(const QString &boldFamily)
{
    QImage image = Canvas::opaque(180, 180, Qt::white);
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(0, 0, 179, 179);

    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath mark = centredOn(textPath(boldFont(boldFamily, 200), QStringLiteral("?")), QPointF(88, 90));

    // A soft shadow, built from a few faint offset copies.
    p.setPen(Qt::NoPen);
    for (int i = 1; i <= 6; ++i) {
        p.setBrush(QColor(0, 0, 0, 14));
        p.drawPath(mark.translated(i * 0.9, i * 0.9));
    }
    QLinearGradient shade(60, 20, 120, 160);
    shade.setColorAt(0, QColor(215, 215, 215));
    shade.setColorAt(0.5, QColor(150, 150, 150));
    shade.setColorAt(1, QColor(90, 90, 90));
    p.setBrush(shade);
    p.setPen(QPen(QColor(80, 80, 80), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(mark);
    // A light rim on the upper left edges.
    p.save();
    p.setClipPath(mark);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 170), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(mark.translated(2.5, 2.5));
    p.restore();
    return image;
}

QImage logo(const QString &boldFamily)
{
    QFont font = boldFont(boldFamily, 100);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 8);
    QPainterPath word = textPath(font, QStringLiteral("TIVANE"));
    // Scale the capitals to 64 pixels high.
    const qreal scale = 64.0 / word.boundingRect().height();
    word = QTransform::fromScale(scale, scale).map(word);
    word = centredOn(word, QPointF(238, 41));

    QImage figure = Canvas::transparent(480, 86);
    QPainter p(&figure);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(60, 22, 0);
    const QPen outline(ink, 6.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);

    // A dark extrusion down and to the right gives the letters some depth.
    p.setPen(outline);
    p.setBrush(ink);
    for (int i = 1; i <= 4; ++i)
        p.drawPath(word.translated(i * 0.8, i * 0.8));

    QLinearGradient fill(0, word.boundingRect().top(), 0, word.boundingRect().bottom());
    fill.setColorAt(0, QColor(255, 240, 60));
    fill.setColorAt(0.45, QColor(255, 190, 20));
    fill.setColorAt(1, QColor(240, 100, 0));
    p.drawPath(word);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(word);

    // A glossy band across the top of the letters.
    p.setClipPath(word);
    QLinearGradient gloss(0, word.boundingRect().top(), 0, word.boundingRect().center().y());
    gloss.setColorAt(0, QColor(255, 255, 255, 110));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(gloss);
    p.drawRect(word.boundingRect());
    p.end();

    return Canvas::toIndexed(Canvas::onKey(figure, LogoGreen), LogoGreen);
}

QImage noModelSign(const QString &boldFamily)
{
    QImage figure = Canvas::transparent(180, 180);
    QPainter p(&figure);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(90, 90);

    QRadialGradient red(centre, 89);
    red.setColorAt(0.75, QColor(235, 40, 35));
    red.setColorAt(1, QColor(190, 15, 15));
    p.setBrush(red);
    p.setPen(QPen(QColor(120, 0, 0), 1.5));
    p.drawEllipse(centre, 88, 88);

    QRadialGradient blue(centre + QPointF(-20, -25), 95);
    blue.setColorAt(0, QColor(70, 140, 240));
    blue.setColorAt(1, QColor(15, 55, 170));
    p.setBrush(blue);
    p.setPen(QPen(QColor(255, 255, 255), 2.0));
    p.drawEllipse(centre, 70, 70);

    const QFont font = boldFont(boldFamily, 23);
    const QStringList lines{QStringLiteral("Pas de"), QStringLiteral("mod\u00e8le"),
                            QStringLiteral("pour ce"), QStringLiteral("puzzle")};
    const qreal lineHeight = 27;
    const qreal firstBaseline = centre.y() - 1.5 * lineHeight + 8;
    for (int i = 0; i < lines.size(); ++i) {
        QPainterPath line = textPath(font, lines[i]);
        const QRectF box = line.boundingRect();
        line.translate(centre.x() - box.center().x(), firstBaseline + i * lineHeight);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 20, 70, 150));
        p.drawPath(line.translated(1.2, 1.2));
        p.setBrush(Qt::white);
        p.drawPath(line);
    }
    p.end();
    return Canvas::onKey(figure, Lime);
}

QImage aboutBackground()
{
    constexpr int Width = 325;
    constexpr int Height = 211;
    const QRect panel(18, 19, 289, 161);
    QImage image = Canvas::opaque(Width, Height, Qt::white);

    // Brushed light metal: a soft vertical sheen, then faint horizontal grain from a fixed
    // pseudo-random sequence so every run draws the same picture.
    {
        QPainter p(&image);
        QLinearGradient sheen(0, 0, 0, Height);
        sheen.setColorAt(0, QColor(238, 241, 245));
        sheen.setColorAt(0.45, QColor(214, 219, 226));
        sheen.setColorAt(0.55, QColor(208, 213, 221));
        sheen.setColorAt(1, QColor(232, 235, 240));
        p.fillRect(image.rect(), sheen);
    }
    quint32 seed = 0x5EEDu;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<int>((seed >> 16) & 0x7FFF);
    };
    for (int y = 0; y < Height; ++y) {
        const int rowShift = next() % 9 - 4;
        const qreal phase = next() % 628 / 100.0;
        const qreal wave = 40 + next() % 80;
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < Width; ++x) {
            const int grain = rowShift + static_cast<int>(std::lround(2.0 * std::sin(phase + x / wave)));
            const QRgb c = line[x];
            line[x] = qRgb(std::clamp(qRed(c) + grain, 0, 255), std::clamp(qGreen(c) + grain, 0, 255),
                           std::clamp(qBlue(c) + grain, 0, 255));
        }
    }

    QPainter p(&image);
    const auto bevel = [&p](const QRect &r, const QColor &topLeft, const QColor &bottomRight) {
        p.setPen(topLeft);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(bottomRight);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    };

    // The raised outer edge.
    bevel(image.rect(), QColor(112, 118, 128), QColor(96, 102, 112));
    bevel(image.rect().adjusted(1, 1, -1, -1), QColor(255, 255, 255), QColor(158, 165, 175));
    bevel(image.rect().adjusted(2, 2, -2, -2), QColor(248, 250, 252), QColor(186, 192, 200));

    // The sunken well that holds the black panel.
    p.fillRect(panel, Qt::black);
    bevel(panel.adjusted(-1, -1, 1, 1), QColor(70, 76, 86), QColor(255, 255, 255));
    bevel(panel.adjusted(-2, -2, 2, 2), QColor(150, 157, 167), QColor(244, 246, 249));
    bevel(panel.adjusted(-3, -3, 3, 3), QColor(196, 202, 210), QColor(226, 230, 236));

    p.setRenderHint(QPainter::Antialiasing);

    // A rivet in each corner.
    for (const QPointF centre : {QPointF(9.5, 9.5), QPointF(Width - 9.5, 9.5), QPointF(9.5, Height - 9.5),
                                 QPointF(Width - 9.5, Height - 9.5)}) {
        QRadialGradient head(centre + QPointF(-1.2, -1.2), 4.5);
        head.setColorAt(0, QColor(255, 255, 255));
        head.setColorAt(0.6, QColor(196, 202, 210));
        head.setColorAt(1, QColor(120, 127, 138));
        p.setPen(QPen(QColor(92, 98, 108), 0.8));
        p.setBrush(head);
        p.drawEllipse(centre, 3.6, 3.6);
    }

    // Three small interlocking pieces between the two buttons of the bottom strip.
    struct Piece
    {
        qreal x;
        QColor colour;
        std::array<int, 4> edges;
    };
    const Piece pieces[] = {
        {156, QColor(232, 70, 80), {0, 1, 0, 0}},
        {172, QColor(250, 196, 40), {0, 1, 0, -1}},
        {188, QColor(60, 130, 230), {0, 0, 0, -1}},
    };
    const qreal stripCentre = (panel.bottom() + 1 + Height) / 2.0 + 0.5;
    for (const Piece &piece : pieces) {
        const QRectF body(piece.x - 8, stripCentre - 8, 16, 16);
        const QPainterPath shape = Canvas::puzzlePiece(body, piece.edges);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 66, 76, 70));
        p.drawPath(shape.translated(0.8, 0.8));
        QLinearGradient fill(body.topLeft(), body.bottomLeft());
        fill.setColorAt(0, piece.colour.lighter(125));
        fill.setColorAt(1, piece.colour.darker(115));
        p.setBrush(fill);
        p.setPen(QPen(piece.colour.darker(160), 0.8));
        p.drawPath(shape);
    }
    p.end();
    return image;
}

} // namespace Pictures
