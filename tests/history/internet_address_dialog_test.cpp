// The user's web addresses: the "Enter Internet Adress..." dialog, the "User's URL" list
// and their copy in the InterNet key.

#include "history/internet_address_dialog.h"
#include "history/mru_manager.h"
#include "history/user_addresses.h"

#include "platform/registry_hive.h"
#include "reader/message_boxes.h"
#include "registry_fixture.h"
#include "xdg_open_stand_in.h"

#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <algorithm>

using namespace lirra;

namespace {

// Counts the items added to a menu, to show it is built once.
struct AddedItems : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override { return (count += event->type() == QEvent::ActionAdded, false); }
};

class UserAddresses : public OwnHive {
protected:
    void SetUp() override
    {
        OwnHive::SetUp();
        makeUserAddressList(urls);
        setMessagePresenter([this](const MessageBoxRequest& box) { return boxes.push_back(box.text), BoxAnswer::Ok; });
    }
    ~UserAddresses() override { setMessagePresenter({}); }

    // The dialog opened, `text` typed and "OK" pressed; true when it closed.
    static bool confirm(TForm7& dialog, const QString& text)
    {
        dialog.show();
        combo(dialog).setEditText(text);
        dialog.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        return !dialog.isVisible();
    }
    static QComboBox& combo(TForm7& dialog) { return *dialog.findChild<QComboBox*>(QStringLiteral("ComboBox1")); }
    // The texts of a list, of the combo box's items when `dialog` is given.
    static QStringList texts(const TMRUManager& list, TForm7* dialog = nullptr)
    {
        QStringList items;
        for (int i = 0; i < (dialog ? combo(*dialog).count() : list.count()); ++i)
            items << (dialog ? combo(*dialog).itemText(i) : list.at(i));
        return items;
    }

    TMRUManager urls;
    XdgOpenStandIn xdgOpen;
    std::vector<QString> boxes;
};

} // namespace

TEST_F(UserAddresses, EveryConfirmedAddressIsStoredListedOnceAndLaunched)
{
    TForm7 dialog(urls, nullptr);
    const QString odd = QStringLiteral("lib.ru/книги \"x\"; $(rm -rf ~)");
    for (const QString& address : {odd, QStringLiteral("http://b.org"), odd.toUpper()})   // the same in other letters
        EXPECT_TRUE(confirm(dialog, address));
    EXPECT_EQ(readStoredAddresses().names, (QStringList{odd, QStringLiteral("http://b.org"), odd.toUpper()}));
    // Listed once, moved to the bottom, in the spelling it was first listed with.
    EXPECT_EQ(texts(urls), (QStringList{QStringLiteral("http://b.org"), odd}));
    auto launched = xdgOpen.addresses(3);   // launches run side by side: any order
    std::sort(launched.begin(), launched.end());
    EXPECT_EQ(launched, (std::vector<std::string>{odd.toUpper().toStdString(), "http://b.org", odd.toStdString()}));

    // The dialog opens with an empty text and every stored address, repeats included.
    dialog.show();
    EXPECT_EQ(combo(dialog).currentText(), QString());
    EXPECT_EQ(texts(urls, &dialog).size(), 3);
}

TEST_F(UserAddresses, ALongAddressIsCutInItsMenuItemButWholeInItsTipAndWhenChosen)
{
    QMenu menu;
    urls.setRecentMenu(&menu);
    QStringList chosen;
    QObject::connect(&urls, &TMRUManager::clicked, [&](const QString& address) { chosen << address; });
    const QString address = QStringLiteral("http://lib.ru/") + QString(400, u'ж') + QStringLiteral("/end.html");
    urls.add(QStringLiteral("http://b.org"), 0);
    urls.add(address, 0);
    const QList<QAction*> items = menu.actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->text(), QStringLiteral("&1\thttp://b.org"));
    EXPECT_EQ(items[1]->text(), QStringLiteral("&2\thttp://lib.ru/") + QString(15, u'ж') + QStringLiteral("...")
                                    + QString(19, u'ж') + QStringLiteral("/end.html"));
    EXPECT_EQ(items[1]->toolTip(), address);
    items[1]->trigger();
    EXPECT_EQ(chosen, QStringList{address});
}

