#ifndef TABLEWINDOW_H
#define TABLEWINDOW_H

#include <QList>
#include <QMainWindow>
#include <QString>

#include "tableloader.h"

class DomainUser;

// The base of the table windows (accounts, notes, work plans, reminders,
// system messages): a main window whose form has the paging row (the page
// selector comboBox_pageNumber, the buttons pushButtonl_previousPage and
// pushButton_nextPage), whose pages are loaded by a TableLoader and whose
// rows the window itself builds through the loader's hooks.
//
// The paging slots are this class's; the form connects them by name. Each
// window gives its own form, texts, columns, records and slots.
class TableWindow : public QMainWindow, protected TableLoader::Hooks
{
    Q_OBJECT

public:
    // `pageSize`: the page size the window starts with; `empty`: what a load
    // does with an empty condition (leave "conditionStr" out, or send it empty).
    TableWindow(QWidget *parent, int pageSize,
                ListRequest::EmptyCondition empty = ListRequest::EmptyCondition::Omit);

    // Loads the current page with the window's condition.
    void findAll();
    // Page selector, page label, status line and paging buttons for what is shown.
    void setPageComboBoxItem();

protected slots:
    void on_pushButtonl_previousPage_clicked();
    void on_pushButton_nextPage_clicked();
    void on_comboBox_pageNumber_currentIndexChanged(int index);

protected:
    // Keeps the logged-in user (by reference: the dashboard owns it) and its grade.
    void keepUser(DomainUser &user);
    // " and loginName ='<the user's name>'", the condition that keeps a user
    // below grade 5 to the own records.
    QString ownerCondition() const;
    // The body of a window's toExcel(): the rows shown (loader.rows()) into a
    // workbook under the column titles, one column per JSON key, and what the
    // backup reports in the box "备份提示" (nothing when it reports nothing).
    void backUpShownRows(QList<QString> &headers, QList<QString> &keys);

    // The search of a window whose dialog takes the grade: the dialog's
    // sendDomainUi reaches the window's receiveDomainUi (each confirm reloads
    // the window behind the open dialog); the window's sendGrade and
    // sendDomainUi hand the dialog the grade and the window's query state.
    template<class Dialog, class Window>
    void runSearch(Window *window)
    {
        Dialog dialog;
        connect(&dialog, &Dialog::sendDomainUi, window, &Window::receiveDomainUi);
        connect(window, &Window::sendGrade, &dialog, &Dialog::receiveGrade);
        connect(window, &Window::sendDomainUi, &dialog, &Dialog::receiveDomainUi);
        emit window->sendGrade(grade);
        emit window->sendDomainUi(loader.state());
        dialog.exec();
    }

    TableLoader loader;
    DomainUser *user = nullptr;
    int grade = 0;
};

#endif // TABLEWINDOW_H
