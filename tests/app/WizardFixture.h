#pragma once
// A started main-window model with scripted dialogs and helpers that answer wizard steps.

#include "../support/TempFiles.h"
#include "app/ScriptedDialogs.h"
#include "app/TForm1.h"

#include <QFile>
#include <QTest>

/// The window after start-up (FormShow), with a Polish locale and scripted dialogs.
struct Wizard
{
    App::ScriptedDialogs dialogs;
    App::TForm1 form;
    TestSupport::TempFiles files;
    const QTemporaryDir& dir = files.dir();

    explicit Wizard(const QLocale& locale = QLocale(QLocale::Polish, QLocale::Poland))
    {
        form.setDialogs(&dialogs);
        form.setLocale(locale);
        form.FormShow();
    }

    QString write(const QString& name, const QByteArray& bytes) { return files.write(name, bytes); }

    /// Chooses path with "Wybierz..." and presses "Wczytaj".
    void load(const QString& path)
    {
        dialogs.queueFile(path);
        form.Button11.click();
        form.Button7.click();
    }

    void loadText(const QByteArray& text) { load(write(QStringLiteral("script.afl"), text)); }

    static QByteArray simpleScript()
    {
        return "// crossover\r\nBuy = Cross(C, MA(C, 10));\r\nSell = Cross(MA(C, 10), C);\r\n";
    }

    /// Page 1 complete with the chart's security and an automatic account.
    void answerGeneral()
    {
        form.rgTicker.click(0);
        form.rgAccount.click(0);
        form.rgSignals.click(0);
        form.cbShow.click();
        form.cbRefresh.click();
    }
    void answerSafeguards()
    {
        form.cbReverse.click();
        form.cbOneSignal.click();
        form.rgInterval.click(1);
    }
    void answerPositions()
    {
        form.rgHowPosition.click(0);
        form.rgPositions.click(0);
    }
    /// Page 4 complete with a PKC order and no activation limit.
    void answerOrders()
    {
        form.rgOrders.click(0);
        form.cbLimAkt.mouseDown();
        form.cbLimAkt.click(); // leaves it unchecked: answered
    }
    /// Loads the simple script and walks with Next up to page, answering each page on the way.
    void walkTo(int page)
    {
        loadText(simpleScript());
        for (int p = 0; p < page; ++p) {
            answer(p);
            form.btDalej.click();
        }
    }
    void answer(int page)
    {
        switch (page) {
        case 1:
            answerGeneral();
            break;
        case 2:
            answerSafeguards();
            break;
        case 3:
            answerPositions();
            break;
        case 4:
            answerOrders();
            break;
        default:
            break;
        }
    }
    QList<int> visibleTabs() const
    {
        QList<int> tabs;
        for (int i = 0; i < form.pcTab.pageCount(); ++i) {
            if (form.pcTab.isTabVisible(i))
                tabs.append(i);
        }
        return tabs;
    }
    Controls::Control* control(const QString& name) const
    {
        for (Controls::Page* page : form.pcTab.pages()) {
            if (Controls::Control* c = page->find(name))
                return c;
        }
        return nullptr;
    }
};
