#include "project/TfmInfo.h"

#include "analysis/AppendRemark.h"

QStringList TfmInfo::InfoLines()
{
    return {
        QStringLiteral("Edytor skryptu AFL Amibrokera do współpracy z pluginem Tesmar."),
        QString(),
        QStringLiteral("Edytor \"obudowuje\" oryginalny kod AFL aby przystosować go do "
                       "automatycznego tradingu za pomocą funkcji plugina \"Tesmar\"."),
        QString(),
        QStringLiteral("Działanie edytora zostało przystosowane do Amibrokera ver. 5.30."),
        QString(),
        QString(),
        QStringLiteral("Użytkownik korzystając z edytora powinien pamiętać o następujących "
                       "zaleceniach i ograniczeniach:"),
        QStringLiteral("Oryginalny skrypt poddawany edycji powinien być wcześniej sprawdzony i "
                       "przetestowany w Amibrokerze pod względem formalnej i logicznej "
                       "poprawności."),
        QStringLiteral("Oryginalny kod musi zawierać definicje sygnałów BUY i SELL."),
        QStringLiteral("Edytor nie obsługuje sygnałów COVER i SHORT."),
        QStringLiteral("Wynikowy kod może być zubożony o funkcje kolidujące z ustawionymi "
                       "opcjami w edytorze."),
        QStringLiteral("Edytor nie posiada żadnych mechanizmów sprawdzających czy wynikowy "
                       "skrypt jest w pełni poprawny pod względem składniowym i logicznym."),
        QStringLiteral("Po wygenerowaniu wynikowego kodu AFL, należy sprawdzić jego poprawność "
                       "i funkcjonalność w bezpiecznych testach beztransakcyjnych."),
    };
}

void TfmInfo::FormShow()
{
    const QStringList lines = InfoLines();
    reInfo.clear();

    // The heading; the centring applies to its paragraph only.
    Lex::AppendRemark(reInfo, lines.at(0), Lex::Bold, 9);
    Lex::ParagraphFormat heading;
    heading.alignment = Lex::Alignment::Centre;
    reInfo.setParagraphFormat(0, heading);

    // A setting made after a line was added holds for every line added after it.
    reInfo.appendLine(lines.at(1));
    Lex::ParagraphFormat body;
    body.firstIndent = 10;
    body.restIndent = -10;
    reInfo.setParagraphFormatFrom(reInfo.lineCount(), body);
    for (int i = 2; i <= 6; ++i)
        reInfo.appendLine(lines.at(i));
    reInfo.appendLine(lines.at(7));

    Lex::ParagraphFormat bulleted = body;
    bulleted.bullet = true;
    reInfo.setParagraphFormatFrom(reInfo.lineCount(), bulleted);
    for (int i = 8; i <= 13; ++i)
        reInfo.appendLine(lines.at(i));
    reInfo.setParagraphFormatFrom(reInfo.lineCount(), body);
}
