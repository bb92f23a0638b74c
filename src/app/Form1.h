// The one window: its state, its routines and its event handlers. Everything it shows or
// asks goes through Platform, everything it reads or writes through FileSystem.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/Accents.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "platform/RandomSource.h"
#include "platform/Result.h"
#include "wordlist/WordFile.h"

namespace quorvel {

class Form1 : public WindowEvents {
 public:
  Form1(Platform& ui, FileSystem& files, RandomSource& random, std::filesystem::path programDir);
  // The master list shows rows that live here; the window may outlive the form.
  ~Form1() override;
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // --- events ---
  void formLoad() override;
  void formUnload() override;
  void menuClick(MenuItem item) override;
  void keyPress(Control box, int& code) override;
  void click(Control control) override;

  // --- routines ---
  void LoadWordList();
  void MatchByNumber();
  void MatchByWord();
  // Each fails with the reason the private list could not be made; CheckFileExistsMake, which
  // runs the other three, with the whole message it has shown.
  Result<void> CheckFileExistsMake();
  Result<void> CountWords();
  Result<void> MakeRandomOrder();
  Result<void> WritePrivateList();

  // --- window state (counters are 64-bit: no list or copy box is too long to count) ---
  std::string FilePath;     // full path of the word file loaded last
  std::string FileName;     // name of the current word file, e.g. "PubEnglish.txt"
  std::string PrivatePath;  // full path of the private file being written
  std::string KeyText;      // the prefix of the latest scan
  std::int64_t WordCount = 0;
  std::int64_t Counter = 0;
  std::int64_t PickCount = 0;
  std::int64_t Declined = 0;

 private:
  void SelectList(std::string_view language);
  void Text1KeyPress(int& code);
  void FoldWords();
  void WordNumClick();
  void List1Click();
  void Command1Click();
  void Command2Click();
  void Text3Click();
  void LpwClick();
  void ClosingMovement();
  void PutOnClipboard(const std::string& text);
  void CheckPrivateList(const WordItems& mine);
  std::filesystem::path InProgramDir(std::string_view name) const;

  Platform& ui_;
  FileSystem& files_;
  RandomSource& random_;
  std::filesystem::path programDir_;

  // The master list: the items of the file loaded last, which the scans read, shown through
  // rows that put each entry together only when the list draws it.
  class MasterRows : public ListRows {
   public:
    explicit MasterRows(const WordItems& words) : words_(words) {}
    std::size_t rowCount() const override { return words_.size() + 1; }
    ListRow row(std::size_t index) const override;

   private:
    const WordItems& words_;
  };
  WordItems words_;
  MasterRows masterRows_{words_};
  FoldedWords foldedWords_;  // the accent-free words of words_ the word scan compares
  bool ended_ = false;
};

// The message of a word file that cannot be loaded; the program ends after it.
std::string missingFileMessage(std::string_view path);

}  // namespace quorvel
