#ifndef NOTICEBOX_H
#define NOTICEBOX_H

#include <QMessageBox>
#include <QString>
#include <QStringList>

// The program's modal message boxes: parentless, their own buttons added in
// the action role.
class NoticeBox
{
public:
    // A notice with the single button "知道了" (title and informative text may
    // be empty). True only when that button was pressed: closing the box by
    // its close button or by Escape answers false.
    static bool show(QMessageBox::Icon icon, const QString &title, const QString &text,
                     const QString &informative = QString());
    static bool warning(const QString &title, const QString &text) { return show(QMessageBox::Warning, title, text); }

    // A choice between the given buttons (action role), none of them the
    // escape button, so the box can only be left by a button. Returns the
    // index of the button pressed. Standard buttons, when given, stand before
    // them; pressing one of those (or Escape, which then presses the standard
    // cancelling button) answers -1.
    static int choose(QMessageBox::Icon icon, const QString &title, const QString &text, const QString &informative,
                      const QStringList &buttons,
                      QMessageBox::StandardButtons standardButtons = QMessageBox::NoButton);
    // The table windows' question before a row is deleted: title "删除提示",
    // text "确定要删除吗？删除后无法恢复", answered by "确认" or "取消" (with
    // standard buttons before them when given); true only for "确认".
    static bool confirmDelete(QMessageBox::Icon icon,
                              QMessageBox::StandardButtons standardButtons = QMessageBox::NoButton);
};

#endif // NOTICEBOX_H
