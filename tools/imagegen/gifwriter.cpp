#include "gifwriter.h"

#include <QFile>
#include <QHash>
#include <QVector>

namespace {

// LZW with a clear code before the code table grows past 9 bits: larger than real compression,
// but simple and valid for every decoder.
QByteArray lzwEncode(const QByteArray &indices)
{
    const int minCodeSize = 8;
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    QByteArray out;
    quint32 bitBuffer = 0;
    int bitCount = 0;
    auto emitCode = [&](int code) {
        bitBuffer |= quint32(code) << bitCount;
        bitCount += 9;
        while (bitCount >= 8) {
            out.append(char(bitBuffer & 0xFF));
            bitBuffer >>= 8;
            bitCount -= 8;
        }
    };
    int sinceClear = 0;
    emitCode(clearCode);
    for (char index : indices) {
        if (sinceClear == 254) {
            emitCode(clearCode);
            sinceClear = 0;
        }
        emitCode(quint8(index));
        ++sinceClear;
    }
    emitCode(endCode);
    if (bitCount > 0)
        out.append(char(bitBuffer & 0xFF));
    return out;
}

void appendWord(QByteArray &data, int value)
{
    data.append(char(value & 0xFF));
    data.append(char((value >> 8) & 0xFF));
}

} // namespace

bool writeAnimatedGif(const QString &path, const QList<QImage> &frames, int delayCentiseconds)
{
    if (frames.isEmpty())
        return false;
    const QSize size = frames.first().size();
    QVector<QRgb> palette{0};
    QHash<QRgb, int> paletteIndex;
    QList<QByteArray> indexed;
    for (const QImage &frame : frames) {
        const QImage image = frame.convertToFormat(QImage::Format_ARGB32);
        QByteArray pixels;
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                const QRgb rgb = image.pixel(x, y);
                if (qAlpha(rgb) < 128) {
                    pixels.append(char(0));
                    continue;
                }
                const QRgb opaque = rgb | 0xFF000000u;
                int index = paletteIndex.value(opaque, -1);
                if (index < 0) {
                    if (palette.size() >= 256)
                        return false;
                    index = palette.size();
                    palette.append(opaque);
                    paletteIndex.insert(opaque, index);
                }
                pixels.append(char(index));
            }
        }
        indexed.append(pixels);
    }
    palette.resize(256);

    QByteArray gif("GIF89a");
    appendWord(gif, size.width());
    appendWord(gif, size.height());
    gif.append(char(0xF7)); // global colour table, 8 bits per colour, 256 entries
    gif.append(char(0));
    gif.append(char(0));
    for (QRgb rgb : palette) {
        gif.append(char(qRed(rgb)));
        gif.append(char(qGreen(rgb)));
        gif.append(char(qBlue(rgb)));
    }
    gif.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19); // loop forever
    for (const QByteArray &pixels : indexed) {
        gif.append("\x21\xF9\x04", 3);
        gif.append(char(0x09)); // dispose to background, transparent colour present
        appendWord(gif, delayCentiseconds);
        gif.append(char(0)); // transparent index
        gif.append(char(0));
        gif.append(char(0x2C));
        appendWord(gif, 0);
        appendWord(gif, 0);
        appendWord(gif, size.width());
        appendWord(gif, size.height());
        gif.append(char(0));
        gif.append(char(8));
        const QByteArray data = lzwEncode(pixels);
        for (int pos = 0; pos < data.size(); pos += 255) {
            const QByteArray chunk = data.mid(pos, 255);
            gif.append(char(chunk.size()));
            gif.append(chunk);
        }
        gif.append(char(0));
    }
    gif.append(char(0x3B));

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    return file.write(gif) == gif.size();
}
