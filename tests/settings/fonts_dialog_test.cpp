#include "settings/fonts_dialog.h"

#include "fake_main_window.h"
#include "qt_printers.h"
#include "reader/message_boxes.h"
#include "widgets/color_combo_box.h"
#include "widgets/font_combo_box.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace lirra;

namespace {

class FontsDialogTest : public ::testing::Test {
protected:
    FontsDialogTest()
    {
        setMessagePresenter([this](const MessageBoxRequest& box) { return boxes.push_back(box.text), BoxAnswer::Ok; });
    }
    ~FontsDialogTest() override { setMessagePresenter({}); }

    template <class Control>
    Control& control(const char* name)
    {
        if (auto* found = fonts.findChild<Control*>(QLatin1String(name)))
            return *found;
        throw std::runtime_error(name);
    }
    TFontComboBox& face() { return control<TFontComboBox>("FontComboBox1"); }
    TColorComboBox& color() { return control<TColorComboBox>("ColorComboBox1"); }
    QLineEdit& size() { return control<QLineEdit>("Edit1"); }
    QCheckBox& check(const char* name) { return control<QCheckBox>(name); }
    void ok() { control<QPushButton>("Button1").click(); }
    TBookView& view() { return *reader.view; }
    // Face, colour and size of the view, to compare in one go.
    std::tuple<QString, std::uint32_t, int> look() { return {view().fontName(), view().fontColor(), view().fontSize()}; }

    FakeMainWindow reader;
    TFonts fonts{reader};
    std::vector<QString> boxes;
};

} // namespace

TEST_F(FontsDialogTest, EveryControlIsNamedForScreenReaders)
{
    for (QWidget* child : fonts.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        EXPECT_FALSE(child->accessibleName().isEmpty()) << child->objectName().toStdString();
}

TEST_F(FontsDialogTest, EachShowingStartsFromTheViewButTheTicksStay)
{
    view().setFontName(QStringLiteral("liberation mono"));
    view().setFontColor(0x000000FF);
    view().setFontSize(17);
    fonts.show();
    EXPECT_EQ(std::tuple(face().fontName(), color().currentText(), size().text()),
              std::tuple(QStringLiteral("Liberation Mono"), QStringLiteral("Red"), QStringLiteral("17")));
    check("CheckBox2").setChecked(true);
    fonts.hide();

    view().setFontSize(9);
    fonts.show();
    EXPECT_EQ(size().text(), QStringLiteral("9"));
    EXPECT_TRUE(check("CheckBox2").isChecked());
    EXPECT_FALSE(view().bold());
}

TEST_F(FontsDialogTest, OkAppliesFaceColourSizeAndStylesAndAlwaysFixesThePitch)
{
    view().setItalic(true);
    view().setUnderline(true);
    view().setPitch(FontPitch::Variable);
    fonts.show();
    face().setFontName(QStringLiteral("Liberation Serif"));
    color().setColorValue(0x00FF0000);
    size().setText(QStringLiteral("12"));
    check("CheckBox2").setChecked(true);
    ok();
    EXPECT_FALSE(fonts.isVisible());
    EXPECT_EQ(fonts.result(), QDialog::Accepted);
    EXPECT_EQ(look(), std::tuple(QStringLiteral("Liberation Serif"), 0x00FF0000u, 12));
    EXPECT_EQ(std::tuple(view().bold(), view().italic(), view().underline(), view().pitch()),
              std::tuple(true, false, true, FontPitch::Fixed));
    EXPECT_TRUE(boxes.empty());

    for (const char* text : {"0", "-3", "1638", "-1638"}) {   // no bound short of what the view shows
        fonts.show();
        size().setText(QLatin1String(text));
        QTest::keyClick(&size(), Qt::Key_Return);   // Enter in the size field is OK
        EXPECT_FALSE(fonts.isVisible()) << text;
        EXPECT_EQ(view().fontSize(), std::atoi(text));
    }
}

// Enter in the size field is one OK, as a click is; a size the view cannot show is no number.
TEST_F(FontsDialogTest, SizeThatIsNoNumberOrTooLargeStopsAfterFaceAndColourWithOneBox)
{
    for (const char* text : {"abc", "2147483647", "1639", "-1639"})
        for (bool enter : {false, true}) {
            boxes.clear();
            fonts.show();
            face().setFontName(QStringLiteral("Liberation Sans"));
            color().setColorValue(0x0000FF00);
            size().setText(QLatin1String(text));
            check("CheckBox2").setChecked(true);
            enter ? QTest::keyClick(&size(), Qt::Key_Return) : ok();
            EXPECT_EQ(boxes, std::vector{QStringLiteral("'%1' is not a valid integer value.").arg(text)}) << text;
            EXPECT_TRUE(fonts.isVisible());
            EXPECT_EQ(size().text(), QLatin1String(text));
            EXPECT_EQ(look(), std::tuple(QStringLiteral("Liberation Sans"), 0x0000FF00u, 13));
            EXPECT_FALSE(view().bold());
        }
}

TEST_F(FontsDialogTest, CancelAndTheCloseBoxChangeNothing)
{
    for (bool closeBox : {false, true}) {
        fonts.show();
        face().setFontName(QStringLiteral("Liberation Serif"));
        color().setColorValue(0x00FFFFFF);
        size().setText(QStringLiteral("30"));
        closeBox ? void(fonts.close()) : control<QPushButton>("Button2").click();
        EXPECT_FALSE(fonts.isVisible());
        EXPECT_EQ(look(), std::tuple(QStringLiteral("Courier New Cyr"), 0x00C0C0C0u, 13));
    }
}

TEST_F(FontsDialogTest, WhatThePickersCannotShowSurvivesOk)
{
    view().setFontName(QStringLiteral("Liberation Serif"));
    view().setFontColor(0x00B4B4B4);   // "Grey (DN like)"
    fonts.show();
    check("CheckBox1").setChecked(true);   // "Fixed Pitch Only" drops the proportional face
    ok();
    EXPECT_EQ(look(), std::tuple(QStringLiteral("Liberation Serif"), 0x00B4B4B4u, 13));

    fonts.show();   // the filter stays for the next showing
    EXPECT_TRUE(face().options().testFlag(TFontListOption::foFixedPitchOnly));
}
