#ifndef WAITDIALOG_H
#define WAITDIALOG_H

#include <QDialog>
#include <QString>

class QFrame;
class QGridLayout;
class QLabel;
class QMovie;
class QPaintEvent;
class QPushButton;
class QVBoxLayout;
class QWidget;

// A frameless white card with a spinner, a text line that doubles as a
// progress bar and a cancel button.
class WaitDialog : public QDialog
{
    Q_OBJECT

public:
    explicit WaitDialog(QWidget *parent = nullptr);
    ~WaitDialog() override;

    void set_text(QString text);
    void set_btn_cancel(bool enable);
    void move_to_center(QWidget *widget);
    void set_progress(unsigned char progress);

signals:
    void cancel_waiting_signal();

private slots:
    void btn_click_slot();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void control_init();

    QGridLayout *gridLayout = nullptr;
    QVBoxLayout *verticalLayout = nullptr;
    QFrame *frame = nullptr;
    QLabel *labelMovie = nullptr;
    QMovie *movie = nullptr;
    QLabel *labelText = nullptr;
    QPushButton *btnCancel = nullptr;
};

#endif // WAITDIALOG_H
