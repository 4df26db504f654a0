// Tests of the settings dialog and the About window on the offscreen platform.

#include "app/ScriptedDialogs.h"
#include "platform/Menu.h"
#include "project/TfmInfo.h"
#include "project/TfmSetup.h"
#include "ui/DialogStyle.h"
#include "ui/InfoDialog.h"
#include "ui/SetupDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>
#include <QTimer>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

/// Types text as key presses that carry the characters (Polish letters included).
void typeText(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

/// A settings dialog on a settings file of its own, with a scripted folder picker.
struct SetupFixture
{
    explicit SetupFixture(const QByteArray& settings = QByteArray())
    {
        if (!settings.isNull())
            writeFile(path(), settings);
        model = std::make_unique<TfmSetup>(dialogs, path());
        dialog = std::make_unique<Shell::SetupDialog>(*model, &owner);
    }
    QString path() const { return dir.path() + QStringLiteral("/Orvanta/Orvanta.ini"); }
    QLineEdit* edit(const char* name) const
    {
        return dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    QPushButton* button(const char* name) const
    {
        return dialog->findChild<QPushButton*>(QString::fromLatin1(name));
    }

    QTemporaryDir dir;
    App::ScriptedDialogs dialogs;
    QWidget owner;
    std::unique_ptr<TfmSetup> model;
    std::unique_ptr<Shell::SetupDialog> dialog;
};

const QByteArray OldSettings =
    "[DATA]\r\nleProjectDir=/stare/projekty/\r\nleAFLDir=/stare/afl/\r\n";

QString describe(const QRect& r)
{
    return QStringLiteral("%1,%2 %3x%4; ").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

/// Client rectangle of a child in its window.
QRect rectOf(const QWidget* widget)
{
    return widget->geometry();
}

} // namespace

class TstDialogs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();

    void setupControls_data();
    void setupControls();
    void setupWindow();
    void setupCentredOnOwner();
    void setupClosing_data();
    void setupClosing();
    void setupExec_data();
    void setupExec();
    void setupPickers_data();
    void setupPickers();
    void setupAmiBrokerFolder();
    void setupMenuEntry();
    void setupFailedSave();

    void infoControls_data();
    void infoControls();
    void infoWindow();
    void infoLogo();
    void infoTextEveryShow();
    void infoTextFormats_data();
    void infoTextFormats();
    void infoClosing_data();
    void infoClosing();

    void centredKeepsInsideBounds_data();
    void centredKeepsInsideBounds();

private:
    QTemporaryDir m_home;
};

void TstDialogs::initTestCase()
{
    // Nothing of the user's own settings, menu or Wine prefix is touched.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.path() + QStringLiteral("/config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.path() + QStringLiteral("/data")));
    qputenv("WINEPREFIX", QFile::encodeName(m_home.path() + QStringLiteral("/no-wine")));
}

void TstDialogs::setupControls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("leProjectDir") << "leProjectDir"
                                  << "/stare/projekty/" << QRect(24, 48, 369, 24);
    QTest::newRow("BitBtn1") << "BitBtn1"
                             << "..." << QRect(408, 48, 25, 25);
    QTest::newRow("leAFLDir") << "leAFLDir"
                              << "/stare/afl/" << QRect(24, 104, 369, 24);
    QTest::newRow("BitBtn2") << "BitBtn2"
                             << "..." << QRect(408, 104, 25, 25);
    QTest::newRow("Button3") << "Button3"
                             << "Jako domyślny wybierz katalog formuł Amibrokera"
                             << QRect(24, 134, 369, 25);
    QTest::newRow("Button4") << "Button4"
                             << "Dodaj skrót programu do menu Start Windows"
                             << QRect(24, 192, 369, 25);
    QTest::newRow("Button1") << "Button1"
                             << "&Akceptuj" << QRect(120, 256, 75, 25);
    QTest::newRow("Button2") << "Button2"
                             << "&Cancel" << QRect(256, 256, 75, 25);
    // The labels sit above their edits and must not reach into them.
    QTest::newRow("label of leProjectDir")
        << "leProjectDirLabel"
        << "Domyślny katalog z projektami" << QRect(24, -1, 369, -1);
    QTest::newRow("label of leAFLDir")
        << "leAFLDirLabel"
        << "Domyślny katalog z formułami AFL" << QRect(24, -1, 369, -1);
}

