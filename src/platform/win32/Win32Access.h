// Who may do what to a file on Windows: the user's own SIDs, the owner-only security
// descriptor a private list is born with, and an entry's access list read back as the
// permission bits the load check understands.
#pragma once

#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace quorvel {

// The SIDs a file of the running user's may carry as its owner: the user's own, and the
// token's default owner (the Administrators group, for an elevated administrator).
class CurrentUser {
 public:
  CurrentUser();
  bool ok() const { return !user_.empty(); }
  void* sid() { return user_.data(); }
  bool owns(void* ownerSid) const;

 private:
  std::vector<unsigned char> user_, defaultOwner_;
};

// Gives an open file (opened with WRITE_DAC and WRITE_OWNER) the user as owner and one access
// entry, the user's: read, and the rights to clear the read-only attribute and delete the file
// again. Protected, so that nothing the folder passes on is added: the Windows form of mode
// 0400. False, with the reason in GetLastError, when it cannot.
bool makeOwnerOnly(void* file, CurrentUser& user);

// An entry's owner and access list as permission bits: 0400, 0200, 0100 for what its owner
// may do, 004, 002, 001 for what Everyone, Authenticated Users or Users may (the groups every
// other ordinary user belongs to); 040, 020 and 010 stay clear. A folder where others may add
// entries but not remove any gets 01000, the sticky bit's meaning.
Ownership describeAccess(void* ownerSid, void* dacl, bool daclPresent, bool directory,
                         bool readOnly, const CurrentUser& user);

// The account name of a SID, or its S-1-... form when it has none.
std::string accountName(void* sid);

}  // namespace quorvel
