#include "notewindow.h"
#include "ui_notewindow.h"

#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTableWidgetItem>

#include "conditionbuilder.h"
#include "rowmenu.h"
#include "tablerows.h"

namespace {

const int kColumnCount = 20;
const int kOwnerColumn = 16;
const int kIdColumn = 18;

} // namespace

NoteWindow::NoteWindow(QWidget *parent) : TableWindow(parent, Property().getPageSize()), ui(new Ui::NoteWindow)
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
    statusLabel = PagingBar::addStatus(ui->statusbar, QStringLiteral("QLabel{color:black}"));
    loader.setPaging(PagingBar::ofForm(ui, {
        QStringLiteral("第{curPage}页/共{pages}页 |  共{total}条笔记"),
        QStringLiteral("当前总笔记数量为 {total} 条，总共 {pages} 页，每页显示 {pageSize} 条笔记，当前所在位置：第 {curPage} 页;    "),
        QString(), QStringLiteral("当前总笔记数量为 {total} 条，已全部显示在页面中；    ")}, statusLabel));

    QTableWidget *table = ui->tableWidget;
    table->setColumnCount(kColumnCount);
    table->setColumnHidden(kIdColumn, true);
    const ColumnSwitch::SetHidden columns = ColumnSwitch::columnsOf(table);
    isShowSwitch = ColumnSwitch(ui->isShowAction, &isShowHidden, {1},
                                {QStringLiteral(":/images/eye-on.png"), QStringLiteral("关闭显示列")},
                                {QStringLiteral(":/images/eye-off.png"), QStringLiteral("打开显示列")}, columns);
    registerDateSwitch = ColumnSwitch(ui->registerDateSwitchAction, &registerDateHidden, {5},
                                      {QStringLiteral(":/images/date-on.png"), QStringLiteral("关闭添加日期列")},
                                      {QStringLiteral(":/images/date-off.png"), QStringLiteral("打开添加日期列")},
                                      columns);
    remindMethodSwitch = ColumnSwitch(ui->remindMethodSwitchAction, &remindMethodHidden, {8, 9, 10, 11, 12},
                                      {QStringLiteral(":/images/remind-on.png"), QStringLiteral("关闭提箱相关列")},
                                      {QStringLiteral(":/images/remind-off.png"), QStringLiteral("打开提醒相关列")},
                                      columns);
    addressSwitch = ColumnSwitch(ui->addressSwitchAction, &addressHidden, {4},
                                 {QStringLiteral(":/images/address-on.png"), QStringLiteral("关闭地址列")},
                                 {QStringLiteral(":/images/address-off.png"), QStringLiteral("打开地址列")}, columns);
    imageSwitch = ColumnSwitch(ui->imageAction, &imageHidden, {13, 14, 15},
                               {QStringLiteral(":/images/attached-on.png"), QStringLiteral("关闭附属列")},
                               {QStringLiteral(":/images/attached-off.png"), QStringLiteral("打开附属列")}, columns);
    commentSwitch = ColumnSwitch(ui->commentSwitchAction, &commentHidden, {17},
                                 {QStringLiteral(":/images/comment-on.png"), QStringLiteral("关闭备注列")},
                                 {QStringLiteral(":/images/comment-off.png"), QStringLiteral("打开备注列")}, columns);
    for (ColumnSwitch *s :
         {&isShowSwitch, &registerDateSwitch, &remindMethodSwitch, &addressSwitch, &imageSwitch, &commentSwitch})
        s->apply();

    table->verticalHeader()->setDefaultSectionSize(75);

    table->setContextMenuPolicy(Qt::CustomContextMenu);
    createMenu();
    connect(table, &QWidget::customContextMenuRequested, this, &NoteWindow::slotContextMenu);
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
    initTableWidget();
}

