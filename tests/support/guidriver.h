#ifndef GUIDRIVER_H
#define GUIDRIVER_H

#include <QString>
#include <QStringList>

class ModalAnswerer;
class QAbstractItemView;
class QPoint;
class QWidget;

// What a person does to a window that the QtTest calls do not cover.
namespace GuiDriver {

// Types any text into the widget, one key event per character (keyClicks takes ASCII only).
void type(QWidget *widget, const QString &text);
// Queues on the answerer a file dialog (open or save) answered with `path`
// typed into its name field (an existing file is overwritten without asking).
void chooseFile(ModalAnswerer &answerer, const QString &path);
// Opens the context menu of the view at `pos` (viewport coordinates) with a
// right click and picks the entry with the text `entry`; false when no menu
// opened or it has no such visible entry (the menu is closed then). The menu
// may be shown with popup() or run with exec(); the entry is triggered once
// the menu has closed.
bool pickFromMenu(QAbstractItemView *view, const QPoint &pos, const QString &entry);
// The entries of the menu that a right click at `pos` opens (visible ones
// only, separators left out); empty when none opens. The menu is closed again.
QStringList menuEntries(QAbstractItemView *view, const QPoint &pos);
// Double-clicks the widget in its middle.
void doubleClick(QWidget *widget);

} // namespace GuiDriver

#endif // GUIDRIVER_H
