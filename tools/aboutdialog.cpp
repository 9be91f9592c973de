#include "aboutdialog.h"

#include <QGridLayout>
#include <QIcon>
#include <QJsonArray>
#include <QJsonValue>
#include <QMetaObject>
#include <QTextBrowser>

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent), ui(new Form)
{
    setupForm();
    ui->textBrowser->setPlaceholderText(QStringLiteral("稍等，信息加载中！"));
    findAll();
}

AboutDialog::~AboutDialog()
{
    delete ui;
}

void AboutDialog::setupForm()
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("AboutDialog"));
    resize(800, 600);
    QIcon icon;
    icon.addFile(QStringLiteral(":/images/doctorLog.png"), QSize(), QIcon::Normal, QIcon::Off);
    setWindowIcon(icon);

    ui->gridLayout = new QGridLayout(this);
    ui->gridLayout->setObjectName(QStringLiteral("gridLayout"));
    ui->textBrowser = new QTextBrowser(this);
    ui->textBrowser->setObjectName(QStringLiteral("textBrowser"));
    ui->gridLayout->addWidget(ui->textBrowser, 0, 0, 1, 1);

    setWindowTitle(QStringLiteral("关于"));
    ui->textBrowser->setHtml(QStringLiteral(
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\" \"http://www.w3.org/TR/REC-html40/strict.dtd\">\n"
        "<html><head><meta name=\"qrichtext\" content=\"1\" /><style type=\"text/css\">\n"
        "p, li { white-space: pre-wrap; }\n"
        "</style></head><body style=\" font-family:'Microsoft YaHei UI'; font-size:9pt; font-weight:400; "
        "font-style:normal;\">\n"
        "<p style=\"-qt-paragraph-type:empty; margin-top:0px; margin-bottom:0px; margin-left:0px; "
        "margin-right:0px; -qt-block-indent:0; text-indent:0px;\"><br /></p></body></html>"));

    QMetaObject::connectSlotsByName(this);
}

void AboutDialog::findAll()
{
    request.insert(QStringLiteral("curPage"), 1);
    request.insert(QStringLiteral("pageSize"), 30);
    request.insert(QStringLiteral("conditionStr"),
                   QStringLiteral(" and appOS='windows' and mold = 'about' and showSwitchStr = '展示'"));
    request.insert(QStringLiteral("order"), QStringLiteral("DESC"));

    const QJsonObject result = httpMessage.findByCondition(request);
    const QJsonValue list = result.value(QStringLiteral("dList"));
    if (!list.isArray())
        return;
    const QJsonArray messages = list.toArray();
    if (messages.isEmpty()) {
        text = QStringLiteral("没有信息");
    } else {
        for (const QJsonValue &m : messages)
            text += m.toObject().value(QStringLiteral("message")).toString();
    }
    ui->textBrowser->setText(text);
}
