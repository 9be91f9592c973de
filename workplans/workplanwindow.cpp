#include "workplanwindow.h"
#include "ui_workplanwindow.h"

#include <QCursor>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStatusBar>

#include <algorithm>

#include "sqlquote.h"

namespace {

const int kOwnerColumn = 27;
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

WorkPlanWindow::WorkPlanWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui::WorkPlanWindow), order(QStringLiteral("desc"))
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
    for (QWidget *widget : {static_cast<QWidget *>(ui->label_pageMessage),
                            static_cast<QWidget *>(ui->pushButtonl_previousPage),
                            static_cast<QWidget *>(ui->comboBox_pageNumber),
                            static_cast<QWidget *>(ui->pushButton_nextPage)})
        widget->hide();
    ui->horizontalSpacer->changeSize(0, 0, QSizePolicy::Minimum, QSizePolicy::Minimum);
    ui->horizontalSpacer_2->changeSize(0, 0, QSizePolicy::Minimum, QSizePolicy::Minimum);
    ui->horizontalLayout->invalidate();

    model = new QStandardItemModel(ui->treeView);

    pageSize = 1000;
    domainUi.setCurPage(curPage);
    domainUi.setPageSize(pageSize);

    statusLabel = new QLabel(this);
    ui->statusbar->addWidget(statusLabel);
    ui->statusbar->setStyleSheet(QStringLiteral("QLabel{color:black}"));

    ui->assessAction->setIcon(QIcon(QStringLiteral(":/images/assess-off.png")));
    ui->assessAction->setText(QStringLiteral("打开评估列"));
    ui->remindMethodSwitchAction->setIcon(QIcon(QStringLiteral(":/images/remind-off.png")));
    ui->remindMethodSwitchAction->setText(QStringLiteral("打开提醒相关列"));
    ui->imageAction->setIcon(QIcon(QStringLiteral(":/images/image-off.png")));
    ui->imageAction->setText(QStringLiteral("打开图片列"));
    ui->commentSwitchAction->setIcon(QIcon(QStringLiteral(":/images/comment-off.png")));
    ui->commentSwitchAction->setText(QStringLiteral("打开备注列"));
    ui->registerDateSwitchAction->setIcon(QIcon(QStringLiteral(":/images/date-off.png")));
    ui->registerDateSwitchAction->setText(QStringLiteral("打开添加/修改日期列"));

    ui->comboBox_pageNumber->setEditable(true);
    ui->comboBox_pageNumber->lineEdit()->setAlignment(Qt::AlignCenter);
    ui->comboBox_pageNumber->lineEdit()->setReadOnly(true);

    ui->treeView->setContextMenuPolicy(Qt::CustomContextMenu);
    createMenu();
    connect(ui->treeView, &QWidget::customContextMenuRequested, this, &WorkPlanWindow::slotContextMenu);
}

QString WorkPlanWindow::ownerCondition() const
{
    return QStringLiteral(" and loginName =") + QLatin1Char('\'') + sqlQuoted(user ? user->getUsername() : QString())
        + QLatin1Char('\'');
}

QString WorkPlanWindow::defaultFilter() const
{
    return (grade < 5 ? ownerCondition() : QString()) + QStringLiteral(" and isShow ='正常'");
}

void WorkPlanWindow::initFindAll()
{
    requestJson.insert(QStringLiteral("pageSize"), pageSize);
    requestJson.insert(QStringLiteral("curPage"), curPage);
    if (!conditionStr.isEmpty())
        requestJson.insert(QStringLiteral("conditionStr"), conditionStr);
    requestJson.insert(QStringLiteral("order"), order);
}

void WorkPlanWindow::findAll()
{
    headerList.clear();
    model->clear();
    initTreeView();
    initFindAll();
    const QJsonObject result = endpoint.findByCondition(requestJson);
    if (!result.value(QStringLiteral("dList")).isArray())
        return;
    jsonArray = result.value(QStringLiteral("dList")).toArray();
    if (jsonArray.isEmpty())
        return;
    updateTreeView();
    totalCount = result.value(QStringLiteral("totalCount")).toInt();
    domainUi.setTotalCount(totalCount);
    setPageComboBoxItem();
    if (exportPending)
        toExcel();
}