TEST_F(UserAddresses, EnterConfirmsOnlyInTheTextAndTheFocusComesBackToCancel)
{
    TForm7 dialog(urls, nullptr);
    dialog.show();
    QTest::keyClick(&combo(dialog), Qt::Key_Return);   // empty: stays open
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClicks(&combo(dialog), QStringLiteral("az.lib.ru"));
    QTest::keyClick(&combo(dialog), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(texts(urls, &dialog), QStringList{QStringLiteral("az.lib.ru")});   // once, not twice

    // Opened again, the focus is on Cancel, and Enter there cancels: nothing stored.
    QWidget* cancel = dialog.findChild<QPushButton*>(QStringLiteral("Button2"));
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    ASSERT_EQ(QApplication::focusWidget(), cancel);
    QTest::keyClick(cancel, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(readStoredAddresses().names, QStringList{QStringLiteral("az.lib.ru")});
    EXPECT_EQ(xdgOpen.addresses(1), std::vector<std::string>{"az.lib.ru"});
}

TEST_F(UserAddresses, ThirtyOneAddressesKeepTheNewestThirtyAlsoAfterARestart)
{
    {
        TForm7 dialog(urls, nullptr);
        for (int i = 0; i < 31; ++i)
            ASSERT_TRUE(confirm(dialog, QStringLiteral("site%1.org").arg(i)));
    }
    EXPECT_EQ(readStoredAddresses().names.size(), 31);
    EXPECT_EQ(xdgOpen.addresses(31).size(), 31u);
    TMRUManager restarted;
    makeUserAddressList(restarted);
    TForm7 dialog(restarted, nullptr);
    for (const TMRUManager* list : {&urls, &restarted}) {
        ASSERT_EQ(list->count(), 30);
        EXPECT_EQ(list->at(0), QStringLiteral("site1.org"));
        EXPECT_EQ(list->at(29), QStringLiteral("site30.org"));
    }
}

TEST_F(UserAddresses, ADamagedValueIsLeftOutAndReportedOncePerReading)
{
    {
        platform::Registry registry;
        registry.openKey(kInternetKey, true);
        registry.writeInteger("Count", 2);
        registry.writeString("0", "good.org");
        registry.writeInteger("1", 7);
        registry.writeString("2", "after.org");
    }
    TForm7 dialog(urls, nullptr);
    EXPECT_EQ(boxes, std::vector<QString>{QStringLiteral("Invalid data type for '1'")});
    const QStringList readable{QStringLiteral("good.org"), QStringLiteral("after.org")};
    EXPECT_EQ(texts(urls), readable);
    dialog.show();
    EXPECT_EQ(texts(urls, &dialog), readable);
    EXPECT_EQ(boxes.size(), 2u);
}

// Start-up reads the list once and builds the "User's URL" menu once, with its 30 rows;
// the dialog's list is filled when it shows.
TEST_F(UserAddresses, TenThousandStoredAddressesMakeOneMenuOfThirty)
{
    QStringList many;
    for (int i = 0; i < 10000; ++i)
        many << QStringLiteral("http://site%1.org/").arg(i % 3000);
    storeAddresses(many);
    QMenu menu;
    AddedItems added;
    menu.installEventFilter(&added);
    urls.setRecentMenu(&menu);
    TForm7 dialog(urls, nullptr);
    EXPECT_EQ(added.count, 30);
    EXPECT_EQ(texts(urls).front(), QStringLiteral("http://site970.org/"));
    EXPECT_EQ(combo(dialog).count(), 0);
    dialog.show();
    EXPECT_EQ(combo(dialog).count(), 10000);
}

TEST_F(UserAddresses, AnAddressThatCannotBeStoredIsNeitherListedNorLaunched)
{
    ::setenv("LIRRA_REGISTRY", "/proc/lirra-no-such-folder/registry.reg", 1);
    TForm7 dialog(urls, nullptr);
    EXPECT_FALSE(confirm(dialog, QStringLiteral("lost.org")));
    EXPECT_EQ(boxes, std::vector<QString>{QStringLiteral("Failed to create key Software\\Lirra Reader\\InterNet.")});
    EXPECT_EQ(texts(urls, &dialog), QStringList{QStringLiteral("lost.org")});
    EXPECT_EQ(urls.count(), 0);
    EXPECT_TRUE(xdgOpen.addresses(0).empty());
}