void TstDialogs::setupControls()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QRect, rect);
    SetupFixture f(OldSettings);
    f.dialog->show();
    QWidget* widget = f.dialog->findChild<QWidget*>(name);
    QVERIFY2(widget, qPrintable(name));
    QVERIFY(widget->isVisible());
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        QCOMPARE(edit->text(), text);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        QCOMPARE(button->text(), text);
    else if (auto* label = qobject_cast<QLabel*>(widget))
        QCOMPARE(label->text(), text);
    else
        QFAIL("unexpected kind of control");

    if (rect.height() >= 0) {
        QCOMPARE(rectOf(widget), rect);
    } else {
        const auto* label = qobject_cast<QLabel*>(widget);
        const QWidget* edit = label->buddy();
        QVERIFY(edit);
        QCOMPARE(widget->x(), rect.x());
        QCOMPARE(widget->width(), rect.width());
        QVERIFY(widget->geometry().bottom() < edit->y());
        QVERIFY(widget->y() >= 0);
        // The whole text shows in the label's width.
        QVERIFY(label->fontMetrics().horizontalAdvance(text) <= widget->width());
        QVERIFY(label->height() >= label->fontMetrics().height());
    }
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        // A caption that does not fit would be clipped.
        QString shown = button->text();
        shown.remove(u'&');
        QVERIFY2(button->fontMetrics().horizontalAdvance(shown) < button->width(),
                 qPrintable(shown));
    }
}

void TstDialogs::setupWindow()
{
    SetupFixture f;
    f.dialog->show();
    QCOMPARE(f.dialog->windowTitle(), QStringLiteral("Ustawienia"));
    QCOMPARE(f.dialog->size(), Shell::SetupDialog::ClientSize);
    QCOMPARE(f.dialog->size(), QSize(456, 315));
    QCOMPARE(f.dialog->minimumSize(), f.dialog->maximumSize());
    const Qt::WindowFlags flags = f.dialog->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
    QCOMPARE(f.dialog->font().pointSizeF(), 10.0);
    QCOMPARE(f.dialog->font().families(), Shell::DialogStyle::tahomaFamilies());
    QVERIFY(f.button("Button1")->isDefault());
}

void TstDialogs::setupCentredOnOwner()
{
    SetupFixture f;
    // An owner that fits the screen; one that does not is covered by centredKeepsInsideBounds.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    f.owner.setGeometry(screen.x() + 20, screen.y() + 30, 500, 400);
    f.owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.owner));
    for (int round = 0; round < 2; ++round) {
        f.dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.dialog.get()));
        const QPoint offset = f.dialog->frameGeometry().center() - f.owner.frameGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 2, qPrintable(describe(f.dialog->frameGeometry()) +
                                                           describe(f.owner.frameGeometry())));
        f.dialog->hide();
        // Shown again after the owner moved: centred on its new place.
        f.owner.move(screen.x() + screen.width() - 540, screen.y() + 100);
        QTest::qWait(10);
    }
}

void TstDialogs::setupClosing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Akceptuj") << "Button1" << int(QDialog::Accepted) << true;
    QTest::newRow("Cancel") << "Button2" << int(QDialog::Rejected) << false;
    QTest::newRow("close box") << "close" << int(QDialog::Rejected) << false;
    QTest::newRow("Escape") << "Escape" << int(QDialog::Rejected) << false;
    QTest::newRow("Enter in an edit") << "Enter" << int(QDialog::Accepted) << true;
}

