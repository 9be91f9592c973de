// Draws the client's images at build time.
//
//   imagegen <list file> <output folder>
//
// Every line of the list names one image, the painter that draws it, its main
// colour and an optional text (see images.txt). Images are written in the
// format their extension gives; GIF, which Qt cannot write, goes through the
// small writer in gifwriter.h.

#include "gifwriter.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QTextStream>
#include <QtMath>

#include <cstdio>
#include <map>

namespace {

struct ImageEntry {
    QString name;
    QString painter;
    QColor colour;
    QString text;
};

const QColor white(Qt::white);

QPen strokePen(const QColor &c, qreal w)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A rounded tile in the image's colour, lighter at the top.
void tile(QPainter &p, const QColor &c)
{
    QLinearGradient g(0, 2, 0, 62);
    g.setColorAt(0, c.lighter(130));
    g.setColorAt(1, c.darker(110));
    p.setPen(QPen(c.darker(140), 1.5));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(2.5, 2.5, 59, 59), 12, 12);
}

QFont glyphFont(int pixelSize, bool bold = true, bool italic = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei")});
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

void centredText(QPainter &p, const QRectF &r, const QString &text, const QFont &font, const QColor &c)
{
    p.setFont(font);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, text);
}

// ---- glyphs, drawn in white on a 64 x 64 tile -----------------------------

void plus(QPainter &p, const QColor &)
{
    p.setPen(strokePen(white, 8));
    p.drawLine(QPointF(32, 16), QPointF(32, 48));
    p.drawLine(QPointF(16, 32), QPointF(48, 32));
}

void cross(QPainter &p, const QColor &)
{
    p.setPen(strokePen(white, 8));
    p.drawLine(QPointF(19, 19), QPointF(45, 45));
    p.drawLine(QPointF(45, 19), QPointF(19, 45));
}

void check(QPainter &p, const QColor &)
{
    p.setPen(strokePen(white, 8));
    p.drawPolyline(QPolygonF({QPointF(16, 33), QPointF(28, 45), QPointF(48, 20)}));
}

void magnifier(QPainter &p, const QColor &)
{
    p.setPen(strokePen(white, 6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(28, 28), 12, 12);
    p.setPen(strokePen(white, 8));
    p.drawLine(QPointF(37, 37), QPointF(49, 49));
}

void pin(QPainter &p, const QColor &c)
{
    QPainterPath path;
    path.moveTo(32, 52);
    path.cubicTo(22, 40, 16, 33, 16, 26);
    path.arcTo(QRectF(16, 10, 32, 32), 180, -180);
    path.cubicTo(48, 33, 42, 40, 32, 52);
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawPath(path);
    p.setBrush(c);
    p.drawEllipse(QPointF(32, 26), 6, 6);
}

void star(QPainter &p, const QColor &)
{
    QPolygonF poly;
    for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2) ? 9 : 21;
        const qreal a = -M_PI / 2 + i * M_PI / 5;
        poly << QPointF(32 + r * qCos(a), 33 + r * qSin(a));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawPolygon(poly);
}

void clip(QPainter &p, const QColor &)
{
    QPainterPath path;
    path.moveTo(38, 20);
    path.lineTo(38, 42);
    path.arcTo(QRectF(26, 36, 12, 12), 0, -180);
    path.lineTo(26, 16);
    path.arcTo(QRectF(26, 10, 18, 12), 180, -180);
    path.lineTo(44, 44);
    path.arcTo(QRectF(20, 32, 24, 22), 0, -180);
    path.lineTo(20, 22);
    p.setPen(strokePen(white, 4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void bubble(QPainter &p, const QColor &c)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(12, 14, 40, 28), 8, 8);
    QPolygonF tail({QPointF(20, 40), QPointF(18, 52), QPointF(32, 40)});
    path.addPolygon(tail);
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawPath(path.simplified());
    p.setPen(strokePen(c, 3));
    p.drawLine(QPointF(20, 24), QPointF(44, 24));
    p.drawLine(QPointF(20, 32), QPointF(38, 32));
}

void calendar(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawRoundedRect(QRectF(13, 16, 38, 34), 4, 4);
    p.setBrush(c.darker(130));
    p.drawRect(QRectF(13, 16, 38, 9));
    p.setPen(strokePen(white, 4));
    p.drawLine(QPointF(22, 11), QPointF(22, 19));
    p.drawLine(QPointF(42, 11), QPointF(42, 19));
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col)
            p.drawRect(QRectF(17 + col * 8.5, 29 + row * 6.5, 5, 4));
}

