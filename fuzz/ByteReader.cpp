#include "ByteReader.h"

namespace Fuzz {

ByteReader::ByteReader(const std::uint8_t* data, std::size_t size)
    : m_data(data)
    , m_size(size)
{}

QByteArray ByteReader::takeBytes(int maxLength)
{
    QByteArray result;
    std::size_t i = 0;
    while (i < m_size && result.size() < maxLength) {
        const char c = char(m_data[i]);
        if (c == '\\' && i + 1 < m_size) {
            ++i;
            if (char(m_data[i]) != '\\') {
                ++i;
                break;
            }
        }
        result.append(char(m_data[i]));
        ++i;
    }
    m_data += i;
    m_size -= i;
    return result;
}

QString ByteReader::takeText(int maxLength)
{
    return QString::fromUtf8(takeBytes(maxLength));
}

int ByteReader::takeInt(int low, int high)
{
    const std::uint64_t range = std::uint64_t(std::int64_t(high) - low);
    std::uint64_t value = 0;
    for (std::uint64_t covered = 0; covered < range && m_size > 0; covered = covered * 256 + 255) {
        value = value * 256 + m_data[m_size - 1];
        --m_size;
        if (covered > (UINT64_MAX >> 8))
            break;
    }
    return int(std::int64_t(low) + std::int64_t(value % (range + 1)));
}

QByteArray ByteReader::rest()
{
    QByteArray result(reinterpret_cast<const char*>(m_data), qsizetype(m_size));
    m_data += m_size;
    m_size = 0;
    return result;
}

} // namespace Fuzz
