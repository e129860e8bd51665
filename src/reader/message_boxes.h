#pragma once

// The program's three kinds of message box and its default error box, all in one place.
// Tests answer boxes in advance through setMessagePresenter() instead of clicking.

#include <QString>
#include <functional>

class QWidget;

namespace lirra {

// "Lirra Reader v1.01": the version comes from the build.
inline const QString kApplicationTitle = QStringLiteral("Lirra Reader v" LIRRA_VERSION);

enum class BoxKind { Information, Error, Plain, Stop };
enum class BoxButtons { Ok, YesNo };
enum class BoxAnswer { Ok, Yes, No };

struct MessageBoxRequest {
    BoxKind kind;
    QString title;
    QString text;
    BoxButtons buttons;
};

using MessagePresenter = std::function<BoxAnswer(const MessageBoxRequest&)>;

// Replaces the real dialogs (tests); an empty function restores them. Returns the old one.
MessagePresenter setMessagePresenter(MessagePresenter presenter);

// Information box titled "Information", error box titled "Error", plain box titled with
// the application title.
BoxAnswer showMessage(BoxKind kind, const QString& text, BoxButtons buttons = BoxButtons::Ok);

// The application's default error handler: stop icon, application title, one OK button,
// and a full stop appended when the text's last character sorts after it.
void showErrorBox(const QString& text);
QString withClosingFullStop(const QString& text);

} // namespace lirra
