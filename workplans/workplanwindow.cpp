#include "workplanwindow.h"
#include "ui_workplanwindow.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QStatusBar>

#include <algorithm>

#include "excelhandler.h"
#include "noticebox.h"
#include "rowmenu.h"
#include "showplancontentdialog.h"
#include "workplanaddupdatedialog.h"
#include "workplanjson.h"
#include "workplansearchdialog.h"

namespace {

const int kOwnerColumn = 27;
// A query's plans normally fit on one page, so that its tree is whole.
const int kPageSize = 1000;
const int kIdColumn = 28;

// Plan kinds from the top of the tree down; "其它" plans are always leaves.
enum Kind { Year, Quarter, Month, Week, Day, Other, KindCount };

int kindOf(const QString &mold)
{
    static const QStringList molds{QStringLiteral("年度计划"), QStringLiteral("季度计划"), QStringLiteral("月计划"),
                                   QStringLiteral("周计划"),   QStringLiteral("日计划"),   QStringLiteral("其它")};
    const int index = molds.indexOf(mold);
    return index < 0 ? KindCount : index;
}

bool fits(const DWorkPlan *parent, const DWorkPlan *child)
{
    return parent->getStartDate() <= child->getStartDate() && child->getStartDate() < parent->getEndDate()
        && parent->getTag().contains(child->getTag());
}

} // namespace

WorkPlanWindow::WorkPlanWindow(QWidget *parent) : TableWindow(parent, kPageSize), ui(new Ui::WorkPlanWindow)
{
    ui->setupUi(this);
    init();
}

WorkPlanWindow::~WorkPlanWindow()
{
    delete ui;
}

void WorkPlanWindow::init()
{
    showPlanContentDialog = new ShowPlanContentDialog(this);
    model = new QStandardItemModel(ui->treeView);
    connect(this, SIGNAL(sendWorkPlanToShowContent(DWorkPlan&)), showPlanContentDialog,
            SLOT(receiveWorkPlan(DWorkPlan&)));
    connect(this, &WorkPlanWindow::sendWorkPlanToShowImage, &showNoteImageDialog,
            &ShowNoteImageDialog::receiveWorkPlan);

    statusLabel = PagingBar::addStatus(ui->statusbar, QStringLiteral("QLabel{color:black}"));
    PagingBar pagingBar = PagingBar::ofForm(ui, {
        QStringLiteral("第{curPage}页/共{pages}页 |  共{total}条笔记"),
        QStringLiteral("当前总计划数量为 {total} 条，总共 {pages} 页，每页显示 {pageSize} 条笔记，当前所在位置：第 {curPage} 页;    "),
        QStringLiteral("第1页/共1页 | 每页{total}条笔记 | 共{total}条笔记"),
        QStringLiteral("当前总计划数量为 {total} 条，已全部显示在页面中；    ")}, statusLabel);
    pagingBar.setRowVisible(false);
    loader.setPaging(pagingBar);

    const ColumnSwitch::SetHidden columns = ColumnSwitch::columnsOf(ui->treeView);
    assessColumns = ColumnSwitch(ui->assessAction, &assessSwitch, {15, 16},
                                 {QStringLiteral(":/images/assess-on.png"), QStringLiteral("关闭评估列")},
                                 {QStringLiteral(":/images/assess-off.png"), QStringLiteral("打开评估列")}, columns);
    remindColumns = ColumnSwitch(ui->remindMethodSwitchAction, &remindSwitch, {19, 20, 21, 22, 23, 24},
                                 {QStringLiteral(":/images/remind-on.png"), QStringLiteral("关闭提箱相关列")},
                                 {QStringLiteral(":/images/remind-off.png"), QStringLiteral("打开提醒相关列")}, columns);
    imageColumns = ColumnSwitch(ui->imageAction, &imageSwitch, {25},
                                {QStringLiteral(":/images/image-on.png"), QStringLiteral("关闭图片列")},
                                {QStringLiteral(":/images/image-off.png"), QStringLiteral("打开图片列")}, columns);
    commentColumns = ColumnSwitch(ui->commentSwitchAction, &commentSwitch, {26},
                                  {QStringLiteral(":/images/comment-on.png"), QStringLiteral("关闭备注列")},
                                  {QStringLiteral(":/images/comment-off.png"), QStringLiteral("打开备注列")}, columns);
    dateColumns = ColumnSwitch(ui->registerDateSwitchAction, &dateSwitch, {18, 17},
                               {QStringLiteral(":/images/date-on.png"), QStringLiteral("关闭添加/修改日期列")},
                               {QStringLiteral(":/images/date-off.png"), QStringLiteral("打开添加/修改日期列")}, columns);
    applySwitches();

    ui->treeView->setContextMenuPolicy(Qt::CustomContextMenu);
    createMenu();
    connect(ui->treeView, &QWidget::customContextMenuRequested, this, &WorkPlanWindow::slotContextMenu);
}