void NoteWindow::initTableWidget()
{
    qDeleteAll(noteList);
    noteList.clear();
    menuNote = nullptr;
    TableRows::reset(ui->tableWidget,
                     {QStringLiteral("笔记类型"), QStringLiteral("是否展示"), QStringLiteral("优先级"),
                      QStringLiteral("笔记主题"), QStringLiteral("访问的地址"), QStringLiteral("添加日期"),
                      QStringLiteral("修改日期"), QStringLiteral("提醒开关"), QStringLiteral("提醒方式"),
                      QStringLiteral("提醒主体"), QStringLiteral("提醒频率"), QStringLiteral("提醒日期"),
                      QStringLiteral("前置天数"), QStringLiteral("图片"), QStringLiteral("声音"), QStringLiteral("附件"),
                      QStringLiteral("用户名"), QStringLiteral("备注"), QStringLiteral("ID"), QStringLiteral("笔记内容")},
                     {{0, 80}, {1, 60}, {2, 50}, {3, 100}, {4, 100}, {5, 90}, {6, 90}, {7, 60}, {11, 90}, {12, 60},
                      {13, 60}, {14, 100}, {15, 150}, {17, 300}});
    ui->tableWidget->setColumnHidden(kOwnerColumn, grade <= 4);
}

DomainNote *NoteWindow::appendOneRow(QJsonObject &json)
{
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
    TableRows::append(ui->tableWidget, cells, [](int column) {
        if (column == kIdColumn)
            return Qt::Alignment(); // the id keeps the default alignment
        return column == kColumnCount - 1 ? Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter)
                                          : Qt::Alignment(Qt::AlignCenter);
    });
    return note;
}

QJsonObject NoteWindow::requestList(const QJsonObject &request)
{
    return endpoint.findByCondition(request);
}

QJsonObject NoteWindow::requestDue(const QJsonObject &request)
{
    return endpoint.findByRemindDay(request);
}

void NoteWindow::fillRows(const QJsonArray &rows)
{
    TableRows::fill(ui->tableWidget, rows, noteList, [this](QJsonObject &json) { return appendOneRow(json); });
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
    if (!RowMenu::onCell(ui->tableWidget, pos))
        return;
    menuNote = RowMenu::current(ui->tableWidget, kIdColumn, noteList);
    showImageAction->setVisible(menuNote && !menuNote->getImage().isEmpty());
    showContentAction->setVisible(menuNote && !menuNote->getContent().isEmpty());
    RowMenu::open(menu, ui->tableWidget, pos, RowMenu::Show::Wait);
}

void NoteWindow::slotMenuClicked(QAction *action)
{
    Q_UNUSED(action)
}

void NoteWindow::on_addAction_triggered() {}

void NoteWindow::on_findAction_triggered() {}

void NoteWindow::on_copyAction_triggered() {}

void NoteWindow::toExcel() {}

void NoteWindow::on_QuitAction_triggered()
{
    close();
}

void NoteWindow::on_registerDateSwitchAction_triggered()
{
    registerDateSwitch.toggle();
}

void NoteWindow::on_remindMethodSwitchAction_triggered()
{
    remindMethodSwitch.toggle();
}

void NoteWindow::on_addressSwitchAction_triggered()
{
    addressSwitch.toggle();
}

void NoteWindow::on_imageAction_triggered()
{
    imageSwitch.toggle();
}

void NoteWindow::on_commentSwitchAction_triggered()
{
    commentSwitch.toggle();
}

void NoteWindow::on_isShowAction_triggered()
{
    isShowSwitch.toggle();
}

void NoteWindow::receiveUser(DomainUser &user, int tag)
{
    Q_UNUSED(tag)
    keepUser(user);
    loader.setCondition(grade < 5 ? ownerCondition() : QString());
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
    const QString owner = grade < 5 ? ownerCondition() : QString();
    loader.select(owner + domainUi.getConditionStr(), domainUi.getPageSize(), domainUi.getCurPage());
}

void NoteWindow::receiveSignal()
{
    // Below grade 5 the user is asked about the shown notes whose reminder is due.
    std::optional<TableLoader::Due> due;
    if (grade < 5)
        due = TableLoader::Due{defaultFilter() + QStringLiteral(" and isRemind = '开启'"),
                               QStringLiteral("处理提醒提示"), QStringLiteral(" 条笔记需要处理"),
                               QStringLiteral("查看处理笔记: 选择<查看>，不查看: 选择<不查看>")};
    loader.open(defaultFilter(), due);
}
