#pragma once
// Presentation model of the settings dialog: default project and AFL folders, menu entry.

#include "controls/Button.h"
#include "controls/Edit.h"
#include "controls/Page.h"
#include "platform/Dialogs.h"

#include <QString>

/// The settings dialog "Ustawienia". Its two labelled edits are the settings the rest of the
/// program reads; they are loaded from the settings file on creation and saved by "&Akceptuj".
class TfmSetup
{
public:
    /// Loads settingsPath (default: Platform::SettingsFilePath()).
    explicit TfmSetup(App::Dialogs& dialogs, const QString& settingsPath = QString());
    TfmSetup(const TfmSetup&) = delete;
    TfmSetup& operator=(const TfmSetup&) = delete;

    const QString& settingsPath() const { return m_settingsPath; }

    /// "...": picks a file and takes its folder part as the default project folder.
    void BitBtn1Click();
    /// "...": the same for the default AFL folder.
    void BitBtn2Click();
    /// Takes AmiBroker's custom formulas folder as the default AFL folder (not saved yet).
    void Button3Click();
    /// Adds the program to the desktop's application menu; a failure is reported.
    void Button4Click();
    /// "&Akceptuj": saves both folders; a failure is reported. True when saved.
    bool Button1Click();
    /// "&Cancel": nothing is saved and nothing is undone.
    void Button2Click() {}

    /// Reads the settings file again into the edits.
    void load();

    /// The dialog's direct children in layout order.
    Controls::Page page{QStringLiteral("fmSetup"), QStringLiteral("Ustawienia")};
    Controls::LabeledEdit leProjectDir{QStringLiteral("leProjectDir"),
                                       QStringLiteral("Domyślny katalog z projektami")};
    Controls::Button BitBtn1{QStringLiteral("BitBtn1"), QStringLiteral("...")};
    Controls::LabeledEdit leAFLDir{QStringLiteral("leAFLDir"),
                                   QStringLiteral("Domyślny katalog z formułami AFL")};
    Controls::Button BitBtn2{QStringLiteral("BitBtn2"), QStringLiteral("...")};
    Controls::Button Button3{QStringLiteral("Button3"),
                             QStringLiteral("Jako domyślny wybierz katalog formuł Amibrokera")};
    Controls::Button Button4{QStringLiteral("Button4"),
                             QStringLiteral("Dodaj skrót programu do menu Start Windows")};
    Controls::Button Button1{QStringLiteral("Button1"), QStringLiteral("&Akceptuj")};
    Controls::Button Button2{QStringLiteral("Button2"), QStringLiteral("&Cancel")};

    /// The folder picker "Otwórz katalog"; it remembers its last name between uses.
    App::FileDialog svOpenDlg;

private:
    void pickFolder(Controls::LabeledEdit& edit);
    void reportWriteFailure(const QString& path, const QString& reason);

    App::Dialogs& m_dialogs;
    QString m_settingsPath;
};
