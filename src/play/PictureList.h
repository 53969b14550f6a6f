#pragma once
// A numbered list of pictures drawn on the board surface, each with an optional
// transparent colour and a ready-to-draw copy that refresh() rebuilds.

#include <QImage>
#include <QRgb>
#include <optional>
#include <vector>

class QPainter;

namespace tivane {

class PictureList
{
public:
    explicit PictureList(int count);

    int count() const { return static_cast<int>(m_items.size()); }

    // Sets item k's picture (kept as 24-bit RGB) and its transparent colour, and refreshes it.
    void setItem(int k, const QImage &picture, std::optional<QRgb> transparent = std::nullopt);
    const QImage &picture(int k) const { return m_items.at(k).picture; }
    QImage &picture(int k) { return m_items.at(k).picture; }
    std::optional<QRgb> transparentColor(int k) const { return m_items.at(k).transparent; }
    int width(int k) const { return m_items.at(k).picture.width(); }
    int height(int k) const { return m_items.at(k).picture.height(); }

    // Rebuilds the ready-to-draw copy after the picture was changed in place.
    void refresh(int k);

    // Draws item k with its top-left corner at (x, y), leaving out its transparent colour.
    void draw(QPainter &painter, int k, int x, int y) const;
    // Draws item k scaled to width x height and turned by angle256 / 256 of a full turn,
    // clockwise, about its centre placed at (cx, cy). A zero size draws nothing.
    void drawScaledTurned(QPainter &painter, int k, int cx, int cy, int width, int height,
                          int angle256) const;

    // The copy that draw() uses: ARGB with the transparent colour cleared, or the picture itself.
    const QImage &drawable(int k) const { return m_items.at(k).drawable; }

private:
    struct Item
    {
        QImage picture;
        std::optional<QRgb> transparent;
        QImage drawable;
    };
    std::vector<Item> m_items;
};

} // namespace tivane
