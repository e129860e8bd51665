#pragma once

// Automatic scrolling: the main window's Timer1 moves the book view down by a row or a
// page at every tick, at the speed and in the mode of the "Set Scroll Speed" dialog.
// "Scroll Text" starts and stops it; it can be chosen once the dialog has been opened.

#include "navigation/screen_saver_inhibitor.h"

class QAction;
class QTimer;

namespace lirra {

class TBookView;
class TForm6;

class AutoScroll {
public:
    AutoScroll(TBookView& view, QTimer& timer1, QAction& scrollText1, TForm6& form6);

    void chooseSpeed();
    void toggle();
    // One step, rows or pages as the dialog says now; at the end of the book the view
    // stays still and the timer ticks on.
    void step();

private:
    int interval() const;

    TBookView& m_view;
    QTimer& m_timer1;
    QAction& m_scrollText1;
    TForm6& m_scrollSpeedDialog;
    ScreenSaverInhibitor m_screenSaver;
};

} // namespace lirra