QString WorkPlanWindow::defaultFilter() const
{
    return (grade < 5 ? ownerCondition() : QString()) + QStringLiteral(" and isShow ='正常'");
}

QJsonObject WorkPlanWindow::requestList(const QJsonObject &request)
{
    return endpoint.findByCondition(request);
}

QJsonObject WorkPlanWindow::requestDue(const QJsonObject &request)
{
    return endpoint.findByRemindDay(request);
}

void WorkPlanWindow::clearRows()
{
    clearTree();
}

void WorkPlanWindow::fillRows(const QJsonArray &rows)
{
    jsonArray = rows;
    updateTreeView();
}

void WorkPlanWindow::clearTree()
{
    headerList.clear();
    model->clear();
    initTreeView();
}

void WorkPlanWindow::initTreeView()
{
    ui->treeView->setModel(model);
    headerList << QStringLiteral("计划类型") << QStringLiteral("任务状态") << QStringLiteral("标签")
               << QStringLiteral("编号") << QStringLiteral("标题") << QStringLiteral("具体目标")
               << QStringLiteral("获得利益") << QStringLiteral("开始日期") << QStringLiteral("结束日期")
               << QStringLiteral("策略方法") << QStringLiteral("可测量指标") << QStringLiteral("行动计划")
               << QStringLiteral("需要的资源") << QStringLiteral("遇到的困难") << QStringLiteral("完成状况")
               << QStringLiteral("评分") << QStringLiteral("审核人") << QStringLiteral("添加日期")
               << QStringLiteral("修改日期") << QStringLiteral("提醒开关") << QStringLiteral("提醒方式")
               << QStringLiteral("提醒主体") << QStringLiteral("提醒频率") << QStringLiteral("提醒日期")
               << QStringLiteral("前置天数") << QStringLiteral("图片") << QStringLiteral("备注")
               << QStringLiteral("用户名") << QStringLiteral("id");
    model->setHorizontalHeaderLabels(headerList);
    QHeaderView *header = ui->treeView->header();
    header->resizeSection(0, 120);
    header->resizeSection(1, 60);
    header->resizeSection(3, 40);
    header->resizeSection(14, 60);
    header->resizeSection(15, 60);
    applySwitches();
    ui->treeView->setColumnHidden(kOwnerColumn, grade < 5);
    ui->treeView->setColumnHidden(kIdColumn, true);
    header->setDefaultAlignment(Qt::AlignCenter);
    header->setStretchLastSection(true);
    header->setHighlightSections(true);
    header->setSortIndicator(0, Qt::AscendingOrder);
}

void WorkPlanWindow::jsonListToCList(QJsonArray &array)
{
    for (const QJsonValue &value : std::as_const(array)) {
        auto *plan = new DWorkPlan(this);
        WorkPlanJson::fromJson(value.toObject(), *plan);
        workPlanList.append(plan);
    }
}

