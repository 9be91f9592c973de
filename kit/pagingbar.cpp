#include "pagingbar.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpacerItem>
#include <QStatusBar>
#include <QWidget>

#include "pageselector.h"

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

PagingBar::Text PagingBar::pattern(const QString &pattern)
{
    if (pattern.isEmpty())
        return Text();
    return [pattern](const Page &page) {
        QString text = pattern;
        text.replace(QStringLiteral("{curPage}"), QString::number(page.curPage));
        text.replace(QStringLiteral("{pages}"), QString::number(page.pages));
        text.replace(QStringLiteral("{total}"), QString::number(page.total));
        text.replace(QStringLiteral("{pageSize}"), QString::number(page.pageSize));
        return text;
    };
}

PagingBar::Texts PagingBar::patterns(const QString &pageLabelMany, const QString &statusMany,
                                     const QString &pageLabelOne, const QString &statusOne)
{
    Texts texts;
    texts.pageLabelMany = pattern(pageLabelMany);
    texts.statusMany = pattern(statusMany);
    texts.pageLabelOne = pattern(pageLabelOne);
    texts.statusOne = pattern(statusOne);
    return texts;
}

QLabel *PagingBar::addStatus(QStatusBar *bar, const QString &styleSheet)
{
    auto *label = new QLabel(bar);
    bar->addWidget(label, 0);
    if (!styleSheet.isEmpty())
        bar->setStyleSheet(styleSheet);
    return label;
}

PagingBar::PagingBar(const Widgets &widgets) : w(widgets) {}

PagingBar::Page PagingBar::show(int total, int curPage, int pageSize, const Texts &texts)
{
    Page page;
    page.total = total;
    page.curPage = curPage;
    page.pageSize = pageSize;
    const bool many = severalPages(total, pageSize);
    if (many) {
        page.pages = pageCount(total, pageSize);
        PageSelector::fill(w.selector, page.pages, curPage);
        if (texts.pageLabelMany && w.pageLabel)
            w.pageLabel->setText(texts.pageLabelMany(page));
        if (texts.statusMany && w.status)
            w.status->setText(texts.statusMany(page));
    } else {
        PageSelector::fill(w.selector, 1, 1);
        if (texts.pageLabelOne && w.pageLabel)
            w.pageLabel->setText(texts.pageLabelOne(page));
        if (texts.statusOne && w.status)
            w.status->setText(texts.statusOne(page));
    }

    w.previous->setEnabled(curPage > 1);
    w.next->setEnabled(pageSize >= 1 && total > qint64(curPage) * pageSize);

    setRowVisible(page.pages > 1);
    return page;
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