void envelope(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawRoundedRect(QRectF(11, 18, 42, 29), 3, 3);
    p.setPen(strokePen(c, 3));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(13, 21), QPointF(32, 35), QPointF(51, 21)}));
}

void eye(QPainter &p, const QColor &c)
{
    QPainterPath path;
    path.moveTo(9, 32);
    path.quadTo(32, 8, 55, 32);
    path.quadTo(32, 56, 9, 32);
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawPath(path);
    p.setBrush(c);
    p.drawEllipse(QPointF(32, 32), 9, 9);
    p.setBrush(white);
    p.drawEllipse(QPointF(35, 29), 3, 3);
}

void person(QPainter &p, const QColor &)
{
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawEllipse(QPointF(32, 23), 9, 9);
    QPainterPath body;
    body.moveTo(14, 52);
    body.cubicTo(14, 36, 50, 36, 50, 52);
    body.closeSubpath();
    p.drawPath(body);
}

void people(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(white.darker(115));
    p.drawEllipse(QPointF(41, 22), 7, 7);
    QPainterPath back;
    back.moveTo(28, 46);
    back.cubicTo(28, 33, 56, 33, 56, 46);
    back.closeSubpath();
    p.drawPath(back);
    p.setPen(QPen(c, 2));
    p.setBrush(white);
    p.drawEllipse(QPointF(26, 26), 8.5, 8.5);
    QPainterPath body;
    body.moveTo(9, 53);
    body.cubicTo(9, 37, 43, 37, 43, 53);
    body.closeSubpath();
    p.drawPath(body);
}

void phone(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawRoundedRect(QRectF(21, 10, 22, 44), 5, 5);
    p.setBrush(c);
    p.drawRect(QRectF(24, 16, 16, 28));
    p.drawEllipse(QPointF(32, 49), 2.5, 2.5);
}

void bell(QPainter &p, const QColor &)
{
    QPainterPath path;
    path.moveTo(14, 45);
    path.lineTo(50, 45);
    path.cubicTo(44, 40, 45, 34, 45, 28);
    path.cubicTo(45, 19, 39, 14, 32, 14);
    path.cubicTo(25, 14, 19, 19, 19, 28);
    path.cubicTo(19, 34, 20, 40, 14, 45);
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawPath(path);
    p.drawEllipse(QPointF(32, 50), 5, 4);
    p.drawEllipse(QPointF(32, 12), 3, 3);
}

void music(QPainter &p, const QColor &)
{
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawEllipse(QPointF(22, 46), 7, 5.5);
    p.drawEllipse(QPointF(44, 42), 7, 5.5);
    p.setPen(strokePen(white, 4));
    p.drawLine(QPointF(28, 46), QPointF(28, 16));
    p.drawLine(QPointF(50, 42), QPointF(50, 12));
    p.setPen(strokePen(white, 6));
    p.drawLine(QPointF(28, 17), QPointF(50, 13));
}

void speaker(QPainter &p, const QColor &)
{
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawPolygon(QPolygonF({QPointF(12, 26), QPointF(21, 26), QPointF(33, 15), QPointF(33, 49),
                             QPointF(21, 38), QPointF(12, 38)}));
    p.setPen(strokePen(white, 4));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(30, 22, 14, 20), -60 * 16, 120 * 16);
    p.drawArc(QRectF(30, 14, 24, 36), -60 * 16, 120 * 16);
}

void key(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawEllipse(QPointF(22, 32), 11, 11);
    p.setBrush(c);
    p.drawEllipse(QPointF(19, 32), 4, 4);
    p.setPen(strokePen(white, 6));
    p.drawLine(QPointF(30, 32), QPointF(52, 32));
    p.drawLine(QPointF(46, 32), QPointF(46, 41));
    p.drawLine(QPointF(52, 32), QPointF(52, 40));
}

