#ifndef SHOWCONTENTDIALOG_H
#define SHOWCONTENTDIALOG_H

#include <QDialog>

class DomainNote;

QT_BEGIN_NAMESPACE
namespace Ui {
class ShowContentDialog;
}
QT_END_NAMESPACE

// Shows one note read-only: its title, its kind and its content (rich text
// when the content is HTML). The notes window keeps one and refills it.
class ShowContentDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ShowContentDialog(QWidget *parent = nullptr);
    ~ShowContentDialog() override;

public slots:
    void receiveNote(DomainNote &note);

private:
    Ui::ShowContentDialog *ui;
};

#endif // SHOWCONTENTDIALOG_H
