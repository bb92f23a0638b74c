// The toolkit operations the program's logic needs, and nothing more. The logic talks to
// the desktop only through these interfaces, so it builds and runs without a display: the Qt
// widgets implement Platform, tests use an in-memory fake.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// Every control of the window.
enum class Control {
  ListName,       // name of the loaded list, over the word list
  WordList,       // every entry of the loaded list
  PickCount,      // how many entries were picked
  CopyBox,        // the picked entries
  CopyNumbers,    // "Copy Num"
  CopyWords,      // "Copy Word"
  ModeButton,     // word or number input
  EntryBox,       // where the user types
  Candidates,     // the entries the typed prefix lists
  WorkingBanner,  // "Working Please Wait"
  AboutStrip,     // the about text's tooltip along the left edge
};
inline constexpr std::size_t kControlCount = static_cast<std::size_t>(Control::AboutStrip) + 1;

// What a menu item does: one of the fixed commands, or choosing the language at `language`
// in the language table.
struct MenuCommand {
  enum Kind { LoadPrivateList, Exit, ChooseLanguage };
  Kind kind;
  std::size_t language = 0;
  bool operator==(const MenuCommand&) const = default;
};

enum class MessageIcon { Critical, Question, Warning };
enum class MessageButtons { Ok, YesNo };  // YesNo: Yes is the default button
enum class MessageAnswer { Ok, Yes, No };

// The window's outer edges, in twips, as the closing movement reads and sets them.
enum class Edge { Top, Left, Width, Height };
// New values for the edges, indexed by Edge; an edge without one keeps its place.
using WindowEdges = std::array<std::optional<float>, 4>;

// ------------------------------------------------------------------ the window's design
// Places and sizes are in twips, measured from the top-left corner of the client area.
inline constexpr int kTwipsPerPixel = 15;  // at 96 dots per inch

enum class ControlKind { Label, ListBox, TextBox, Button };

// Default: the window's own dialog font. Otherwise the designed sans serif face, bold, at
// this size.
enum class FontSize { Default, Pt8_25, Pt9_75, Pt18 };

struct ControlDesign {
  Control id;
  std::string_view objectName;  // the name the window's designer gave it
  ControlKind kind;
  int left, top, width, height;
  std::string_view text;
  std::string_view toolTip;
  FontSize font;
  bool multiLine;  // text boxes
  bool visibleAtStart;
  // What a screen reader announces for a control without a caption: the boxes and lists.
  // Labels and buttons are announced by the text they show, so a user hears what is seen.
  std::string_view accessibleName;
  // What the control is for, announced as its description where no tooltip tells it.
  std::string_view purpose;
};

// A menu entry: a separator when it has no command.
struct MenuEntryDesign {
  std::string objectName;
  std::string caption;  // "&" marks the access key; "-" for a separator
  std::optional<MenuCommand> command;
};

struct MenuDesign {
  std::string_view objectName;
  std::string_view caption;
  std::vector<MenuEntryDesign> entries;
};

struct WindowDesign {
  std::string_view title;
  int clientWidth, clientHeight;  // twips
  std::array<int, 3> background;  // RGB
  // Creation order: labels first, so every other control is drawn above them.
  std::vector<ControlDesign> controls;
  std::vector<Control> tabOrder;  // the controls that take the focus, in Tab order
  std::vector<MenuDesign> menus;

  // The row of a control; every Control has one.
  const ControlDesign& control(Control id) const;
};

// ------------------------------------------------------------------ lists and events

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
  virtual void onLoad() = 0;   // once, before the window is first shown
  virtual void onClose() = 0;  // the user closes the window
  virtual void onMenu(MenuCommand command) = 0;
  // A character typed into the entry box, before the box inserts it. Returns the code the
  // box inserts instead: the same, another, or 0 for nothing.
  virtual int onEntryKey(int code) = 0;
  virtual void onClick(Control control) = 0;
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
  // Appends many items in one batch, so a long list costs one layout, not one per item. The
  // list keeps them as its own.
  virtual void appendItems(Control list, std::vector<std::string> items) = 0;
  // Appends `rows` in one batch without copying them: the list reads them while it shows
  // them, so they must stay as they are, and alive, until the list is next cleared.
  virtual void appendRows(Control list, const ListRows& rows) = 0;
  virtual std::string selectedText(Control list) = 0;

  // --- message box (modal) ---
  virtual MessageAnswer messageBox(std::string_view title, std::string_view text, MessageIcon icon,
                                   MessageButtons buttons) = 0;

  // --- clipboard: plain text only; the program never reads it ---
  virtual void clearClipboard() = 0;
  virtual void setClipboardText(std::string_view text) = 0;
};

inline const ControlDesign& WindowDesign::control(Control id) const {
  for (const auto& c : controls) {
    if (c.id == id) return c;
  }
  return controls.front();  // unreachable for a complete design
}

}  // namespace quorvel
