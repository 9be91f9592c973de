#include "workplanaddupdatedialog.h"
#include "ui_workplanaddupdatedialog.h"

#include <QDateTime>
#include <QIntValidator>
#include <QLineEdit>
#include <QListView>
#include <QSignalBlocker>

#include "domainuser.h"
#include "plantags.h"
#include "storedchoice.h"
#include "workplanjson.h"

namespace {

const char *const kDateFormat = "yyyy-MM-dd";

QString now()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// The end of a plan of that kind starting on `start`; invalid for a kind
// without a set length ("其它").
QDate endOf(const QString &kind, const QDate &start)
{
    if (kind.contains(QStringLiteral("年度计划")))
        return start.addYears(1).addDays(-1);
    if (kind.contains(QStringLiteral("季度计划")))
        return start.addMonths(3).addDays(-1);
    if (kind.contains(QStringLiteral("月计划")))
        return start.addMonths(1).addDays(-1);
    if (kind.contains(QStringLiteral("周计划")))
        return start.addDays(6);
    if (kind.contains(QStringLiteral("日计划")))
        return start;
    return QDate();
}

void showDate(QDateEdit *edit, const QString &text)
{
    const QDate date = QDate::fromString(text, QLatin1String(kDateFormat));
    if (date.isValid())
        edit->setDate(date);
}

} // namespace

WorkPlanAddUpdateDialog::WorkPlanAddUpdateDialog(QWidget *parent)
    : QDialog(parent), ui(new Ui::WorkPlanAddUpdateDialog)
{
    ui->setupUi(this);
    for (QComboBox *combo : {ui->comboBox_mold, ui->comboBox_isRemind, ui->comboBox_tag, ui->comboBox_remindFrequency,
                             ui->comboBox_isShow}) {
        combo->setView(new QListView(combo));
        combo->setStyleSheet(QStringLiteral("QComboBox QAbstractItemView::item { min-height: 35px; min-width: 50px; }"
                                            "QListView::item:selected { color: black; background-color: lightgray}"));
    }
    // An editable combo shows a placeholder only on its line edit.
    ui->comboBox_tag->lineEdit()->setPlaceholderText(ui->comboBox_tag->placeholderText());
    // Shown maximised; the new flags hide it again, so that exec() shows it modal.
    showMaximized();
    setWindowFlags(Qt::Dialog | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint
                   | Qt::WindowCloseButtonHint);
    workPlan = new DWorkPlan(this);
    write.setButtons({ui->PushButton_confirem});
    write.setOnStored([this] { WorkPlanJson::fromJson(WorkPlanJson::toJson(edited), *workPlan); });
    WriteStep::setButtonText(ui->PushButton_confirem, QStringLiteral("添   加"));
    setWindowTitle(QStringLiteral("添加工作计划"));

    reminder.bind(ReminderBlock::Kind::Optional,
                  {ui->comboBox_isRemind, ui->checkBox_remindMethod, ui->lineEdit_remindMethodBody,
                   ui->comboBox_remindFrequency, ui->dateEdit_remindDate, ui->lineEdit_remindDateNumber});
    ui->lineEdit_completionStatus->setValidator(new QIntValidator(ui->lineEdit_completionStatus));
    ui->lineEdit_completionStatus->setText(QStringLiteral("0"));
    shownCompletion = ui->lineEdit_completionStatus->text();
    ui->comboBox_isShow->addItems({QStringLiteral("正常"), QStringLiteral("完成"), QStringLiteral("放弃")});
    ui->comboBox_mold->addItems({QStringLiteral("年度计划"), QStringLiteral("季度计划"), QStringLiteral("月计划"),
                                 QStringLiteral("周计划"), QStringLiteral("日计划"), QStringLiteral("其它")});
    ui->spinBox_score->setSuffix(QStringLiteral("分"));
    // Today, set by the dialog: not a date the user chose, so the end date stays.
    const QSignalBlocker quiet(ui->dateEdit_startDate);
    for (QDateEdit *edit : {ui->dateEdit_startDate, ui->dateEdit_endDate}) {
        edit->setCalendarPopup(true);
        edit->setDate(QDate::currentDate());
    }
}

WorkPlanAddUpdateDialog::~WorkPlanAddUpdateDialog()
{
    delete ui;
}

void WorkPlanAddUpdateDialog::receiveUser(DomainUser &user)
{
    this->user = &user;
    reminder.setUser(&user);
    PlanTags::load(httpWorkPlan, json, user.getUsername(), ui->comboBox_tag);
    // The write carries the tag query's condition beside the plan.
    write.setExtraKeys(json);
}

void WorkPlanAddUpdateDialog::receiveWorkPlan(DWorkPlan &plan)
{
    workPlan = &plan;
    WorkPlanJson::fromJson(WorkPlanJson::toJson(plan), edited);
    WriteStep::setButtonText(ui->PushButton_confirem, QStringLiteral("更   新"));
    setWindowTitle(QStringLiteral("更新工作计划"));
    updateView(plan);
}

