#include "navigation/auto_scroll.h"

#include "bookview/widget/book_view.h"
#include "navigation/scroll_speed_dialog.h"

#include <QAction>
#include <QTimer>

namespace lirra {

AutoScroll::AutoScroll(TBookView& view, QTimer& timer1, QAction& scrollText1, TForm6& form6)
    : m_view(view), m_timer1(timer1), m_scrollText1(scrollText1), m_scrollSpeedDialog(form6)
{
    // Closing the dialog sets the new speed at once, whether scrolling runs or not.
    QObject::connect(&m_scrollSpeedDialog, &TForm6::closed, &m_timer1, [this] { m_timer1.setInterval(interval()); });
}

int AutoScroll::interval() const { return m_scrollSpeedDialog.speed() * kMsPerSpeedUnit; }

void AutoScroll::chooseSpeed()
{
    m_scrollText1.setEnabled(true);
    m_scrollSpeedDialog.ShowModal();
}

void AutoScroll::toggle()
{
    if (m_scrollText1.isChecked()) {
        m_timer1.stop();
        m_scrollText1.setChecked(false);
        m_screenSaver.release();
        return;
    }
    m_timer1.start(interval());
    m_scrollText1.setChecked(true);
    m_screenSaver.inhibit();
}

void AutoScroll::step()
{
    if (m_scrollSpeedDialog.scrollRows())
        m_view.scroll(ScrollStep::LineDown);
    if (m_scrollSpeedDialog.scrollPages())
        m_view.scroll(ScrollStep::PageDown);
}

} // namespace lirra
