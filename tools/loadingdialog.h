#ifndef LOADINGDIALOG_H
#define LOADINGDIALOG_H

#include <QDialog>
#include <QString>

class QMovie;
class QWidget;

QT_BEGIN_NAMESPACE
namespace Ui {
class LoadingDialog;
}
QT_END_NAMESPACE

// A busy dialog from its form: a picture area and a button.
class LoadingDialog : public QDialog
{
    Q_OBJECT

public:
    explicit LoadingDialog(QWidget *parent = nullptr);
    ~LoadingDialog() override;

    void setBtnShow(bool show);
    void setBtnEnable(bool enable);
    void setBtnText(QString text);

private slots:
    void on_pushButton_cancel_clicked();

private:
    Ui::LoadingDialog *ui;
    QMovie *movie;
};

#endif // LOADINGDIALOG_H
