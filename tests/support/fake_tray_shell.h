#pragma once

// A notification area the test can look into and click on.

#include "widgets/tray_shell.h"

#include <QIcon>
#include <QString>
#include <QWidget>

class FakeTrayShell : public lirra::TrayShell {
public:
    bool present = true;    // the desktop has a notification area
    bool accepts = true;    // it takes the icon
    bool shown = false;
    QString tip;
    qint64 iconKey = 0;
    int modifications = 0;
    QWidget iconWindow;

    bool available() const override { return present; }
    bool addIcon(const QIcon& icon, const QString& newTip) override
    {
        shown = present && accepts;
        iconWindow.setVisible(shown);   // as on X11, where the icon is a window of its own
        tip = newTip;
        iconKey = icon.cacheKey();
        return shown;
    }
    void modifyIcon(const QIcon& icon, const QString& newTip) override
    {
        ++modifications;
        tip = newTip;
        iconKey = icon.cacheKey();
    }
    void deleteIcon() override
    {
        shown = false;
        iconWindow.hide();
    }
    void send(lirra::TrayMouseMessage message) { emit mouseMessage(message); }
};
