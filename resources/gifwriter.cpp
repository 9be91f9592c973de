#include "gifwriter.h"

#include <QHash>

namespace {

// Packs codes least significant bit first, as GIF reads them.
class BitPacker
{
public:
    void put(int code, int bits)
    {
        acc |= quint32(code) << count;
        count += bits;
        while (count >= 8) {
            bytes.append(char(acc & 0xff));
            acc >>= 8;
            count -= 8;
        }
    }
    QByteArray flush()
    {
        if (count > 0)
            bytes.append(char(acc & 0xff));
        acc = 0;
        count = 0;
        return bytes;
    }

private:
    quint32 acc = 0;
    int count = 0;
    QByteArray bytes;
};

} // namespace

GifWriter::GifWriter(int width, int height, const Palette &palette)
    : width(width), height(height)
{
    out.append("GIF89a");
    put16(width);
    put16(height);
    out.append(char(0xf7)); // global colour table of 256 entries, 8 bits a channel
    out.append(char(0));    // background index
    out.append(char(0));    // pixel aspect ratio
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < palette.size() ? palette.at(i) : qRgb(0, 0, 0);
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    // Loop for ever.
    out.append("\x21\xff\x0bNETSCAPE2.0\x03\x01", 16);
    put16(0);
    out.append(char(0));
}

void GifWriter::put16(int v)
{
    out.append(char(v & 0xff));
    out.append(char((v >> 8) & 0xff));
}

void GifWriter::addFrame(const QByteArray &indices, int delayCs)
{
    // Graphic control: each frame replaces the previous one, no transparency.
    out.append("\x21\xf9\x04", 3);
    out.append(char(1 << 2));
    put16(delayCs);
    out.append(char(0));
    out.append(char(0));
    // Image descriptor: the whole screen, no local palette, not interlaced.
    out.append(char(0x2c));
    put16(0);
    put16(0);
    put16(width);
    put16(height);
    out.append(char(0));
    const int minCodeSize = 8;
    out.append(char(minCodeSize));
    const QByteArray data = lzw(indices, minCodeSize);
    for (int pos = 0; pos < data.size(); pos += 255) {
        const int n = qMin(255, int(data.size()) - pos);
        out.append(char(n));
        out.append(data.constData() + pos, n);
    }
    out.append(char(0));
}

QByteArray GifWriter::finish()
{
    out.append(char(0x3b));
    return out;
}

QByteArray GifWriter::lzw(const QByteArray &indices, int minCodeSize)
{
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    const int maxCode = 4096;
    BitPacker bits;
    QHash<int, int> table; // (prefix code << 8 | next index) -> code
    int codeSize = minCodeSize + 1;
    int next = endCode + 1;

    bits.put(clearCode, codeSize);
    if (indices.isEmpty()) {
        bits.put(endCode, codeSize);
        return bits.flush();
    }
    int prefix = quint8(indices.at(0));
    for (int i = 1; i < indices.size(); ++i) {
        const int c = quint8(indices.at(i));
        const int key = (prefix << 8) | c;
        const auto found = table.constFind(key);
        if (found != table.constEnd()) {
            prefix = found.value();
            continue;
        }
        bits.put(prefix, codeSize);
        if (next < maxCode) {
            table.insert(key, next++);
            // The reader widens its codes once the table outgrows them; it
            // adds each entry one code later than we do.
            if (next > (1 << codeSize) && codeSize < 12)
                ++codeSize;
        } else {
            bits.put(clearCode, codeSize);
            table.clear();
            codeSize = minCodeSize + 1;
            next = endCode + 1;
        }
        prefix = c;
    }
    bits.put(prefix, codeSize);
    bits.put(endCode, codeSize);
    return bits.flush();
}