void lock(QPainter &p, const QColor &c)
{
    p.setPen(strokePen(white, 5));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(21, 12, 22, 26), 0, 180 * 16);
    p.drawLine(QPointF(21, 25), QPointF(21, 30));
    p.drawLine(QPointF(43, 25), QPointF(43, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawRoundedRect(QRectF(15, 29, 34, 24), 4, 4);
    p.setBrush(c);
    p.drawEllipse(QPointF(32, 39), 3.5, 3.5);
    p.drawRect(QRectF(30.5, 40, 3, 8));
}

void door(QPainter &p, const QColor &c)
{
    p.setPen(strokePen(white, 4));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(16, 12, 26, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawPolygon(QPolygonF({QPointF(16, 12), QPointF(32, 18), QPointF(32, 56), QPointF(16, 52)}));
    p.setBrush(c);
    p.drawEllipse(QPointF(28, 35), 2, 2);
    p.setPen(strokePen(white, 4));
    p.drawLine(QPointF(44, 32), QPointF(54, 32));
    p.drawPolyline(QPolygonF({QPointF(50, 27), QPointF(55, 32), QPointF(50, 37)}));
}

void power(QPainter &p, const QColor &)
{
    p.setPen(strokePen(white, 6));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(15, 16, 34, 34), 120 * 16, 300 * 16);
    p.drawLine(QPointF(32, 11), QPointF(32, 31));
}

void floppy(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawPolygon(QPolygonF({QPointF(12, 12), QPointF(45, 12), QPointF(52, 19), QPointF(52, 52), QPointF(12, 52)}));
    p.setBrush(c);
    p.drawRect(QRectF(20, 12, 22, 13));
    p.setBrush(white);
    p.drawRect(QRectF(34, 14, 5, 9));
    p.setBrush(c.lighter(150));
    p.drawRect(QRectF(18, 33, 28, 15));
}

void pencil(QPainter &p, const QColor &c)
{
    p.save();
    p.translate(32, 32);
    p.rotate(45);
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawRect(QRectF(-6, -24, 12, 34));
    p.drawPolygon(QPolygonF({QPointF(-6, 12), QPointF(6, 12), QPointF(0, 24)}));
    p.setBrush(c.darker(140));
    p.drawRect(QRectF(-6, -24, 12, 6));
    p.restore();
}

void refresh(QPainter &p, const QColor &)
{
    p.setPen(strokePen(white, 6));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(15, 15, 34, 34), 30 * 16, 150 * 16);
    p.drawArc(QRectF(15, 15, 34, 34), 210 * 16, 150 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawPolygon(QPolygonF({QPointF(40, 8), QPointF(52, 20), QPointF(37, 24)}));
    p.drawPolygon(QPolygonF({QPointF(24, 56), QPointF(12, 44), QPointF(27, 40)}));
}

void document(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawPolygon(QPolygonF({QPointF(16, 10), QPointF(38, 10), QPointF(48, 20), QPointF(48, 54), QPointF(16, 54)}));
    p.setPen(strokePen(c, 3));
    for (int y = 26; y <= 46; y += 7)
        p.drawLine(QPointF(22, y), QPointF(42, y));
    p.setBrush(c.lighter(140));
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({QPointF(38, 10), QPointF(48, 20), QPointF(38, 20)}));
}

void notepad(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawRoundedRect(QRectF(14, 12, 36, 42), 3, 3);
    p.setPen(strokePen(c.darker(130), 3));
    for (int x = 20; x <= 44; x += 8)
        p.drawLine(QPointF(x, 8), QPointF(x, 16));
    p.setPen(strokePen(c, 3));
    for (int y = 25; y <= 46; y += 7)
        p.drawLine(QPointF(20, y), QPointF(44, y));
}

void book(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    QPainterPath left, right;
    left.moveTo(31, 18);
    left.cubicTo(24, 13, 16, 13, 9, 16);
    left.lineTo(9, 50);
    left.cubicTo(16, 47, 24, 47, 31, 52);
    left.closeSubpath();
    right.moveTo(33, 18);
    right.cubicTo(40, 13, 48, 13, 55, 16);
    right.lineTo(55, 50);
    right.cubicTo(48, 47, 40, 47, 33, 52);
    right.closeSubpath();
    p.drawPath(left);
    p.drawPath(right);
    p.setPen(strokePen(c, 2));
    for (int y = 24; y <= 40; y += 8) {
        p.drawLine(QPointF(14, y), QPointF(27, y + 1));
        p.drawLine(QPointF(37, y + 1), QPointF(50, y));
    }
}

