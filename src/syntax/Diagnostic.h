#pragma once
// A syntax error found in a script: where it is and what it is.

#include <cstdint>

#include <QString>

namespace Syntax {

/// What is wrong; the message of each kind is in SyntaxTexts.h.
enum class DiagnosticKind : std::uint8_t
{
    MissingSemicolon,
    UnclosedParenthesis,
    UnclosedBrace,
    UnclosedComment,
    UnclosedString,
    UnexpectedCharacter,
    UnexpectedClosingBracket,
    UnexpectedToken,
    MissingExpression,
    MissingName,
    MissingOpeningParenthesis,
    MissingOpeningBrace,
    MissingColon,
    MissingWhile,
    InvalidAssignment,
    InvalidNumber,
    UnknownDirective,
    MissingFileName,
    TooDeep,
};

/// One syntax error: its place (offset from 0; line and column from 1, columns in characters)
/// and its message.
struct Diagnostic
{
    int offset = 0;
    int line = 1;
    int column = 1;
    DiagnosticKind kind = DiagnosticKind::UnexpectedToken;
    QString message;
};

/// The parser reports at most this many errors; it stops at the last one.
constexpr int MaxDiagnostics = 20;

} // namespace Syntax
