// What loading a private list has to tell the user: a private list is their key, and one
// that is not a reordering of its public list, that is the public order itself, or that
// others can change gives numbers that are wrong or not private, with no other sign of it.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/Result.h"

namespace quorvel {

struct ItemComparison {
  std::size_t missing = 0;   // public items the private list lacks, each repeat counted
  std::size_t extra = 0;     // its items beyond the public ones
  bool publicOrder = false;  // exactly the public items, in the public order
};

// Compares items by their bytes as read from the files.
ItemComparison compareItems(std::span<const std::string_view> privateItems,
                            std::span<const std::string_view> publicItems);

// An ownership that could not be examined gives no finding.
struct PrivateListFacts {
  std::string path;              // the private file's full path
  std::string publicName;        // e.g. "PubEnglish.txt"
  Result<ItemComparison> items;  // or why the public list could not be read
  Result<Ownership> file;
  std::string folderPath;
  Result<Ownership> folder;
};

// One paragraph per finding, ready for one message box; empty when there is nothing to say.
std::string privateListWarning(const PrivateListFacts& facts);

}  // namespace quorvel
