// The first navigation key in a list that has nothing selected. Qt makes a row current
// without selecting it when a list takes the focus, so the first Down would skip the first
// row and the only row of a one-entry list could never be chosen by key.
#pragma once

class QAbstractItemView;

namespace quorvel {

// From now on, while nothing in the view is selected, Down, Up, Home and Page Up select the
// first row and End and Page Down the last, through the view's selection model, so whatever
// follows selection changes (a pick in the candidates) runs as for any other selection.
// Keys in an empty list, keys with Control or Alt, and Space keep their usual meaning.
void selectByFirstKey(QAbstractItemView* view);

}  // namespace quorvel
