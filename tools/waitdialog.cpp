#include "waitdialog.h"

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QGridLayout>
#include <QLabel>
#include <QMovie>
#include <QPainter>
#include <QPaintEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

WaitDialog::WaitDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    control_init();
}

WaitDialog::~WaitDialog()
{
    delete movie;
    delete labelMovie;
    delete labelText;
    delete btnCancel;
    delete frame;
}

void WaitDialog::control_init()
{
    setFixedSize(250, 260);

    frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("frame"));
    frame->setGeometry(10, 10, width() - 20, height() - 20);

    labelMovie = new QLabel(frame);
    labelMovie->setObjectName(QStringLiteral("labelMovie"));
    movie = new QMovie(QStringLiteral(":/images/loading.gif"));
    const int side = std::min(labelMovie->width(), labelMovie->height());
    movie->setScaledSize(QSize(side, side));
    labelMovie->setScaledContents(true);
    labelMovie->setMovie(movie);
    movie->start();

    labelText = new QLabel(frame);
    labelText->setObjectName(QStringLiteral("labelText"));
    labelText->setAlignment(Qt::AlignCenter);
    labelText->setText(QString());
    labelText->setFont(QFont(QStringLiteral("Microsoft YaHei"), 10));

    btnCancel = new QPushButton(frame);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setText(QStringLiteral("取消等待"));
    btnCancel->setMinimumHeight(35);
    btnCancel->setEnabled(true);
    btnCancel->setStyleSheet(QStringLiteral(
        "QPushButton#btnCancel{background-color:rgba(255,127,39,130);border-radius:4px;"
        "font-family:\"Microsoft YaHei\";font-size:14px;color:#333333;}"
        "QPushButton#btnCancel::hover{background:rgba(255,127,39, 170);}"
        "QPushButton#btnCancel::pressed{background:rgba(255,127,39, 255);}"));
    connect(btnCancel, &QPushButton::clicked, this, &WaitDialog::btn_click_slot);

    gridLayout = new QGridLayout();
    gridLayout->setSpacing(0);
    gridLayout->setContentsMargins(2, 2, 2, 2);
    verticalLayout = new QVBoxLayout();
    verticalLayout->setSpacing(0);
    verticalLayout->addWidget(labelMovie, 4);
    verticalLayout->addWidget(labelText, 3);
    verticalLayout->addWidget(btnCancel, 1);
    gridLayout->addLayout(verticalLayout, 0, 0);
    frame->setLayout(gridLayout);

    auto *shadow = new QGraphicsDropShadowEffect(this);
    shadow->setOffset(0, 0);
    shadow->setColor(QColor(32, 101, 165));
    shadow->setBlurRadius(10);
    setGraphicsEffect(shadow);
}

void WaitDialog::set_text(QString text)
{
    labelText->setText(text);
}

void WaitDialog::set_btn_cancel(bool enable)
{
    btnCancel->setEnabled(enable);
}

void WaitDialog::move_to_center(QWidget *widget)
{
    if (!widget)
        return;
    move(widget->x() + (widget->width() - width()) / 2, widget->y() + (widget->height() - height()) / 2);
}

void WaitDialog::set_progress(unsigned char progress)
{
    float q = std::min<int>(progress, 100) / 100.0f;
    if (q >= 1)
        q = 0.999f;
    const QString sheet = QStringLiteral(
        "background-color: qlineargradient(spread:pad, x1:0, y1:0, x2:1, y2:0, stop:0 rgba(0, 168,243, 100), "
        "stop:%1 rgba(0, 168, 243, 100),stop:%2 rgba(255, 255, 255, 255), stop:1 rgba(255, 255, 255, 255));")
        .arg(QString::number(q, 'g', 6), QString::number(q + 0.000004, 'g', 6));
    labelText->setStyleSheet(sheet);
}

void WaitDialog::btn_click_slot()
{
    emit cancel_waiting_signal();
}

void WaitDialog::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QBrush(Qt::white));
    painter.setPen(Qt::transparent);
    painter.drawRoundedRect(QRect(9, 9, width() - 18, height() - 18), 8, 8, Qt::AbsoluteSize);
    painter.end();
    QDialog::paintEvent(event);
}