void WorkPlanWindow::updateTreeView()
{
    // The records of the previous page are no longer shown; they go with the lists.
    qDeleteAll(workPlanList);
    workPlanList.clear();
    workPlan = nullptr;
    for (QList<DWorkPlan *> *list : {&yearList, &quarterList, &monthList, &weekList, &dayList, &otherList})
        list->clear();
    jsonListToCList(jsonArray);
    QList<DWorkPlan *> *lists[] = {&yearList, &quarterList, &monthList, &weekList, &dayList, &otherList};
    for (DWorkPlan *plan : std::as_const(workPlanList)) {
        const int kind = kindOf(plan->getMold());
        if (kind < KindCount)
            lists[kind]->append(plan);
    }
    for (QList<DWorkPlan *> *list : lists)
        std::stable_sort(list->begin(), list->end(), DWorkPlan::compareWorkPlan);

    // The highest dated kind on the page gives the top rows. A page of
    // "其它" plans alone shows them at the top: they would be nowhere else.
    for (int kind = Year; kind <= Other; ++kind) {
        const QList<DWorkPlan *> &top = *lists[kind];
        if (top.isEmpty())
            continue;
        for (int i = 0; i < top.size(); ++i)
            bootAdd(i, top.at(i));
        break;
    }
    ui->treeView->expandAll();
}

QList<DWorkPlan *> WorkPlanWindow::childrenOf(DWorkPlan *parent, int kind) const
{
    const QList<DWorkPlan *> *lists[] = {&yearList, &quarterList, &monthList, &weekList, &dayList, &otherList};
    QList<DWorkPlan *> children;
    for (int below = kind + 1; below < KindCount; ++below) {
        if (lists[below]->isEmpty())
            continue;
        for (DWorkPlan *child : *lists[below])
            if (fits(parent, child))
                children.append(child);
        break;
    }
    return children;
}

QList<QStandardItem *> WorkPlanWindow::planRow(DWorkPlan *plan, int level)
{
    auto *first = new QStandardItem(plan->getMold());
    const int kind = kindOf(plan->getMold());
    if (level < 5 && kind < Other) {
        int childRow = 0;
        for (DWorkPlan *child : childrenOf(plan, kind)) {
            const QList<QStandardItem *> cells = planRow(child, level + 1);
            for (int column = 0; column < cells.size(); ++column)
                first->setChild(childRow, column, cells.at(column));
            ++childRow;
        }
    }
    const QStringList texts{plan->getIsShow(),
                            plan->getTag(),
                            QString::number(plan->getSerialNumber()),
                            plan->getTitle(),
                            plan->getTarget(),
                            plan->getGainProfit(),
                            plan->getStartDate(),
                            plan->getEndDate(),
                            plan->getStrategy(),
                            plan->getMeasurableIndicator(),
                            plan->getActionPlan(),
                            plan->getNeedResources(),
                            plan->getDifficulty(),
                            QString::number(plan->getCompletionStatus(), 'f', 0) + QLatin1Char('%'),
                            QString::number(plan->getScore()),
                            plan->getAuditor(),
                            plan->getRegisterDate(),
                            plan->getUpdateDate(),
                            plan->getIsRemind(),
                            plan->getRemindMethod(),
                            plan->getRemindMethodBody(),
                            plan->getRemindFrequency(),
                            plan->getRemindDate(),
                            QString::number(plan->getRemindDateNumber()),
                            plan->getImage(),
                            plan->getComment(),
                            plan->getLoginName(),
                            QString::number(plan->getId())};
    QList<QStandardItem *> cells{first};
    for (const QString &text : texts)
        cells.append(new QStandardItem(text));
    // The cells show the records as stored (the backup writes them): no editing in place.
    for (QStandardItem *cell : std::as_const(cells))
        cell->setEditable(false);
    return cells;
}

void WorkPlanWindow::bootAdd(int row, DWorkPlan *plan)
{
    const QList<QStandardItem *> cells = planRow(plan, 1);
    for (int column = 0; column < cells.size(); ++column)
        model->setItem(row, column, cells.at(column));
}

void WorkPlanWindow::applySwitches()
{
    for (ColumnSwitch *s : {&dateColumns, &remindColumns, &imageColumns, &commentColumns, &assessColumns})
        s->apply();
}

void WorkPlanWindow::on_registerDateSwitchAction_triggered()
{
    dateColumns.toggle();
}

void WorkPlanWindow::on_remindMethodSwitchAction_triggered()
{
    remindColumns.toggle();
}

