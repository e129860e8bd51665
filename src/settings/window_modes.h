#pragma once

// How the main window presents the book: word wrap, full screen, the status panel and
// its clock shown or hidden, and the whole program hidden to the notification area.
// The menu ticks are the state; only word wrap has a stored flag as well.

#include "widgets/rx_tray_icon.h"

#include <QList>
#include <QPointer>
#include <cstdint>
#include <memory>

class QAction;
class QMenu;
class QWidget;

namespace lirra {

class ReaderWindow;

// The parts of the main window the modes act on.
struct WindowParts {
    QWidget& window;          // the main window
    QWidget& statusPanel;     // Panel2
    QWidget& clock;           // RxClock1
    QAction& wordWrap;        // WordWrap1, "Word Wrap"
    QAction& fullScreen;      // FullScreen1, "Full Screen"
    QAction& hideStatusBar;   // Clock1, "Hide StatusBar"
    QAction& hideClock;       // HideClock1, "Hide Clock"
    QMenu& trayMenu;          // PopupMenu2
};

// The tooltip of the program's icon in the notification area.
QString trayHint();

class WindowModes {
public:
    // `wordWrapFlag` is the options record's flag that "Save Options " stores. Without
    // a shell the tray icon uses the desktop's notification area.
    WindowModes(ReaderWindow& reader, std::uint8_t& wordWrapFlag, const WindowParts& parts,
                std::unique_ptr<TrayShell> shell = {});

    // RxTrayIcon1: inactive until the program hides in the tray.
    TRxTrayIcon& trayIcon() { return m_rxTrayIcon1; }

    void toggleWordWrap();
    void toggleFullScreen();
    void toggleStatusBar();
    void toggleClock();
    // Hides every window of the program and its taskbar entry behind the tray icon.
    // Without a notification area the windows are minimised instead and keep their
    // taskbar entries: an icon nobody can see would leave the program unreachable.
    void hideToTray();
    // Brings the windows back as they were and removes the icon.
    void showFromTray();
    // The tray menu's "Exit": the icon goes, then the main window closes as "Exit" does.
    void exitFromTray();

private:
    void setFrame(bool framed);
    void showMaximized();
    // Puts the view back on line index `curLine`: the line after the one the 1-based
    // line number names. Nothing moves when the view has no such line.
    void reanchorOn(std::int32_t curLine);

    ReaderWindow& m_reader;
    std::uint8_t& m_wordWrapFlag;
    WindowParts m_parts;
    TRxTrayIcon m_rxTrayIcon1;
    QList<QPointer<QWidget>> m_hiddenWindows;
    // Windows the no-tray fallback minimised: the next hiding in a tray renews them.
    QList<QPointer<QWidget>> m_minimisedWithoutTray;
    QPointer<QWidget> m_lastActive;
};

} // namespace lirra
