#pragma once
// A half-open range of character offsets into a script's text.

namespace Syntax {

/// The characters [begin, end) of a text, counted in UTF-16 code units from 0; a CR LF line
/// break counts as two characters, as in the program's views.
struct SourceRange
{
    int begin = 0;
    int end = 0;

    int length() const { return end - begin; }
    bool isEmpty() const { return end <= begin; }
    /// True when the character at offset lies in the range.
    bool contains(int offset) const { return begin <= offset && offset < end; }
    /// True when other lies wholly within this range.
    bool contains(SourceRange other) const { return begin <= other.begin && other.end <= end; }

    friend bool operator==(SourceRange, SourceRange) = default;
};

} // namespace Syntax
