// The window as designed: every control's place, size, texts and look, and both menus.
// Toolkit-neutral data, read by the Qt widgets and by the in-memory fake alike, so both
// start from the same state. Places and sizes are in twips (15 to a pixel at 96 dpi),
// measured from the top-left corner of the client area.
#pragma once

#include <array>
#include <string_view>

#include "platform/Platform.h"

namespace quorvel::design {

inline constexpr std::string_view kTitle = "Quorvel";
inline constexpr int kClientWidth = 6525;
inline constexpr int kClientHeight = 4140;
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kBackground[3] = {192, 192, 192};

enum class Kind { Label, ListBox, TextBox, Button };

// "Default": the window's own dialog font. Otherwise the sans serif face, bold, at this size.
enum class FontSize { Default, Pt8_25, Pt9_75, Pt18 };

struct ControlDesign {
  Control id;
  std::string_view name;
  Kind kind;
  int left, top, width, height;
  std::string_view text;
  std::string_view toolTip;
  FontSize font;
  bool greyBackground;  // label background or button face in the window's light grey
  bool scratch;         // storage only, never shown
  bool multiLine;       // text boxes
  bool visibleAtStart;
  // What a screen reader announces for a control without a caption: the boxes and lists.
  // Labels and buttons are announced by the text they show, so a user hears what is seen.
  std::string_view accessibleName;
  // What the control is for, announced as its description where no tooltip tells it.
  std::string_view purpose;
};

inline constexpr std::string_view kAboutText =
    " Quorvel: type the first letters of a word or the first digits of its number, "
    "pick the entry, copy numbers or words. ";

// Order here is creation order: labels first, so every other control is drawn above them.
inline constexpr std::array<ControlDesign, 14> kControls{{
    {Control::Label4, "Label4", Kind::Label, 0, 0, 135, 4215, "", kAboutText, FontSize::Default,
     true, false, false, true, "", ""},
    {Control::Label3, "Label3", Kind::Label, 0, 3720, 6375, 495, "Working Please Wait", "",
     FontSize::Pt18, true, false, false, false, "", "Shown while a private list is made"},
    {Control::Label1, "Label1", Kind::Label, 10, 0, 2400, 255, "", "", FontSize::Pt9_75, true,
     false, false, true, "", "Name of the loaded word list"},
    {Control::Label2, "Label2", Kind::Label, 2520, 120, 1695, 255, "", "", FontSize::Pt9_75, true,
     false, false, true, "", "Number of entries picked"},
    {Control::WordList, "WordList", Kind::ListBox, 120, 360, 2175, 2985, "", "", FontSize::Pt8_25,
     false, false, false, true, "Word list", "Every entry of the loaded word list"},
    {Control::Text3, "Text3", Kind::TextBox, 2415, 360, 2055, 3020, "",
     " Click To Copy All To Clipboard ", FontSize::Pt8_25, false, false, true, true, "Copy box",
     ""},
    {Control::Command1, "Command1", Kind::Button, 2415, 3480, 975, 255, "Copy Num",
     "  Copy Number To Clipboard ", FontSize::Default, true, false, false, true, "", ""},
    {Control::Command2, "Command2", Kind::Button, 3480, 3480, 975, 255, "Copy Word",
     "  Copy Words To Clipboard ", FontSize::Default, true, false, false, true, "", ""},
    {Control::WordNum, "WordNum", Kind::Button, 4560, 60, 1815, 300, "Words",
     " Click To Change To Number Input ", FontSize::Pt9_75, true, false, false, true, "", ""},
    {Control::List1, "List1", Kind::ListBox, 4560, 600, 1800, 2790, "",
     " Click To Copy To The Copy Box ", FontSize::Pt8_25, false, false, false, true, "Candidates",
     ""},
    {Control::Text1, "Text1", Kind::TextBox, 4560, 360, 1800, 285, "", "", FontSize::Pt9_75, false,
     false, false, true, "Entry box",
     "Type the first letters of a word or the first digits of its number"},
    {Control::Text2, "Text2", Kind::TextBox, 9000, 720, 855, 1935, "", "", FontSize::Default, false,
     true, true, false, "Staging box", ""},
    {Control::lstRand, "lstRand", Kind::ListBox, 6840, 360, 2055, 3960, "", "", FontSize::Default,
     false, true, false, false, "Random order", ""},
    {Control::txtNum, "txtNum", Kind::TextBox, 6840, 0, 1455, 285, "", "", FontSize::Default, false,
     true, false, false, "Word count", ""},
}};

constexpr const ControlDesign& control(Control id) {
  for (const auto& c : kControls) {
    if (c.id == id) return c;
  }
  return kControls[0];  // unreachable: every Control has a row
}

// Tab order of the visible controls; labels never take the focus.
inline constexpr std::array<Control, 7> kTabOrder{
    Control::Text1,    Control::WordList, Control::List1,  Control::Text3,
    Control::Command1, Control::Command2, Control::WordNum};

// A menu entry: a separator when item is empty.
struct MenuEntry {
  std::string_view name;
  std::string_view caption;  // "-" for a separator
  std::optional<MenuItem> item;
};

struct MenuDesign {
  std::string_view name;
  std::string_view caption;
  std::array<MenuEntry, 13> entries;
  int count;
};

inline const std::array<MenuDesign, 2> kMenus{{
    {"Fl",
     "&File",
     {{{"sp11", "-", std::nullopt},
       {"Lpw", "&Load Private Words", MenuItem::Lpw},
       {"Sp12", "-", std::nullopt},
       {"Ex", "&Exit", MenuItem::Ex},
       {"Sp13", "-", std::nullopt}}},
     5},
    {"Language",
     "&Language",
     {{{"Sp1", "-", std::nullopt},
       {"Cz", "&Czech", MenuItem::Cz},
       {"Sp3", "-", std::nullopt},
       {"En", "&English", MenuItem::En},
       {"Sp4", "-", std::nullopt},
       {"Fr", "&French", MenuItem::Fr},
       {"Sp5", "-", std::nullopt},
       {"It", "&Italian", MenuItem::It},
       {"Sp6", "-", std::nullopt},
       {"Po", "&Portuguese", MenuItem::Po},
       {"Sp9", "-", std::nullopt},
       {"Spa", "&Spanish", MenuItem::Spa},
       {"Sp10", "-", std::nullopt}}},
     13},
}};

}  // namespace quorvel::design
