#pragma once

// A notification area the test can look into and click on.

#include "widgets/tray_shell.h"

#include <QIcon>
#include <QString>

class FakeTrayShell : public lirra::TrayShell {
public:
    bool present = true;    // the desktop has a notification area
    bool accepts = true;    // it takes the icon
    bool shown = false;
    QString tip;
    qint64 iconKey = 0;
    int modifications = 0;

    bool available() const override { return present; }
    bool addIcon(const QIcon& icon, const QString& newTip) override
    {
        shown = present && accepts;
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
    void deleteIcon() override { shown = false; }
    void send(lirra::TrayMouseMessage message) { emit mouseMessage(message); }
};
