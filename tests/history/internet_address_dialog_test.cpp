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
using lirra::platform::Registry;

namespace {

// Counts the events of one type that reach `watched`.
class EventCounter : public QObject {
public:
    EventCounter(QObject& watched, QEvent::Type type, int& count) : m_type(type), m_count(count)
    {
        watched.installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        m_count += event->type() == m_type;
        return false;
    }

private:
    QEvent::Type m_type;
    int& m_count;
};

class UserAddresses : public OwnHive {
protected:
    void SetUp() override
    {
        OwnHive::SetUp();
        makeUserAddressList(urls);
        setMessagePresenter([this](const MessageBoxRequest& box) {
            boxes.push_back(box.text);
            return BoxAnswer::Ok;
        });
    }
    void TearDown() override
    {
        setMessagePresenter({});
        OwnHive::TearDown();
    }

    // The dialog opened, `text` typed and "OK" pressed; true when it closed.
    static bool confirm(TForm7& dialog, const QString& text)
    {
        dialog.show();
        combo(dialog).setEditText(text);
        dialog.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        return !dialog.isVisible();
    }
    static QComboBox& combo(TForm7& dialog) { return *dialog.findChild<QComboBox*>(QStringLiteral("ComboBox1")); }
    static QStringList listed(TForm7& dialog)
    {
        QStringList items;
        for (int i = 0; i < combo(dialog).count(); ++i)
            items << combo(dialog).itemText(i);
        return items;
    }
    static QStringList entries(const TMRUManager& list)
    {
        QStringList items;
        for (int i = 0; i < list.count(); ++i)
            items << list.at(i);
        return items;
    }
    static std::vector<std::string> stored()
    {
        std::vector<std::string> entries;
        for (const QString& address : readStoredAddresses().names)
            entries.push_back(address.toStdString());
        return entries;
    }
    static void storeRaw(const std::function<void(Registry&)>& write)
    {
        Registry registry;
        registry.openKey(kInternetKey, true);
        write(registry);
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
    EXPECT_TRUE(confirm(dialog, odd));
    EXPECT_TRUE(confirm(dialog, QStringLiteral("http://b.org")));
    EXPECT_TRUE(confirm(dialog, odd.toUpper()));   // the same address in other letters
    EXPECT_EQ(stored(), (std::vector<std::string>{odd.toStdString(), "http://b.org", odd.toUpper().toStdString()}));
    // Listed once, moved to the bottom, in the spelling it was first listed with.
    EXPECT_EQ(entries(urls), (QStringList{QStringLiteral("http://b.org"), odd}));
    auto launched = xdgOpen.addresses(3);   // launches run side by side: any order
    std::sort(launched.begin(), launched.end());
    EXPECT_EQ(launched, (std::vector<std::string>{odd.toUpper().toStdString(), "http://b.org", odd.toStdString()}));

    // The dialog opens with an empty text and every stored address, repeats included.
    dialog.show();
    EXPECT_EQ(combo(dialog).currentText(), QString());
    EXPECT_EQ(listed(dialog).size(), 3);
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
    EXPECT_EQ(items[1]->text().size(), 3 + 60);
    EXPECT_TRUE(items[1]->text().startsWith(QStringLiteral("&2\thttp://lib.ru/жж")));
    EXPECT_TRUE(items[1]->text().contains(QStringLiteral("жж...жж")));
    EXPECT_TRUE(items[1]->text().endsWith(QStringLiteral("жж/end.html")));
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
    EXPECT_EQ(listed(dialog), QStringList{QStringLiteral("az.lib.ru")});   // once, not twice

    // Opened again, the focus is on Cancel, and Enter there cancels: nothing stored.
    QWidget* cancel = dialog.findChild<QPushButton*>(QStringLiteral("Button2"));
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    ASSERT_EQ(QApplication::focusWidget(), cancel);
    QTest::keyClick(cancel, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(stored(), std::vector<std::string>{"az.lib.ru"});
    EXPECT_EQ(xdgOpen.addresses(1), std::vector<std::string>{"az.lib.ru"});
}

TEST_F(UserAddresses, ThirtyOneAddressesKeepTheNewestThirtyAlsoAfterARestart)
{
    {
        TForm7 dialog(urls, nullptr);
        for (int i = 0; i < 31; ++i)
            ASSERT_TRUE(confirm(dialog, QStringLiteral("site%1.org").arg(i)));
    }
    EXPECT_EQ(stored().size(), 31u);
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
    storeRaw([](Registry& registry) {
        registry.writeInteger("Count", 2);
        registry.writeString("0", "good.org");
        registry.writeInteger("1", 7);
        registry.writeString("2", "after.org");
    });
    TForm7 dialog(urls, nullptr);
    EXPECT_EQ(boxes, std::vector<QString>{QStringLiteral("Invalid data type for '1'")});
    EXPECT_EQ(entries(urls), (QStringList{QStringLiteral("good.org"), QStringLiteral("after.org")}));
    dialog.show();
    EXPECT_EQ(listed(dialog), (QStringList{QStringLiteral("good.org"), QStringLiteral("after.org")}));
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
    int itemsAdded = 0;
    EventCounter counter(menu, QEvent::ActionAdded, itemsAdded);
    urls.setRecentMenu(&menu);
    TForm7 dialog(urls, nullptr);
    EXPECT_EQ(menu.actions().size(), 30);
    EXPECT_EQ(itemsAdded, 30);
    EXPECT_EQ(entries(urls).front(), QStringLiteral("http://site970.org/"));
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
    EXPECT_EQ(listed(dialog), QStringList{QStringLiteral("lost.org")});
    EXPECT_EQ(urls.count(), 0);
    EXPECT_TRUE(xdgOpen.addresses(0).empty());
}
