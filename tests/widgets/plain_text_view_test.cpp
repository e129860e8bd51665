#include "widgets/plain_text_view.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace lirra;

namespace {

class PlainTextViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QString text;
        for (int i = 1; i <= 500; ++i)
            text += QStringLiteral("строка %1\r\n").arg(i);
        text += QString(300, u'w');
        view.setFont(QFont(QStringLiteral("Liberation Sans"), 10));   // each letter as wide as it is
        view.setText(text);
        view.resize(300, 200);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    QPoint at(qsizetype index) const { return view.characterRect(index).topLeft() + QPoint(0, 2); }

    PlainTextView view;
};

} // namespace

TEST_F(PlainTextViewTest, EveryLineEndEndsALineTabsWidenItTheViewScrollsOverAllIsReadAloudAndCopiesTheMouseSelection)
{
    const QString text = QStringLiteral("a\r\nbb\rccc\n\tx\nab\tc");
    const TextLines lines(text);
    const auto one = [](QChar) { return 1; };
    const auto wideW = [](QChar c) { return c == u'w' ? 3 : 1; };
    ASSERT_EQ(lines.count(), 5);
    for (const auto& [line, start, length] : {std::tuple{1, 3, 2}, {3, 10, 2}, {4, 13, 4}})
        EXPECT_TRUE(lines.start(line) == start && lines.length(line) == length) << line;
    EXPECT_EQ(lines.widest(text, one), 9);   // "\tx" and "ab\tc"
    for (const auto& [index, line] : {std::pair{1, 0}, {3, 1}, {16, 4}})   // 1: the CR of the first line
        EXPECT_EQ(lines.lineOf(index), line) << index;
    EXPECT_TRUE(TextLines(QStringLiteral("x\n")).count() == 2 && TextLines().count() == 1);
    EXPECT_EQ(TextLines::xOf(u"ab\tc", 3, one), 8);
    EXPECT_EQ(TextLines::xOf(u"w\tw", 3, wideW), 3 + 7 + 3);   // a tab is blanks to the next stop
    for (const auto& [x, index] : {std::pair{5, 3}, {4, 2}, {99, 4}})   // halfway through the tab: after it
        EXPECT_EQ(TextLines::indexAt(u"ab\tc", x, one), index) << x;
    EXPECT_EQ(TextLines::indexAt(u"ww", 4, wideW), 1);
    EXPECT_EQ(TextLines::expandTabs(u"ab\tc"), "ab      c");
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&view);
    ASSERT_TRUE(accessible && accessible->textInterface());
    EXPECT_TRUE(accessible->state().readOnly && accessible->textInterface()->characterCount() == view.text().size() &&
                accessible->textInterface()->text(0, 8) == "строка 1");
    view.setSelection(2, 5);
    int start = 0, end = 0;
    accessible->textInterface()->selection(0, &start, &end);
    EXPECT_TRUE(start == 2 && end == 5) << start << ".." << end;
    const int rows = view.viewport()->height() / view.characterRect(0).height();
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 501 - rows);
    const qsizetype ws = view.lines().start(500);
    const int w = view.characterRect(ws + 1).left() - view.characterRect(ws).left();
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 4 + 300 * w - view.viewport()->width());
    EXPECT_NE(view.characterRect(6).width(), w);   // the blank in "строка 1"

    view.verticalScrollBar()->setValue(100);   // line 101 is now the top line, painted there
    const qsizetype top = view.lines().start(100);
    EXPECT_TRUE(view.indexAt(QPoint(2, 1)) == top && view.characterRect(top).top() == 0);
    view.setSelection(top, top + 3);
    EXPECT_EQ(view.viewport()->grab().toImage().pixelColor(view.characterRect(top).center()),
              view.palette().color(QPalette::Highlight));

    view.verticalScrollBar()->setValue(0);
    const qsizetype from = view.lines().start(1) + 2;   // "ст|рока 2"
    const qsizetype to = view.lines().start(2) + 6;     // "строка| 3"
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, at(from));
    QMouseEvent drag(QEvent::MouseMove, at(to), view.viewport()->mapToGlobal(at(to)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &drag);
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, at(to));
    EXPECT_EQ(view.selectedText(), "рока 2\r\nстрока");
    const QImage shot = view.viewport()->grab().toImage();   // the line end shows selected too
    const QRect lineEnd = view.characterRect(view.lines().start(1) + view.lines().length(1));
    EXPECT_EQ(shot.pixelColor(lineEnd.center()), view.palette().color(QPalette::Highlight));
    EXPECT_EQ(shot.pixelColor(lineEnd.center() + QPoint(lineEnd.width(), 0)), view.palette().color(QPalette::Base));

    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "рока 2\r\nстрока");
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(view.selectedText(), view.text());
    QApplication::clipboard()->clear();
}
