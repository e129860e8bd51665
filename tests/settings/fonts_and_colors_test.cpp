#include "settings/color_commands.h"
#include "settings/color_dialog.h"
#include "settings/fonts_dialog.h"

#include "fake_reader_window.h"
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

class FontsAndColors : public ::testing::Test {
protected:
    FontsAndColors()
    {
        setMessagePresenter([this](const MessageBoxRequest& box) { return boxes.push_back(box.text), BoxAnswer::Ok; });
    }
    ~FontsAndColors() override { setMessagePresenter({}); }

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
    QCheckBox& bold() { return control<QCheckBox>("CheckBox2"); }
    // Shows the dialog and fills it in.
    void fill(const char* name, std::uint32_t colour, const char* fontSize)
    {
        fonts.show();
        face().setFontName(QLatin1String(name));
        color().setColorValue(colour);
        size().setText(QLatin1String(fontSize));
    }
    void ok() { control<QPushButton>("Button1").click(); }
    TBookView& view() { return reader.view; }
    // Face, colour and size of the view, to compare in one go.
    std::tuple<QString, std::uint32_t, int> look() { return {view().fontName(), view().fontColor(), view().fontSize()}; }

    FakeReaderWindow reader;
    TFonts fonts{reader};
    std::vector<QString> boxes;
};

} // namespace

TEST_F(FontsAndColors, EachShowingStartsFromTheViewOkAppliesEverythingAndTheSizeAndColourCommandsWork)
{
    for (QWidget* child : fonts.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        EXPECT_FALSE(child->accessibleName().isEmpty()) << child->objectName().toStdString();
    view().setFontName(QStringLiteral("liberation mono"));
    view().setFontColor(0x000000FF);
    view().setFontSize(17);
    view().setItalic(true);
    view().setUnderline(true);
    view().setPitch(FontPitch::Variable);
    fonts.show();
    EXPECT_EQ(std::tuple(face().fontName(), color().currentText(), size().text()),
              std::tuple(QStringLiteral("Liberation Mono"), QStringLiteral("Red"), QStringLiteral("17")));
    bold().setChecked(true);
    fonts.hide();
    view().setFontSize(9);
    fonts.show();
    EXPECT_TRUE(size().text() == "9" && bold().isChecked() && !view().bold());

    fill("Liberation Serif", 0x00FF0000, "12");
    ok();
    EXPECT_TRUE(!fonts.isVisible() && fonts.result() == QDialog::Accepted && boxes.empty());
    EXPECT_EQ(look(), std::tuple(QStringLiteral("Liberation Serif"), 0x00FF0000u, 12));
    EXPECT_EQ(std::tuple(view().bold(), view().italic(), view().underline(), view().pitch()),
              std::tuple(true, false, true, FontPitch::Fixed));
    for (const char* text : {"0", "-3", "1638", "-1638"}) {   // no bound short of what the view shows
        fonts.show();
        size().setText(QLatin1String(text));
        QTest::keyClick(&size(), Qt::Key_Return);   // Enter in the size field is OK
        EXPECT_TRUE(!fonts.isVisible() && view().fontSize() == std::atoi(text)) << text;
    }
    // The size steps down without a limit; the colour dialog starts from the view's colour (a
    // system colour as the palette shows it) and Cancel keeps it.
    view().setFontSize(1);
    for (int expected : {0, -1, -2}) {
        stepFontSize(view(), -1);
        EXPECT_EQ(view().fontSize(), expected);
    }
    view().setFontColor(0x00C0C0C0);
    view().setBackgroundColor(0x80000005);   // the system's window colour
    std::vector<QColor> starts;
    std::optional<QColor> answer = QColor(255, 0, 0);
    setColorDialogPresenter([&](const QColor& current) { return starts.push_back(current), answer; });
    chooseFontColor(view(), &view());
    EXPECT_EQ(view().fontColor(), 0x000000FFu);
    answer.reset();
    chooseBackgroundColor(view(), &view());
    EXPECT_EQ(view().backgroundColor(), 0x80000005u);
    answer = QColor(0, 0, 128);
    chooseBackgroundColor(view(), &view());
    EXPECT_EQ(view().backgroundColor(), 0x00800000u);
    setColorDialogPresenter({});
    ASSERT_EQ(starts.size(), 3u);
    EXPECT_TRUE(starts[0] == QColor(192, 192, 192) && starts[1] == view().palette().color(QPalette::Base));
}

// Enter in the size field is one OK, as a click is; a size the view cannot show is no number.
TEST_F(FontsAndColors, ABadSizeStopsAfterFaceAndColourCancelChangesNothingAndWhatThePickersCannotShowSurvivesOk)
{
    for (const char* text : {"abc", "2147483647", "1639", "-1639"})
        for (bool enter : {false, true}) {
            boxes.clear();
            fill("Liberation Sans", 0x0000FF00, text);
            bold().setChecked(true);
            enter ? QTest::keyClick(&size(), Qt::Key_Return) : ok();
            EXPECT_EQ(boxes, std::vector{QStringLiteral("'%1' is not a valid integer value.").arg(text)}) << text;
            EXPECT_TRUE(fonts.isVisible() && size().text() == text && !view().bold());
            EXPECT_EQ(look(), std::tuple(QStringLiteral("Liberation Sans"), 0x0000FF00u, 13));
        }
    for (bool closeBox : {false, true}) {   // Cancel and the close box change nothing
        fill("Liberation Serif", 0x00FFFFFF, "30");
        closeBox ? void(fonts.close()) : control<QPushButton>("Button2").click();
        EXPECT_FALSE(fonts.isVisible());
        EXPECT_EQ(look(), std::tuple(QStringLiteral("Liberation Sans"), 0x0000FF00u, 13));
    }
    view().setFontName(QStringLiteral("Liberation Serif"));
    view().setFontColor(0x00B4B4B4);   // "Grey (DN like)"
    fonts.show();
    control<QCheckBox>("CheckBox1").setChecked(true);   // "Fixed Pitch Only" drops the proportional face
    ok();
    EXPECT_EQ(look(), std::tuple(QStringLiteral("Liberation Serif"), 0x00B4B4B4u, 13));
    fonts.show();   // the filter stays for the next showing
    EXPECT_TRUE(face().options().testFlag(TFontListOption::foFixedPitchOnly));
}
