#include "widgets/rx_clock.h"

#include "any_pixel.h"

#include <QImage>
#include <QPaintEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace lirra;

namespace {

// The status line's clock as the main window sets it up, on a settable time; records
// the regions of the paint events it receives.
class RxClockTest : public ::testing::Test, public QObject {
protected:
    void SetUp() override
    {
        clock.setTimeSource([this] { return now; });
        clock.setColor(Qt::black);
        clock.setFontColor(silver);
        clock.setBevelOuter(TBevelCut::bvNone);
        QFont font(QStringLiteral("Liberation Serif"));
        font.setPixelSize(13);
        clock.setFont(font);
        clock.resize(80, 19);
        clock.installEventFilter(this);
        clock.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&clock));
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
    // What was repainted since the last call.
    QRegion repainted()
    {
        QCoreApplication::processEvents();
        return std::exchange(painted, {});
    }
    QRegion tickAt(QTime time)
    {
        repainted();
        now = time;
        clock.tick();
        return repainted();
    }

    const QColor silver{0xC0, 0xC0, 0xC0};
    QTime now{9, 5, 7};
    QRegion painted;
    TRxClock clock;
};

} // namespace

TEST_F(RxClockTest, FaceFollowsTheOptionsDigitsCentredSeparatorFromTheLocaleOnlyChangedCellsRepaintedButAllOnANewHour)
{
    ClockFace face;
    EXPECT_EQ(face.text(QTime(9, 5, 7)).digits, "09:05:07");
    const ClockChange minutes = face.change(QTime(10, 15, 59), QTime(10, 16, 0));   // minutes, separator and seconds
    EXPECT_TRUE(minutes.firstCell == 3 && minutes.cellCount == 5);

    face.leadingZero = false;   // "9:05:07": everything one cell to the left
    EXPECT_EQ(face.change(QTime(9, 5, 7), QTime(9, 5, 8)).firstCell, 5);
    face.showSeconds = false;
    EXPECT_EQ(face.change(QTime(9, 5, 7), QTime(9, 5, 8)).cellCount, 0);

    face.twelveHour = true;
    for (const auto& [time, shown] : {std::pair{QTime(21, 5, 7), "9:05 PM"}, {QTime(0, 30, 0), "12:30 AM"}})
        EXPECT_EQ(face.text(time).digits + face.text(time).suffix, shown);
    clock.setLeadingZero(false);   // "9:05:07" in cells four digits wide, in the font colour on the clock's colour
    ASSERT_EQ(clock.shownText().digits, "9:05:07");
    const QRect digits = clock.cellLayout().cells(0, 7);
    const QRect area = clock.rect().adjusted(1, 1, -1, -1);   // inside the lowered bevel
    EXPECT_LE(std::abs((digits.left() - area.left()) - (area.right() - digits.right())), 1);
    EXPECT_LE(std::abs((digits.top() - area.top()) - (area.bottom() - digits.bottom())), 1);
    const QImage image = clock.grab().toImage();
    EXPECT_EQ(image.pixel(2, 9), QColor(Qt::black).rgb());
    EXPECT_TRUE(anyPixel(image, [&](QColor c) { return c == silver; }, digits));

    clock.setLeadingZero(true);
    repainted();
    clock.setLocale(QLocale(QLocale::Finnish));   // "H.mm"
    EXPECT_TRUE(clock.shownText().digits == "09.05.07" && repainted() == QRegion(clock.rect()));
    clock.setLocale(QLocale(QLocale::French, QLocale::Canada));   // "HH 'h' mm": none usable
    EXPECT_EQ(clock.shownText().digits, "09:05:07");
    tickAt(QTime(23, 59, 59));
    EXPECT_TRUE(tickAt(QTime(0, 0, 0)) == QRegion(clock.rect()) && clock.shownText().digits == "00:00:00");
    EXPECT_EQ(tickAt(QTime(0, 0, 1)), QRegion(clock.cellLayout().cells(6, 2)));
    EXPECT_TRUE(tickAt(QTime(0, 0, 1)).isEmpty());
    clock.hide();   // it keeps the time while hidden
    now = QTime(13, 20, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return clock.shownTime() == now; }, 5000));
}
