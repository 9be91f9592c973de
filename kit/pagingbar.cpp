#include "pagingbar.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpacerItem>
#include <QStatusBar>
#include <QWidget>


int PagingBar::pageCount(int total, int pageSize)
{
    if (total <= 0)
        return 0;
    if (pageSize < 1)
        return 1;
    return total / pageSize + (total % pageSize ? 1 : 0);
}

bool PagingBar::severalPages(int total, int pageSize)
{
    return pageSize >= 1 && total > pageSize;
}

void PagingBar::setText(QLabel *label, const QString &pattern, int total, int curPage, int pageSize, int pages)
{
    if (!label || pattern.isEmpty())
        return;
    QString text = pattern;
    text.replace(QStringLiteral("{curPage}"), QString::number(curPage));
    text.replace(QStringLiteral("{pages}"), QString::number(pages));
    text.replace(QStringLiteral("{total}"), QString::number(total));
    text.replace(QStringLiteral("{pageSize}"), QString::number(pageSize));
    label->setText(text);
}

QLabel *PagingBar::addStatus(QStatusBar *bar, const QString &styleSheet)
{
    auto *label = new QLabel(bar);
    bar->addWidget(label, 0);
    if (!styleSheet.isEmpty())
        bar->setStyleSheet(styleSheet);
    return label;
}

PagingBar::PagingBar(const Widgets &widgets, const Texts &texts) : w(widgets), texts(texts)
{
    w.selector->setEditable(true);
    w.selector->lineEdit()->setAlignment(Qt::AlignCenter);
    w.selector->lineEdit()->setReadOnly(true);
}

void PagingBar::fillSelector(int pages, int curPage)
{
    const QSignalBlocker blocker(w.selector);
    const QString last = QStringLiteral("第%1页/共%1页").arg(pages);
    if (w.selector->count() != pages || w.selector->itemText(pages - 1) != last) {
        QStringList items;
        items.reserve(pages);
        for (int i = 1; i <= pages; ++i)
            items.append(QStringLiteral("第%1页/共%2页").arg(i).arg(pages));
        w.selector->clear();
        w.selector->addItems(items);
    }
    w.selector->setCurrentIndex(curPage >= 1 && curPage <= pages ? curPage - 1 : -1);
}

void PagingBar::show(int total, int curPage, int pageSize)
{
    if (severalPages(total, pageSize)) {
        const int pages = pageCount(total, pageSize);
        fillSelector(pages, curPage);
        setText(w.pageLabel, texts.pageLabelMany, total, curPage, pageSize, pages);
        setText(w.status, texts.statusMany, total, curPage, pageSize, pages);
    } else {
        fillSelector(1, 1);
        setText(w.pageLabel, texts.pageLabelOne, total, curPage, pageSize, 0);
        setText(w.status, texts.statusOne, total, curPage, pageSize, 0);
    }

    w.previous->setEnabled(curPage > 1);
    w.next->setEnabled(pageSize >= 1 && total > qint64(curPage) * pageSize);

    setRowVisible(severalPages(total, pageSize));
}

void PagingBar::setStatus(const QString &text)
{
    if (w.status)
        w.status->setText(text);
}

void PagingBar::setRowVisible(bool visible)
{
    if (w.row) {
        for (int i = 0; i < w.row->count(); ++i) {
            if (QWidget *widget = w.row->itemAt(i)->widget())
                widget->setVisible(visible);
        }
    }
    for (QSpacerItem *spacer : {w.leftSpacer, w.rightSpacer}) {
        if (!spacer)
            continue;
        if (visible)
            spacer->changeSize(20, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
        else
            spacer->changeSize(0, 0, QSizePolicy::Minimum, QSizePolicy::Minimum);
    }
    if (w.row)
        w.row->invalidate();
}
