#include "project/TfmSetup.h"

#include "platform/GetAmiBrokerDir.h"
#include "platform/Menu.h"
#include "platform/Paths.h"
#include "project/ControlStates.h"
#include "project/ProfileFile.h"
#include "project/ProjectTexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

const QString Section = QStringLiteral("DATA");

} // namespace

TfmSetup::TfmSetup(App::Dialogs& dialogs, const QString& settingsPath)
    : m_dialogs(dialogs)
    , m_settingsPath(settingsPath.isEmpty() ? Platform::SettingsFilePath() : settingsPath)
{
    for (Controls::Control* control : std::initializer_list<Controls::Control*>{
             &leProjectDir, &BitBtn1, &leAFLDir, &BitBtn2, &Button3, &Button4, &Button1, &Button2})
        page.add(control);
    BitBtn1.setOnClick([this] { BitBtn1Click(); });
    BitBtn2.setOnClick([this] { BitBtn2Click(); });
    Button3.setOnClick([this] { Button3Click(); });
    Button4.setOnClick([this] { Button4Click(); });
    Button1.setOnClick([this] { Button1Click(); });
    Button2.setOnClick([this] { Button2Click(); });

    svOpenDlg.objectName = QStringLiteral("svOpenDlg");
    svOpenDlg.mode = App::FileDialog::Mode::Folder;
    svOpenDlg.title = QStringLiteral("Otwórz katalog");
    svOpenDlg.fileName = QStringLiteral("*.*");
    svOpenDlg.defaultExt = QStringLiteral("*.*");

    load();
}

void TfmSetup::load()
{
    Definicje::LoadControlStates(Definicje::ProfileFile(m_settingsPath), page, Section);
}

void TfmSetup::pickFolder(Controls::LabeledEdit& edit)
{
    svOpenDlg.initialDir = edit.text();
    if (m_dialogs.run(svOpenDlg))
        edit.setText(Platform::FolderPart(svOpenDlg.fileName));
}

void TfmSetup::BitBtn1Click()
{
    pickFolder(leProjectDir);
}

void TfmSetup::BitBtn2Click()
{
    pickFolder(leAFLDir);
}

void TfmSetup::Button3Click()
{
    leAFLDir.setText(Platform::GetAmiBrokerDir() + QStringLiteral("/Formulas/Custom"));
}

void TfmSetup::Button4Click()
{
    const Platform::WriteResult result =
        Menu::add(QCoreApplication::applicationFilePath(), Platform::StartDirectory());
    if (!result.ok)
        reportWriteFailure(Menu::DesktopEntryPath(), result.error);
}

bool TfmSetup::Button1Click()
{
    QDir().mkpath(QFileInfo(m_settingsPath).absolutePath());
    Definicje::ProfileFile file(m_settingsPath);
    Definicje::SaveControlStates(file, page, Section);
    const Platform::WriteResult result = file.save();
    if (!result.ok)
        reportWriteFailure(m_settingsPath, result.error);
    return result.ok;
}

void TfmSetup::reportWriteFailure(const QString& path, const QString& reason)
{
    m_dialogs.message(Projekt::Texts::Caption, Projekt::Texts::CannotWrite(path, reason),
                      App::Buttons::Ok, App::Icon::Warning);
}
