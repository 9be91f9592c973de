#ifndef STOREDCHOICE_H
#define STOREDCHOICE_H

class QComboBox;
class QString;

// Shows a stored value in a combo box of fixed choices. A value that is not
// among the items is added as one extra item and selected, so that a confirm
// sends it back unchanged instead of the first item (a user's grade 6, a
// message kind that the list does not name). An empty value selects nothing:
// the combo keeps its current item.
class StoredChoice
{
public:
    static void select(QComboBox *combo, const QString &value);
};

#endif // STOREDCHOICE_H
