// The larger single-purpose pictures: placeholder, logo, no-model sign, about-box ground.

#include "Canvas.h"
#include "Pictures.h"

#include <QFont>
#include <QPainter>

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
    QImage image = Canvas::opaque(360, 300, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient ground(0, 0, 360, 300);
    ground.setColorAt(0, QColor(255, 226, 238));
    ground.setColorAt(0.5, QColor(226, 238, 255));
    ground.setColorAt(1, QColor(230, 250, 222));
    p.fillRect(image.rect(), ground);
    QRadialGradient glow(QPointF(180, 140), 170);
    glow.setColorAt(0, QColor(255, 255, 255, 150));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(image.rect(), glow);

    struct Piece
    {
        QPointF centre;
        qreal side;
        qreal angle;
        QColor colour;
        std::array<int, 4> edges;
    };
    const Piece pieces[] = {
        {{42, 48}, 46, -18, QColor(240, 120, 160), {1, -1, 1, 0}},
        {{312, 40}, 40, 24, QColor(100, 150, 240), {-1, 1, 0, 1}},
        {{330, 250}, 52, -12, QColor(120, 200, 110), {1, 0, -1, 1}},
        {{36, 252}, 42, 32, QColor(250, 190, 60), {0, 1, 1, -1}},
        {{178, 272}, 30, 8, QColor(170, 120, 230), {1, 1, -1, -1}},
        {{190, 26}, 26, -30, QColor(250, 150, 90), {-1, 0, 1, 1}},
        {{335, 148}, 28, 40, QColor(240, 120, 160), {1, -1, 0, 1}},
        {{24, 150}, 26, -40, QColor(100, 190, 220), {-1, 1, 1, 0}},
    };
    for (const Piece &piece : pieces) {
        p.save();
        p.translate(piece.centre);
        p.rotate(piece.angle);
        const QRectF body(-piece.side / 2, -piece.side / 2, piece.side, piece.side);
        const QPainterPath shape = Canvas::puzzlePiece(body, piece.edges);
        QColor fill = piece.colour;
        fill.setAlpha(45);
        QColor edge = piece.colour;
        edge.setAlpha(90);
        p.setBrush(fill);
        p.setPen(QPen(edge, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(shape);
        p.restore();
    }
    return image;
}

} // namespace Pictures
