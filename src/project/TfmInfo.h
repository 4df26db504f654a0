#pragma once
// Presentation model of the About window: its fixed texts and the formatted information text.

#include "analysis/ScriptView.h"

#include <QString>
#include <QStringList>

/// The About window "O programie". Its information text is built anew on every show.
class TfmInfo
{
public:
    TfmInfo() = default;

    /// Rebuilds reInfo: heading bold, size 9, centred; lines 3 to 14 with a first-line indent;
    /// lines 9 to 14 bulleted; the rest in the base font.
    void FormShow();

    /// The fourteen lines of the information text (empty entries are empty lines).
    static QStringList InfoLines();

    static inline const QString Caption = QStringLiteral("O programie");
    static inline const QString StaticText1 = QStringLiteral("Edytor Orvanta");
    static inline const QString StaticText2 = QStringLiteral("Autor: Ferwant");
    static inline const QString StaticText3 = QStringLiteral("Kontakt: kontakt@orvanta.pl");
    static inline const QString Button1 = QStringLiteral("&Zamknij");

    Lex::ScriptView reInfo;
};
