#pragma once
// Messages of the syntax check, in the voice of the program's remarks (listed in docs/texts.md).

#include "syntax/Diagnostic.h"

#include <QString>

namespace Syntax::Texts {

/// The message of a diagnostic kind.
inline QString Message(DiagnosticKind kind)
{
    switch (kind) {
    case DiagnosticKind::MissingSemicolon:
        return QStringLiteral("brak średnika");
    case DiagnosticKind::UnclosedParenthesis:
        return QStringLiteral("niedomknięty nawias");
    case DiagnosticKind::UnclosedBrace:
        return QStringLiteral("niedomknięty nawias klamrowy");
    case DiagnosticKind::UnclosedComment:
        return QStringLiteral("niedomknięty komentarz");
    case DiagnosticKind::UnclosedString:
        return QStringLiteral("niedomknięty łańcuch znaków");
    case DiagnosticKind::UnexpectedCharacter:
        return QStringLiteral("nieoczekiwany znak");
    case DiagnosticKind::UnexpectedClosingBracket:
        return QStringLiteral("nieoczekiwany nawias zamykający");
    case DiagnosticKind::UnexpectedToken:
        return QStringLiteral("nieoczekiwany symbol");
    case DiagnosticKind::MissingExpression:
        return QStringLiteral("brak wyrażenia");
    case DiagnosticKind::MissingName:
        return QStringLiteral("brak nazwy");
    case DiagnosticKind::MissingOpeningParenthesis:
        return QStringLiteral("brak nawiasu otwierającego");
    case DiagnosticKind::MissingOpeningBrace:
        return QStringLiteral("brak nawiasu klamrowego");
    case DiagnosticKind::MissingColon:
        return QStringLiteral("brak dwukropka");
    case DiagnosticKind::MissingWhile:
        return QStringLiteral("brak słowa while");
    case DiagnosticKind::InvalidAssignment:
        return QStringLiteral("niepoprawne przypisanie");
    case DiagnosticKind::InvalidNumber:
        return QStringLiteral("niepoprawna liczba");
    case DiagnosticKind::UnknownDirective:
        return QStringLiteral("nieznana dyrektywa");
    case DiagnosticKind::MissingFileName:
        return QStringLiteral("brak nazwy pliku");
    case DiagnosticKind::TooDeep:
        return QStringLiteral("zbyt głębokie zagnieżdżenie");
    }
    return QString();
}

} // namespace Syntax::Texts
