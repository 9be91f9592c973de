#ifndef PAGESELECTOR_H
#define PAGESELECTOR_H

class QComboBox;

// The page selector of a table window: an editable combo box whose line edit
// is centred and read-only, holding one item "第i页/共P页" per page.
class PageSelector
{
public:
    // Makes the combo editable with a centred, read-only line edit.
    static void setup(QComboBox *combo);
    // Refills the combo with the items of `pages` pages (at least one) and
    // selects `curPage`, with the combo's signals blocked, so that only a
    // choice by the user reports a change.
    static void fill(QComboBox *combo, int pages, int curPage);
};

#endif // PAGESELECTOR_H