void TstDialogs::setupClosing()
{
    QFETCH(QString, how);
    QFETCH(int, result);
    QFETCH(bool, saved);
    SetupFixture f(OldSettings);
    f.dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.dialog.get()));

    QLineEdit* projects = f.edit("leProjectDir");
    QLineEdit* afl = f.edit("leAFLDir");
    projects->selectAll();
    typeText(projects, QStringLiteral("/nowe/projekty ąę/"));
    afl->clear();
    QTest::keyClicks(afl, QStringLiteral("/nowe/afl/"));
    QCOMPARE(f.model->leProjectDir.text(), QStringLiteral("/nowe/projekty ąę/"));
    QCOMPARE(f.model->leAFLDir.text(), QStringLiteral("/nowe/afl/"));

    if (how == QLatin1String("close"))
        f.dialog->close();
    else if (how == QLatin1String("Escape"))
        QTest::keyClick(afl, Qt::Key_Escape);
    else if (how == QLatin1String("Enter"))
        QTest::keyClick(afl, Qt::Key_Return);
    else
        QTest::mouseClick(f.button(qPrintable(how)), Qt::LeftButton);

    QVERIFY(!f.dialog->isVisible());
    QCOMPARE(f.dialog->result(), result);
    // Whatever closed the dialog, the typed folders stay in effect for the run.
    QCOMPARE(f.model->leProjectDir.text(), QStringLiteral("/nowe/projekty ąę/"));
    QCOMPARE(f.model->leAFLDir.text(), QStringLiteral("/nowe/afl/"));
    QVERIFY(f.dialogs.messages().isEmpty());

    const QByteArray expected =
        // Written in Windows-1250, as every profile file the program writes.
        saved ? QByteArray(
                    "[DATA]\r\nleProjectDir=/nowe/projekty \xb9\xea/\r\nleAFLDir=/nowe/afl/\r\n")
              : OldSettings;
    QCOMPARE(readAll(f.path()), expected);

    // A new run reads what the file holds; shown again, the dialog shows the same texts.
    App::ScriptedDialogs other;
    TfmSetup restarted(other, f.path());
    QCOMPARE(restarted.leAFLDir.text(),
             saved ? QStringLiteral("/nowe/afl/") : QStringLiteral("/stare/afl/"));
    f.dialog->show();
    QCOMPARE(afl->text(), QStringLiteral("/nowe/afl/"));
}

void TstDialogs::setupExec_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("Akceptuj") << "Button1" << int(QDialog::Accepted);
    QTest::newRow("Cancel") << "Button2" << int(QDialog::Rejected);
}

void TstDialogs::setupExec()
{
    QFETCH(QString, button);
    QFETCH(int, result);
    SetupFixture f;
    QPushButton* target = f.button(qPrintable(button));
    QTimer::singleShot(0, target, [target] { target->click(); });
    QCOMPARE(f.dialog->exec(), result);
}

void TstDialogs::setupPickers_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("edit");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("expected");
    QTest::newRow("project file") << "BitBtn1"
                                  << "leProjectDir" << true << "/home/jan/Projekty/test.afp"
                                  << "/home/jan/Projekty/";
    QTest::newRow("project folder") << "BitBtn1"
                                    << "leProjectDir" << true << "/home/jan/Projekty/"
                                    << "/home/jan/Projekty/";
    QTest::newRow("project cancelled")
        << "BitBtn1"
        << "leProjectDir" << false << QString() << "/stare/projekty/";
    QTest::newRow("AFL file") << "BitBtn2"
                              << "leAFLDir" << true << "/home/jan/AFL ąść/demo.afl"
                              << "/home/jan/AFL ąść/";
    QTest::newRow("AFL cancelled") << "BitBtn2"
                                   << "leAFLDir" << false << QString() << "/stare/afl/";
}

