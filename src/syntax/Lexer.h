#pragma once
// The AFL lexer: tokens one at a time, with the comments, strings and line starts it passes.

#include "syntax/Diagnostic.h"
#include "syntax/SourceRange.h"
#include "syntax/Token.h"

#include <vector>

#include <QString>
#include <QStringView>

namespace Syntax {

class NameTable;

/// An error the lexer found: unclosed comment or string, a character the language does not
/// use, a malformed number or preprocessor line.
struct LexError
{
    int offset = 0;
    DiagnosticKind kind = DiagnosticKind::UnexpectedCharacter;
};

/// The parts of a preprocessor line (`#include "path"`, `#include <path>`, `#pragma ...`).
struct DirectiveParts
{
    DirectiveKind kind = DirectiveKind::Unknown;
    /// The path without its quotes or angle brackets, or the pragma's text; taken raw, so a
    /// Windows path's backslashes are not escapes.
    SourceRange argument;
    /// The quoted path with its quotes (a string for the comment-and-string ranges), or empty.
    SourceRange quoted;
    bool angleBrackets = false;
    /// End of the directive's token: after the path, or after the text up to a comment.
    int end = 0;
    bool hasError = false;
    LexError error;
};

/// Splits AFL text into tokens, on demand. Comments and white space are skipped; the ranges of
/// comments and string literals and the starts of lines are collected on the way, so that
/// after the last token they cover the whole text.
class Lexer
{
public:
    /// Reads text, which must outlive the lexer and stay unchanged. The lexer stops at the
    /// null character that QString::utf16() puts after the text. names, if given, is the
    /// table the identifiers will be looked up in: their slots are fetched into the cache.
    explicit Lexer(const QString& text, const NameTable* names = nullptr);

    /// The next token; End (of length 0, at the end of the text) from then on.
    Token next();
    /// Writes up to n (at least 1) next tokens to out, stopping after End; returns how many.
    int fill(Token* out, int n);

    /// Every comment met so far (`//` up to the line break, `/* */` with its delimiters).
    const std::vector<SourceRange>& comments() const { return m_comments; }
    /// Every string literal met so far, with its quotes (and the quoted paths of #include).
    const std::vector<SourceRange>& strings() const { return m_strings; }
    /// Every lexical error so far, in the order met.
    const std::vector<LexError>& errors() const { return m_errors; }
    /// The starts of the lines met so far (0 first); moved out, as are the two below.
    std::vector<int> takeLineStarts() { return std::move(m_lineStarts); }
    std::vector<SourceRange> takeComments() { return std::move(m_comments); }
    std::vector<SourceRange> takeStrings() { return std::move(m_strings); }

    /// The keyword or word operator spelled by word in any letter case, or Identifier.
    static TokenKind keyword(QStringView word);
    /// The same, with the hash of word (NameTable::hash) already known.
    static TokenKind keyword(QStringView word, std::uint32_t hash);
    /// Reads the preprocessor line whose `#` stands at offset.
    static DirectiveParts scanDirective(QStringView text, int offset);

private:
    int offsetOf(const char16_t* p) const { return int(p - m_begin); }
    [[gnu::always_inline]] void newLine(const char16_t* p) { m_lineStarts.push_back(offsetOf(p)); }
    /// True when white space or a comment starts at p.
    bool startsTrivia(const char16_t* p) const;
    /// Skips white space and comments from p on.
    const char16_t* skipTrivia(const char16_t* p);
    /// True when the line after the line break at p closes a string left open on it.
    bool nextLineClosesString(const char16_t* p) const;
    /// Steps over the line break (CR LF, LF or CR) at p and notes the line that starts.
    const char16_t* lineBreak(const char16_t* p);
    // Each of these reads the rest of token, whose offset and flags are set, from start on,
    // and returns where it ends.
    const char16_t* identifier(const char16_t* start, Token& token);
    /// An identifier with characters beyond ASCII (the rare case, one character at a time).
    const char16_t* unicodeIdentifier(const char16_t* start, Token& token);
    const char16_t* number(const char16_t* start, Token& token);
    const char16_t* string(const char16_t* start, Token& token);
    const char16_t* directive(const char16_t* start, Token& token);
    /// The rarer tokens: `/`, `.`, strings, preprocessor lines, names that start beyond
    /// ASCII, and characters the language does not use.
    const char16_t* otherToken(const char16_t* start, Token& token);
    /// A character the language does not use.
    const char16_t* invalid(const char16_t* start, Token& token);

    QStringView m_text;
    const NameTable* m_names;
    const char16_t* m_begin;
    const char16_t* m_end;
    const char16_t* m_pos;
    std::vector<SourceRange> m_comments;
    std::vector<SourceRange> m_strings;
    std::vector<LexError> m_errors;
    std::vector<int> m_lineStarts;
};

} // namespace Syntax
