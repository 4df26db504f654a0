#pragma once
// Messages of the project unit: file failures, a non-project file, the UTF-8 remark.

#include <QString>

namespace Projekt::Texts {

/// "Nie można zapisać pliku <path>\r\n<reason>" (caption "Orvanta", warning).
inline QString CannotWrite(const QString& path, const QString& reason)
{
    return QStringLiteral("Nie można zapisać pliku %1\r\n%2").arg(path, reason);
}
/// "Plik <path> nie jest projektem." (caption "Orvanta", warning).
inline QString NotAProject(const QString& path)
{
    return QStringLiteral("Plik %1 nie jest projektem.").arg(path);
}
/// "Nie można wczytać skryptu AFL <path>\r\n<reason>" (caption "Orvanta", warning).
inline QString ScriptNotRead(const QString& path, const QString& reason)
{
    return QStringLiteral("Nie można wczytać skryptu AFL %1\r\n%2").arg(path, reason);
}
/// The plain remark line added after a file was written in UTF-8.
inline const QString Utf8Remark =
    QStringLiteral("\r\nPlik zawiera znaki spoza strony kodowej Windows-1250 i został zapisany w "
                   "kodowaniu UTF-8.");

inline const QString Caption = QStringLiteral("Orvanta");
/// Caption of the questions.
inline const QString QuestionCaption = QStringLiteral("Uwaga!");
/// Asked before New, Open and closing while the project is modified.
inline const QString ProjectChanged =
    QStringLiteral("Projekt został zmieniony !\r\nCzy chcesz go zapisać?");
/// Asked after the generated script was written while the project has no file.
inline const QString ProjectNotSaved =
    QStringLiteral("Projekt nie został jeszcze zapisany !\r\nCzy chcesz go zapisać?");
/// The plain remark line added after the automatic project save.
inline const QString AutoSaved = QStringLiteral("\r\nProjekt został automatycznie zapisany!");
inline const QString ProjectMarker = QStringLiteral("Projekt");

} // namespace Projekt::Texts