void TstDialogs::setupPickers()
{
    QFETCH(QString, button);
    QFETCH(QString, edit);
    QFETCH(bool, accept);
    QFETCH(QString, chosen);
    QFETCH(QString, expected);
    SetupFixture f(OldSettings);
    f.dialog->show();
    const QString before = f.edit(qPrintable(edit))->text();
    if (accept)
        f.dialogs.queueFile(chosen);
    else
        f.dialogs.queueCancel();
    QTest::mouseClick(f.button(qPrintable(button)), Qt::LeftButton);

    QVERIFY(f.dialogs.exhausted());
    QVERIFY(!f.dialogs.failed());
    QCOMPARE(f.dialogs.fileDialogs().size(), 1);
    const App::FileDialog& asked = f.dialogs.fileDialogs().constFirst();
    QCOMPARE(asked.title, QStringLiteral("Otwórz katalog"));
    QCOMPARE(asked.mode, App::FileDialog::Mode::Folder);
    QCOMPARE(asked.initialDir, before);
    QCOMPARE(f.edit(qPrintable(edit))->text(), expected);
    // The other edit and the file are left alone; the dialog stays open.
    const QString other = edit == QLatin1String("leAFLDir") ? QStringLiteral("leProjectDir")
                                                            : QStringLiteral("leAFLDir");
    QCOMPARE(f.edit(qPrintable(other))->text(), other == QLatin1String("leAFLDir")
                                                    ? QStringLiteral("/stare/afl/")
                                                    : QStringLiteral("/stare/projekty/"));
    QCOMPARE(readAll(f.path()), OldSettings);
    QVERIFY(f.dialog->isVisible());
}

void TstDialogs::setupAmiBrokerFolder()
{
    QTemporaryDir wine;
    const QString prefix = wine.path();
    writeFile(prefix + QStringLiteral("/user.reg"),
              "WINE REGISTRY Version 2\n\n[Software\\\\TJP\\\\Broker\\\\Defaults] 1\n"
              "\"LastGoodPath\"=\"C:\\\\AmiBroker\"\n");
    QVERIFY(QDir().mkpath(prefix + QStringLiteral("/drive_c/AmiBroker")));
    QVERIFY(QDir().mkpath(prefix + QStringLiteral("/dosdevices")));
    QVERIFY(QFile::link(QStringLiteral("../drive_c"), prefix + QStringLiteral("/dosdevices/c:")));
    const QByteArray old = qgetenv("WINEPREFIX");

    SetupFixture f(OldSettings);
    f.dialog->show();
    qputenv("WINEPREFIX", QFile::encodeName(prefix));
    QTest::mouseClick(f.button("Button3"), Qt::LeftButton);
    const QString found = f.edit("leAFLDir")->text();
    // Without an AmiBroker installation only the formulas part is left.
    qputenv("WINEPREFIX", old);
    QTest::mouseClick(f.button("Button3"), Qt::LeftButton);
    const QString missing = f.edit("leAFLDir")->text();

    QCOMPARE(found, QDir(prefix + QStringLiteral("/drive_c/AmiBroker")).canonicalPath() +
                        QStringLiteral("/Formulas/Custom"));
    QCOMPARE(missing, QStringLiteral("/Formulas/Custom"));
    QCOMPARE(f.model->leAFLDir.text(), missing);
    QCOMPARE(readAll(f.path()), OldSettings);
}

void TstDialogs::setupMenuEntry()
{
    SetupFixture f;
    f.dialog->show();
    QFile::remove(Menu::DesktopEntryPath());
    QTest::mouseClick(f.button("Button4"), Qt::LeftButton);
    QVERIFY(f.dialogs.messages().isEmpty());
    const QString entry = QString::fromUtf8(readAll(Menu::DesktopEntryPath()));
    QVERIFY(entry.startsWith(QStringLiteral("[Desktop Entry]\n")));
    QVERIFY(entry.contains(QStringLiteral("Exec=") +
                           Menu::QuoteExecArgument(QCoreApplication::applicationFilePath())));
    QVERIFY(f.dialog->isVisible());
}

void TstDialogs::setupFailedSave()
{
    // The settings folder is a file: the save fails, is reported, and nothing typed is lost.
    QTemporaryDir dir;
    writeFile(dir.path() + QStringLiteral("/Orvanta"), "not a folder");
    App::ScriptedDialogs dialogs;
    TfmSetup model(dialogs, dir.path() + QStringLiteral("/Orvanta/Orvanta.ini"));
    Shell::SetupDialog dialog(model);
    dialog.show();
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("leAFLDir"));
    QTest::keyClicks(edit, QStringLiteral("/moje/afl/"));
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);

    QCOMPARE(dialogs.messages().size(), 1);
    QCOMPARE(dialogs.messages().constFirst().icon, App::Icon::Warning);
    QVERIFY(dialogs.messages().constFirst().text.contains(dir.path()));
    QCOMPARE(model.leAFLDir.text(), QStringLiteral("/moje/afl/"));
    QCOMPARE(readAll(dir.path() + QStringLiteral("/Orvanta")), QByteArray("not a folder"));
}

