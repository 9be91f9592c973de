#include "notewindow.h"
#include "ui_notewindow.h"

#include <QAbstractButton>
#include <QCursor>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidgetItem>

#include "sqlquote.h"

namespace {

const int kColumnCount = 20;
const int kOwnerColumn = 16;
const int kIdColumn = 18;

} // namespace

NoteWindow::NoteWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui::NoteWindow), order(QStringLiteral("desc"))
{
    ui->setupUi(this);
    init();
}

NoteWindow::~NoteWindow()
{
    delete ui;
}

void NoteWindow::init()
{
    pageSize = property.getPageSize();
    domainUi.setCurPage(curPage);
    domainUi.setPageSize(pageSize);

    statusLabel = new QLabel(this);
    ui->statusbar->addWidget(statusLabel);
    ui->statusbar->setStyleSheet(QStringLiteral("QLabel{color:black}"));

    ui->tableWidget->setColumnCount(kColumnCount);
    for (int column : {1, 4, 5, 8, 9, 10, 11, 12, 13, 14, 15, 17, 18})
        ui->tableWidget->setColumnHidden(column, true);

    ui->isShowAction->setIcon(QIcon(QStringLiteral(":/images/eye-off.png")));
    ui->isShowAction->setText(QStringLiteral("打开显示列"));
    ui->registerDateSwitchAction->setIcon(QIcon(QStringLiteral(":/images/date-off.png")));
    ui->registerDateSwitchAction->setText(QStringLiteral("打开添加日期列"));
    ui->remindMethodSwitchAction->setIcon(QIcon(QStringLiteral(":/images/remind-off.png")));
    ui->remindMethodSwitchAction->setText(QStringLiteral("打开提醒相关列"));
    ui->addressSwitchAction->setIcon(QIcon(QStringLiteral(":/images/address-off.png")));
    ui->addressSwitchAction->setText(QStringLiteral("打开地址列"));
    ui->imageAction->setIcon(QIcon(QStringLiteral(":/images/attached-off.png")));
    ui->imageAction->setText(QStringLiteral("打开附属列"));
    ui->commentSwitchAction->setIcon(QIcon(QStringLiteral(":/images/comment-off.png")));
    ui->commentSwitchAction->setText(QStringLiteral("打开备注列"));

    ui->tableWidget->verticalHeader()->setDefaultSectionSize(75);
    ui->comboBox_pageNumber->setEditable(true);
    ui->comboBox_pageNumber->lineEdit()->setAlignment(Qt::AlignCenter);
    ui->comboBox_pageNumber->lineEdit()->setReadOnly(true);

    ui->tableWidget->setContextMenuPolicy(Qt::CustomContextMenu);
    createMenu();
    connect(ui->tableWidget, &QWidget::customContextMenuRequested, this, &NoteWindow::slotContextMenu);
}

QString NoteWindow::ownerCondition() const
{
    return QStringLiteral(" and loginName =") + QLatin1Char('\'') + sqlQuoted(user ? user->getUsername() : QString())
        + QLatin1Char('\'');
}

QString NoteWindow::defaultFilter() const
{
    QString filter;
    if (grade < 5)
        filter = ownerCondition();
    return filter + QStringLiteral(" and isShow ='展示'");
}

void NoteWindow::clearRows()
{
    qDeleteAll(noteList);
    noteList.clear();
    menuNote = nullptr;
}