void sheet(QPainter &p, const QColor &c, const QString &text)
{
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawRoundedRect(QRectF(22, 12, 32, 40), 3, 3);
    p.setPen(QPen(c, 1.5));
    for (int y = 22; y <= 42; y += 10)
        p.drawLine(QPointF(24, y), QPointF(52, y));
    p.drawLine(QPointF(38, 14), QPointF(38, 50));
    p.setPen(QPen(white, 2));
    p.setBrush(c.darker(130));
    p.drawRoundedRect(QRectF(8, 22, 30, 24), 3, 3);
    centredText(p, QRectF(8, 22, 30, 24), text, glyphFont(11), white);
}

void info(QPainter &p, const QColor &)
{
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawEllipse(QPointF(32, 18), 5, 5);
    p.drawRoundedRect(QRectF(27, 27, 10, 24), 3, 3);
    p.drawRect(QRectF(22, 27, 8, 5));
    p.drawRect(QRectF(22, 47, 20, 5));
}

void picture(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawRoundedRect(QRectF(10, 14, 44, 36), 4, 4);
    p.setBrush(QColor(255, 193, 7));
    p.drawEllipse(QPointF(22, 25), 5, 5);
    p.setBrush(c.darker(120));
    p.drawPolygon(QPolygonF({QPointF(13, 47), QPointF(27, 31), QPointF(36, 41), QPointF(42, 35), QPointF(51, 47)}));
}

void chat(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(white.darker(120));
    p.drawRoundedRect(QRectF(24, 22, 30, 22), 6, 6);
    p.drawPolygon(QPolygonF({QPointF(44, 42), QPointF(50, 52), QPointF(36, 42)}));
    p.setBrush(white);
    p.drawRoundedRect(QRectF(10, 12, 32, 24), 6, 6);
    p.drawPolygon(QPolygonF({QPointF(16, 34), QPointF(14, 44), QPointF(26, 34)}));
    p.setBrush(c);
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPointF(18 + i * 8, 24), 2.5, 2.5);
}

void list(QPainter &p, const QColor &)
{
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    for (int i = 0; i < 4; ++i) {
        const qreal y = 16 + i * 10;
        p.drawEllipse(QPointF(17, y + 2), 3.5, 3.5);
        p.drawRoundedRect(QRectF(25, y, 25, 4.5), 2, 2);
    }
}

void printer(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawRect(QRectF(20, 10, 24, 14));
    p.setBrush(white.darker(110));
    p.drawRoundedRect(QRectF(10, 24, 44, 20), 4, 4);
    p.setBrush(white);
    p.drawRect(QRectF(20, 38, 24, 16));
    p.setPen(strokePen(c, 2));
    p.drawLine(QPointF(24, 44), QPointF(40, 44));
    p.drawLine(QPointF(24, 49), QPointF(36, 49));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(76, 175, 80));
    p.drawEllipse(QPointF(47, 30), 2.5, 2.5);
}

void preview(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawRect(QRectF(12, 9, 30, 40));
    p.setPen(strokePen(c, 2));
    for (int y = 17; y <= 33; y += 6)
        p.drawLine(QPointF(17, y), QPointF(36, y));
    p.setPen(strokePen(QColor(255, 202, 40), 5));
    p.setBrush(c.lighter(160));
    p.drawEllipse(QPointF(38, 38), 9, 9);
    p.setPen(strokePen(QColor(255, 202, 40), 6));
    p.drawLine(QPointF(45, 45), QPointF(54, 54));
}

