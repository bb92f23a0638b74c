// The copy box's view. A line longer than a thousand characters is shown cut short, ending in
// an ellipsis, as the lists draw their rows: laying out a line of millions of characters takes
// minutes and gigabytes. What is copied from it (a selection, Control+C, the X selection, a
// drag) holds the whole lines, marked secret.
#pragma once

#include <QPlainTextEdit>
#include <cstddef>
#include <string>
#include <vector>

namespace quorvel {

class QtCopyBox : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

  // Shows `kept` (its lines end in CR LF, LF or CR), which outlives the box, anew.
  void showKept(const std::string& kept);
  // Shows what was appended to `kept` since `from`; a CR LF must not be split at `from`.
  void showAppended(const std::string& kept, std::size_t from);

 protected:
  QMimeData* createMimeDataFromSelection() const override;

 private:
  // An ellipsis at document position `at` that stands for the kept bytes [from, to).
  struct Cut {
    int at;
    std::size_t from, to;
  };

  const std::string* kept_ = nullptr;
  std::vector<Cut> cuts_;
  std::size_t lineCharacters_ = 0;  // of the last line shown
  bool cutting_ = false;            // the last line is cut: its bytes until its end are hidden
};

}  // namespace quorvel
