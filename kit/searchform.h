#ifndef SEARCHFORM_H
#define SEARCHFORM_H

#include <QMessageBox>
#include <QString>

#include <initializer_list>

class DomainUi;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLayout;
class QLineEdit;
class QWidget;

// What the search dialogs share: their operator rows, page-size field,
// confirm, "查询全部", quick search and clear steps. Each dialog keeps its own
// form, signal and by-name slots; a slot's body is one or two calls here,
// the dialog emitting its own signal when a step answers true:
//
//     // constructor, after setupUi
//     SearchForm::setUpPageSize(ui->lineEdit_pageSize);
//     SearchForm::fillOperators({ui->comboBox_registerDate, ui->comboBox_grade});
//     SearchForm::startToday({ui->dateEdit_registerDate1, ui->dateEdit_registerDate2});
//     domainUi.setCurPage(1);
//
//     void XSearchDialog::on_comboBox_grade_currentTextChanged(const QString &text)
//     { SearchForm::showSecondValue(text, {ui->label_grade, ui->comboBox_grade2}); }
//
//     void XSearchDialog::on_pushButton_confirm_clicked()
//     { if (SearchForm::confirm(getConditionStr(), ui->lineEdit_pageSize, domainUi)) emit sendDomainUi(domainUi); }
//
//     void XSearchDialog::on_pushButton_findAll_clicked()
//     {
//         conditionStr = ConditionBuilder::matchAll();
//         if (SearchForm::findAll(this, conditionStr, ui->lineEdit_pageSize, domainUi)) {
//             emit sendDomainUi(domainUi);
//             close();
//         }
//     }
//
// Dialogs that hand over a plain QString use confirm(condition, refusal) and,
// for "查询全部", set their string to "" (empty, not null), emit and close.
// The condition itself is built with SearchCondition (searchcondition.h).
class SearchForm
{
public:
    // ---- Form set-up

    // Appends the seven operators (">", "<", "=", ">=", "<=", "!=", "介于") to
    // each combo, in the order given. A combo that was empty then shows ">"
    // and its currentTextChanged slot runs once, hiding the second value.
    static void fillOperators(std::initializer_list<QComboBox *> combos);
    // The body of an operator combo's currentTextChanged slot: shows the
    // row's second value widgets (and its "至" label) while the text contains
    // "介于", hides them otherwise, in the order given.
    static void showSecondValue(const QString &operatorText, std::initializer_list<QWidget *> secondValue);
    // Sets each date edit to today and, when asked, turns its calendar pop-up on.
    static void startToday(std::initializer_list<QDateEdit *> edits, bool calendarPopup = true);
    // Below grade 5 hides every widget of the owner row (the layout
    // `horizontalLayout_loginName`: switch, label and field), so that only
    // administrators search by owner.
    static void hideOwnerRow(int grade, QLayout *row);

    // Gives the page-size field its validator: whole numbers from 1 to
    // 999999999, no sign, no leading zero; the field may be empty. Page sizes
    // below 1 therefore cannot be typed.
    static void setUpPageSize(QLineEdit *field);
    // The page size in the field; 0 when it is empty or not a number from 1.
    static int pageSize(const QLineEdit *field);

    // ---- Steps

    // How confirm refuses. The defaults are the usual boxes; a dialog passes
    // what its own boxes say.
    struct Refusal {
        // Text of the "查询异常提示" box for an empty or refused condition,
        // and the title of the confirm's "每页显示个数不能为空" box.
        explicit Refusal(const QString &text = QStringLiteral("请选择左侧查询开关并填写条件"),
                         const QString &pageSizeTitle = QStringLiteral("提示信息"))
            : text(text), pageSizeTitle(pageSizeTitle)
        {
        }
        // The box without icon and title: "查询异常提示" is its text and the
        // usual text its informative text.
        static Refusal plainBox()
        {
            Refusal refusal;
            refusal.plain = true;
            return refusal;
        }

        QString text;
        QString pageSizeTitle;
        bool plain = false;
    };

    // "确   认" of a dialog that hands over a DomainUi. An empty condition
    // (nothing ticked and filled, or a refused number) gets the warning box
    // "查询异常提示" with the refusal's text and the button "知道了"; else a
    // page size that is empty or below 1 gets the warning box titled
    // refusal.pageSizeTitle, "每页显示个数不能为空", "知道了". Otherwise puts the
    // page size and the condition into the carrier and answers true: the
    // dialog emits and stays open.
    static bool confirm(const QString &condition, const QLineEdit *pageSizeField, DomainUi &carrier,
                        const Refusal &refusal = Refusal());
    // "确   认" of a dialog that hands over a QString: refuses an empty
    // condition with the refusal's box, else answers true (the dialog emits
    // its string and stays open).
    static bool confirm(const QString &condition, const Refusal &refusal = Refusal());
    // "查询全部" of a dialog that hands over a DomainUi, given the condition it
    // sends (" and 1=1 " or empty): a page size that is empty or below 1 gets
    // the standard warning box (parent `dialog`) "提示" / "每页显示个数不能为空"
    // with OK, and the dialog stays open. Otherwise puts page size and
    // condition into the carrier and answers true: the dialog emits and closes.
    static bool findAll(QWidget *dialog, const QString &condition, const QLineEdit *pageSizeField,
                        DomainUi &carrier);
    // The body of the page-size field's editingFinished slot: the same
    // standard warning box when the field is empty.
    static void pageSizeLeft(QWidget *dialog, const QLineEdit *field);
    // A quick search ("查找") on one text field: an empty field gets the
    // warning box "查询异常提示" / "请填写查询内容" with "知道了" (after the
    // standard `extraButtons` when given). Otherwise ticks `tick`, puts
    // " and <field> like '%<text>%'" (no trailing blank) and the page size
    // (0 when the page-size field is empty: the window keeps its own) into
    // the carrier and answers true; the dialog emits and stays open. Its
    // kept condition string is not touched.
    static bool quickSearch(QCheckBox *tick, const QString &field, const QLineEdit *text,
                            const QLineEdit *pageSizeField, DomainUi &carrier,
                            QMessageBox::StandardButtons extraButtons = QMessageBox::NoButton);
    // "清  空": unticks the switches, empties the text fields, sets the combos
    // to their first item (an operator combo back at ">" hides its second
    // value) and the date edits to today. What a dialog resets beyond that
    // (days fields to "0", a combo to another item) it does itself.
    static void clear(std::initializer_list<QCheckBox *> switches, std::initializer_list<QLineEdit *> texts = {},
                      std::initializer_list<QComboBox *> firstItem = {}, std::initializer_list<QDateEdit *> today = {});
};

#endif // SEARCHFORM_H