void globe(QPainter &p, const QColor &)
{
    p.setPen(strokePen(white, 3.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(32, 32), 20, 20);
    p.drawEllipse(QPointF(32, 32), 9, 20);
    p.drawLine(QPointF(12, 32), QPointF(52, 32));
    p.drawLine(QPointF(32, 12), QPointF(32, 52));
    p.drawArc(QRectF(15, 5, 34, 20), 200 * 16, 140 * 16);
    p.drawArc(QRectF(15, 39, 34, 20), 20 * 16, 140 * 16);
}

void trash(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawRoundedRect(QRectF(12, 15, 40, 6), 2, 2);
    p.drawRect(QRectF(26, 10, 12, 6));
    p.drawPolygon(QPolygonF({QPointF(16, 23), QPointF(48, 23), QPointF(45, 54), QPointF(19, 54)}));
    p.setPen(strokePen(c, 3));
    for (int x = 25; x <= 39; x += 7)
        p.drawLine(QPointF(x, 29), QPointF(x, 48));
}

void eraser(QPainter &p, const QColor &c)
{
    p.save();
    p.translate(32, 30);
    p.rotate(-35);
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawRoundedRect(QRectF(-20, -9, 40, 18), 3, 3);
    p.setBrush(c.lighter(160));
    p.drawRoundedRect(QRectF(-20, -9, 15, 18), 3, 3);
    p.restore();
    p.setPen(strokePen(white, 3));
    p.drawLine(QPointF(14, 52), QPointF(50, 52));
}

// ---- whole images -----------------------------------------------------------

void letter(QPainter &p, const QColor &c, const QString &text)
{
    const bool italic = text == QLatin1String("I");
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setFamilies({QStringLiteral("DejaVu Serif"), QStringLiteral("WenQuanYi Micro Hei")});
    f.setPixelSize(44);
    f.setBold(text == QLatin1String("B"));
    f.setItalic(italic);
    centredText(p, QRectF(0, -4, 64, 60), text, f, c);
    if (text == QLatin1String("U")) {
        p.setPen(strokePen(c, 4));
        p.drawLine(QPointF(16, 56), QPointF(48, 56));
    }
}

void align(QPainter &p, const QColor &c, Qt::Alignment a)
{
    p.setPen(strokePen(c, 5));
    const qreal widths[] = {40, 28, 40, 22, 40};
    for (int i = 0; i < 5; ++i) {
        qreal w = a == Qt::AlignJustify ? 40 : widths[i];
        if (a == Qt::AlignJustify && i == 4)
            w = 24;
        qreal x = 12;
        if (a == Qt::AlignHCenter)
            x = 32 - w / 2;
        else if (a == Qt::AlignRight)
            x = 52 - w;
        const qreal y = 14 + i * 9;
        p.drawLine(QPointF(x, y), QPointF(x + w, y));
    }
}

void backdrop(QImage &img, const QColor &c, quint32 seed)
{
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = img.rect();
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, c.lighter(112));
    g.setColorAt(1, c.darker(108));
    p.fillRect(r, g);
    // Soft bubbles scattered over the gradient.
    QRandomGenerator rng(seed);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 40; ++i) {
        const QPointF centre(rng.bounded(img.width()), rng.bounded(img.height()));
        const qreal radius = 30 + rng.bounded(160);
        QRadialGradient rg(centre, radius);
        QColor inner = white;
        inner.setAlpha(40 + rng.bounded(40));
        QColor outer = white;
        outer.setAlpha(0);
        rg.setColorAt(0, inner);
        rg.setColorAt(1, outer);
        p.setBrush(rg);
        p.drawEllipse(centre, radius, radius);
    }
}

void badge(QPainter &p, const QColor &c, const QString &text)
{
    QRadialGradient g(QPointF(26, 22), 34);
    g.setColorAt(0, c.lighter(140));
    g.setColorAt(1, c.darker(115));
    p.setPen(QPen(c.darker(140), 2));
    p.setBrush(g);
    p.drawEllipse(QPointF(32, 32), 28, 28);
    centredText(p, QRectF(0, 0, 64, 64), text, glyphFont(34), white);
}

void logo(QPainter &p, const QColor &c, const QString &text)
{
    tile(p, c);
    // A sail over waves, the mark of the program.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawPolygon(QPolygonF({QPointF(34, 8), QPointF(34, 40), QPointF(54, 40)}));
    p.setPen(strokePen(white, 3));
    p.setBrush(Qt::NoBrush);
    QPainterPath wave;
    wave.moveTo(8, 50);
    wave.cubicTo(16, 44, 22, 56, 32, 50);
    wave.cubicTo(42, 44, 48, 56, 56, 50);
    p.drawPath(wave);
    centredText(p, QRectF(4, 6, 40, 40), text, glyphFont(30), white);
}