void WorkPlanWindow::on_imageAction_triggered()
{
    imageColumns.toggle();
}

void WorkPlanWindow::on_commentSwitchAction_triggered()
{
    commentColumns.toggle();
}

void WorkPlanWindow::on_assessAction_triggered()
{
    assessColumns.toggle();
}

void WorkPlanWindow::on_QuitAction_triggered()
{
    close();
}

void WorkPlanWindow::createMenu()
{
    menu = new QMenu(this);
    showContentAction = new QAction(QIcon(QStringLiteral(":/images/report.png")), QStringLiteral("显示内容"), this);
    showImageAction = new QAction(QIcon(QStringLiteral(":/images/image1.png")), QStringLiteral("显示图片"), this);
    updateAction = new QAction(QIcon(QStringLiteral(":/images/update.png")), QStringLiteral("修改此行"), this);
    deleteAction = new QAction(QIcon(QStringLiteral(":/images/delete.png")), QStringLiteral("删除此行"), this);
    menu->addAction(showContentAction);
    menu->addAction(showImageAction);
    menu->addAction(updateAction);
    menu->addAction(deleteAction);
    connect(menu, &QMenu::triggered, this, &WorkPlanWindow::slotMenuClicked);
}

void WorkPlanWindow::slotContextMenu(QPoint pos)
{
    if (!RowMenu::onCell(ui->treeView, pos))
        return;
    if (DWorkPlan *plan = RowMenu::current(ui->treeView, kIdColumn, workPlanList)) {
        workPlan = plan;
        showImageAction->setVisible(!plan->getImage().isEmpty());
    }
    RowMenu::open(menu, ui->treeView, pos, RowMenu::Show::Wait);
}

void WorkPlanWindow::slotMenuClicked(QAction *action)
{
    DWorkPlan *plan = RowMenu::current(ui->treeView, kIdColumn, workPlanList);
    if (action == deleteAction) {
        if (NoticeBox::confirmDelete(QMessageBox::Information) && plan)
            deleteWorkPlan(*plan);
    } else if (!plan) {
        return;
    } else if (action == updateAction) {
        updateWorkPlan(*plan);
    } else if (action == showContentAction) {
        emit sendWorkPlanToShowContent(*plan);
        showPlanContentDialog->show();
    } else if (action == showImageAction) {
        emit sendWorkPlanToShowImage(*plan);
        showNoteImageDialog.show();
    }
}

void WorkPlanWindow::deleteWorkPlan(DWorkPlan &plan)
{
    const QJsonObject record{{QStringLiteral("id"), plan.getId()}, {QStringLiteral("image"), plan.getImage()}};
    // In the due view the due plans are asked for again with the owner and
    // shown-state clauses put behind the window's condition once more.
    const QString dueAgain = loader.state().getConditionStr() + ownerCondition() + QStringLiteral(" and isShow ='正常'")
        + QStringLiteral(" and isRemind = '开启'");
    loader.remove(
        record, [this](const QJsonObject &request) { return endpoint.delete1(request); },
        [](const QString &reason) { NoticeBox::show(QMessageBox::Information, QStringLiteral("提示信息"), reason); },
        dueAgain);
}

void WorkPlanWindow::updateWorkPlan(DWorkPlan &plan)
{
    if (!user)
        return;
    WorkPlanAddUpdateDialog dialog;
    connect(this, &WorkPlanWindow::sendUser, &dialog, &WorkPlanAddUpdateDialog::receiveUser);
    emit sendUser(*user);
    connect(this, &WorkPlanWindow::sendWorkPlan, &dialog, &WorkPlanAddUpdateDialog::receiveWorkPlan);
    emit sendWorkPlan(plan);
    if (dialog.exec() == QDialog::Accepted)
        loader.reload(); // the due plans again in the due view, else the page
}

void WorkPlanWindow::on_addAction_triggered()
{
    if (!user)
        return;
    WorkPlanAddUpdateDialog dialog;
    connect(this, &WorkPlanWindow::sendUser, &dialog, &WorkPlanAddUpdateDialog::receiveUser);
    emit sendUser(*user);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The own normal plans, at every grade, with the new one among them.
    loader.select(ownerCondition() + QStringLiteral(" and isShow ='正常'"));
}

