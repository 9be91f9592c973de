#include "guidriver.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QtTest>

#include "modalanswerer.h"

namespace {

// Right-clicks the view and hands the menu that opened (or null) to `use`.
// A menu shown with popup() is there once the click returns; one run with
// exec() only while the window waits for it, where a timer meets it.
template<class Use>
void withMenu(QAbstractItemView *view, const QPoint &pos, Use use)
{
    QWidget *viewport = view->viewport();
    QTest::mouseClick(viewport, Qt::RightButton, {}, pos);
    bool used = false;
    const auto useOpen = [&] {
        used = true;
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        use(menu);
        if (menu)
            menu->hide();
    };
    QTimer waiting;
    waiting.setSingleShot(true);
    QObject::connect(&waiting, &QTimer::timeout, [&] {
        if (qobject_cast<QMenu *>(QApplication::activePopupWidget()))
            useOpen();
    });
    waiting.start(0);
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, viewport->mapToGlobal(pos));
    QApplication::sendEvent(viewport, &event);
    waiting.stop();
    if (!used)
        useOpen();
}

} // namespace

void GuiDriver::type(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void GuiDriver::chooseFile(ModalAnswerer &answerer, const QString &path)
{
    answerer.dialog("QFileDialog", [path](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

bool GuiDriver::pickFromMenu(QAbstractItemView *view, const QPoint &pos, const QString &entry)
{
    QAction *picked = nullptr;
    withMenu(view, pos, [&](QMenu *menu) {
        if (!menu)
            return;
        for (QAction *action : menu->actions()) {
            if (action->isVisible() && action->text() == entry)
                picked = action;
        }
    });
    if (picked)
        picked->trigger();
    return picked;
}

QStringList GuiDriver::menuEntries(QAbstractItemView *view, const QPoint &pos)
{
    QStringList entries;
    withMenu(view, pos, [&](QMenu *menu) {
        if (!menu)
            return;
        for (QAction *action : menu->actions()) {
            if (action->isVisible() && !action->isSeparator())
                entries << action->text();
        }
    });
    return entries;
}

void GuiDriver::doubleClick(QWidget *widget)
{
    QTest::mouseDClick(widget, Qt::LeftButton, {}, widget->rect().center());
}