void palette(QPainter &p)
{
    const QColor colours[] = {QColor(229, 57, 53), QColor(251, 140, 0), QColor(253, 216, 53),
                              QColor(67, 160, 71), QColor(30, 136, 229), QColor(142, 36, 170)};
    for (int i = 0; i < 6; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(colours[i]);
        p.drawPie(QRectF(6, 6, 52, 52), (90 + i * 60) * 16, 60 * 16);
    }
    p.setBrush(white);
    p.drawEllipse(QPointF(32, 32), 9, 9);
}

void treeLines(QPainter &p, const QColor &c, const QString &kind, int size)
{
    const qreal m = size / 2.0;
    QPen pen(c, 1, Qt::DotLine);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(pen);
    if (kind == QLatin1String("treeline")) {
        p.drawLine(QPointF(m, 0), QPointF(m, size));
    } else if (kind == QLatin1String("treemore")) {
        p.drawLine(QPointF(m, 0), QPointF(m, size));
        p.drawLine(QPointF(m, m), QPointF(size, m));
    } else if (kind == QLatin1String("treeend")) {
        p.drawLine(QPointF(m, 0), QPointF(m, m));
        p.drawLine(QPointF(m, m), QPointF(size, m));
    } else {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(c, 1));
        p.setBrush(white);
        const QRectF box(m - 5, m - 5, 10, 10);
        p.drawRoundedRect(box, 2, 2);
        p.drawLine(QPointF(m - 3, m), QPointF(m + 3, m));
        if (kind == QLatin1String("treeclosed"))
            p.drawLine(QPointF(m, m - 3), QPointF(m, m + 3));
    }
}

void toggle(QPainter &p, const QColor &c, bool on)
{
    p.setPen(QPen(c.darker(120), 1.5));
    p.setBrush(c);
    p.drawRoundedRect(QRectF(2, 4, 60, 24), 12, 12);
    p.setPen(QPen(QColor(0, 0, 0, 50), 1));
    p.setBrush(white);
    p.drawEllipse(QPointF(on ? 48 : 16, 16), 10, 10);
}

void box(QPainter &p, const QColor &c, bool ticked)
{
    p.setPen(QPen(c, 4));
    p.setBrush(ticked ? c : white);
    p.drawRoundedRect(QRectF(5, 5, 54, 54), 10, 10);
    if (ticked) {
        p.setPen(strokePen(white, 8));
        p.drawPolyline(QPolygonF({QPointF(16, 33), QPointF(28, 45), QPointF(48, 20)}));
    }
}

// A hidden column's switch is drawn in grey and struck through in red.
const QColor offGrey(0x8a, 0x8a, 0x8a);

void markOff(QImage &img)
{
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(strokePen(QColor(211, 47, 47), 6));
    p.drawLine(QPointF(12, 12), QPointF(52, 52));
}

// A green dot with a tick for a shown column's switch.
void markOn(QImage &img)
{
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(white, 2));
    p.setBrush(QColor(46, 160, 67));
    p.drawEllipse(QPointF(50, 50), 11, 11);
    p.setPen(strokePen(white, 3));
    p.drawPolyline(QPolygonF({QPointF(44.5, 50), QPointF(48.5, 54), QPointF(55.5, 46)}));
}

QList<QImage> spinnerFrames(const QColor &c, int size, int frames)
{
    QList<QImage> out;
    const int dots = 12;
    for (int f = 0; f < frames; ++f) {
        QImage img(size, size, QImage::Format_ARGB32);
        img.fill(white);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.translate(size / 2.0, size / 2.0);
        for (int i = 0; i < dots; ++i) {
            // The head of the tail is dot f; the dots behind it fade out.
            const int age = (f - i + dots) % dots;
            QColor col = c;
            col.setAlphaF(1.0 - age / qreal(dots) * 0.9);
            p.setBrush(col);
            const qreal a = 2 * M_PI * i / dots - M_PI / 2;
            const qreal r = size * 0.36;
            p.drawEllipse(QPointF(r * qCos(a), r * qSin(a)), size * 0.075, size * 0.075);
        }
        p.end();
        out << img;
    }
    return out;
}

