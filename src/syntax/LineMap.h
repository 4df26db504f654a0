#pragma once
// Line and column of an offset: line starts found in one pass, looked up by binary search.

#include <vector>

#include <QStringView>

namespace Syntax {

/// A place in a text as the user counts it: line and column from 1, columns in characters.
struct TextPosition
{
    int line = 1;
    int column = 1;

    friend bool operator==(TextPosition, TextPosition) = default;
};

/// The starts of a text's lines. CR LF, LF and a lone CR each end a line.
class LineMap
{
public:
    /// The map of an empty text: one line.
    LineMap() = default;
    /// One linear pass over text.
    explicit LineMap(QStringView text);
    /// A map from line starts already known (ascending, the first 0) of a text of textLength.
    static LineMap fromLineStarts(std::vector<int> starts, int textLength);

    /// The line and column of the character at offset (clamped to the text), in O(log n).
    TextPosition position(int offset) const;
    /// Number of lines; a text ending in a line break has an empty last line.
    int lineCount() const { return int(m_starts.size()); }
    /// Offset of the first character of line (from 1; clamped to the lines there are).
    int lineStart(int line) const;

private:
    std::vector<int> m_starts{0};
    int m_length = 0;
};

} // namespace Syntax
