#pragma once

// TForm8, "Information": the open book's file name, its size on disk, its lines and an
// estimate of its printed pages. It reads everything afresh each time it opens.

#include <QDialog>

class QLabel;

namespace lirra {

class ReaderWindow;

class TForm8 : public QDialog {
    Q_OBJECT
public:
    TForm8(ReaderWindow& reader, QWidget* parent);

    // Info1Click: shows the dialog modally when a book is open; nothing at all otherwise.
    void showForOpenBook();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();
    void Button1Click();

    ReaderWindow& m_reader;
    QLabel* m_fileName = nullptr;   // file name
    QLabel* m_fileSize = nullptr;   // file size
    QLabel* m_lineCount = nullptr;   // lines
    QLabel* m_pageCount = nullptr;   // pages
};

} // namespace lirra