// White -> colour ramp as the palette; every spinner pixel is a blend of the two.
GifWriter::Palette rampPalette(const QColor &c)
{
    GifWriter::Palette pal;
    for (int i = 0; i < 256; ++i) {
        const qreal t = i / 255.0;
        pal << qRgb(qRound(255 + (c.red() - 255) * t), qRound(255 + (c.green() - 255) * t),
                    qRound(255 + (c.blue() - 255) * t));
    }
    return pal;
}

QByteArray indexFrame(const QImage &img, const QColor &c)
{
    // Use the channel that changes most between white and the colour.
    const int dr = 255 - c.red(), dg = 255 - c.green(), db = 255 - c.blue();
    QByteArray out;
    out.reserve(img.width() * img.height());
    for (int y = 0; y < img.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            qreal t;
            if (dr >= dg && dr >= db)
                t = (255 - qRed(line[x])) / qreal(dr);
            else if (dg >= db)
                t = (255 - qGreen(line[x])) / qreal(dg);
            else
                t = (255 - qBlue(line[x])) / qreal(db);
            out.append(char(qBound(0, qRound(t * 255), 255)));
        }
    }
    return out;
}

bool writeSpinner(const QString &path, const QColor &c)
{
    const int size = 64;
    const QList<QImage> frames = spinnerFrames(c, size, 12);
    const GifWriter::Palette pal = rampPalette(c);
    GifWriter gif(size, size, pal);
    QList<QByteArray> indexed;
    for (const QImage &f : frames) {
        indexed << indexFrame(f, c);
        gif.addFrame(indexed.last(), 8);
    }
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(gif.finish()) < 0 || !file.flush())
            return false;
    }
    // Read it back: every frame must decode to exactly the pixels written.
    QImageReader reader(path, "gif");
    for (const QByteArray &ix : indexed) {
        const QImage back = reader.read().convertToFormat(QImage::Format_RGB32);
        if (back.size() != QSize(size, size))
            return false;
        for (int i = 0; i < ix.size(); ++i)
            if ((back.pixel(i % size, i / size) & 0xffffff) != (pal.at(quint8(ix.at(i))) & 0xffffff))
                return false;
    }
    return true;
}

using Glyph = void (*)(QPainter &, const QColor &);

const std::map<QString, Glyph> &tileGlyphs()
{
    static const std::map<QString, Glyph> glyphs = {
        {QStringLiteral("plus"), plus},         {QStringLiteral("cross"), cross},
        {QStringLiteral("check"), check},       {QStringLiteral("magnifier"), magnifier},
        {QStringLiteral("pin"), pin},           {QStringLiteral("star"), star},
        {QStringLiteral("clip"), clip},         {QStringLiteral("bubble"), bubble},
        {QStringLiteral("calendar"), calendar}, {QStringLiteral("envelope"), envelope},
        {QStringLiteral("eye"), eye},           {QStringLiteral("person"), person},
        {QStringLiteral("people"), people},     {QStringLiteral("phone"), phone},
        {QStringLiteral("bell"), bell},         {QStringLiteral("music"), music},
        {QStringLiteral("speaker"), speaker},   {QStringLiteral("key"), key},
        {QStringLiteral("lock"), lock},         {QStringLiteral("door"), door},
        {QStringLiteral("power"), power},       {QStringLiteral("floppy"), floppy},
        {QStringLiteral("pencil"), pencil},     {QStringLiteral("refresh"), refresh},
        {QStringLiteral("document"), document}, {QStringLiteral("notepad"), notepad},
        {QStringLiteral("book"), book},         {QStringLiteral("info"), info},
        {QStringLiteral("picture"), picture},   {QStringLiteral("chat"), chat},
        {QStringLiteral("list"), list},         {QStringLiteral("printer"), printer},
        {QStringLiteral("preview"), preview},   {QStringLiteral("globe"), globe},
        {QStringLiteral("trash"), trash},       {QStringLiteral("eraser"), eraser},
    };
    return glyphs;
}

bool glyphIsSwitchable(const QString &painter)
{
    return tileGlyphs().count(painter) > 0;
}

