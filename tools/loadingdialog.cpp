#include "loadingdialog.h"
#include "ui_loadingdialog.h"

#include <QColor>
#include <QGraphicsDropShadowEffect>
#include <QMovie>

LoadingDialog::LoadingDialog(QWidget *parent)
    : QDialog(parent), ui(new Ui::LoadingDialog), movie(nullptr)
{
    ui->setupUi(this);
    setWindowFlags(Qt::WindowCloseButtonHint);
    movie = new QMovie(QStringLiteral(":/images/add.png"));

    auto *shadow = new QGraphicsDropShadowEffect(this);
    shadow->setOffset(0, 0);
    shadow->setColor(QColor(32, 101, 165));
    shadow->setBlurRadius(10);
    setGraphicsEffect(shadow);
}

LoadingDialog::~LoadingDialog()
{
    delete ui;
    delete movie;
}

void LoadingDialog::setBtnShow(bool show)
{
    ui->pushButton_cancel->setVisible(show);
}

void LoadingDialog::setBtnEnable(bool enable)
{
    ui->pushButton_cancel->setEnabled(enable);
}

void LoadingDialog::setBtnText(QString text)
{
    ui->pushButton_cancel->setText(text);
}

void LoadingDialog::on_pushButton_cancel_clicked()
{
}