void NoteWindow::initTableWidget()
{
    ui->tableWidget->clear();
    ui->tableWidget->setRowCount(0);
    clearRows();
    ui->tableWidget->setColumnHidden(kOwnerColumn, grade <= 4);

    listRequest.insert(QStringLiteral("pageSize"), pageSize);
    listRequest.insert(QStringLiteral("curPage"), curPage);
    if (!condition.isEmpty())
        listRequest.insert(QStringLiteral("conditionStr"), condition);
    listRequest.insert(QStringLiteral("order"), order);

    ui->tableWidget->setHorizontalHeaderLabels(
        {QStringLiteral("笔记类型"), QStringLiteral("是否展示"), QStringLiteral("优先级"), QStringLiteral("笔记主题"),
         QStringLiteral("访问的地址"), QStringLiteral("添加日期"), QStringLiteral("修改日期"), QStringLiteral("提醒开关"),
         QStringLiteral("提醒方式"), QStringLiteral("提醒主体"), QStringLiteral("提醒频率"), QStringLiteral("提醒日期"),
         QStringLiteral("前置天数"), QStringLiteral("图片"), QStringLiteral("声音"), QStringLiteral("附件"),
         QStringLiteral("用户名"), QStringLiteral("备注"), QStringLiteral("ID"), QStringLiteral("笔记内容")});
    QHeaderView *header = ui->tableWidget->horizontalHeader();
    header->setStretchLastSection(true);
    const QList<QPair<int, int>> widths{{0, 80}, {1, 60}, {2, 50}, {3, 100}, {4, 100}, {5, 90},  {6, 90},
                                        {7, 60}, {11, 90}, {12, 60}, {13, 60}, {14, 100}, {15, 150}, {17, 300}};
    for (const auto &width : widths)
        ui->tableWidget->setColumnWidth(width.first, width.second);
    ui->tableWidget->setAlternatingRowColors(true);
}

DomainNote *NoteWindow::appendOneRow(QJsonObject &json)
{
    QTableWidget *table = ui->tableWidget;
    // Rows are placed by their index; sorting would move them while their cells arrive.
    const bool sorting = table->isSortingEnabled();
    table->setSortingEnabled(false);
    const int row = table->rowCount();
    table->setRowCount(row + 1);

    auto *note = new DomainNote;
    note->setId(json.value("id").toInt());
    note->setMold(json.value("mold").toString());
    note->setIsShow(json.value("isShow").toString());
    note->setGrade(json.value("grade").toInt());
    note->setTitle(json.value("title").toString());
    note->setContent(json.value("content").toString());
    note->setAddress(json.value("address").toString());
    note->setRegisterDate(json.value("registerDate").toString());
    note->setUpdateDate(json.value("updateDate").toString());
    note->setIsRemind(json.value("isRemind").toString());
    note->setRemindMethod(json.value("remindMethod").toString());
    note->setRemindMethodBody(json.value("remindMethodBody").toString());
    note->setRemindFrequency(json.value("remindFrequency").toString());
    note->setRemindDate(json.value("remindDate").toString());
    note->setRemindDateNumber(json.value("remindDateNumber").toInt());
    note->setImage(json.value("image").toString());
    note->setVolume(json.value("volume").toString());
    note->setAttachedFile(json.value("attachedFile").toString());
    note->setComment(json.value("comment").toString());
    note->setLoginName(json.value("loginName").toString());

    const QStringList cells{note->getMold(),
                            note->getIsShow(),
                            QString::number(note->getGrade()),
                            note->getTitle(),
                            note->getAddress(),
                            note->getRegisterDate(),
                            note->getUpdateDate(),
                            note->getIsRemind(),
                            note->getRemindMethod(),
                            note->getRemindMethodBody(),
                            note->getRemindFrequency(),
                            note->getRemindDate(),
                            QString::number(note->getRemindDateNumber()),
                            note->getImage(),
                            note->getVolume(),
                            note->getAttachedFile(),
                            note->getLoginName(),
                            note->getComment(),
                            QString::number(note->getId()),
                            note->getContent()};
    for (int column = 0; column < cells.size(); ++column) {
        auto *item = new QTableWidgetItem(cells.at(column));
        item->setTextAlignment(column == kColumnCount - 1 ? Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter)
                                                          : Qt::Alignment(Qt::AlignCenter));
        table->setItem(row, column, item);
    }
    table->setSortingEnabled(sorting);
    return note;
}