// Draws one image; returns an empty text on success, else the reason.
QString draw(const ImageEntry &s, const QString &path)
{
    const QString &k = s.painter;
    if (k == QLatin1String("spinner"))
        return writeSpinner(path, s.colour) ? QString() : QStringLiteral("cannot write");

    QSize size(64, 64);
    if (k == QLatin1String("backdrop"))
        size = QSize(1280, 800);
    else if (k == QLatin1String("switchon") || k == QLatin1String("switchoff"))
        size = QSize(64, 32);
    else if (k.startsWith(QLatin1String("tree")))
        size = QSize(20, 20);

    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    const QString stem = QFileInfo(s.name).completeBaseName();
    const bool on = stem.endsWith(QLatin1String("-on")) || stem.endsWith(QLatin1String("_on"));
    const bool off = stem.endsWith(QLatin1String("-off")) || stem.endsWith(QLatin1String("_off"));

    if (k == QLatin1String("backdrop")) {
        backdrop(img, s.colour, qHash(s.name));
    } else {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        const auto glyph = tileGlyphs().find(k);
        if (glyph != tileGlyphs().end()) {
            const QColor c = off ? offGrey : s.colour;
            tile(p, c);
            glyph->second(p, c);
        } else if (k == QLatin1String("sheet")) {
            tile(p, s.colour);
            sheet(p, s.colour, s.text);
        } else if (k == QLatin1String("letter")) {
            letter(p, s.colour, s.text);
        } else if (k == QLatin1String("alignleft")) {
            align(p, s.colour, Qt::AlignLeft);
        } else if (k == QLatin1String("aligncenter")) {
            align(p, s.colour, Qt::AlignHCenter);
        } else if (k == QLatin1String("alignright")) {
            align(p, s.colour, Qt::AlignRight);
        } else if (k == QLatin1String("alignjustify")) {
            align(p, s.colour, Qt::AlignJustify);
        } else if (k == QLatin1String("badge")) {
            badge(p, s.colour, s.text);
        } else if (k == QLatin1String("logo")) {
            logo(p, s.colour, s.text);
        } else if (k == QLatin1String("palette")) {
            palette(p);
        } else if (k.startsWith(QLatin1String("tree"))) {
            treeLines(p, s.colour, k, size.width());
        } else if (k == QLatin1String("switchon") || k == QLatin1String("switchoff")) {
            toggle(p, s.colour, k == QLatin1String("switchon"));
        } else if (k == QLatin1String("boxchecked") || k == QLatin1String("boxempty")) {
            box(p, s.colour, k == QLatin1String("boxchecked"));
        } else {
            return QStringLiteral("unknown drawing \"%1\"").arg(k);
        }
    }
    if (glyphIsSwitchable(k) && off)
        markOff(img);
    else if (glyphIsSwitchable(k) && on)
        markOn(img);

    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) {
        // JPEG has no alpha: lay the image on white.
        QImage flat(img.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter p(&flat);
        p.drawImage(0, 0, img);
        p.end();
        return flat.save(path, "JPG", 92) ? QString() : QStringLiteral("cannot write");
    }
    return img.save(path) ? QString() : QStringLiteral("cannot write");
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: imagegen <list file> <output folder>\n");
        return 2;
    }
    QFile list(QString::fromLocal8Bit(argv[1]));
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "imagegen: cannot read %s\n", argv[1]);
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    QTextStream in(&list);
    int lineNo = 0, failures = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        ++lineNo;
        if (line.trimmed().isEmpty() || line.trimmed().startsWith(QLatin1Char('#')))
            continue;
        const QStringList f = line.split(QLatin1Char('|'));
        if (f.size() < 3) {
            std::fprintf(stderr, "imagegen: line %d: expected name | drawing | colour\n", lineNo);
            ++failures;
            continue;
        }
        const ImageEntry s{f[0].trimmed(), f[1].trimmed(), QColor(f[2].trimmed()),
                     f.size() > 3 ? f[3].trimmed() : QString()};
        const QString path = out.filePath(s.name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        const QString problem = draw(s, path);
        if (!problem.isEmpty()) {
            std::fprintf(stderr, "imagegen: %s: %s\n", qPrintable(s.name), qPrintable(problem));
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
