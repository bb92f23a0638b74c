// The toolkit operations the program's logic needs, and nothing more. The logic talks to
// the desktop only through these two interfaces, so it builds and runs without a display:
// the Qt widgets implement Platform, tests use an in-memory fake.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// Every control of the window. The last three are scratch storage the user never sees.
enum class Control {
  Label1,    // name of the loaded list
  WordList,  // master list
  Label2,    // pick count
  Text3,     // copy box
  Command1,  // "Copy Num"
  Command2,  // "Copy Word"
  WordNum,   // input mode button
  Text1,     // entry box
  List1,     // candidates
  Label3,    // "Working Please Wait"
  Label4,    // about strip
  Text2,     // staging box for exports (scratch)
  lstRand,   // random order (scratch list)
  txtNum,    // word count (scratch text)
};

// The menu items that have a click handler; separators and menu titles have none.
enum class MenuItem { Lpw, Ex, Cz, En, Fr, It, Po, Spa };

enum class MessageIcon { Critical, Question, Warning };
enum class MessageButtons { Ok, YesNo };  // YesNo: Yes is the default button
enum class MessageAnswer { Ok, Yes, No };

// The window's outer edges, in twips, as the closing movement reads and sets them.
enum class Edge { Top, Left, Width, Height };
// New values for the edges, indexed by Edge; an edge without one keeps its place.
using WindowEdges = std::array<std::optional<float>, 4>;

// Rows that a list box shows without holding copies of them: it asks for a row when it
// draws it. A row is a short head made for the asking (a number text, say) followed by a
// tail that lies in the owner's storage.
struct ListRow {
  std::string head;
  std::string_view tail;
};

class ListRows {
 public:
  virtual ~ListRows() = default;
  virtual std::size_t rowCount() const = 0;
  virtual ListRow row(std::size_t index) const = 0;
};

// What the toolkit delivers to the window. Form1 implements it.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  virtual void formLoad() = 0;    // once, before the window is first shown
  virtual void formUnload() = 0;  // the user closes the window
  virtual void menuClick(MenuItem item) = 0;
  // A key that delivers a character code, before the box inserts it. The handler may replace
  // the code; the box then inserts that character, or nothing when it is 0.
  virtual void keyPress(Control box, int& code) = 0;
  virtual void click(Control control) = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // --- window ---
  // Reads may fail (nullopt); a refused set returns false and changes nothing.
  virtual std::optional<float> windowEdge(Edge edge) = 0;
  virtual bool setWindowEdge(Edge edge, float twips) = 0;
  // The changes of one step of the closing movement, in the order of Edge. A platform may hand
  // them to the window system as one change of the window: at 2 pixels a step that looks the
  // same, and costs one round trip to the window system instead of four.
  virtual void setWindowEdges(const WindowEdges& edges) {
    for (std::size_t e = 0; e < edges.size(); ++e) {
      if (edges[e]) setWindowEdge(static_cast<Edge>(e), *edges[e]);
    }
  }
  virtual std::optional<float> screenWidth() = 0;
  // Width of a text in the window's own font, in twips.
  virtual float textWidth(std::string_view text) = 0;
  // Handles the events waiting now, then returns.
  virtual void doEvents() = 0;
  // Seconds on a monotonic clock; bounds loops that wait on the window system.
  virtual double monotonicSeconds() = 0;
  // Ends the program at once: no handler runs after this. The caller returns straight away.
  virtual void endProgram(int status) = 0;
  // While false, no menu item, input control or close request can start an action.
  virtual void setInputEnabled(bool enabled) = 0;

  // --- captions and texts (label caption, button caption, text box text) ---
  virtual std::string text(Control control) = 0;
  virtual void setText(Control control, std::string_view text) = 0;
  // Adds text at the end of a text box, as setText(text + more) would, without rebuilding
  // what is already there: a long copy box must not make every pick slower.
  virtual void appendText(Control control, std::string_view more) {
    setText(control, text(control) + std::string(more));
  }
  virtual void setToolTip(Control control, std::string_view tip) = 0;
  virtual void setVisible(Control control, bool visible) = 0;
  virtual void setFocus(Control control) = 0;

  // --- list boxes (never sorted) ---
  virtual void clearList(Control list) = 0;
  virtual void appendItem(Control list, std::string_view item) = 0;
  // Appends many items in one batch, so a long list costs one layout, not one per item. The
  // list keeps them as its own.
  virtual void appendItems(Control list, std::vector<std::string> items) = 0;
  // Appends `rows` in one batch without copying them: the list reads them while it shows
  // them, so they must stay as they are, and alive, until the list is next cleared.
  virtual void appendRows(Control list, const ListRows& rows) = 0;
  virtual std::string itemAt(Control list, int index) = 0;
  virtual int itemCount(Control list) = 0;
  virtual std::string selectedText(Control list) = 0;
  virtual float listWidth(Control list) = 0;  // twips
  virtual void setColumns(Control list, int columns) = 0;

  // --- message box (modal) ---
  virtual MessageAnswer messageBox(std::string_view title, std::string_view text, MessageIcon icon,
                                   MessageButtons buttons) = 0;

  // --- clipboard: plain text only; the program never reads it ---
  virtual void clearClipboard() = 0;
  virtual void setClipboardText(std::string_view text) = 0;
};

}  // namespace quorvel
