#pragma once

// TForm12: "View Clipboard", a window beside the main window that shows what the
// clipboard holds. It exists from start to exit and keeps following the clipboard while
// hidden; closing it only hides it.

#include <QWidget>

namespace lirra {

class TClipboardViewer;

class TForm12 : public QWidget {
    Q_OBJECT
public:
    explicit TForm12(QWidget* parent = nullptr);

    // Shows the window without blocking the others; a window already shown comes to the front.
    void showInFront();

private:
    TClipboardViewer* m_clipboardViewer1;
};

} // namespace lirra
