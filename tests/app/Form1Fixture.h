// Form1 on the in-memory platform and file system, with the shipped word files.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/Form1.h"
#include "app/MemoryFileSystem.h"
#include "platform/FakePlatform.h"
#include "support/Files.h"
#include "wordlist/Languages.h"

namespace quorvel::testing {

inline std::string shippedFile(std::string_view name) {
  return readBytes(std::filesystem::path(QUORVEL_DATA_DIR) / name);
}

inline std::string crlfLines(const std::vector<std::string>& words) {
  std::string text;
  for (const auto& w : words) text += w + "\r\n";
  return text;
}

class Form1Test : public ::testing::Test {
 public:
  const std::filesystem::path dir{"/opt/quorvel"};
  MemoryFileSystem fs;
  SeededRandom random{20261206};
  FakePlatform ui;
  std::unique_ptr<Form1> form;

  void SetUp() override {
    for (const auto language : kLanguages) {
      const std::string name = publicFileName(language);
      fs.files[path(name)] = shippedFile(name);
    }
  }

  std::string path(std::string_view name) const { return (dir / name).string(); }

  void start() {
    form = std::make_unique<Form1>(ui, fs, random, dir);
    ui.attach(*form);
    ASSERT_TRUE(ui.load());
  }

  std::vector<std::string>& candidates() { return ui.state(Control::List1).items; }
  std::vector<std::string>& master() { return ui.state(Control::WordList).items; }
  std::string text(Control c) { return ui.text(c); }
};

}  // namespace quorvel::testing
