#pragma once

// What every test of the real main window needs: its own settings file and cache folder
// (OwnHive), message boxes and file dialogs answered in advance, books written into the
// scratch folder, and the window's controls reached by object name.

#include "app/main_window.h"
#include "bookview/widget/book_view.h"
#include "platform/registry_hive.h"
#include "platform/registry_list.h"
#include "reader/file_dialogs.h"
#include "reader/message_boxes.h"
#include "settings/options_store.h"
#include "qt_printers.h"
#include "registry_fixture.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

inline QString qstr(const std::string& text) { return QString::fromStdString(text); }

class MainWindowTest : public OwnHive {
protected:
    void SetUp() override
    {
        OwnHive::SetUp();
        // A private runtime folder, as a desktop session has; the book's copy must not
        // fill it, for it lives in RAM.
        const std::string runtime = m_scratch / "runtime";
        std::filesystem::create_directory(runtime);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
        setEnv("XDG_RUNTIME_DIR", runtime);
        lirra::setMessagePresenter([this](const lirra::MessageBoxRequest& box) {
            boxes.push_back(box.text);
            titledBoxes.push_back(box.title + QStringLiteral(": ") + box.text);
            return box.buttons == lirra::BoxButtons::YesNo ? questionAnswer : lirra::BoxAnswer::Ok;
        });
        lirra::setFileDialogPresenter([this](const lirra::FileDialogRequest& request) -> std::optional<QString> {
            requests.push_back(request);
            return nextFile;
        });
    }
    void TearDown() override
    {
        lirra::setMessagePresenter({});
        lirra::setFileDialogPresenter({});
        OwnHive::TearDown();
    }

    // A book file in the scratch folder holding `bytes` (a DOS book: code page 866).
    std::string book(const std::string& name, const std::string& bytes)
    {
        const std::string path = m_scratch / name;
        writeFile(path, bytes);
        return path;
    }
    // A book of `count` lines "<prefix> 1", "<prefix> 2", ...
    std::string numberedBook(int count, const std::string& name = "lines.txt", const std::string& prefix = "line")
    {
        return book(name, numberedLines(count, prefix));
    }
    std::string tempCopy() const { return m_scratch / "cache/lirra-reader/lirra.tmp"; }
    // Whether `form` is idle: its own caption, no lines and no copy of a book.
    bool idle(lirra::TForm1& form) const
    {
        return form.windowTitle() == QStringLiteral("Lirra Reader") && form.bookView().lineCount() == 0
               && !std::filesystem::exists(tempCopy());
    }

    // Keys reach only an active window.
    static bool activate(lirra::TForm1& form)
    {
        form.show();
        QApplication::setActiveWindow(&form);
        form.bookView().setFocus();
        return QTest::qWaitForWindowActive(&form);
    }
    static QAction* action(QWidget& window, const char* name)
    {
        auto* found = window.findChild<QAction*>(QLatin1String(name));
        EXPECT_TRUE(found) << name;
        return found;
    }
    static QString label(QWidget& window, const char* name)
    {
        auto* found = window.findChild<QLabel*>(QLatin1String(name));
        EXPECT_TRUE(found) << name;
        return found ? found->text() : QString();
    }
    template <class T = QWidget>
    static T* child(QWidget& window, const char* name)
    {
        return window.findChild<T*>(QLatin1String(name));
    }
    static QMenu* menu(QWidget& window, const char* name) { return child<QMenu>(window, name); }
    static void click(QWidget& window, const char* button) { child<QPushButton>(window, button)->click(); }
    // Runs `act` on the modal dialog the next step opens; a failure when none opens.
    static void onNextModal(QWidget& window, std::function<void(QWidget&)> act)
    {
        QTimer::singleShot(0, &window, [act = std::move(act)] {
            if (QWidget* modal = QApplication::activeModalWidget())
                act(*modal);
            else
                ADD_FAILURE() << "no modal dialog";
        });
    }
    static std::vector<std::string> history()
    {
        lirra::platform::Registry registry;
        return lirra::platform::readStringList(registry, "Software\\Lirra Reader\\History").entries;
    }
    static std::int32_t storedOption(const char* name)
    {
        lirra::platform::Registry registry;
        registry.openKey(lirra::kOptionsKey, false);
        return registry.readInteger(name);
    }

    std::vector<QString> boxes;                          // the texts of the boxes shown
    std::vector<QString> titledBoxes;                    // the same as "title: text"
    lirra::BoxAnswer questionAnswer = lirra::BoxAnswer::No;
    std::vector<lirra::FileDialogRequest> requests;      // the file dialogs asked for
    std::optional<QString> nextFile;                     // what each of them answers
};