void WorkPlanWindow::on_findAction_triggered()
{
    if (!user)
        return;
    WorkPlanSearchDialog dialog;
    connect(&dialog, &WorkPlanSearchDialog::sendDomainUi, this, &WorkPlanWindow::receiveDomainUi);
    connect(this, &WorkPlanWindow::sendUser, &dialog, &WorkPlanSearchDialog::receiveUser);
    connect(this, &WorkPlanWindow::sendDomainUi, &dialog, &WorkPlanSearchDialog::receiveDomainUi);
    emit sendUser(*user);
    emit sendDomainUi(loader.state());
    dialog.exec();
}

void WorkPlanWindow::on_copyAction_triggered()
{
    // "全部导出" lists every plan of the query in force as one tree and writes it.
    loader.backup({QStringLiteral("备份"), QStringLiteral("总计划数量大于当前显示的计划数量"),
                   QStringLiteral("如果备份所有的计划:选择<全部导出>，只备份当前显示计划:选择<导出当前>")});
}

void WorkPlanWindow::toExcel()
{
    const QString title = QStringLiteral("备份提示");
    if (model->rowCount() == 0) {
        NoticeBox::show(QMessageBox::Information, title, QStringLiteral("没有找到导出的数据"));
        return;
    }
    // The tree's labels up to the owner's, which only administrators see; the id gets none.
    excelHeaderList = headerList.mid(0, grade > 4 ? kOwnerColumn + 1 : kOwnerColumn);
    QString fileName = saveas();
    if (fileName.isEmpty())
        return;
    const QFileInfo chosen(QDir::toNativeSeparators(fileName));
    // Excel keeps "~$<name>" beside a workbook while it has it open.
    if (QFileInfo::exists(chosen.absolutePath() + QStringLiteral("/~$") + chosen.fileName())) {
        NoticeBox::show(QMessageBox::Information, title, QStringLiteral("文件属性为只读,请检查文件是否已打开!"));
        return;
    }
    ExcelHandler handler;
    const QString text = handler.setMolde(*model, excelHeaderList, fileName);
    if (!text.isEmpty())
        NoticeBox::show(QMessageBox::Information, title, text);
}

QString WorkPlanWindow::saveas()
{
    return QFileDialog::getSaveFileName(nullptr, QStringLiteral("保存账户为"),
                                        QStandardPaths::writableLocation(QStandardPaths::DesktopLocation),
                                        QStringLiteral("Excel(*.xlsx *.xls)"));
}

void WorkPlanWindow::receiveUser(DomainUser &user, int tag)
{
    Q_UNUSED(tag)
    // The dashboard sends the user again whenever it opens the password or
    // profile dialog; the window's query stays what it was.
    const bool first = !this->user;
    keepUser(user);
    if (first)
        loader.setCondition(grade < 5 ? ownerCondition().mid(1) : QString());
    ui->treeView->setColumnHidden(kOwnerColumn, grade <= 4);
    setWindowTitle(QStringLiteral("工作计划管理"));
}

void WorkPlanWindow::receiveDomainUi(DomainUi &domainUi)
{
    const QString owner = grade < 5 ? ownerCondition() : QString();
    loader.select(owner + domainUi.getConditionStr(), domainUi.getPageSize(), domainUi.getCurPage());
}

void WorkPlanWindow::receiveSignal()
{
    // Below grade 5 the user is asked about the shown plans whose reminder is due.
    std::optional<TableLoader::Due> due;
    // Whatever the answer, the plans are paged by 1000 again afterwards.
    if (grade < 5)
        due = TableLoader::Due{defaultFilter() + QStringLiteral(" and isRemind = '开启'"),
                               QStringLiteral("处理计划提示"),
                               QStringLiteral(" 条计划需要处理"),
                               QStringLiteral("查看处理计划: 选择<查看>，不查看: 选择<不查看>"),
                               QString(),
                               kPageSize};
    loader.open(defaultFilter(), due);
}