void NoteWindow::findAll()
{
    initTableWidget();
    const QJsonObject result = endpoint.findByCondition(listRequest);
    if (!result.value(QStringLiteral("dList")).isArray())
        return;
    lastList = result.value(QStringLiteral("dList")).toArray();
    for (const QJsonValue &value : std::as_const(lastList)) {
        QJsonObject json = value.toObject();
        noteList.append(appendOneRow(json));
    }
    totalCount = result.value(QStringLiteral("totalCount")).toInt();
    domainUi.setTotalCount(totalCount);
    setPageComboBoxItem();
    if (exportPending)
        toExcel();
}

void NoteWindow::setPageComboBoxItem()
{
    QComboBox *combo = ui->comboBox_pageNumber;
    combo->blockSignals(true);
    int pages = 0;
    if (totalCount > pageSize && pageSize > 0) {
        pages = (totalCount + pageSize - 1) / pageSize;
        combo->clear();
        for (int i = 1; i <= pages; ++i)
            combo->addItem(QStringLiteral("第%1页/共%2页").arg(i).arg(pages));
        combo->setCurrentIndex(curPage - 1);
        ui->label_pageMessage->setText(
            QStringLiteral("第%1页/共%2页 |  共%3条笔记").arg(curPage).arg(pages).arg(totalCount));
        statusLabel->setText(QStringLiteral("当前总笔记数量为 %1 条，总共 %2 页，每页显示 %3 条笔记，当前所在位置：第 %4 页;    ")
                                 .arg(totalCount)
                                 .arg(pages)
                                 .arg(pageSize)
                                 .arg(curPage));
    } else {
        combo->clear();
        combo->addItem(QStringLiteral("第1页/共1页"));
        statusLabel->setText(QStringLiteral("当前总笔记数量为 %1 条，已全部显示在页面中；    ").arg(totalCount));
    }
    combo->blockSignals(false);

    ui->pushButtonl_previousPage->setEnabled(curPage > 1);
    ui->pushButton_nextPage->setEnabled(totalCount > curPage * pageSize);

    const bool several = pages > 1;
    for (QWidget *widget : {static_cast<QWidget *>(ui->label_pageMessage),
                            static_cast<QWidget *>(ui->pushButtonl_previousPage),
                            static_cast<QWidget *>(ui->comboBox_pageNumber),
                            static_cast<QWidget *>(ui->pushButton_nextPage)})
        widget->setVisible(several);
    for (QSpacerItem *spacer : {ui->horizontalSpacer, ui->horizontalSpacer_2}) {
        if (several)
            spacer->changeSize(20, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
        else
            spacer->changeSize(0, 0, QSizePolicy::Minimum, QSizePolicy::Minimum);
    }
    ui->horizontalLayout->invalidate();
}

void NoteWindow::createMenu()
{
    menu = new QMenu(this);
    deleteAction = new QAction(QIcon(QStringLiteral(":/images/delete.png")), QStringLiteral("删除此行"), this);
    updateAction = new QAction(QIcon(QStringLiteral(":/images/update.png")), QStringLiteral("修改此行"), this);
    showContentAction = new QAction(QIcon(QStringLiteral(":/images/report.png")), QStringLiteral("显示内容"), this);
    showImageAction = new QAction(QIcon(QStringLiteral(":/images/image1.png")), QStringLiteral("显示图片"), this);
    menu->addAction(updateAction);
    menu->addAction(deleteAction);
    menu->addAction(showContentAction);
    menu->addAction(showImageAction);
    connect(menu, &QMenu::triggered, this, &NoteWindow::slotMenuClicked);
}

void NoteWindow::slotContextMenu(QPoint pos)
{
    if (!ui->tableWidget->indexAt(pos).isValid())
        return;
    const int row = ui->tableWidget->currentRow();
    const QTableWidgetItem *idItem = row < 0 ? nullptr : ui->tableWidget->item(row, kIdColumn);
    const int id = idItem ? idItem->text().toInt() : 0;
    menuNote = nullptr;
    for (DomainNote *note : std::as_const(noteList)) {
        if (note->getId() == id) {
            menuNote = note;
            break;
        }
    }
    showImageAction->setVisible(menuNote && !menuNote->getImage().isEmpty());
    showContentAction->setVisible(menuNote && !menuNote->getContent().isEmpty());
    menu->exec(QCursor::pos());
}

void NoteWindow::slotMenuClicked(QAction *action)
{
    Q_UNUSED(action)
}

void NoteWindow::on_addAction_triggered() {}

void NoteWindow::on_findAction_triggered() {}

void NoteWindow::on_copyAction_triggered() {}

void NoteWindow::toExcel()
{
    exportPending = false;
}

void NoteWindow::on_QuitAction_triggered()
{
    close();
}

void NoteWindow::on_pushButtonl_previousPage_clicked()
{
    if (curPage >= 2) {
        --curPage;
        findAll();
    }
}

void NoteWindow::on_pushButton_nextPage_clicked()
{
    if (totalCount > pageSize * curPage) {
        ++curPage;
        findAll();
    }
}

void NoteWindow::on_comboBox_pageNumber_currentIndexChanged(int index)
{
    curPage = index + 1;
    findAll();
}

void NoteWindow::switchColumns(bool &flag, QAction *action, const QList<int> &columns, const QString &offIcon,
                               const QString &offText, const QString &onIcon, const QString &onText)
{
    flag = !flag;
    for (int column : columns)
        ui->tableWidget->setColumnHidden(column, flag);
    action->setIcon(QIcon(flag ? offIcon : onIcon));
    action->setText(flag ? offText : onText);
}

void NoteWindow::on_registerDateSwitchAction_triggered()
{
    switchColumns(registerDateHidden, ui->registerDateSwitchAction, {5}, QStringLiteral(":/images/date-off.png"),
                  QStringLiteral("打开添加日期列"), QStringLiteral(":/images/date-on.png"), QStringLiteral("关闭添加日期列"));
}

void NoteWindow::on_remindMethodSwitchAction_triggered()
{
    switchColumns(remindMethodHidden, ui->remindMethodSwitchAction, {8, 9, 10, 11, 12},
                  QStringLiteral(":/images/remind-off.png"), QStringLiteral("打开提醒相关列"),
                  QStringLiteral(":/images/remind-on.png"), QStringLiteral("关闭提箱相关列"));
}

void NoteWindow::on_addressSwitchAction_triggered()
{
    switchColumns(addressHidden, ui->addressSwitchAction, {4}, QStringLiteral(":/images/address-off.png"),
                  QStringLiteral("打开地址列"), QStringLiteral(":/images/address-on.png"), QStringLiteral("关闭地址列"));
}

void NoteWindow::on_imageAction_triggered()
{
    switchColumns(imageHidden, ui->imageAction, {13, 14, 15}, QStringLiteral(":/images/attached-off.png"),
                  QStringLiteral("打开附属列"), QStringLiteral(":/images/attached-on.png"), QStringLiteral("关闭附属列"));
}

void NoteWindow::on_commentSwitchAction_triggered()
{
    switchColumns(commentHidden, ui->commentSwitchAction, {17}, QStringLiteral(":/images/comment-off.png"),
                  QStringLiteral("打开备注列"), QStringLiteral(":/images/comment-on.png"), QStringLiteral("关闭备注列"));
}

void NoteWindow::on_isShowAction_triggered()
{
    switchColumns(isShowHidden, ui->isShowAction, {1}, QStringLiteral(":/images/eye-off.png"),
                  QStringLiteral("打开显示列"), QStringLiteral(":/images/eye-on.png"), QStringLiteral("关闭显示列"));
}

void NoteWindow::receiveUser(DomainUser &user, int tag)
{
    Q_UNUSED(tag)
    this->user = &user;
    grade = user.getGrade();
    condition.clear();
    if (grade < 5)
        condition = ownerCondition();
    setWindowTitle(QStringLiteral("笔记管理"));

    exportHeaders = {QStringLiteral("笔记类型"), QStringLiteral("是否展示"), QStringLiteral("优先级"),
                     QStringLiteral("笔记主题"), QStringLiteral("笔记内容"), QStringLiteral("访问的地址"),
                     QStringLiteral("添加日期"), QStringLiteral("修改日期"), QStringLiteral("提醒开关"),
                     QStringLiteral("提醒方式"), QStringLiteral("提醒主体"), QStringLiteral("提醒频率"),
                     QStringLiteral("提醒日期"), QStringLiteral("前置天数"), QStringLiteral("图片"),
                     QStringLiteral("声音"), QStringLiteral("附件"), QStringLiteral("备注")};
    exportKeys = {QStringLiteral("mold"),          QStringLiteral("isShow"),
                  QStringLiteral("grade"),         QStringLiteral("title"),
                  QStringLiteral("content"),       QStringLiteral("address"),
                  QStringLiteral("registerDate"),  QStringLiteral("updateDate"),
                  QStringLiteral("isRemind"),      QStringLiteral("remindMethod"),
                  QStringLiteral("remindMethodBody"), QStringLiteral("remindFrequency"),
                  QStringLiteral("remindDate"),    QStringLiteral("remindDateNumber"),
                  QStringLiteral("image"),         QStringLiteral("volume"),
                  QStringLiteral("attachedFile"),  QStringLiteral("comment")};
    if (grade >= 5) {
        exportHeaders.append(QStringLiteral("用户名"));
        exportKeys.append(QStringLiteral("loginName"));
    }
}

void NoteWindow::receiveDomainUi(DomainUi &domainUi)
{
    dueView = false;
    condition.clear();
    if (grade < 5)
        condition = ownerCondition();
    condition.append(domainUi.getConditionStr());
    if (domainUi.getPageSize() != 0) {
        pageSize = domainUi.getPageSize();
        this->domainUi.setPageSize(pageSize);
    }
    if (domainUi.getCurPage() > 0)
        curPage = domainUi.getCurPage();
    findAll();
}

void NoteWindow::receiveSignal()
{
    condition = defaultFilter();
    findAll();
    if (grade >= 5)
        return;

    condition.append(QStringLiteral(" and isRemind = '开启'"));
    curPage = 1;
    pageSize = 0;
    listRequest.insert(QStringLiteral("pageSize"), 0);
    listRequest.insert(QStringLiteral("curPage"), 1);
    listRequest.insert(QStringLiteral("conditionStr"), condition);
    listRequest.insert(QStringLiteral("order"), order);
    const QJsonObject result = endpoint.findByRemindDay(listRequest);
    const QJsonArray due = result.value(QStringLiteral("dList")).toArray();
    if (!result.value(QStringLiteral("dList")).isArray() || due.isEmpty()) {
        dueView = false;
    } else {
        lastList = due;
        QMessageBox box;
        box.setWindowTitle(QStringLiteral("处理提醒提示"));
        box.setText(QStringLiteral("依据前置天数计算和过期计算, 当前有 ") + QStringLiteral("<span style='color:red'>")
                    + QString::number(due.size()) + QStringLiteral("</span>") + QStringLiteral(" 条笔记需要处理"));
        box.setInformativeText(QStringLiteral("查看处理笔记: 选择<查看>，不查看: 选择<不查看>"));
        QPushButton *view = box.addButton(QStringLiteral("查看"), QMessageBox::ActionRole);
        box.addButton(QStringLiteral("不查看"), QMessageBox::ActionRole);
        box.exec();
        if (box.clickedButton() == view) {
            dueView = true;
            initTableWidget();
            for (const QJsonValue &value : due) {
                QJsonObject json = value.toObject();
                noteList.append(appendOneRow(json));
            }
            totalCount = result.value(QStringLiteral("totalCount")).toInt();
            domainUi.setTotalCount(totalCount);
            pageSize = totalCount;
            setPageComboBoxItem();
        } else {
            dueView = false;
        }
    }
    pageSize = property.getPageSize();
    listRequest.insert(QStringLiteral("pageSize"), pageSize);
    listRequest.insert(QStringLiteral("curPage"), curPage);
    condition = defaultFilter();
}
