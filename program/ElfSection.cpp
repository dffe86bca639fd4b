#include "program/ElfSection.h"

#include <QFile>
#include <QtEndian>

#include <cstring>

namespace {

// The few ELF header and section header fields needed, by class.
struct SElfLayout
{
    qsizetype headerSize;
    qsizetype shoffAt, shentsizeAt, shnumAt, shstrndxAt;
    qsizetype nameAt, typeAt, offsetAt, sizeAt;
    int wordSize; // size of offsets and sizes in bytes
};

constexpr SElfLayout kElf32{52, 0x20, 0x2E, 0x30, 0x32, 0, 4, 16, 20, 4};
constexpr SElfLayout kElf64{64, 0x28, 0x3A, 0x3C, 0x3E, 0, 4, 24, 32, 8};
constexpr unsigned char kElfClass32 = 1;
constexpr unsigned char kElfClass64 = 2;
constexpr unsigned char kElfDataMsb = 2;
constexpr quint32 kSectionNoBits = 8;

class CElfReader
{
public:
    CElfReader(const uchar* data, qint64 size)
        : m_data(data)
        , m_size(size)
    {
    }

    bool ReadHeader()
    {
        static const char kMagic[] = "\x7f" "ELF";
        if (m_size < 16 || std::memcmp(m_data, kMagic, 4) != 0)
            return false;
        if (m_data[4] == kElfClass32)
            m_layout = &kElf32;
        else if (m_data[4] == kElfClass64)
            m_layout = &kElf64;
        else
            return false;
        m_bigEndian = m_data[5] == kElfDataMsb;
        return m_size >= m_layout->headerSize;
    }

    bool Find(const QByteArray& name, QByteArray& contents) const
    {
        quint64 shoff = 0, entsize = 0, count = 0, strndx = 0;
        if (!Word(m_layout->shoffAt, shoff) || !Read(m_layout->shentsizeAt, 2, entsize)
            || !Read(m_layout->shnumAt, 2, count) || !Read(m_layout->shstrndxAt, 2, strndx))
            return false;
        if (entsize < quint64(m_layout->sizeAt + m_layout->wordSize) || strndx >= count)
            return false;
        quint64 namesOffset = 0, namesSize = 0;
        if (!SectionRange(shoff + strndx * entsize, namesOffset, namesSize))
            return false;
        for (quint64 i = 0; i < count; ++i) {
            const quint64 header = shoff + i * entsize;
            quint64 nameIndex = 0, type = 0, offset = 0, size = 0;
            if (!Read(header + m_layout->nameAt, 4, nameIndex) || !Read(header + m_layout->typeAt, 4, type)
                || !SectionRange(header, offset, size))
                return false;
            if (type == kSectionNoBits || nameIndex >= namesSize || NameAt(namesOffset + nameIndex, namesOffset + namesSize) != name)
                continue;
            contents = QByteArray(reinterpret_cast<const char*>(m_data + offset), qsizetype(size));
            return true;
        }
        return false;
    }

private:
    bool Read(quint64 at, int width, quint64& value) const
    {
        if (at > quint64(m_size) || quint64(width) > quint64(m_size) - at)
            return false;
        const uchar* p = m_data + at;
        switch (width) {
        case 2: value = m_bigEndian ? qFromBigEndian<quint16>(p) : qFromLittleEndian<quint16>(p); break;
        case 4: value = m_bigEndian ? qFromBigEndian<quint32>(p) : qFromLittleEndian<quint32>(p); break;
        default: value = m_bigEndian ? qFromBigEndian<quint64>(p) : qFromLittleEndian<quint64>(p); break;
        }
        return true;
    }

    bool Word(quint64 at, quint64& value) const { return Read(at, m_layout->wordSize, value); }

    // The file range of the section whose header starts at header.
    bool SectionRange(quint64 header, quint64& offset, quint64& size) const
    {
        if (!Word(header + m_layout->offsetAt, offset) || !Word(header + m_layout->sizeAt, size))
            return false;
        return offset <= quint64(m_size) && size <= quint64(m_size) - offset;
    }

    // The NUL-terminated name at 'at', not reaching past 'end'.
    QByteArray NameAt(quint64 at, quint64 end) const
    {
        const char* begin = reinterpret_cast<const char*>(m_data + at);
        const void* nul = std::memchr(begin, 0, size_t(end - at));
        return nul ? QByteArray(begin, static_cast<const char*>(nul) - begin) : QByteArray();
    }

    const uchar* m_data;
    qint64 m_size;
    const SElfLayout* m_layout = nullptr;
    bool m_bigEndian = false;
};

} // namespace

bool ReadElfSection(const QString& path, const QByteArray& sectionName, QByteArray& contents)
{
    contents.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() <= 0)
        return false;
    const uchar* data = file.map(0, file.size());
    if (!data)
        return false;
    CElfReader reader(data, file.size());
    return reader.ReadHeader() && reader.Find(sectionName, contents);
}