void TstDialogs::infoControls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("StaticText1") << "StaticText1"
                                 << "Edytor Orvanta" << QRect(8, 24, 136, 25);
    QTest::newRow("StaticText2") << "StaticText2"
                                 << "Autor: Ferwant" << QRect(8, 72, 136, 19);
    QTest::newRow("StaticText3") << "StaticText3" << TfmInfo::StaticText3 << QRect(8, 206, 136, 43);
    QTest::newRow("Button1") << "Button1"
                             << "&Zamknij" << QRect(40, 276, 72, 19);
    QTest::newRow("Image1") << "Image1" << QString() << QRect(40, 120, 63, 65);
    QTest::newRow("reInfo") << "reInfo" << QString() << QRect(150, 0, 373, 324);
}

void TstDialogs::infoControls()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QRect, rect);
    TfmInfo model;
    Shell::InfoDialog dialog(model);
    dialog.show();
    QWidget* widget = dialog.findChild<QWidget*>(name);
    QVERIFY2(widget, qPrintable(name));
    QVERIFY(widget->isVisible());
    QCOMPARE(widget->geometry(), rect);
    if (auto* label = qobject_cast<QLabel*>(widget); label && !text.isNull()) {
        QCOMPARE(label->text(), text);
        QCOMPARE(label->font().pixelSize(), 12);
        // The text fits its box (the contact on two lines).
        const QRect needed = label->fontMetrics().boundingRect(QRect(0, 0, label->width(), 1000),
                                                               Qt::TextWordWrap, label->text());
        QVERIFY2(needed.width() <= label->width() && needed.height() <= label->height(),
                 qPrintable(name));
    }
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        QCOMPARE(button->text(), text);
        QCOMPARE(button->font().pixelSize(), 12);
        QVERIFY(button->fontMetrics().horizontalAdvance(QStringLiteral("Zamknij")) <
                button->width());
    }
}