void WorkPlanAddUpdateDialog::updateView(DWorkPlan &plan)
{
    reminder.load(plan);
    StoredChoice::select(ui->comboBox_mold, plan.getMold());
    StoredChoice::select(ui->comboBox_isShow, plan.getIsShow());
    ui->comboBox_tag->setCurrentText(plan.getTag());
    ui->spinBox_serialNumber->setValue(plan.getSerialNumber());
    shownSerialNumber = ui->spinBox_serialNumber->value();
    ui->lineEdit_title->setText(plan.getTitle());
    ui->textEdit_target->setPlainText(plan.getTarget());
    ui->textEdit_gainProfit->setPlainText(plan.getGainProfit());
    showDate(ui->dateEdit_startDate, plan.getStartDate());
    showDate(ui->dateEdit_endDate, plan.getEndDate());
    ui->textEdit_strategy->setPlainText(plan.getStrategy());
    ui->textEdit_measurableIndicator->setPlainText(plan.getMeasurableIndicator());
    ui->textEdit_actionPlan->setPlainText(plan.getActionPlan());
    ui->textEdit_needResources->setPlainText(plan.getNeedResources());
    ui->textEdit_difficulty->setPlainText(plan.getDifficulty());
    ui->lineEdit_completionStatus->setText(QString::number(plan.getCompletionStatus(), 'f', 0));
    shownCompletion = ui->lineEdit_completionStatus->text();
    ui->spinBox_score->setValue(plan.getScore());
    shownScore = ui->spinBox_score->value();
    ui->lineEdit_auditor->setText(plan.getAuditor());
    ui->textEdit_comment->setPlainText(plan.getComment());
}

QString WorkPlanAddUpdateDialog::validityCheck()
{
    if (edited.getId() == 0) {
        edited.setRegisterDate(now());
        if (user)
            edited.setLoginName(user->getUsername());
    }
    edited.setUpdateDate(now());
    const QString problem = reminder.store(edited);
    if (!problem.isEmpty())
        return problem;

    edited.setMold(ui->comboBox_mold->currentText());
    edited.setIsShow(ui->comboBox_isShow->currentText());
    edited.setTag(ui->comboBox_tag->currentText());
    if (ui->spinBox_serialNumber->value() != shownSerialNumber)
        edited.setSerialNumber(ui->spinBox_serialNumber->value());
    edited.setTitle(ui->lineEdit_title->text());
    edited.setTarget(ui->textEdit_target->toPlainText());
    edited.setGainProfit(ui->textEdit_gainProfit->toPlainText());
    edited.setStartDate(ui->dateEdit_startDate->date().toString(QLatin1String(kDateFormat)));
    edited.setEndDate(ui->dateEdit_endDate->date().toString(QLatin1String(kDateFormat)));
    edited.setStrategy(ui->textEdit_strategy->toPlainText());
    edited.setMeasurableIndicator(ui->textEdit_measurableIndicator->toPlainText());
    edited.setActionPlan(ui->textEdit_actionPlan->toPlainText());
    edited.setNeedResources(ui->textEdit_needResources->toPlainText());
    edited.setDifficulty(ui->textEdit_difficulty->toPlainText());
    if (ui->lineEdit_completionStatus->text() != shownCompletion)
        edited.setCompletionStatus(ui->lineEdit_completionStatus->text().toDouble());
    if (ui->spinBox_score->value() != shownScore)
        edited.setScore(ui->spinBox_score->value());
    edited.setAuditor(ui->lineEdit_auditor->text());
    edited.setComment(ui->textEdit_comment->toPlainText());
    if (ui->comboBox_tag->currentText().isEmpty())
        return QStringLiteral("标签不能为空, 因为标签是识别同一类计划的标识!");
    return QString();
}

void WorkPlanAddUpdateDialog::on_comboBox_isRemind_currentTextChanged(const QString &arg1)
{
    reminder.isRemindChanged(arg1);
}

void WorkPlanAddUpdateDialog::on_checkBox_remindMethod_stateChanged(int arg1)
{
    reminder.methodChanged(arg1);
}

void WorkPlanAddUpdateDialog::on_lineEdit_remindMethodBody_editingFinished()
{
    reminder.addressFinished();
}

void WorkPlanAddUpdateDialog::on_dateEdit_startDate_userDateChanged(const QDate &date)
{
    if (edited.getId() != 0)
        return;
    const QDate end = endOf(ui->comboBox_mold->currentText(), date);
    if (end.isValid())
        ui->dateEdit_endDate->setDate(end);
}

void WorkPlanAddUpdateDialog::on_PushButton_confirem_clicked()
{
    write.confirm(validityCheck(), [this] {
        QJsonObject record = WorkPlanJson::toJson(edited);
        if (edited.getRemindFrequency().contains(QStringLiteral("无邮件提醒")))
            record.insert(QStringLiteral("remindFrequency"), QString());
        return record;
    });
}

void WorkPlanAddUpdateDialog::on_lPushButton_cancel_clicked()
{
    close();
}
