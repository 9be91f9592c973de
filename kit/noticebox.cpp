#include "noticebox.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace {

// Escape on a box whose only button is the escape button would press that
// button; this turns it into a plain close, so a press can be told from a close.
class EscapeCloses : public QObject
{
public:
    explicit EscapeCloses(QMessageBox *box) : QObject(box), box(box) { box->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == box && event->type() == QEvent::KeyPress
            && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            box->reject();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QMessageBox *box;
};

} // namespace

bool NoticeBox::show(QMessageBox::Icon icon, const QString &title, const QString &text, const QString &informative)
{
    QMessageBox box;
    box.setIcon(icon);
    if (!title.isEmpty())
        box.setWindowTitle(title);
    box.setText(text);
    if (!informative.isNull())
        box.setInformativeText(informative);
    QPushButton *button = box.addButton(QStringLiteral("知道了"), QMessageBox::ActionRole);
    bool pressed = false;
    QObject::connect(button, &QAbstractButton::clicked, &box, [&pressed] { pressed = true; });
    EscapeCloses escape(&box);
    box.exec();
    return pressed;
}

int NoticeBox::choose(QMessageBox::Icon icon, const QString &title, const QString &text, const QString &informative,
                      const QStringList &buttons, QMessageBox::StandardButtons standardButtons)
{
    QMessageBox box;
    box.setIcon(icon);
    box.setStandardButtons(standardButtons);
    if (!title.isEmpty())
        box.setWindowTitle(title);
    box.setText(text);
    if (!informative.isNull())
        box.setInformativeText(informative);
    int chosen = -1;
    for (int i = 0; i < buttons.size(); ++i) {
        QPushButton *button = box.addButton(buttons.at(i), QMessageBox::ActionRole);
        QObject::connect(button, &QAbstractButton::clicked, &box, [&chosen, i] { chosen = i; });
    }
    box.exec();
    return chosen;
}

bool NoticeBox::confirmDelete(QMessageBox::Icon icon, QMessageBox::StandardButtons standardButtons)
{
    return choose(icon, QStringLiteral("删除提示"), QStringLiteral("确定要删除吗？删除后无法恢复"), QString(),
                  {QStringLiteral("确认"), QStringLiteral("取消")}, standardButtons)
           == 0;
}
