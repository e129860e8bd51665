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

// Enter confirms only in the text; every confirmed address is stored, listed once and
// launched; opened again, the focus is on Cancel, and Enter there cancels.
TEST_F(UserAddresses, EveryConfirmedAddressIsStoredListedOnceAndLaunched)
{
    TForm7 dialog(urls, nullptr);
    dialog.show();
    QTest::keyClick(&combo(dialog), Qt::Key_Return);   // empty: stays open
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClicks(&combo(dialog), QStringLiteral("az.lib.ru"));
    QTest::keyClick(&combo(dialog), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(combo(dialog).count(), 1);   // once, not twice

    const QString odd = QStringLiteral("lib.ru/книги \"x\"; $(rm -rf ~)");
    for (const QString& address : {odd, QStringLiteral("http://b.org"), odd.toUpper()})   // the same in other letters
        EXPECT_TRUE(confirm(dialog, address));
    const QStringList all{QStringLiteral("az.lib.ru"), odd, QStringLiteral("http://b.org"), odd.toUpper()};
    EXPECT_EQ(readStoredAddresses().names, all);
    // Listed once, moved to the bottom, in the spelling it was first listed with.
    EXPECT_EQ(texts(urls), (QStringList{QStringLiteral("az.lib.ru"), QStringLiteral("http://b.org"), odd}));

    // The dialog opens with an empty text and every stored address, repeats included.
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(combo(dialog).currentText(), QString());
    EXPECT_EQ(texts(urls, &dialog), all);
    QWidget* cancel = dialog.findChild<QPushButton*>(QStringLiteral("Button2"));
    ASSERT_EQ(QApplication::focusWidget(), cancel);
    QTest::keyClick(cancel, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(readStoredAddresses().names, all);
    auto launched = xdgOpen.addresses(4);   // launches run side by side: any order
    std::sort(launched.begin(), launched.end());
    EXPECT_EQ(launched,
              (std::vector<std::string>{odd.toUpper().toStdString(), "az.lib.ru", "http://b.org", odd.toStdString()}));
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

TEST_F(UserAddresses, ThirtyOneAddressesKeepTheNewestThirtyAlsoAfterARestart)
{
    QStringList newest;
    {
        TForm7 dialog(urls, nullptr);
        for (int i = 0; i < 31; ++i) {
            ASSERT_TRUE(confirm(dialog, QStringLiteral("site%1.org").arg(i)));
            newest << QStringLiteral("site%1.org").arg(i);
        }
    }
    newest.removeFirst();
    EXPECT_EQ(readStoredAddresses().names.size(), 31);
    EXPECT_EQ(xdgOpen.addresses(31).size(), 31u);
    TMRUManager restarted;
    makeUserAddressList(restarted);
    TForm7 dialog(restarted, nullptr);
    for (const TMRUManager* list : {&urls, &restarted})
        EXPECT_EQ(texts(*list), newest);
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

// A damaged value is left out and reported once per reading; an address that cannot be
// stored is neither listed nor launched.
TEST_F(UserAddresses, ADamagedOrUnwritableHiveLosesNoReadableAddressAndListsNoLostOne)
{
    {
        platform::Registry registry;
        registry.openKey(kInternetKey, true);
        registry.writeStringList({"good.org", "x", "after.org"});
        registry.writeInteger("1", 7);
    }
    TForm7 dialog(urls, nullptr);
    EXPECT_EQ(boxes, std::vector<QString>{QStringLiteral("Invalid data type for '1'")});
    const QStringList readable{QStringLiteral("good.org"), QStringLiteral("after.org")};
    EXPECT_EQ(texts(urls), readable);
    dialog.show();
    EXPECT_EQ(texts(urls, &dialog), readable);
    EXPECT_EQ(boxes.size(), 2u);

    ::setenv("LIRRA_REGISTRY", "/proc/lirra-no-such-folder/registry.reg", 1);
    EXPECT_FALSE(confirm(dialog, QStringLiteral("lost.org")));
    EXPECT_EQ(boxes.back(), QStringLiteral("Failed to create key Software\\Lirra Reader\\InterNet."));
    EXPECT_EQ(texts(urls, &dialog), readable + QStringList{QStringLiteral("lost.org")});   // only the dialog's own list
    EXPECT_EQ(texts(urls), readable);
    EXPECT_TRUE(xdgOpen.addresses(0).empty());
}
