#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QJsonObject>
#include <QMainWindow>
#include <QString>

#include "domainui.h"
#include "domainuser.h"
#include "httpaccount.h"
#include "property.h"

// The account book: a paged table of the user's web accounts.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

public slots:
    void receiveUsername(DomainUser &user);
    void receiveDomainUi(DomainUi &ui);

private:
    void findAll();

    HttpAccount httpAccount;
    Property property;
    DomainUi domainUi;
    DomainUser *domainUser = nullptr;
    QString username;
    int grade = 0;
    QString conditionStr;
    QString order;
    QJsonObject listRequest;
};

#endif // MAINWINDOW_H
