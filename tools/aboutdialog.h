#ifndef ABOUTDIALOG_H
#define ABOUTDIALOG_H

#include <QDialog>
#include <QJsonObject>
#include <QString>

#include "httpmessage.h"

class QGridLayout;
class QTextBrowser;
class QWidget;

// Shows the service's "about" messages for Windows clients, fetched anew on
// every opening.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget *parent = nullptr);
    ~AboutDialog() override;

    void findAll();

private:
    // The dialog's widgets, built in the constructor.
    struct Form {
        QGridLayout *gridLayout = nullptr;
        QTextBrowser *textBrowser = nullptr;
    };

    void setupForm();

    QJsonObject request;
    HttpMessage httpMessage;
    QString text;
    Form *ui;
};

#endif // ABOUTDIALOG_H