void WorkPlanWindow::setPageComboBoxItem()
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
        statusLabel->setText(QStringLiteral("当前总计划数量为 %1 条，总共 %2 页，每页显示 %3 条笔记，当前所在位置：第 %4 页;    ")
                                 .arg(totalCount)
                                 .arg(pages)
                                 .arg(pageSize)
                                 .arg(curPage));
    } else {
        combo->clear();
        combo->addItem(QStringLiteral("第1页/共1页"));
        ui->label_pageMessage->setText(
            QStringLiteral("第1页/共1页 | 每页%1条笔记 | 共%2条笔记").arg(totalCount).arg(totalCount));
        statusLabel->setText(QStringLiteral("当前总计划数量为 %1 条，已全部显示在页面中；    ").arg(totalCount));
    }
    combo->blockSignals(false);

    ui->pushButtonl_previousPage->setEnabled(curPage >= 2);
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
    auto whole = [](const QJsonValue &value) { return value.isDouble() ? value.toInt() : 0; };
    for (const QJsonValue &value : std::as_const(array)) {
        const QJsonObject json = value.toObject();
        auto *plan = new DWorkPlan(this);
        plan->setId(whole(json.value("id")));
        plan->setMold(json.value("mold").toString());
        plan->setIsShow(json.value("isShow").toString());
        plan->setTag(json.value("tag").toString());
        plan->setSerialNumber(whole(json.value("serialNumber")));
        plan->setTitle(json.value("title").toString());
        plan->setTarget(json.value("target").toString());
        plan->setGainProfit(json.value("gainProfit").toString());
        plan->setStartDate(json.value("startDate").toString());
        plan->setEndDate(json.value("endDate").toString());
        plan->setStrategy(json.value("strategy").toString());
        plan->setMeasurableIndicator(json.value("measurableIndicator").toString());
        plan->setActionPlan(json.value("actionPlan").toString());
        plan->setNeedResources(json.value("needResources").toString());
        plan->setDifficulty(json.value("difficulty").toString());
        plan->setCompletionStatus(json.value("completionStatus").toDouble());
        plan->setScore(whole(json.value("score")));
        plan->setAuditor(json.value("auditor").toString());
        plan->setRegisterDate(json.value("registerDate").toString());
        plan->setUpdateDate(json.value("updateDate").toString());
        plan->setIsRemind(json.value("isRemind").toString());
        plan->setRemindMethod(json.value("remindMethod").toString());
        plan->setRemindMethodBody(json.value("remindMethodBody").toString());
        plan->setRemindFrequency(json.value("remindFrequency").toString());
        plan->setRemindDate(json.value("remindDate").toString());
        plan->setRemindDateNumber(whole(json.value("remindDateNumber")));
        plan->setImage(json.value("image").toString());
        plan->setComment(json.value("comment").toString());
        plan->setLoginName(json.value("loginName").toString());
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

    for (int kind = Year; kind < Other; ++kind) {
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
    return cells;
}

void WorkPlanWindow::bootAdd(int row, DWorkPlan *plan)
{
    const QList<QStandardItem *> cells = planRow(plan, 1);
    for (int column = 0; column < cells.size(); ++column)
        model->setItem(row, column, cells.at(column));
}

void WorkPlanWindow::applySwitch(bool hidden, QAction *action, const QList<int> &columns, const QString &offIcon,
                                 const QString &offText, const QString &onIcon, const QString &onText)
{
    for (int column : columns)
        ui->treeView->setColumnHidden(column, hidden);
    action->setIcon(QIcon(hidden ? offIcon : onIcon));
    action->setText(hidden ? offText : onText);
}

void WorkPlanWindow::applySwitches()
{
    applySwitch(dateSwitch, ui->registerDateSwitchAction, {18, 17}, QStringLiteral(":/images/date-off.png"),
                QStringLiteral("打开添加/修改日期列"), QStringLiteral(":/images/date-on.png"),
                QStringLiteral("关闭添加/修改日期列"));
    applySwitch(remindSwitch, ui->remindMethodSwitchAction, {19, 20, 21, 22, 23, 24},
                QStringLiteral(":/images/remind-off.png"), QStringLiteral("打开提醒相关列"),
                QStringLiteral(":/images/remind-on.png"), QStringLiteral("关闭提箱相关列"));
    applySwitch(imageSwitch, ui->imageAction, {25}, QStringLiteral(":/images/image-off.png"),
                QStringLiteral("打开图片列"), QStringLiteral(":/images/image-on.png"), QStringLiteral("关闭图片列"));
    applySwitch(commentSwitch, ui->commentSwitchAction, {26}, QStringLiteral(":/images/comment-off.png"),
                QStringLiteral("打开备注列"), QStringLiteral(":/images/comment-on.png"), QStringLiteral("关闭备注列"));
    applySwitch(assessSwitch, ui->assessAction, {15, 16}, QStringLiteral(":/images/assess-off.png"),
                QStringLiteral("打开评估列"), QStringLiteral(":/images/assess-on.png"), QStringLiteral("关闭评估列"));
}

void WorkPlanWindow::on_registerDateSwitchAction_triggered()
{
    dateSwitch = !dateSwitch;
    applySwitches();
}

void WorkPlanWindow::on_remindMethodSwitchAction_triggered()
{
    remindSwitch = !remindSwitch;
    applySwitches();
}

void WorkPlanWindow::on_imageAction_triggered()
{
    imageSwitch = !imageSwitch;
    applySwitches();
}

void WorkPlanWindow::on_commentSwitchAction_triggered()
{
    commentSwitch = !commentSwitch;
    applySwitches();
}

void WorkPlanWindow::on_assessAction_triggered()
{
    assessSwitch = !assessSwitch;
    applySwitches();
}

void WorkPlanWindow::on_QuitAction_triggered()
{
    close();
}

void WorkPlanWindow::on_pushButtonl_previousPage_clicked()
{
    if (curPage < 2)
        return;
    --curPage;
    findAll();
}

void WorkPlanWindow::on_pushButton_nextPage_clicked()
{
    if (totalCount <= pageSize * curPage)
        return;
    ++curPage;
    findAll();
}

void WorkPlanWindow::on_comboBox_pageNumber_currentIndexChanged(int index)
{
    curPage = index + 1;
    findAll();
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
    if (!ui->treeView->indexAt(pos).isValid())
        return;
    const QModelIndex current = ui->treeView->currentIndex();
    const int id = current.siblingAtColumn(kIdColumn).data().toInt();
    for (DWorkPlan *plan : std::as_const(workPlanList)) {
        if (plan->getId() == id) {
            workPlan = plan;
            showImageAction->setVisible(!plan->getImage().isEmpty());
            break;
        }
    }
    menu->exec(QCursor::pos());
}

void WorkPlanWindow::slotMenuClicked(QAction *action)
{
    Q_UNUSED(action)
}

void WorkPlanWindow::toExcel()
{
    exportPending = false;
}

void WorkPlanWindow::receiveUser(DomainUser &user, int tag)
{
    Q_UNUSED(tag)
    this->user = &user;
    grade = user.getGrade();
    conditionStr.clear();
    if (grade < 5)
        conditionStr = QStringLiteral("and loginName =") + QLatin1Char('\'') + sqlQuoted(user.getUsername())
            + QLatin1Char('\'');
    ui->treeView->setColumnHidden(kOwnerColumn, grade <= 4);
    setWindowTitle(QStringLiteral("工作计划管理"));
}

void WorkPlanWindow::receiveDomainUi(DomainUi &domainUi)
{
    dueView = false;
    conditionStr.clear();
    if (grade < 5)
        conditionStr = ownerCondition();
    conditionStr.append(domainUi.getConditionStr());
    if (domainUi.getPageSize() != 0) {
        pageSize = domainUi.getPageSize();
        this->domainUi.setPageSize(pageSize);
    }
    if (domainUi.getCurPage() > 0)
        curPage = domainUi.getCurPage();
    findAll();
}

void WorkPlanWindow::receiveSignal()
{
    conditionStr = defaultFilter();
    findAll();
    if (grade > 4)
        return;

    conditionStr.append(QStringLiteral(" and isRemind = '开启'"));
    requestJson.insert(QStringLiteral("pageSize"), 0);
    requestJson.insert(QStringLiteral("curPage"), 1);
    requestJson.insert(QStringLiteral("conditionStr"), conditionStr);
    requestJson.insert(QStringLiteral("order"), order);
    const QJsonObject result = endpoint.findByRemindDay(requestJson);
    const QJsonValue due = result.value(QStringLiteral("dList"));
    dueView = false;
    if (due.isArray()) {
        jsonArray = due.toArray();
        if (!jsonArray.isEmpty()) {
            QMessageBox box;
            box.setWindowTitle(QStringLiteral("处理计划提示"));
            box.setText(QStringLiteral("依据前置天数计算和过期计算, 当前有 ") + QStringLiteral("<span style='color:red'>")
                        + QString::number(jsonArray.size()) + QStringLiteral("</span>")
                        + QStringLiteral(" 条计划需要处理"));
            box.setInformativeText(QStringLiteral("查看处理计划: 选择<查看>，不查看: 选择<不查看>"));
            QPushButton *view = box.addButton(QStringLiteral("查看"), QMessageBox::ActionRole);
            box.addButton(QStringLiteral("不查看"), QMessageBox::ActionRole);
            box.exec();
            if (box.clickedButton() == view) {
                dueView = true;
                headerList.clear();
                model->clear();
                initTreeView();
                updateTreeView();
                totalCount = result.value(QStringLiteral("totalCount")).toInt();
                pageSize = totalCount;
                setPageComboBoxItem();
            }
        }
    }
    pageSize = 1000;
    conditionStr = defaultFilter();
}
