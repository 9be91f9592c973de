#include "showplancontentdialog.h"
#include "ui_showplancontentdialog.h"

#include "dworkplan.h"

ShowPlanContentDialog::ShowPlanContentDialog(QWidget *parent) : QDialog(parent), ui(new Ui::ShowPlanContentDialog)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint
                   | Qt::WindowCloseButtonHint);
}

ShowPlanContentDialog::~ShowPlanContentDialog()
{
    delete ui;
}

void ShowPlanContentDialog::receiveWorkPlan(DWorkPlan &workPlan)
{
    ui->label_title->setText(workPlan.getTitle());
    ui->label_mold->setText(workPlan.getMold());
    ui->label_startDate->setText(workPlan.getStartDate());
    ui->label_endDate->setText(workPlan.getEndDate());
    // setText shows a text that looks like HTML formatted, any other as plain text.
    ui->textBrowser_target->setText(workPlan.getTarget());
    ui->textBrowser_gainProfit->setText(workPlan.getGainProfit());
    ui->textBrowser_strategy->setText(workPlan.getStrategy());
    ui->textBrowser_measurableIndicator->setText(workPlan.getMeasurableIndicator());
    ui->textBrowser_actionPlan->setText(workPlan.getActionPlan());
    ui->textBrowser_needResources->setText(workPlan.getNeedResources());
    ui->textBrowser_difficulty->setText(workPlan.getDifficulty());
    setWindowTitle(workPlan.getMold());
    ui->frame->setVisible(true);
}
