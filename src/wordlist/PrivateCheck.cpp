#include "wordlist/PrivateCheck.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace quorvel {

namespace {

constexpr unsigned kGroupRead = 040;
constexpr unsigned kGroupWrite = 020;
constexpr unsigned kOtherRead = 004;
constexpr unsigned kOtherWrite = 002;
constexpr unsigned kSticky = 01000;

std::string octal(unsigned mode) {
  char text[8];
  std::snprintf(text, sizeof text, "%04o", mode & 07777);
  return text;
}

// Whether users other than the owner have any of the rights `group` | `other` names. The
// owner's private group holds nobody else, so its bits give nothing away.
bool othersMay(const Result<Ownership>& entry, unsigned group, unsigned other) {
  if (!entry) return false;
  return (entry->mode & other) != 0 || (!entry->ownersGroup && (entry->mode & group) != 0);
}

// One argument to a POSIX shell, whatever it holds.
std::string shellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

ItemComparison compareItems(std::span<const std::string_view> privateItems,
                            std::span<const std::string_view> publicItems) {
  ItemComparison result;
  // A list of one item or none has no other order to be in.
  result.publicOrder =
      privateItems.size() > 1 &&
      std::equal(privateItems.begin(), privateItems.end(), publicItems.begin(), publicItems.end());
  std::vector<std::string_view> mine(privateItems.begin(), privateItems.end());
  std::vector<std::string_view> theirs(publicItems.begin(), publicItems.end());
  std::sort(mine.begin(), mine.end());
  std::sort(theirs.begin(), theirs.end());
  auto m = mine.begin();
  auto t = theirs.begin();
  while (m != mine.end() && t != theirs.end()) {
    if (*m < *t) {
      ++result.extra;
      ++m;
    } else if (*t < *m) {
      ++result.missing;
      ++t;
    } else {
      ++m;
      ++t;
    }
  }
  result.extra += static_cast<std::size_t>(mine.end() - m);
  result.missing += static_cast<std::size_t>(theirs.end() - t);
  return result;
}

std::string privateListWarning(const PrivateListFacts& facts) {
  std::vector<std::string> findings;
  if (!facts.items) {
    findings.push_back("The public list " + facts.publicName + " could not be read (" +
                       facts.items.error().message +
                       "), so this list could not be checked against it.");
  } else if (facts.items->missing != 0 || facts.items->extra != 0) {
    findings.push_back("It does not hold the same words as the public list " + facts.publicName +
                       ": " + std::to_string(facts.items->missing) + " missing, " +
                       std::to_string(facts.items->extra) +
                       " extra. Its numbers may not match the ones made with it.");
  } else if (facts.items->publicOrder) {
    findings.push_back("It holds the words of " + facts.publicName +
                       " in their public order: its numbers are the public numbers, not "
                       "private ones.");
  }
  if (othersMay(facts.file, kGroupWrite, kOtherWrite)) {
    findings.push_back("Permissions " + octal(facts.file->mode) +
                       " for this file are too open: other users can change it.");
  }
  if (othersMay(facts.file, kGroupRead, kOtherRead)) {
    findings.push_back("Permissions " + octal(facts.file->mode) +
                       " for this file are too open: other users can read it, and with it turn "
                       "your numbers back into words. To make it yours alone: chmod 400 " +
                       shellQuoted(facts.path));
  }
  if (facts.file && facts.file->foreignOwner) {
    findings.push_back("This file belongs to another user (" + facts.file->owner +
                       "), who can change it.");
  }
  // In a sticky folder others may add files but cannot remove or rename this one.
  if (othersMay(facts.folder, kGroupWrite, kOtherWrite) && (facts.folder->mode & kSticky) == 0) {
    findings.push_back("Permissions " + octal(facts.folder->mode) + " for the folder " +
                       facts.folderPath +
                       " are too open: other users can replace this file with another.");
  }
  if (findings.empty()) return {};
  std::string text = facts.path;
  for (const std::string& finding : findings) text += "\n\n" + finding;
  text += "\n\nThe list is loaded all the same.";
  return text;
}

}  // namespace quorvel
