#pragma once
// Remark texts of loading and generation that the check prints as the window shows them.

#include <QString>

namespace Cli::RemarkTexts {

inline const QString MissingBuy =
    QStringLiteral("W oryginalnym kodzie AFL brakuje definicji sygnału BUY!");
inline const QString MissingSell =
    QStringLiteral("W oryginalnym kodzie AFL brakuje definicji sygnału SELL!");
inline const QString PluginHeading =
    QStringLiteral("W oryginalnum kodzie AFL znaleziono wywołania następujących funkcji plugina:");
inline const QString PluginRemove =
    QStringLiteral("Należy usunąć wszelkie odwołania do funkcji plugina");
inline const QString NotEditable =
    QStringLiteral("Skrypt AFL nie może być redagowany za pomocą tego edytora!");
inline const QString PluginFound = QStringLiteral("Znaleziono odwołania do funkcji plugina!");
inline const QString NotLoaded = QStringLiteral("Uwaga! Nie został wczytany kod AFL");

inline const QString NoBuyDefinition =
    QStringLiteral("\r\nNie można odnaleźć definicji sygnału BUY!");
inline const QString NoSellDefinition =
    QStringLiteral("\r\nNie można odnaleźć definicji sygnału SELL!");
inline const QString CannotGenerate =
    QStringLiteral("\r\nNie można wygenerować poprawnego kodu AFL.");

} // namespace Cli::RemarkTexts
