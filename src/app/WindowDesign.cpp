#include "app/WindowDesign.h"

#include <string>

#include "wordlist/Languages.h"

namespace quorvel {

namespace {

constexpr std::string_view kAboutText =
    " Quorvel: type the first letters of a word or the first digits of its number, "
    "pick the entry, copy numbers or words. ";

constexpr std::string_view kToNumbersTip = " Click To Change To Number Input ";
constexpr std::string_view kToWordsTip = " Click To Change To Words Input ";

using C = Control;
using K = ControlKind;
using F = FontSize;

// The designer's names of the Language menu's items and of the separators around them, in
// the order of the language table.
constexpr std::array<std::string_view, kLanguages.size()> kLanguageItemNames{"Cz", "En", "Fr",
                                                                             "It", "Po", "Spa"};
constexpr std::array<std::string_view, kLanguages.size() + 1> kLanguageSeparatorNames{
    "Sp1", "Sp3", "Sp4", "Sp5", "Sp6", "Sp9", "Sp10"};

MenuEntryDesign separator(std::string_view name) {
  return {std::string(name), "-", std::nullopt};
}

MenuDesign languageMenu() {
  MenuDesign menu{"Language", "&Language", {}};
  for (std::size_t i = 0; i < kLanguages.size(); ++i) {
    menu.entries.push_back(separator(kLanguageSeparatorNames[i]));
    menu.entries.push_back({std::string(kLanguageItemNames[i]), "&" + std::string(kLanguages[i]),
                            MenuCommand{MenuCommand::ChooseLanguage, i}});
  }
  menu.entries.push_back(separator(kLanguageSeparatorNames.back()));
  return menu;
}

WindowDesign makeDesign() {
  WindowDesign design{
      "Quorvel",
      6525,
      4140,
      {192, 192, 192},
      {
          {C::AboutStrip, "Label4", K::Label, 0, 0, 135, 4215, "", kAboutText, F::Default, false,
           true, "", ""},
          {C::WorkingBanner, "Label3", K::Label, 0, 3720, 6375, 495, "Working Please Wait", "",
           F::Pt18, false, false, "", "Shown while a private list is made"},
          {C::ListName, "Label1", K::Label, 10, 0, 2400, 255, "", "", F::Pt9_75, false, true, "",
           "Name of the loaded word list"},
          {C::PickCount, "Label2", K::Label, 2520, 120, 1695, 255, "", "", F::Pt9_75, false, true,
           "", "Number of entries picked"},
          {C::WordList, "WordList", K::ListBox, 120, 360, 2175, 2985, "", "", F::Pt8_25, false,
           true, "Word list", "Every entry of the loaded word list"},
          {C::CopyBox, "Text3", K::TextBox, 2415, 360, 2055, 3020, "",
           " Click To Copy All To Clipboard ", F::Pt8_25, true, true, "Copy box", ""},
          {C::CopyNumbers, "Command1", K::Button, 2415, 3480, 975, 255, "Copy Num",
           "  Copy Number To Clipboard ", F::Default, false, true, "", ""},
          {C::CopyWords, "Command2", K::Button, 3480, 3480, 975, 255, "Copy Word",
           "  Copy Words To Clipboard ", F::Default, false, true, "", ""},
          {C::ModeButton, "WordNum", K::Button, 4560, 60, 1815, 300, modeCaption(InputMode::Words),
           modeToolTip(InputMode::Words), F::Pt9_75, false, true, "", ""},
          {C::Candidates, "List1", K::ListBox, 4560, 600, 1800, 2790, "",
           " Click To Copy To The Copy Box ", F::Pt8_25, false, true, "Candidates", ""},
          {C::EntryBox, "Text1", K::TextBox, 4560, 360, 1800, 285, "", "", F::Pt9_75, false, true,
           "Entry box", "Type the first letters of a word or the first digits of its number"},
      },
      {C::EntryBox, C::WordList, C::Candidates, C::CopyBox, C::CopyNumbers, C::CopyWords,
       C::ModeButton},
      {},
  };
  design.menus.push_back(
      {"Fl",
       "&File",
       {separator("sp11"),
        {"Lpw", "&Load Private Words", MenuCommand{MenuCommand::LoadPrivateList}},
        separator("Sp12"),
        {"Ex", "&Exit", MenuCommand{MenuCommand::Exit}},
        separator("Sp13")}});
  design.menus.push_back(languageMenu());
  return design;
}

}  // namespace

const WindowDesign& windowDesign() {
  static const WindowDesign design = makeDesign();
  return design;
}

std::string_view modeCaption(InputMode mode) {
  return mode == InputMode::Numbers ? "Numbers" : "Words";
}

std::string_view modeToolTip(InputMode mode) {
  return mode == InputMode::Numbers ? kToWordsTip : kToNumbersTip;
}

}  // namespace quorvel
