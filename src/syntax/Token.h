#pragma once
// One token of AFL source: its kind and where it stands, nothing more.

#include <cstdint>

namespace Syntax {

/// The kinds of tokens. Keywords and the word operators AND, OR, NOT are recognised in any
/// letter case; `<>` is NotEqual, `&&` and `||` are AmpAmp and PipePipe.
enum class TokenKind : std::uint8_t
{
    End,
    Invalid,
    Identifier,
    Number,
    String,
    Directive,
    // keywords
    If,
    Else,
    For,
    While,
    Do,
    Switch,
    Case,
    Default,
    Break,
    Continue,
    Function,
    Procedure,
    Return,
    Local,
    Global,
    And,
    Or,
    Not,
    // punctuation
    LeftParen,
    RightParen,
    LeftBracket,
    RightBracket,
    LeftBrace,
    RightBrace,
    Comma,
    Semicolon,
    Question,
    Colon,
    Dot,
    // operators
    Plus,
    Minus,
    Star,
    Slash,
    Percent,
    Caret,
    At,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    EqualEqual,
    NotEqual,
    Bang,
    AmpAmp,
    PipePipe,
    Amp,
    Pipe,
    Assign,
    PlusAssign,
    MinusAssign,
    StarAssign,
    SlashAssign,
    PercentAssign,
    AmpAssign,
    PipeAssign,
    PlusPlus,
    MinusMinus,
    Count
};

/// The preprocessor lines the language knows.
enum class DirectiveKind : std::uint8_t
{
    Include,
    IncludeOnce,
    Pragma,
    Unknown,
};

/// A token: 16 bytes, no text of its own (the text is read through offset and length).
struct Token
{
    enum Flag : std::uint8_t
    {
        /// A line break stands between the previous token and this one.
        NewlineBefore = 1,
        /// The lexer reported an error for this token (unclosed string, bad number, ...).
        Malformed = 2,
        /// A string literal with at least one backslash escape.
        HasEscape = 4,
        /// A number of at most nine digits and nothing else; value holds it.
        WholeNumber = 8,
    };

    TokenKind kind = TokenKind::End;
    /// Flag bits.
    std::uint8_t flags = 0;
    /// Where the token starts in the text, and how many characters it has.
    int offset = 0;
    int length = 0;
    /// For identifiers the hash of the case-folded spelling (NameTable::hash), for numbers
    /// flagged WholeNumber their value.
    std::uint32_t value = 0;

    int end() const { return offset + length; }
    /// True when a line break stands before the token.
    bool startsLine() const { return (flags & NewlineBefore) != 0; }
};

} // namespace Syntax
