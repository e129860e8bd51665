#include "navigation/exit_prompt.h"

#include "reader/message_boxes.h"
#include "reader/reader_window.h"

#include <QAction>

namespace lirra {

void offerBookmarkBeforeExit(const ReaderWindow& reader, bool offerOn, bool& answeredYes,
                             const std::function<void()>& setBookmark)
{
    if (!offerOn || !reader.hasBook() || answeredYes)
        return;
    if (showMessage(BoxKind::Information, QStringLiteral("Set Book-Mark before exit?"), BoxButtons::YesNo)
        != BoxAnswer::Yes)
        return;
    answeredYes = true;
    setBookmark();
}

void toggleBookmarkBeforeExit(QAction& item, std::uint8_t& offerFlag)
{
    offerFlag = item.isChecked() ? 0 : 1;
    item.setChecked(offerFlag == 1);
}

} // namespace lirra
