#include "wordlist/Languages.h"

namespace quorvel {

std::string publicFileName(std::string_view language) {
  std::string name = "Pub";
  name.append(language);
  name.append(".txt");
  return name;
}

std::string listName(std::string_view fileName) {
  return std::string(fileName.substr(0, fileName.size() < 4 ? 0 : fileName.size() - 4));
}

std::string privateFileName(std::string_view shownListName) {
  // A caption too short to hold a prefix gives "Pri.txt" rather than an out-of-range read.
  std::string name = "Pri";
  if (shownListName.size() > 3) name.append(shownListName.substr(3));
  name.append(".txt");
  return name;
}

}  // namespace quorvel
