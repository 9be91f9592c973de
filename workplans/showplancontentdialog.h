#ifndef SHOWPLANCONTENTDIALOG_H
#define SHOWPLANCONTENTDIALOG_H

#include <QDialog>

class DWorkPlan;

QT_BEGIN_NAMESPACE
namespace Ui {
class ShowPlanContentDialog;
}
QT_END_NAMESPACE

// One work plan for reading: title, kind and dates, and its seven sections
// (target, profit, strategy, indicator, action plan, difficulties, resources),
// each under its picture, heading and guiding question. Sections that hold
// HTML are shown formatted; links in them are not followed.
class ShowPlanContentDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ShowPlanContentDialog(QWidget *parent = nullptr);
    ~ShowPlanContentDialog() override;

public slots:
    // Fills the viewer with the plan (its opener shows it).
    void receiveWorkPlan(DWorkPlan &workPlan);

private:
    Ui::ShowPlanContentDialog *ui;
};

#endif // SHOWPLANCONTENTDIALOG_H
