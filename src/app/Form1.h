// The one window: its state, its routines and its event handlers. Everything it shows or
// asks goes through Platform, everything it reads or writes through FileSystem.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/Accents.h"
#include "lookup/Lookup.h"
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
  void onLoad() override;
  void onClose() override;
  void onMenu(MenuCommand command) override;
  int onEntryKey(int code) override;
  void onClick(Control control) override;

  // --- routines ---
  // Reads the word file named fileName() in the program's folder into the master list.
  void LoadWordList();
  // List the entries whose number, or word, begins with the prefix the last key made.
  void MatchByNumber();
  void MatchByWord();
  // Unless the private file named fileName() exists, asks whether to make it and, on Yes,
  // makes it from the list loaded last. True when there is a list to load, false when the
  // user declined; a failure carries the whole message it has shown.
  Result<bool> CheckFileExistsMake();
  void CountWords();
  Result<void> MakeRandomOrder();
  Result<void> WritePrivateList();

  // --- state, for those who watch it ---
  const std::string& fileName() const { return fileName_; }
  std::int64_t pickCount() const { return pickCount_; }

 private:
  void selectList(std::string_view language);
  void loadPrivateList();
  void switchMode();
  void onCandidateChosen();
  void copyNumbers();
  void copyWords();
  void copyAll();
  void closingMovement();
  void putOnClipboard(const std::string& text);
  void foldWords();
  void checkPrivateList(const WordItems& mine);
  std::filesystem::path inProgramDir(std::string_view name) const;

  Platform& ui_;
  FileSystem& files_;
  RandomSource& random_;
  std::filesystem::path programDir_;

  // The window's state. Counters are 64-bit: no list or copy box is too long to count.
  std::string filePath_;  // full path of the word file loaded last
  std::string fileName_;  // name of the current word file, e.g. "PubEnglish.txt"
  std::string keyText_;   // the prefix of the latest scan
  std::string copyBox_;   // the picked entries, each with its CR LF
  InputMode mode_ = InputMode::Words;
  std::int64_t pickCount_ = 0;
  std::int64_t wordCount_ = 0;       // items of the list a private list is made from
  std::vector<std::int64_t> order_;  // the private list's order: source positions, from 1
  bool ended_ = false;

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
};

// The message of a word file that cannot be loaded; the program ends after it.
std::string missingFileMessage(std::string_view path);

}  // namespace quorvel
