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

#include <set>

using namespace lirra;

namespace {

// Counts the items added to a menu, to show it is built once.
struct AddedItems : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override { return (count += event->type() == QEvent::ActionAdded, false); }
};

class UserAddresses : public OwnHive {
protected:
    UserAddresses()
    {
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
TEST_F(UserAddresses, EveryConfirmedAddressIsStoredListedOnceLaunchedAndCutOnlyInItsMenuItem)
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
    const auto launched = xdgOpen.addresses(4);   // launches run side by side: any order
    EXPECT_EQ(std::multiset(launched.begin(), launched.end()),
              (std::multiset<std::string>{"az.lib.ru", "http://b.org", odd.toStdString(),
                                          odd.toUpper().toStdString()}));

    // A long address is cut in its menu item, but whole in its tip and when chosen.
    QMenu menu;
    urls.setRecentMenu(&menu);
    QStringList chosen;
    QObject::connect(&urls, &TMRUManager::clicked, [&](const QString& address) { chosen << address; });
    const QString address = QStringLiteral("http://lib.ru/") + QString(400, u'ж') + QStringLiteral("/end.html");
    urls.add(address, 0);
    const QList<QAction*> items = menu.actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[1]->text(), QStringLiteral("&2\thttp://b.org"));
    EXPECT_EQ(items[3]->text(), QStringLiteral("&4\thttp://lib.ru/") + QString(15, u'ж') + QStringLiteral("...")
                                    + QString(19, u'ж') + QStringLiteral("/end.html"));
    EXPECT_EQ(items[3]->toolTip(), address);
    items[3]->trigger();
    EXPECT_EQ(chosen, QStringList{address});
}

// Thirty-one addresses keep the newest thirty, also after a restart. Start-up reads the list
// once and builds the "User's URL" menu once, with its 30 rows; the dialog's list is filled
// when it shows, ten thousand stored addresses included.
TEST_F(UserAddresses, TheNewestThirtyAreKeptAlsoAfterARestartAndTenThousandStoredMakeOneMenuOfThirty)
{
    QStringList sites;
    for (int i = 0; i < 31; ++i)
        sites << QStringLiteral("site%1.org").arg(i);
    TForm7 dialog(urls, nullptr);
    for (const QString& site : sites)
        ASSERT_TRUE(confirm(dialog, site));
    EXPECT_TRUE(readStoredAddresses().names == sites && xdgOpen.addresses(31).size() == 31u);
    EXPECT_EQ(texts(urls), sites.mid(1));

    for (int i = 0; i < 10000; ++i)
        sites << QStringLiteral("http://site%1.org/").arg(i % 3000);
    storeAddresses(sites);
    TMRUManager restarted;
    makeUserAddressList(restarted);
    QMenu menu;
    AddedItems added;
    menu.installEventFilter(&added);
    restarted.setRecentMenu(&menu);
    TForm7 again(restarted, nullptr);
    EXPECT_EQ(added.count, 30);
    EXPECT_EQ(texts(restarted), sites.mid(sites.size() - 30));
    EXPECT_EQ(combo(again).count(), 0);
    again.show();
    EXPECT_EQ(combo(again).count(), sites.size());
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
