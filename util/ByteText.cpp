#include "util/ByteText.h"

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence at bytes[at], or 0 when the byte there
// starts none (stray continuation, overlong form, surrogate, beyond U+10FFFF).
int SequenceLength(const QByteArray& bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (bytes.size() - at < length || byte(1) < low || byte(1) > high)
        return 0;
    for (int i = 2; i < length; ++i) {
        if (!IsContinuation(byte(i)))
            return 0;
    }
    return length;
}

} // namespace

QString TextFromBytes(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    qsizetype runStart = 0;
    qsizetype at = 0;
    const auto flushRun = [&] { text += QString::fromUtf8(bytes.constData() + runStart, at - runStart); };
    while (at < bytes.size()) {
        const int length = SequenceLength(bytes, at);
        if (length > 0) {
            at += length;
            continue;
        }
        flushRun();
        text += QChar(char16_t(kEscapeBase + static_cast<unsigned char>(bytes[at])));
        runStart = ++at;
    }
    flushRun();
    return text;
}

QByteArray BytesFromText(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    qsizetype runStart = 0;
    qsizetype at = 0;
    const auto flushRun = [&] { bytes += QStringView(text).mid(runStart, at - runStart).toUtf8(); };
    while (at < text.size()) {
        const char16_t unit = text[at].unicode();
        const bool paired = at > 0 && text[at - 1].isHighSurrogate();
        if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF && !paired) {
            flushRun();
            bytes += char(unit - kEscapeBase);
            runStart = at + 1;
        }
        ++at;
    }
    flushRun();
    return bytes;
}
