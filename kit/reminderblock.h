#ifndef REMINDERBLOCK_H
#define REMINDERBLOCK_H

#include <QString>

#include <type_traits>
#include <utility>

class DomainUser;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;

// The reminder settings of a note, a work plan or a reminder, over the
// dialog's own form widgets: whether the reminder is on ("开启"/"关闭"), the
// e-mail switch (only users of grade 2 and above may set an e-mail reminder),
// the e-mail address, the e-mail frequency (notes and plans), the remind date
// and the days of notice. The dialog holds one by value and binds it once its
// form is set up:
//
//     reminder.bind(ReminderBlock::Kind::Optional,
//                   {ui->comboBox_isRemind, ui->checkBox_remindMethod, ui->lineEdit_remindMethodBody,
//                    ui->comboBox_remindFrequency, ui->dateEdit_remindDate, ui->lineEdit_remindDateNumber});
//
// Its slots named after those widgets are one call each (see the three
// operations below); receiveUser hands the user on with setUser, updateView
// calls load(record), and validityCheck starts with
//
//     const QString problem = reminder.store(record);
//     if (!problem.isEmpty())
//         return problem;
//
// before the dialog's own checks. The record is a DomainNote, DWorkPlan or
// DomainRemind (any record with the reminder getters and setters and getId).
class ReminderBlock
{
public:
    enum class Kind {
        // Notes and work plans. Items "关闭", "开启" ("关闭" first); while it is
        // "关闭" the other widgets are disabled. The e-mail switch comes with a
        // frequency. Checks, in this order: "既然选择了邮件提醒,请输入邮箱名称",
        // "请输入正确的邮箱", "既然选择一个正确邮件提醒频率,至少是<到期邮件提醒>",
        // then for a new record only "提醒日期必须大于或是等于今天" (today is
        // allowed). A new record with the reminder "关闭" is stored without
        // e-mail settings and without a date; a changed record switched "关闭"
        // keeps its stored date.
        Optional,
        // Reminders. Items "开启", "关闭"; nothing is disabled by them, there is
        // no frequency and no editingFinished check. Checks, in this order:
        // "既然选择了邮件提醒,请输入邮箱名称", "请输入正确的邮箱", then, for new
        // and changed reminders alike, "提醒日期必须大于今天" (today is refused).
        Dated,
    };

    // The dialog's widgets, by their form names. `frequency` is null for Kind::Dated.
    struct Widgets {
        QComboBox *isRemind = nullptr;   // comboBox_isRemind
        QCheckBox *method = nullptr;     // checkBox_remindMethod
        QLineEdit *address = nullptr;    // lineEdit_remindMethodBody
        QComboBox *frequency = nullptr;  // comboBox_remindFrequency
        QDateEdit *date = nullptr;       // dateEdit_remindDate
        QLineEdit *days = nullptr;       // lineEdit_remindDateNumber
    };

    // Fills the combos and gives the widgets their starting state (date today
    // with a calendar pop-up, days "0" with an integer validator, e-mail off),
    // with the widgets' signals blocked. Until it is called the operations
    // below do nothing, so slots fired while the form is set up are harmless.
    void bind(Kind kind, const Widgets &widgets);
    // The logged-in user, whose grade and e-mail address the e-mail switch
    // reads; hand it over before load(). Without a user e-mail cannot be set.
    void setUser(const DomainUser *user) { this->user = user; }

    // on_comboBox_isRemind_currentTextChanged: "开启" enables the switch, the
    // date and the days (and the address and frequency while the switch is
    // on); anything else disables them all, the switch keeping its state.
    // Kind::Optional only.
    void isRemindChanged(const QString &text);
    // on_checkBox_remindMethod_stateChanged: switched on by a user of grade 2
    // or above, the address opens with the user's own e-mail (frequency
    // "到前置期邮件提醒") or empty with the placeholder "请输入邮箱" (frequency
    // "无邮件提醒"); below grade 2 the box "只有高级用户才可以设置邮件提醒" is
    // shown and the switch goes off again. Off: address emptied and disabled,
    // frequency "无邮件提醒" and disabled.
    void methodChanged(int state);
    // on_lineEdit_remindMethodBody_editingFinished: an address with "@" and "."
    // selects "到前置期邮件提醒", any other shows "请输入正确邮箱".
    // Kind::Optional only.
    void addressFinished();

    // Shows the record's settings as stored, with the widgets' signals
    // blocked: no grade box while loading, so a stored e-mail reminder of a
    // grade-1 user stays on (it can be switched off, not set anew) and is
    // stored again by a confirm. A stored value that is not among a combo's
    // items is shown as an extra item and kept.
    template<class Record>
    void load(const Record &record)
    {
        Fields f;
        read(record, f);
        loadFields(f);
    }

    // Checks the settings (messages of the Kind, in its order) and writes them
    // into the record as far as they passed; the first problem, or an empty
    // text. A record with id 0 counts as new.
    template<class Record>
    QString store(Record &record)
    {
        Fields f;
        read(record, f);
        const QString problem = storeFields(f, record.getId() == 0);
        record.setIsRemind(f.isRemind);
        record.setRemindMethod(f.remindMethod);
        record.setRemindMethodBody(f.remindMethodBody);
        if constexpr (HasFrequency<Record>::value)
            record.setRemindFrequency(f.remindFrequency);
        record.setRemindDate(f.remindDate);
        record.setRemindDateNumber(f.remindDateNumber);
        return problem;
    }

private:
    struct Fields {
        QString isRemind;
        QString remindMethod;
        QString remindMethodBody;
        QString remindFrequency;
        QString remindDate;
        int remindDateNumber = 0;
    };

    template<class R, class = void>
    struct HasFrequency : std::false_type {
    };
    template<class R>
    struct HasFrequency<R, std::void_t<decltype(std::declval<const R &>().getRemindFrequency())>> : std::true_type {
    };

    template<class Record>
    static void read(const Record &record, Fields &f)
    {
        f.isRemind = record.getIsRemind();
        f.remindMethod = record.getRemindMethod();
        f.remindMethodBody = record.getRemindMethodBody();
        if constexpr (HasFrequency<Record>::value)
            f.remindFrequency = record.getRemindFrequency();
        f.remindDate = record.getRemindDate();
        f.remindDateNumber = record.getRemindDateNumber();
    }

    void loadFields(const Fields &f);
    QString storeFields(Fields &f, bool adding) const;
    QString addressProblem() const;
    bool mayMail() const;
    void mailOff();
    void applyEnabled();

    Kind kind = Kind::Optional;
    Widgets w;
    bool bound = false;
    const DomainUser *user = nullptr;
};

#endif // REMINDERBLOCK_H
