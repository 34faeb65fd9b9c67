// Draws every picture the program ships: the prompt dialog's frame pieces and
// button faces, the default bank picture, the placeholder pictures, the main
// window's picture buttons and the default shop picture.
//
//     generate-artwork OUTDIR
//
// Everything is drawn in code, without randomness or dates, so that running
// it twice gives the same files.

#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPolygonF>
#include <QRadialGradient>
#include <QTransform>

#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr double Pi = 3.14159265358979323846;

// ---------------------------------------------------------------------------
// Palette shared by all pictures.

const QColor Navy(0x1f, 0x3a, 0x7a);
const QColor NavyDark(0x13, 0x24, 0x55);
const QColor Caption(0x3a, 0x3f, 0x47);
const QColor Gold(0xd9, 0xa8, 0x2e);
const QColor GoldLight(0xff, 0xdc, 0x6a);
const QColor Paper(0xfd, 0xf8, 0xea);
const QColor PaperShade(0xf1, 0xe7, 0xcc);
const QColor PaperEdge(0x9c, 0x8e, 0x6c);

// ---------------------------------------------------------------------------
// Small helpers.

QImage canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void prepare(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

QPen roundPen(const QColor &colour, double width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QFont arial(double pixelSize, bool bold = false, bool italic = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(qRound(pixelSize));
    font.setBold(bold);
    font.setItalic(italic);
    font.setKerning(true);
    return font;
}

// Text as an outline, fitted into a box (centred, aspect kept unless
// squeeze is below 1, which narrows the letters).
QPainterPath fittedText(const QString &text, const QFont &font, const QRectF &box, double squeeze = 1.0)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF bounds = path.boundingRect();
    const double scale = std::min(box.width() / (bounds.width() * squeeze), box.height() / bounds.height());
    QTransform transform;
    transform.translate(box.center().x(), box.center().y());
    transform.scale(scale * squeeze, scale);
    transform.translate(-bounds.center().x(), -bounds.center().y());
    return transform.map(path);
}

QPainterPath regularPolygon(const QPointF &centre, double radius, int corners, double startDegrees)
{
    QPainterPath path;
    for (int i = 0; i < corners; ++i) {
        const double angle = (startDegrees + 360.0 * i / corners) * Pi / 180.0;
        const QPointF point = centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

QPainterPath star(const QPointF &centre, double outer, double inner)
{
    QPainterPath path;
    for (int k = 0; k < 10; ++k) {
        const double angle = -Pi / 2 + k * Pi / 5;
        const double radius = (k % 2) ? inner : outer;
        const QPointF point = centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
        if (k == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

QPainterPath strokeOutline(const QPainterPath &path, double width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(path).simplified();
}

QLinearGradient vertical(double top, double bottom, const QColor &from, const QColor &to)
{
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    return gradient;
}

// Soft drop shadow of a shape: a few widening, fading copies.
void softShadow(QPainter &painter, const QPainterPath &shape, const QPointF &offset, int strength = 40)
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    for (int i = 3; i >= 1; --i) {
        painter.setPen(QPen(QColor(0, 0, 0, strength / (i + 1)), i * 1.4, Qt::SolidLine, Qt::RoundCap,
                            Qt::RoundJoin));
        painter.drawPath(shape.translated(offset));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, strength));
    painter.drawPath(shape.translated(offset));
    painter.restore();
}

// ---------------------------------------------------------------------------
// Icons. Each draws into a 48 × 48 design square; the caller places and
// scales the square.

using Icon = std::function<void(QPainter &)>;

void drawIcon(QPainter &painter, const QRectF &box, const Icon &icon)
{
    painter.save();
    painter.translate(box.topLeft());
    painter.scale(box.width() / 48.0, box.height() / 48.0);
    icon(painter);
    painter.restore();
}

void pencilIcon(QPainter &painter)
{
    // The writing pad.
    const QRectF pad(8, 7, 28, 37);
    QPainterPath padShape;
    padShape.addRoundedRect(pad, 2, 2);
    softShadow(painter, padShape, QPointF(1.2, 1.4), 45);
    painter.setPen(QPen(QColor(0x85, 0x92, 0xa6), 1));
    painter.setBrush(vertical(7, 44, Qt::white, QColor(0xee, 0xf2, 0xf8)));
    painter.drawPath(padShape);

    painter.setPen(QPen(QColor(0xaf, 0xc3, 0xe3), 1));
    for (int y = 19; y <= 39; y += 5)
        painter.drawLine(QPointF(11, y + 0.5), QPointF(33, y + 0.5));
    painter.setPen(QPen(QColor(0xe8, 0x9c, 0x9c), 0.9));
    painter.drawLine(QPointF(14.5, 14), QPointF(14.5, 43));

    // Binding along the top, with its rings.
    QPainterPath binding;
    binding.addRoundedRect(QRectF(8, 7, 28, 6.5), 2, 2);
    painter.setPen(QPen(NavyDark, 0.8));
    painter.setBrush(vertical(7, 13.5, QColor(0x3e, 0x5f, 0xa8), Navy));
    painter.drawPath(binding);
    for (int i = 0; i < 5; ++i) {
        const double x = 12 + 5 * i;
        painter.setPen(QPen(QColor(0x4a, 0x52, 0x5e), 0.7));
        painter.setBrush(vertical(3, 10, QColor(0xf2, 0xf4, 0xf7), QColor(0x8d, 0x96, 0xa3)));
        painter.drawRoundedRect(QRectF(x - 1.1, 3.5, 2.2, 6.5), 1.1, 1.1);
    }

    // The pencil, lying across the pad, point down to the left.
    painter.save();
    painter.translate(13.5, 41.5);
    painter.rotate(-52);
    QPainterPath body;
    body.moveTo(0, 0);
    body.lineTo(9, -3.6);
    body.lineTo(37, -3.6);
    body.lineTo(37, 3.6);
    body.lineTo(9, 3.6);
    body.closeSubpath();
    softShadow(painter, body, QPointF(1.3, 1.6), 50);

    // Sharpened wood and lead.
    QPolygonF wood;
    wood << QPointF(0, 0) << QPointF(9, -3.6) << QPointF(9, 3.6);
    painter.setPen(QPen(QColor(0xa0, 0x7a, 0x44), 0.6));
    painter.setBrush(QColor(0xf1, 0xd4, 0xa4));
    painter.drawPolygon(wood);
    QPolygonF lead;
    lead << QPointF(0, 0) << QPointF(3.2, -1.3) << QPointF(3.2, 1.3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x33, 0x36, 0x3b));
    painter.drawPolygon(lead);

    // Painted hexagonal barrel: three faces.
    painter.setBrush(QColor(0xff, 0xdb, 0x4d));
    painter.drawRect(QRectF(9, -3.6, 21, 2.4));
    painter.setBrush(QColor(0xf6, 0xb9, 0x12));
    painter.drawRect(QRectF(9, -1.2, 21, 2.4));
    painter.setBrush(QColor(0xd6, 0x92, 0x00));
    painter.drawRect(QRectF(9, 1.2, 21, 2.4));
    painter.setPen(QPen(QColor(0x8f, 0x62, 0x00), 0.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(9, -3.6, 21, 7.2));

    // Metal ferrule and eraser.
    QLinearGradient metal(0, -3.8, 0, 3.8);
    metal.setColorAt(0, QColor(0xf4, 0xf6, 0xf8));
    metal.setColorAt(0.45, QColor(0xc4, 0xcb, 0xd3));
    metal.setColorAt(1, QColor(0x83, 0x8d, 0x99));
    painter.setPen(QPen(QColor(0x6b, 0x74, 0x80), 0.6));
    painter.setBrush(metal);
    painter.drawRect(QRectF(30, -3.8, 3.6, 7.6));
    painter.drawLine(QPointF(31.2, -3.8), QPointF(31.2, 3.8));
    painter.drawLine(QPointF(32.4, -3.8), QPointF(32.4, 3.8));
    painter.setPen(QPen(QColor(0xa8, 0x45, 0x5a), 0.6));
    painter.setBrush(vertical(-3.6, 3.6, QColor(0xf6, 0xa1, 0xae), QColor(0xd4, 0x5f, 0x77)));
    painter.drawRoundedRect(QRectF(33.6, -3.6, 4.4, 7.2), 1.6, 1.6);
    painter.restore();
}

void magnifierIcon(QPainter &painter)
{
    const QPointF centre(19.5, 19.5);
    const double radius = 13;

    // Handle, along the diagonal, behind the rim.
    painter.save();
    painter.translate(centre);
    painter.rotate(45);
    QPainterPath handle;
    handle.addRoundedRect(QRectF(radius + 4.5, -3.6, 16, 7.2), 3.6, 3.6);
    softShadow(painter, handle, QPointF(1.0, 1.0), 45);
    QLinearGradient neck(0, -2.4, 0, 2.4);
    neck.setColorAt(0, QColor(0xe9, 0xed, 0xf2));
    neck.setColorAt(1, QColor(0x78, 0x82, 0x8f));
    painter.setPen(QPen(QColor(0x5a, 0x63, 0x6e), 0.6));
    painter.setBrush(neck);
    painter.drawRect(QRectF(radius, -2.4, 5.5, 4.8));
    QLinearGradient grip(0, -3.6, 0, 3.6);
    grip.setColorAt(0, QColor(0x7a, 0x5a, 0x3e));
    grip.setColorAt(0.35, QColor(0x5a, 0x3f, 0x2a));
    grip.setColorAt(1, QColor(0x2c, 0x1e, 0x14));
    painter.setPen(QPen(QColor(0x22, 0x17, 0x0f), 0.7));
    painter.setBrush(grip);
    painter.drawPath(handle);
    painter.setPen(roundPen(QColor(255, 255, 255, 70), 1));
    painter.drawLine(QPointF(radius + 7, -1.9), QPointF(radius + 18, -1.9));
    painter.restore();

    // Glass.
    QRadialGradient glass(centre - QPointF(4, 4), radius * 1.4);
    glass.setColorAt(0, QColor(0xff, 0xff, 0xff, 235));
    glass.setColorAt(0.5, QColor(0xd8, 0xea, 0xfb, 225));
    glass.setColorAt(1, QColor(0x94, 0xbf, 0xea, 225));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glass);
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(roundPen(QColor(255, 255, 255, 210), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(centre.x() - 8.5, centre.y() - 8.5, 17, 17), 100 * 16, 70 * 16);

    // Metal rim.
    QLinearGradient rim(centre - QPointF(radius, radius), centre + QPointF(radius, radius));
    rim.setColorAt(0, QColor(0xe4, 0xe8, 0xee));
    rim.setColorAt(0.5, QColor(0x9a, 0xa4, 0xb1));
    rim.setColorAt(1, QColor(0x46, 0x50, 0x5e));
    painter.setPen(QPen(QBrush(rim), 3.4));
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(QPen(QColor(0x3a, 0x42, 0x4d, 160), 0.6));
    painter.drawEllipse(centre, radius + 1.7, radius + 1.7);
}

void glossyShape(QPainter &painter, const QPainterPath &shape, const QColor &light, const QColor &dark,
                 const QColor &outline)
{
    softShadow(painter, shape, QPointF(1.0, 1.6), 45);
    const QRectF bounds = shape.boundingRect();
    painter.setPen(QPen(outline, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(vertical(bounds.top(), bounds.bottom(), light, dark));
    painter.drawPath(shape);
    // A soft highlight over the upper part.
    painter.save();
    painter.setClipPath(shape);
    painter.setPen(Qt::NoPen);
    QLinearGradient sheen(0, bounds.top(), 0, bounds.center().y());
    sheen.setColorAt(0, QColor(255, 255, 255, 120));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    painter.setBrush(sheen);
    painter.drawRect(bounds);
    painter.restore();
}

void tickIcon(QPainter &painter)
{
    QPainterPath tick;
    tick.moveTo(9, 25);
    tick.lineTo(19.5, 35.5);
    tick.lineTo(39.5, 11.5);
    glossyShape(painter, strokeOutline(tick, 8.5), QColor(0x86, 0xe0, 0x72), QColor(0x1c, 0x93, 0x34),
                QColor(0x12, 0x66, 0x26));
}

void crossIcon(QPainter &painter)
{
    QPainterPath cross;
    cross.moveTo(12.5, 12.5);
    cross.lineTo(35.5, 35.5);
    cross.moveTo(35.5, 12.5);
    cross.lineTo(12.5, 35.5);
    glossyShape(painter, strokeOutline(cross, 8.5), QColor(0xff, 0x80, 0x6e), QColor(0xc4, 0x14, 0x18),
                QColor(0x86, 0x0e, 0x10));
}

void stopIcon(QPainter &painter)
{
    const QPointF centre(24, 24);
    const QPainterPath outer = regularPolygon(centre, 22, 8, 22.5);
    softShadow(painter, outer, QPointF(0.8, 1.4), 50);
    painter.setPen(QPen(QColor(0x8a, 0x90, 0x98), 0.9));
    painter.setBrush(vertical(2, 46, Qt::white, QColor(0xdc, 0xe0, 0xe6)));
    painter.drawPath(outer);

    const QPainterPath inner = regularPolygon(centre, 19.3, 8, 22.5);
    QLinearGradient red(0, 5, 0, 43);
    red.setColorAt(0, QColor(0xf2, 0x4b, 0x3f));
    red.setColorAt(1, QColor(0xb3, 0x12, 0x0e));
    painter.setPen(QPen(QColor(0x8c, 0x0c, 0x0a), 0.7));
    painter.setBrush(red);
    painter.drawPath(inner);

    painter.save();
    painter.setClipPath(inner);
    QLinearGradient sheen(0, 5, 0, 24);
    sheen.setColorAt(0, QColor(255, 255, 255, 90));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sheen);
    painter.drawEllipse(QRectF(2, -10, 44, 34));
    painter.restore();

    const QPainterPath word = fittedText(QStringLiteral("STOP"), arial(20, true), QRectF(9.5, 18.5, 29, 11), 0.9);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x7a, 0x08, 0x06, 120));
    painter.drawPath(word.translated(0.5, 0.7));
    painter.setBrush(Qt::white);
    painter.drawPath(word);
}

void knifeIcon(QPainter &painter)
{
    painter.save();
    painter.translate(24, 25);
    painter.rotate(-36);
    painter.scale(0.95, 1.3);
    painter.translate(-4, 0);

    // Small screwdriver blade, half open at the back end.
    painter.save();
    painter.translate(-14.5, 1.5);
    painter.rotate(28);
    QPainterPath driver;
    driver.moveTo(-2, -1.7);
    driver.lineTo(-12, -1.7);
    driver.lineTo(-14, -0.8);
    driver.lineTo(-14, 0.8);
    driver.lineTo(-12, 1.7);
    driver.lineTo(-2, 1.7);
    driver.closeSubpath();
    softShadow(painter, driver, QPointF(0.6, 1.0), 35);
    painter.setPen(QPen(QColor(0x5f, 0x69, 0x75), 0.6));
    painter.setBrush(vertical(-1.7, 1.7, QColor(0xf2, 0xf4, 0xf7), QColor(0x8e, 0x98, 0xa4)));
    painter.drawPath(driver);
    painter.restore();

    // Main blade.
    QPainterPath blade;
    blade.moveTo(3, -4.6);
    blade.lineTo(21, -4.6);
    blade.quadTo(27.5, -4.6, 31.5, -2.2);
    blade.quadTo(22, 2.6, 5, 1.8);
    blade.closeSubpath();
    softShadow(painter, blade, QPointF(0.8, 1.4), 40);
    QLinearGradient steel(0, -4.6, 0, 2.4);
    steel.setColorAt(0, QColor(0xfb, 0xfc, 0xfd));
    steel.setColorAt(0.55, QColor(0xcd, 0xd3, 0xda));
    steel.setColorAt(1, QColor(0x95, 0x9f, 0xab));
    painter.setPen(QPen(QColor(0x5f, 0x69, 0x75), 0.7));
    painter.setBrush(steel);
    painter.drawPath(blade);
    // Ground edge and nail nick.
    painter.setPen(QPen(QColor(255, 255, 255, 200), 0.7));
    painter.setBrush(Qt::NoBrush);
    QPainterPath edge;
    edge.moveTo(8, 0.4);
    edge.quadTo(21, 0.9, 29.5, -2.1);
    painter.drawPath(edge);
    painter.setPen(QPen(QColor(0x6f, 0x79, 0x85), 0.7));
    painter.drawArc(QRectF(10, -4.2, 3.2, 2.4), 0, 180 * 16);

    // Handle: red scales on a steel liner, two rivets.
    QPainterPath handle;
    handle.addRoundedRect(QRectF(-19, -5.2, 28, 10.4), 5.2, 5.2);
    softShadow(painter, handle, QPointF(1.0, 1.6), 50);
    painter.setPen(QPen(QColor(0x6a, 0x72, 0x7c), 0.7));
    painter.setBrush(vertical(-5.2, 5.2, QColor(0xe6, 0xe9, 0xed), QColor(0x8a, 0x93, 0x9e)));
    painter.drawPath(handle);
    QPainterPath scale;
    scale.addRoundedRect(QRectF(-18.3, -4.4, 26.6, 8.8), 4.4, 4.4);
    QLinearGradient red(0, -4.4, 0, 4.4);
    red.setColorAt(0, QColor(0xf0, 0x5a, 0x4c));
    red.setColorAt(0.5, QColor(0xcc, 0x22, 0x22));
    red.setColorAt(1, QColor(0x8e, 0x12, 0x12));
    painter.setPen(QPen(QColor(0x7a, 0x0e, 0x0e), 0.6));
    painter.setBrush(red);
    painter.drawPath(scale);
    painter.setPen(roundPen(QColor(255, 255, 255, 95), 1.1));
    painter.drawLine(QPointF(-15, -2.6), QPointF(5, -2.6));
    for (const double x : {-13.5, 3.5}) {
        QRadialGradient rivet(QPointF(x - 0.4, -0.4), 1.6);
        rivet.setColorAt(0, Qt::white);
        rivet.setColorAt(1, QColor(0x9a, 0xa3, 0xae));
        painter.setPen(QPen(QColor(0x6a, 0x2a, 0x2a), 0.5));
        painter.setBrush(rivet);
        painter.drawEllipse(QPointF(x, 0), 1.45, 1.45 / 1.3 * 0.95);
    }
    painter.restore();
}

void gearIcon(QPainter &painter)
{
    const QPointF centre(19, 19);
    QPainterPath gear;
    gear.addEllipse(centre, 13, 13);
    for (int k = 0; k < 8; ++k) {
        QPainterPath tooth;
        tooth.addRoundedRect(QRectF(9.5, -3.3, 8.8, 6.6), 1.2, 1.2);
        QTransform place;
        place.translate(centre.x(), centre.y());
        place.rotate(k * 45 + 22.5);
        gear = gear.united(place.map(tooth));
    }
    QPainterPath hole;
    hole.addEllipse(centre, 5, 5);
    gear = gear.subtracted(hole);

    softShadow(painter, gear, QPointF(1.0, 1.6), 45);
    QLinearGradient steel(4, 2, 34, 38);
    steel.setColorAt(0, QColor(0xdf, 0xe6, 0xee));
    steel.setColorAt(0.5, QColor(0x9d, 0xab, 0xbd));
    steel.setColorAt(1, QColor(0x5b, 0x69, 0x7c));
    painter.setPen(QPen(QColor(0x3c, 0x47, 0x56), 0.9));
    painter.setBrush(steel);
    painter.drawPath(gear);
    painter.setPen(QPen(QColor(255, 255, 255, 110), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, 9, 9);
    painter.setPen(QPen(QColor(0x3c, 0x47, 0x56, 150), 0.8));
    painter.drawEllipse(centre, 10, 10);

    // The pointer with a question mark: the click that follows sets
    // parameters instead of printing.
    painter.save();
    painter.translate(26.5, 25);
    QPolygonF arrow;
    arrow << QPointF(0, 0) << QPointF(0, 17) << QPointF(4, 13) << QPointF(7, 19.5) << QPointF(9.8, 18.3)
          << QPointF(6.9, 12) << QPointF(12, 12);
    QPainterPath arrowPath;
    arrowPath.addPolygon(arrow);
    arrowPath.closeSubpath();
    softShadow(painter, arrowPath, QPointF(0.8, 1.2), 60);
    painter.setPen(QPen(Qt::black, 1.1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::white);
    painter.drawPath(arrowPath);
    painter.restore();

    const QPainterPath mark = fittedText(QStringLiteral("?"), arial(20, true), QRectF(38.5, 23, 9, 15.5));
    painter.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(mark);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Navy);
    painter.drawPath(mark);
}

// A cheque seen flat: paper, guilloche band, ruled lines, amount box.
void drawCheque(QPainter &painter, const QRectF &r, bool withShadow)
{
    QPainterPath paper;
    paper.addRoundedRect(r, r.height() * 0.05, r.height() * 0.05);
    if (withShadow)
        softShadow(painter, paper, QPointF(1.2, 1.8), 45);
    painter.setPen(QPen(PaperEdge, std::max(0.6, r.height() / 45)));
    painter.setBrush(vertical(r.top(), r.bottom(), Paper, PaperShade));
    painter.drawPath(paper);

    const double u = r.height() / 46.0; // one unit of the cheque's own drawing
    painter.save();
    painter.setClipPath(paper);
    // Fine wavy security pattern along the top.
    painter.setBrush(Qt::NoBrush);
    for (int line = 0; line < 3; ++line) {
        QPainterPath wave;
        const double base = r.top() + (5 + line * 2.2) * u;
        for (double x = r.left(); x <= r.right() + 1; x += 0.5) {
            const double y = base + 1.2 * u * std::sin((x - r.left()) / (3.2 * u) + line * 1.3);
            if (x == r.left())
                wave.moveTo(x, y);
            else
                wave.lineTo(x, y);
        }
        painter.setPen(QPen(QColor(0x6b, 0x8c, 0xc7, 110), 0.6 * u));
        painter.drawPath(wave);
    }
    painter.restore();

    // Bank emblem dot and name bar.
    painter.setPen(Qt::NoPen);
    painter.setBrush(Navy);
    painter.drawEllipse(QPointF(r.left() + 7 * u, r.top() + 15 * u), 3.2 * u, 3.2 * u);
    painter.setBrush(QColor(0x1f, 0x3a, 0x7a, 170));
    painter.drawRoundedRect(QRectF(r.left() + 12.5 * u, r.top() + 13.5 * u, 26 * u, 3 * u), 1.5 * u, 1.5 * u);

    // Amount box.
    const QRectF amount(r.right() - 30 * u, r.top() + 11 * u, 26 * u, 9 * u);
    painter.setPen(QPen(PaperEdge, 0.8 * u));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(amount, 1.2 * u, 1.2 * u);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Navy);
    painter.drawPath(fittedText(QStringLiteral("€"), arial(20, true),
                                QRectF(amount.left() + 1.5 * u, amount.top() + 1.8 * u, 5 * u, 5.4 * u)));
    painter.setBrush(QColor(0x1f, 0x3a, 0x7a, 120));
    painter.drawRoundedRect(QRectF(amount.left() + 8.5 * u, amount.center().y() - 0.9 * u, 14 * u, 1.8 * u),
                            0.9 * u, 0.9 * u);

    // Ruled lines for the words, the payee and the place and date.
    painter.setPen(QPen(QColor(0x8a, 0x9a, 0xb4), 0.7 * u));
    painter.drawLine(QPointF(r.left() + 5 * u, r.top() + 25 * u), QPointF(r.right() - 5 * u, r.top() + 25 * u));
    painter.drawLine(QPointF(r.left() + 5 * u, r.top() + 31 * u), QPointF(r.right() - 5 * u, r.top() + 31 * u));
    painter.drawLine(QPointF(r.right() - 40 * u, r.top() + 37 * u), QPointF(r.right() - 5 * u, r.top() + 37 * u));
    // Account line at the bottom.
    painter.setPen(QPen(QColor(0x55, 0x5d, 0x6a, 150), 1.2 * u, Qt::DotLine));
    painter.drawLine(QPointF(r.left() + 5 * u, r.bottom() - 4 * u), QPointF(r.left() + 45 * u, r.bottom() - 4 * u));
}

void printerIcon(QPainter &painter)
{
    // Paper waiting at the back.
    painter.setPen(QPen(QColor(0x9a, 0xa3, 0xae), 0.7));
    painter.setBrush(vertical(3, 16, Qt::white, QColor(0xed, 0xf0, 0xf4)));
    painter.drawRect(QRectF(13, 3, 22, 14));
    painter.setPen(QPen(QColor(0xb8, 0xc6, 0xdc), 0.8));
    for (int y = 7; y <= 13; y += 3)
        painter.drawLine(QPointF(16, y), QPointF(32, y));

    // Body.
    QPainterPath body;
    body.addRoundedRect(QRectF(4, 14, 40, 19), 3.5, 3.5);
    softShadow(painter, body, QPointF(1.0, 1.8), 50);
    painter.setPen(QPen(QColor(0x4f, 0x58, 0x63), 0.9));
    QLinearGradient casing(0, 14, 0, 33);
    casing.setColorAt(0, QColor(0xfa, 0xfb, 0xfc));
    casing.setColorAt(0.55, QColor(0xcf, 0xd5, 0xdd));
    casing.setColorAt(1, QColor(0x8f, 0x99, 0xa6));
    painter.setBrush(casing);
    painter.drawPath(body);
    // Top lid edge and control panel.
    painter.setPen(QPen(QColor(255, 255, 255, 200), 0.8));
    painter.drawLine(QPointF(7, 15.6), QPointF(41, 15.6));
    painter.setPen(QPen(QColor(0x4f, 0x58, 0x63), 0.6));
    painter.setBrush(QColor(0x3a, 0x41, 0x4b));
    painter.drawRoundedRect(QRectF(30, 19, 10, 4), 1, 1);
    QRadialGradient led(QPointF(36.8, 20.6), 1.6);
    led.setColorAt(0, QColor(0xd8, 0xff, 0xc8));
    led.setColorAt(1, QColor(0x2f, 0xb8, 0x3c));
    painter.setPen(Qt::NoPen);
    painter.setBrush(led);
    painter.drawEllipse(QPointF(37.2, 21), 1.2, 1.2);
    painter.setBrush(QColor(0xa9, 0xb2, 0xbd));
    painter.drawEllipse(QPointF(32.6, 21), 1.0, 1.0);

    // Output slot.
    painter.setBrush(QColor(0x2a, 0x2f, 0x36));
    painter.drawRoundedRect(QRectF(8, 27.2, 32, 2.6), 1.3, 1.3);

    // The cheque coming out.
    drawCheque(painter, QRectF(10.5, 28.5, 27, 15.5), false);
    // Fresh signature stroke on it.
    QPainterPath signature;
    signature.moveTo(27, 40.6);
    signature.cubicTo(28.5, 38.2, 29.5, 42.5, 31, 40);
    signature.cubicTo(32, 38.5, 33, 41.5, 35, 39.6);
    painter.setPen(roundPen(QColor(0x1f, 0x3a, 0x7a, 220), 0.7));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(signature);
    // Slot lip over the paper.
    painter.setPen(Qt::NoPen);
    painter.setBrush(vertical(26.6, 29, QColor(0xb5, 0xbd, 0xc7), QColor(0x7d, 0x87, 0x94)));
    painter.drawRoundedRect(QRectF(7, 26.6, 34, 2.2), 1.1, 1.1);
}

// ---------------------------------------------------------------------------
// Buttons: a light rounded tile, the icon above, the caption below.

void buttonTile(QPainter &painter, int size)
{
    const double radius = size * 0.14;
    const QRectF tile(1, 1, size - 2, size - 2.6);
    QPainterPath shape;
    shape.addRoundedRect(tile.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);

    // Shadow just under the tile.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2a, 0x35, 0x48, 38));
    painter.drawRoundedRect(tile.adjusted(0.5, 1.6, -0.5, 1.5), radius, radius);

    QLinearGradient fill(0, tile.top(), 0, tile.bottom());
    fill.setColorAt(0, QColor(0xff, 0xff, 0xff));
    fill.setColorAt(0.55, QColor(0xf1, 0xf4, 0xf8));
    fill.setColorAt(1, QColor(0xdb, 0xe2, 0xec));
    painter.setPen(QPen(QColor(0x95, 0xa3, 0xb7), 1));
    painter.setBrush(fill);
    painter.drawPath(shape);

    // Inner highlight ring for a slightly raised look.
    painter.setPen(QPen(QColor(255, 255, 255, 200), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(tile.adjusted(1.5, 1.5, -1.5, -1.5), radius - 1, radius - 1);
}

void caption(QPainter &painter, const QRectF &box, const QString &text, double pixelSize)
{
    // Too long a caption is first set a little tighter, then smaller.
    QFont font = arial(pixelSize, true);
    const auto fits = [&] { return QFontMetricsF(font).horizontalAdvance(text) <= box.width() - 6; };
    if (!fits())
        font.setLetterSpacing(QFont::PercentageSpacing, 94);
    while (!fits() && font.pixelSize() > 8)
        font.setPixelSize(font.pixelSize() - 1);
    painter.setFont(font);
    painter.setPen(QColor(255, 255, 255, 190));
    painter.drawText(box.translated(0, 1), Qt::AlignHCenter | Qt::AlignVCenter, text);
    painter.setPen(Caption);
    painter.drawText(box, Qt::AlignHCenter | Qt::AlignVCenter, text);
}

// 73 × 73 face of the prompt dialog.
QImage face(const QString &text, const Icon &icon)
{
    QImage image = canvas(73, 73);
    QPainter painter(&image);
    prepare(painter);
    buttonTile(painter, 73);
    drawIcon(painter, QRectF(15.5, 5, 42, 42), icon);
    caption(painter, QRectF(2, 50, 69, 16), text, 11);
    return image;
}

// 64 × 64 picture button of the main window.
QImage mainButton(const QString &text, const Icon &icon)
{
    QImage image = canvas(64, 64);
    QPainter painter(&image);
    prepare(painter);
    buttonTile(painter, 64);
    drawIcon(painter, QRectF(14, 4, 36, 36), icon);
    caption(painter, QRectF(2, 43, 60, 15), text, 10);
    return image;
}

// ---------------------------------------------------------------------------
// Dialog frame: drawn whole at three pieces' size, then cut into the four
// corners and four edges, so that the pieces always meet.

constexpr int Piece = 32;

QImage frameSheet()
{
    constexpr int n = 3 * Piece;
    QImage image = canvas(n, n);
    QPainter painter(&image);
    prepare(painter);

    // Square bands, from the window edge inwards; whole pixels so the edges
    // stay crisp when stretched.
    const auto band = [&painter](int from, int to, const QColor &colour) {
        QPainterPath ring;
        ring.setFillRule(Qt::OddEvenFill);
        ring.addRect(from, from, n - 2 * from, n - 2 * from);
        ring.addRect(to, to, n - 2 * to, n - 2 * to);
        painter.fillPath(ring, colour);
    };
    band(0, 1, NavyDark);
    band(1, 2, Navy);
    band(2, 3, QColor(0xc9, 0xa2, 0x48));
    band(3, 4, QColor(0x2a, 0x48, 0x8c));
    band(4, 6, Navy);
    band(6, 7, QColor(0x16, 0x2c, 0x63));
    band(7, 10, QColor(0xe4, 0xeb, 0xf7));

    // Inner line, 1 px, with notched corners that hold a small gold stud.
    constexpr double line = 11.5;
    constexpr double notch = 6;
    QPainterPath inner;
    inner.moveTo(line + notch, line);
    inner.lineTo(n - line - notch, line);
    inner.arcTo(QRectF(n - line - notch, line - notch, 2 * notch, 2 * notch), 180, 90);
    inner.lineTo(n - line, n - line - notch);
    inner.arcTo(QRectF(n - line - notch, n - line - notch, 2 * notch, 2 * notch), 90, 90);
    inner.lineTo(line + notch, n - line);
    inner.arcTo(QRectF(line - notch, n - line - notch, 2 * notch, 2 * notch), 0, 90);
    inner.lineTo(line, line + notch);
    inner.arcTo(QRectF(line - notch, line - notch, 2 * notch, 2 * notch), 270, 90);
    inner.closeSubpath();
    painter.setPen(QPen(QColor(0x3f, 0x5f, 0xa6), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(inner);

    constexpr double stud = 3.4;
    for (const QPointF &corner : {QPointF(line, line), QPointF(n - line, line), QPointF(n - line, n - line),
                                  QPointF(line, n - line)}) {
        const QPointF at = corner + QPointF((corner.x() < n / 2 ? 1 : -1) * 1.5, (corner.y() < n / 2 ? 1 : -1) * 1.5);
        QPainterPath diamond;
        diamond.moveTo(at + QPointF(0, -stud));
        diamond.lineTo(at + QPointF(stud, 0));
        diamond.lineTo(at + QPointF(0, stud));
        diamond.lineTo(at + QPointF(-stud, 0));
        diamond.closeSubpath();
        QLinearGradient gold(at - QPointF(stud, stud), at + QPointF(stud, stud));
        gold.setColorAt(0, GoldLight);
        gold.setColorAt(1, QColor(0xb0, 0x82, 0x18));
        painter.setPen(QPen(QColor(0x8a, 0x65, 0x10), 0.7));
        painter.setBrush(gold);
        painter.drawPath(diamond);
    }
    return image;
}

QImage framePiece(const QImage &sheet, int index)
{
    // Column and row of each piece in the three-by-three sheet.
    static const int cells[8][2] = {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 1}, {1, 0}, {2, 1}, {1, 2}};
    return sheet.copy(cells[index][0] * Piece, cells[index][1] * Piece, Piece, Piece);
}

bool sameRow(const QImage &a, int rowA, const QImage &b, int rowB)
{
    for (int x = 0; x < Piece; ++x)
        if (a.pixel(x, rowA) != b.pixel(x, rowB))
            return false;
    return true;
}

bool sameColumn(const QImage &a, int columnA, const QImage &b, int columnB)
{
    for (int y = 0; y < Piece; ++y)
        if (a.pixel(columnA, y) != b.pixel(columnB, y))
            return false;
    return true;
}

// The edges are stretched along their length and the corners butt against
// them: every row of a side edge (every column of a top or bottom edge) must
// be the same, and the corners' outermost row or column at each seam must
// match it.
bool frameJoins(const std::vector<QImage> &p)
{
    const int last = Piece - 1;
    for (int i = 0; i < Piece; ++i) {
        if (!sameRow(p[4], i, p[4], 0) || !sameRow(p[6], i, p[6], 0))
            return false;
        if (!sameColumn(p[5], i, p[5], 0) || !sameColumn(p[7], i, p[7], 0))
            return false;
    }
    return sameRow(p[0], last, p[4], 0) && sameRow(p[3], 0, p[4], 0) && sameRow(p[1], last, p[6], 0)
        && sameRow(p[2], 0, p[6], 0) && sameColumn(p[0], last, p[5], 0) && sameColumn(p[1], 0, p[5], 0)
        && sameColumn(p[3], last, p[7], 0) && sameColumn(p[2], 0, p[7], 0);
}

// ---------------------------------------------------------------------------
// The other pictures.

// 100 × 40: a euro sign in a ring of stars, for banks without a picture.
QImage bankPicture()
{
    QImage image = canvas(100, 40);
    QPainter painter(&image);
    prepare(painter);
    const QPointF centre(50, 20);

    QPainterPath disc;
    disc.addEllipse(centre, 18.6, 18.6);
    softShadow(painter, disc, QPointF(0.6, 0.9), 35);
    QRadialGradient blue(centre - QPointF(5, 6), 24);
    blue.setColorAt(0, QColor(0x3a, 0x5e, 0xb4));
    blue.setColorAt(1, QColor(0x14, 0x27, 0x5e));
    painter.setPen(QPen(QColor(0xc9, 0x9a, 0x22), 1.2));
    painter.setBrush(blue);
    painter.drawPath(disc);

    for (int i = 0; i < 12; ++i) {
        const double angle = i * Pi / 6 - Pi / 2;
        const QPointF at = centre + QPointF(13.6 * std::cos(angle), 13.6 * std::sin(angle));
        painter.setPen(Qt::NoPen);
        painter.setBrush(vertical(at.y() - 2.6, at.y() + 2.4, GoldLight, Gold));
        painter.drawPath(star(at, 2.7, 1.1));
    }

    const QPainterPath euro = fittedText(QStringLiteral("€"), arial(30, true), QRectF(43.2, 13.2, 13.6, 13.6));
    painter.setBrush(QColor(0, 0, 0, 90));
    painter.drawPath(euro.translated(0.4, 0.6));
    painter.setBrush(vertical(13, 27, Qt::white, QColor(0xdb, 0xe4, 0xf5)));
    painter.drawPath(euro);
    return image;
}

// A fountain pen, nib at the origin, pointing along −x.
void fountainPen(QPainter &painter, double length)
{
    const double w = length / 9.5; // barrel width
    QPainterPath barrel;
    barrel.addRoundedRect(QRectF(length * 0.24, -w / 2, length * 0.76, w), w / 2, w / 2);
    softShadow(painter, barrel, QPointF(1.4, 2.0), 45);

    // Nib.
    QPainterPath nib;
    nib.moveTo(0, 0);
    nib.quadTo(length * 0.08, -w * 0.45, length * 0.17, -w * 0.42);
    nib.lineTo(length * 0.17, w * 0.42);
    nib.quadTo(length * 0.08, w * 0.45, 0, 0);
    QLinearGradient gold(0, -w / 2, 0, w / 2);
    gold.setColorAt(0, GoldLight);
    gold.setColorAt(1, QColor(0xb0, 0x82, 0x18));
    painter.setPen(QPen(QColor(0x8a, 0x65, 0x10), 0.5));
    painter.setBrush(gold);
    painter.drawPath(nib);
    painter.setPen(QPen(QColor(0x6a, 0x4a, 0x08), 0.5));
    painter.drawLine(QPointF(length * 0.02, 0), QPointF(length * 0.1, 0));
    painter.setBrush(QColor(0x6a, 0x4a, 0x08));
    painter.drawEllipse(QPointF(length * 0.105, 0), 0.5, 0.5);

    // Grip section.
    painter.setPen(Qt::NoPen);
    painter.setBrush(vertical(-w * 0.42, w * 0.42, QColor(0x4a, 0x4f, 0x58), QColor(0x14, 0x16, 0x1a)));
    painter.drawRoundedRect(QRectF(length * 0.16, -w * 0.42, length * 0.1, w * 0.84), 1, 1);

    // Barrel.
    QLinearGradient lacquer(0, -w / 2, 0, w / 2);
    lacquer.setColorAt(0, QColor(0x4f, 0x70, 0xbf));
    lacquer.setColorAt(0.4, Navy);
    lacquer.setColorAt(1, QColor(0x0c, 0x18, 0x3a));
    painter.setPen(QPen(QColor(0x0c, 0x18, 0x3a), 0.6));
    painter.setBrush(lacquer);
    painter.drawPath(barrel);
    painter.setPen(roundPen(QColor(255, 255, 255, 110), w * 0.18));
    painter.drawLine(QPointF(length * 0.3, -w * 0.22), QPointF(length * 0.95, -w * 0.22));

    // Gold band and clip.
    painter.setPen(Qt::NoPen);
    painter.setBrush(gold);
    painter.drawRect(QRectF(length * 0.55, -w / 2, length * 0.035, w));
    painter.setPen(QPen(QColor(0x8a, 0x65, 0x10), 0.5));
    painter.drawRoundedRect(QRectF(length * 0.62, -w * 0.2, length * 0.3, w * 0.28), w * 0.14, w * 0.14);
}

// Placeholder for the shop's picture in the prompt dialog, 117 × 82.
QImage placeholderPicture()
{
    QImage image = canvas(117, 82);
    QPainter painter(&image);
    prepare(painter);

    painter.save();
    painter.translate(58.5, 30);
    painter.rotate(-5);
    drawCheque(painter, QRectF(-50, -23, 100, 46), true);
    painter.restore();

    // Signature being written.
    QPainterPath signature;
    signature.moveTo(64, 46);
    signature.cubicTo(67, 39, 69, 48, 72, 42.5);
    signature.cubicTo(74, 39, 76, 46, 79, 43);
    signature.cubicTo(80.5, 41.5, 81.5, 42.8, 83, 42);
    painter.setPen(roundPen(QColor(0x1f, 0x3a, 0x7a, 230), 1.1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(signature);

    painter.save();
    painter.translate(83.5, 41.5);
    painter.rotate(-40);
    fountainPen(painter, 40);
    painter.restore();

    // Name of the program.
    const QPainterPath word = fittedText(QStringLiteral("Ormeline"), arial(40, true, true), QRectF(14, 62, 89, 16));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xff, 0xff, 0xff, 200));
    painter.drawPath(word.translated(0, 1));
    painter.setBrush(vertical(62, 78, QColor(0x2f, 0x52, 0xa4), NavyDark));
    painter.drawPath(word);
    painter.setPen(QPen(Gold, 1.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(28, 80.2), QPointF(89, 80.2));
    return image;
}

// The shop's own picture until the shop supplies one: a small storefront.
QImage shopPicture()
{
    QImage image = canvas(117, 82);
    QPainter painter(&image);
    prepare(painter);

    const QColor slate(0x3b, 0x4a, 0x5e);
    const QColor teal(0x2a, 0x7f, 0x8c);

    // Building.
    QPainterPath facade;
    facade.addRect(QRectF(33, 12, 51, 44));
    softShadow(painter, facade, QPointF(1.2, 1.4), 40);
    painter.setPen(QPen(QColor(0x8b, 0x84, 0x78), 0.9));
    painter.setBrush(vertical(12, 56, QColor(0xf7, 0xf3, 0xec), QColor(0xe2, 0xda, 0xcc)));
    painter.drawPath(facade);

    // Sign board with a cornice.
    painter.setPen(QPen(QColor(0x24, 0x2f, 0x3d), 0.8));
    painter.setBrush(vertical(4, 14, QColor(0x54, 0x66, 0x7e), slate));
    painter.drawRoundedRect(QRectF(30, 4.5, 57, 10), 1.5, 1.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xff, 0xff, 0xff, 215));
    for (int i = 0; i < 3; ++i)
        painter.drawEllipse(QPointF(52.5 + 6 * i, 9.5), 1.5, 1.5);
    painter.setPen(QPen(QColor(0xff, 0xff, 0xff, 150), 0.8));
    painter.drawLine(QPointF(36, 9.5), QPointF(48, 9.5));
    painter.drawLine(QPointF(69, 9.5), QPointF(81, 9.5));

    // Striped awning with a scalloped edge.
    const double top = 15, bottom = 23, left = 29, right = 88;
    const int stripes = 8;
    const double stripe = (right - left) / stripes;
    QPainterPath awning;
    awning.moveTo(left + 2, top);
    awning.lineTo(right - 2, top);
    awning.lineTo(right, bottom);
    for (int i = stripes - 1; i >= 0; --i)
        awning.arcTo(QRectF(left + i * stripe, bottom - stripe / 2, stripe, stripe), 0, -180);
    awning.closeSubpath();
    softShadow(painter, awning, QPointF(0.6, 1.8), 45);
    painter.save();
    painter.setClipPath(awning);
    for (int i = 0; i < stripes; ++i) {
        const QColor colour = (i % 2) ? QColor(0xfb, 0xfb, 0xf8) : teal;
        painter.fillRect(QRectF(left + i * stripe, top - 1, stripe + 0.01, bottom - top + stripe), colour);
    }
    painter.fillRect(QRectF(left, top, right - left, 3), QColor(0, 0, 0, 30));
    painter.restore();
    painter.setPen(QPen(QColor(0x1c, 0x55, 0x5e), 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(awning);

    // Shop window with goods on a shelf.
    const QRectF window(37, 30, 25, 19);
    painter.setPen(QPen(slate, 1.2));
    painter.setBrush(vertical(30, 49, QColor(0xd9, 0xec, 0xf7), QColor(0x9c, 0xc4, 0xdd)));
    painter.drawRect(window);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xe0, 0x9a, 0x3a));
    painter.drawRoundedRect(QRectF(40, 41, 5, 6.5), 1, 1);
    painter.setBrush(QColor(0xc4, 0x4a, 0x3a));
    painter.drawEllipse(QRectF(47, 42.5, 5.5, 5));
    painter.setBrush(teal);
    painter.drawRoundedRect(QRectF(54.5, 39.5, 4.5, 8), 1, 1);
    painter.setPen(QPen(slate, 0.8));
    painter.drawLine(QPointF(37.5, 47.8), QPointF(61.5, 47.8));
    painter.setPen(QPen(QColor(255, 255, 255, 170), 1.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(40, 37), QPointF(45, 32.5));
    painter.drawLine(QPointF(42, 38.5), QPointF(48.5, 32.5));

    // Door.
    painter.setPen(QPen(QColor(0x24, 0x2f, 0x3d), 0.9));
    painter.setBrush(vertical(28, 56, QColor(0x4f, 0x63, 0x7d), slate));
    painter.drawRect(QRectF(66, 28, 14, 28));
    painter.setBrush(vertical(31, 42, QColor(0xd9, 0xec, 0xf7), QColor(0x9c, 0xc4, 0xdd)));
    painter.drawRect(QRectF(68.5, 31, 9, 11));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Gold);
    painter.drawEllipse(QPointF(77.5, 46), 1.1, 1.1);

    // Pavement.
    painter.setBrush(vertical(55.5, 58.5, QColor(0xa8, 0xae, 0xb6), QColor(0x7d, 0x84, 0x8d)));
    painter.drawRoundedRect(QRectF(25, 55.5, 67, 3), 1.5, 1.5);

    const QPainterPath words =
        fittedText(QStringLiteral("Votre commerce"), arial(40, true), QRectF(6, 64, 105, 13));
    painter.setBrush(QColor(0xff, 0xff, 0xff, 200));
    painter.drawPath(words.translated(0, 0.8));
    painter.setBrush(slate);
    painter.drawPath(words);
    return image;
}

// ---------------------------------------------------------------------------

bool save(const QImage &image, const QDir &dir, const QString &name)
{
    const QString path = dir.filePath(name);
    if (!image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG")) {
        std::fprintf(stderr, "generate-artwork: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: generate-artwork OUTDIR\n");
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "generate-artwork: cannot create %s\n", argv[1]);
        return 1;
    }

    bool ok = true;

    const QImage sheet = frameSheet();
    std::vector<QImage> pieces;
    for (int i = 0; i < 8; ++i)
        pieces.push_back(framePiece(sheet, i));
    if (!frameJoins(pieces)) {
        std::fprintf(stderr, "generate-artwork: the frame pieces do not join\n");
        return 1;
    }
    for (int i = 0; i < 8; ++i)
        ok &= save(pieces[std::size_t(i)], dir, QStringLiteral("ccb_%1.png").arg(i));

    ok &= save(face(QStringLiteral("Créer"), pencilIcon), dir, QStringLiteral("btc_0.png"));
    ok &= save(face(QStringLiteral("Recher."), magnifierIcon), dir, QStringLiteral("btc_1.png"));
    ok &= save(face(QStringLiteral("Valider"), tickIcon), dir, QStringLiteral("btc_2.png"));
    ok &= save(face(QStringLiteral("Annuler"), crossIcon), dir, QStringLiteral("btc_3.png"));
    ok &= save(face(QStringLiteral("Outils"), knifeIcon), dir, QStringLiteral("btc_5.png"));
    ok &= save(face(QStringLiteral("Fin"), stopIcon), dir, QStringLiteral("btc_11.png"));

    ok &= save(bankPicture(), dir, QStringLiteral("picture1_0.png"));
    ok &= save(placeholderPicture(), dir, QStringLiteral("image1_2.png"));

    ok &= save(mainButton(QStringLiteral("paramètres"), gearIcon), dir, QStringLiteral("command4.png"));
    ok &= save(mainButton(QStringLiteral("Outils"), knifeIcon), dir, QStringLiteral("bt_out.png"));
    ok &= save(mainButton(QStringLiteral("Fin"), stopIcon), dir, QStringLiteral("bt_fin.png"));

    {
        QImage image = canvas(64, 64);
        QPainter painter(&image);
        prepare(painter);
        drawIcon(painter, QRectF(1, 2, 62, 62), printerIcon);
        painter.end();
        ok &= save(image, dir, QStringLiteral("image2.png"));
    }

    ok &= save(shopPicture(), dir, QStringLiteral("fc_img_024.png"));
    return ok ? 0 : 1;
}
