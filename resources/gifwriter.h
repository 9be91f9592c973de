#ifndef GIFWRITER_H
#define GIFWRITER_H

#include <QByteArray>
#include <QList>
#include <QRgb>

// Writes an animated GIF89a that loops for ever: one global palette of up to
// 256 colours, full-size frames given as one palette index per pixel, each
// compressed with the variable-length LZW code that GIF prescribes.
class GifWriter
{
public:
    using Palette = QList<QRgb>;

    GifWriter(int width, int height, const Palette &palette);

    // `indices` holds width * height palette indices, row by row;
    // `delayCs` is the time the frame stands, in hundredths of a second.
    void addFrame(const QByteArray &indices, int delayCs);
    // The whole file.
    QByteArray finish();

    static QByteArray lzw(const QByteArray &indices, int minCodeSize);

private:
    void put16(int v);

    int width;
    int height;
    QByteArray out;
};

#endif // GIFWRITER_H