void TstDialogs::infoWindow()
{
    TfmInfo model;
    QWidget owner;
    owner.setGeometry(0, 0, 300, 200);
    owner.show();
    Shell::InfoDialog dialog(model, &owner);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("O programie"));
    QCOMPARE(dialog.size(), QSize(523, 324));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QVERIFY(dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(dialog.font().pixelSize(), 10);
    // Centred on the screen, not on its owner.
    const QPoint offset =
        dialog.frameGeometry().center() - dialog.screen()->availableGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    auto* view = dialog.findChild<QTextEdit*>(QStringLiteral("reInfo"));
    QVERIFY(view->isReadOnly());
    QCOMPARE(view->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(view->palette().color(QPalette::Base), view->palette().color(QPalette::ToolTipBase));
}

void TstDialogs::infoLogo()
{
    QVERIFY(QImageReader::supportedImageFormats().contains("jpeg"));
    QImageReader reader(Shell::InfoDialog::logoPath());
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    const QImage logo = reader.read();
    QVERIFY2(!logo.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(logo.size(), QSize(63, 65));

    TfmInfo model;
    Shell::InfoDialog dialog(model);
    auto* image = dialog.findChild<QLabel*>(QStringLiteral("Image1"));
    QVERIFY(!image->pixmap().isNull());
    QVERIFY(image->hasScaledContents());
    QCOMPARE(image->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
             logo.convertToFormat(QImage::Format_RGB32));
}

void TstDialogs::infoTextEveryShow()
{
    TfmInfo model;
    Shell::InfoDialog dialog(model);
    auto* view = dialog.findChild<QTextEdit*>(QStringLiteral("reInfo"));
    QVERIFY(view->document()->isEmpty());
    for (int show = 0; show < 3; ++show) {
        dialog.show();
        QCOMPARE(view->document()->blockCount(), 14);
        QCOMPARE(view->document()->toPlainText(), TfmInfo::InfoLines().join(u'\n'));
        // A program change of the model between shows is replaced by the rebuilt text.
        model.reInfo.appendLine(QStringLiteral("obce"));
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Button1")),
                          Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    }
}

void TstDialogs::infoTextFormats_data()
{
    QTest::addColumn<int>("block");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("centred");
    QTest::addColumn<bool>("indented");
    QTest::addColumn<bool>("bullet");
    QTest::newRow("heading") << 0 << true << true << false << false;
    QTest::newRow("line 3") << 2 << false << false << true << false;
    QTest::newRow("line 5") << 4 << false << false << true << false;
    QTest::newRow("line 8") << 7 << false << false << true << false;
    QTest::newRow("line 9") << 8 << false << false << true << true;
    QTest::newRow("line 14") << 13 << false << false << true << true;
}

void TstDialogs::infoTextFormats()
{
    QFETCH(int, block);
    QFETCH(bool, bold);
    QFETCH(bool, centred);
    QFETCH(bool, indented);
    QFETCH(bool, bullet);
    TfmInfo model;
    Shell::InfoDialog dialog(model);
    dialog.show();
    QTextDocument* document = dialog.findChild<QTextEdit*>(QStringLiteral("reInfo"))->document();
    const QTextBlock b = document->findBlockByNumber(block);
    QVERIFY(b.isValid());
    QCOMPARE(b.text(), TfmInfo::InfoLines().at(block));

    const QTextCharFormat chars = b.begin().fragment().charFormat();
    QCOMPARE(chars.fontWeight() >= QFont::Bold, bold);
    // The heading is 9 points; the rest keeps the view's base font, not the heading's.
    if (bold)
        QCOMPARE(chars.fontPointSize(), 9.0);
    else
        QCOMPARE(QFontInfo(chars.font()).pixelSize(),
                 QFontInfo(document->defaultFont()).pixelSize());
    QCOMPARE(bool(b.blockFormat().alignment() & Qt::AlignHCenter), centred);
    QCOMPARE(b.blockFormat().textIndent() > 0, indented);
    // Continuation lines start at the left margin: no extra left margin on the paragraph.
    QCOMPARE(b.blockFormat().leftMargin(), 0.0);
    QCOMPARE(b.textList() != nullptr, bullet);
    if (bullet)
        QCOMPARE(b.textList()->format().style(), QTextListFormat::ListDisc);
}

void TstDialogs::infoClosing_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("Zamknij") << false;
    QTest::newRow("close box") << true;
}

void TstDialogs::infoClosing()
{
    QFETCH(bool, closeBox);
    TfmInfo model;
    Shell::InfoDialog dialog(model);
    QTimer::singleShot(0, &dialog, [&dialog, closeBox] {
        if (closeBox)
            dialog.close();
        else
            dialog.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    });
    dialog.exec();
    QVERIFY(!dialog.isVisible());
}

void TstDialogs::centredKeepsInsideBounds_data()
{
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRect>("bounds");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("inside") << QSize(100, 50) << QRect(0, 0, 300, 150) << QRect(0, 0, 800, 600)
                            << QPoint(100, 50);
    QTest::newRow("odd sizes") << QSize(101, 51) << QRect(10, 20, 300, 150) << QRect()
                               << QPoint(109, 69);
    QTest::newRow("owner off the left edge")
        << QSize(200, 100) << QRect(-300, 0, 100, 100) << QRect(0, 0, 800, 600) << QPoint(0, 0);
    QTest::newRow("owner past the bottom right") << QSize(200, 100) << QRect(700, 550, 200, 200)
                                                 << QRect(0, 0, 800, 600) << QPoint(600, 500);
    QTest::newRow("larger than the screen: title bar stays reachable")
        << QSize(900, 700) << QRect(0, 0, 800, 600) << QRect(0, 0, 800, 600) << QPoint(0, 0);
}

void TstDialogs::centredKeepsInsideBounds()
{
    QFETCH(QSize, frame);
    QFETCH(QRect, area);
    QFETCH(QRect, bounds);
    QFETCH(QPoint, expected);
    QCOMPARE(Shell::DialogStyle::centred(frame, area, bounds), expected);
}

QTEST_MAIN(TstDialogs)
#include "tst_dialogs.moc"
