#include "syntax/LineMap.h"

#include <algorithm>

namespace Syntax {

LineMap::LineMap(QStringView text)
    : m_length(int(text.size()))
{
    const char16_t* const data = text.utf16();
    const int n = m_length;
    for (int i = 0; i < n; ++i) {
        const char16_t c = data[i];
        if (c > u'\r' || (c != u'\n' && c != u'\r'))
            continue;
        if (c == u'\r' && i + 1 < n && data[i + 1] == u'\n')
            ++i;
        m_starts.push_back(i + 1);
    }
}

LineMap LineMap::fromLineStarts(std::vector<int> starts, int textLength)
{
    LineMap map;
    if (!starts.empty())
        map.m_starts = std::move(starts);
    map.m_length = textLength;
    return map;
}

TextPosition LineMap::position(int offset) const
{
    offset = std::clamp(offset, 0, m_length);
    const auto it = std::upper_bound(m_starts.begin(), m_starts.end(), offset);
    const int line = int(it - m_starts.begin()); // at least 1: m_starts[0] is 0
    return {line, offset - m_starts[std::size_t(line - 1)] + 1};
}

int LineMap::lineStart(int line) const
{
    line = std::clamp(line, 1, lineCount());
    return m_starts[std::size_t(line - 1)];
}

} // namespace Syntax
