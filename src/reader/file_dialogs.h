#pragma once

// The main window's file dialogs. Each keeps its file name between uses, as the
// Windows dialogs do. Tests choose files in advance through setFileDialogPresenter().

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace lirra {

struct FileDialogRequest {
    enum class Mode { Open, Save };
    Mode mode;
    QString title;
    QString filter;       // Windows form: "Description|pattern|Description|pattern"
    QString fileName;     // the name the dialog starts from
    bool createPrompt;    // ask before accepting the name of a file that does not exist
};

// Returns the chosen file name, or nothing when the user cancels.
using FileDialogPresenter = std::function<std::optional<QString>(const FileDialogRequest&)>;
FileDialogPresenter setFileDialogPresenter(FileDialogPresenter presenter);

// "Book's Files|*.*" -> "Book's Files (*)": Windows' "*.*" means every file.
QString qtNameFilters(const QString& windowsFilter);

class FileDialog {
public:
    FileDialog(FileDialogRequest::Mode mode, QString title, QString filter, bool createPrompt);
    std::optional<QString> execute(QWidget* parent);
    QString fileName() const { return m_fileName; }
    void setFileName(const QString& name) { m_fileName = name; }

private:
    FileDialogRequest::Mode m_mode;
    QString m_title;
    QString m_filter;
    bool m_createPrompt;
    QString m_fileName;
};

} // namespace lirra
