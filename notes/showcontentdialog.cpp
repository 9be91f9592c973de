#include "showcontentdialog.h"
#include "ui_showcontentdialog.h"

#include "domainnote.h"

ShowContentDialog::ShowContentDialog(QWidget *parent) : QDialog(parent), ui(new Ui::ShowContentDialog)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint
                   | Qt::WindowCloseButtonHint);
}

ShowContentDialog::~ShowContentDialog()
{
    delete ui;
}

void ShowContentDialog::receiveNote(DomainNote &note)
{
    ui->label_title->setText(note.getTitle().isEmpty() ? note.getMold() : note.getTitle());
    ui->label_mold->setText(note.getMold());
    // setText shows HTML as rich text and anything else as plain text.
    ui->textBrowser_content->setText(note.getContent());
    setWindowTitle(note.getMold());
}
