// A list box's view. Rows the program puts into a shown list are laid out before the window
// next paints: left to itself, the view waits for a timer that fires after that paint, lays
// out in the middle of it (the scroll bar comes or goes) and paints the list a second time.
// Control+C copies the whole row, not the text drawn, which is cut short past a thousand
// characters.
#pragma once

#include <QListView>

namespace quorvel {

class QtListView : public QListView {
 public:
  using QListView::QListView;

  void reset() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void rowsInserted(const QModelIndex& parent, int start, int end) override;

 private:
  void layOutBeforePaint();

  bool layoutPosted_ = false;
};

}  // namespace quorvel
