#include "platform/win32/Win32Access.h"

#include <windows.h>
// windows.h first: these need its types.
#include <aclapi.h>
#include <sddl.h>

#include <cstring>

#include "platform/win32/WideText.h"

namespace quorvel {

namespace {

std::vector<unsigned char> tokenSid(TOKEN_INFORMATION_CLASS kind) {
  HANDLE token = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
  DWORD size = 0;
  ::GetTokenInformation(token, kind, nullptr, 0, &size);
  std::vector<unsigned char> info(size);
  std::vector<unsigned char> sid;
  if (size != 0 && ::GetTokenInformation(token, kind, info.data(), size, &size)) {
    // TOKEN_USER and TOKEN_OWNER both begin with the SID's pointer.
    PSID found = kind == TokenUser ? reinterpret_cast<TOKEN_USER*>(info.data())->User.Sid
                                   : reinterpret_cast<TOKEN_OWNER*>(info.data())->Owner;
    const auto* bytes = static_cast<const unsigned char*>(found);
    sid.assign(bytes, bytes + ::GetLengthSid(found));
  }
  ::CloseHandle(token);
  return sid;
}

std::vector<unsigned char> wellKnownSid(WELL_KNOWN_SID_TYPE kind) {
  std::vector<unsigned char> sid(SECURITY_MAX_SID_SIZE);
  DWORD size = static_cast<DWORD>(sid.size());
  if (!::CreateWellKnownSid(kind, nullptr, sid.data(), &size)) return {};
  sid.resize(size);
  return sid;
}

// What an access list grants anyone of `sids`, its entries read in order as Windows does: the
// first entry that mentions a right allows or denies it.
ACCESS_MASK granted(PACL dacl, const std::vector<std::vector<unsigned char>>& sids) {
  static GENERIC_MAPPING mapping = {FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE,
                                    FILE_ALL_ACCESS};
  ACCESS_MASK allowed = 0, denied = 0;
  ACL_SIZE_INFORMATION size{};
  if (!::GetAclInformation(dacl, &size, sizeof size, AclSizeInformation)) return 0;
  for (DWORD k = 0; k < size.AceCount; ++k) {
    void* entry = nullptr;
    if (!::GetAce(dacl, k, &entry)) continue;
    const auto* header = static_cast<ACE_HEADER*>(entry);
    if ((header->AceFlags & INHERIT_ONLY_ACE) != 0) continue;
    const bool allows = header->AceType == ACCESS_ALLOWED_ACE_TYPE;
    if (!allows && header->AceType != ACCESS_DENIED_ACE_TYPE) continue;
    // Both kinds are laid out alike: header, mask, SID.
    auto* ace = static_cast<ACCESS_ALLOWED_ACE*>(entry);
    bool applies = false;
    for (const auto& sid : sids) {
      applies = applies || (!sid.empty() && ::EqualSid(&ace->SidStart, (PSID)sid.data()));
    }
    if (!applies) continue;
    ACCESS_MASK mask = ace->Mask;
    ::MapGenericMask(&mask, &mapping);
    if (allows) {
      allowed |= mask & ~denied;
    } else {
      denied |= mask & ~allowed;
    }
  }
  return allowed;
}

// Read, write and execute as three bits (4, 2, 1) for one class of users.
unsigned classBits(ACCESS_MASK rights, bool directory, bool readOnly) {
  unsigned bits = 0;
  if (rights & FILE_READ_DATA) bits |= 4;
  // Rights to change the access list or the owner amount to every other right.
  const bool rewrite = (rights & (WRITE_DAC | WRITE_OWNER)) != 0;
  if (directory) {
    if (rights & (FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY | FILE_DELETE_CHILD) || rewrite) bits |= 2;
  } else {
    // The read-only attribute holds only those who may not clear it.
    const bool data = (rights & (FILE_WRITE_DATA | FILE_APPEND_DATA)) != 0;
    if ((data && (!readOnly || (rights & FILE_WRITE_ATTRIBUTES))) || rewrite) bits |= 2;
  }
  if (rights & FILE_EXECUTE) bits |= 1;
  return bits;
}

}  // namespace

CurrentUser::CurrentUser() : user_(tokenSid(TokenUser)), defaultOwner_(tokenSid(TokenOwner)) {}

bool CurrentUser::owns(void* ownerSid) const {
  if (ownerSid == nullptr || !::IsValidSid(ownerSid)) return false;
  for (const auto* own : {&user_, &defaultOwner_}) {
    if (!own->empty() && ::EqualSid(ownerSid, (PSID)own->data())) return true;
  }
  return false;
}

bool makeOwnerOnly(void* file, CurrentUser& user) {
  if (!user.ok()) return false;
  PSID sid = user.sid();
  std::vector<unsigned char> buffer(sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + ::GetLengthSid(sid));
  auto* acl = reinterpret_cast<PACL>(buffer.data());
  if (!::InitializeAcl(acl, static_cast<DWORD>(buffer.size()), ACL_REVISION) ||
      !::AddAccessAllowedAce(acl, ACL_REVISION, FILE_GENERIC_READ | FILE_WRITE_ATTRIBUTES | DELETE,
                             sid)) {
    return false;
  }
  const DWORD status = ::SetSecurityInfo(
      file, SE_FILE_OBJECT,
      OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
      sid, nullptr, acl, nullptr);
  ::SetLastError(status);
  return status == ERROR_SUCCESS;
}

Ownership describeAccess(void* ownerSid, void* dacl, bool daclPresent, bool directory,
                         bool readOnly, const CurrentUser& user) {
  const std::vector<std::vector<unsigned char>> others = {wellKnownSid(WinWorldSid),
                                                          wellKnownSid(WinAuthenticatedUserSid),
                                                          wellKnownSid(WinBuiltinUsersSid)};
  auto owners = others;
  if (ownerSid != nullptr && ::IsValidSid(ownerSid)) {
    const auto* bytes = static_cast<const unsigned char*>(ownerSid);
    owners.emplace_back(bytes, bytes + ::GetLengthSid(ownerSid));
  }
  owners.push_back(wellKnownSid(WinCreatorOwnerRightsSid));

  // No access list at all lets everyone do everything.
  auto* acl = static_cast<PACL>(dacl);
  const bool open = !daclPresent || acl == nullptr;
  const ACCESS_MASK ownerRights = open ? FILE_ALL_ACCESS : granted(acl, owners);
  const ACCESS_MASK otherRights = open ? FILE_ALL_ACCESS : granted(acl, others);

  Ownership result;
  result.mode = classBits(ownerRights, directory, readOnly) << 6 |
                classBits(otherRights, directory, readOnly);
  // Others who may add entries but neither remove nor rename any, nor rewrite the list that
  // says so, cannot replace a file of ours: what the sticky bit means on Linux.
  if (directory && (result.mode & 2) != 0 &&
      (otherRights & (FILE_DELETE_CHILD | WRITE_DAC | WRITE_OWNER)) == 0) {
    result.mode |= 01000;
  }
  result.foreignOwner = !user.owns(ownerSid);
  result.owner = accountName(ownerSid);
  return result;
}

std::string accountName(void* sid) {
  if (sid == nullptr || !::IsValidSid(sid)) return "nobody";
  wchar_t name[256], domain[256];
  DWORD nameSize = 256, domainSize = 256;
  SID_NAME_USE kind{};
  if (::LookupAccountSidW(nullptr, sid, name, &nameSize, domain, &domainSize, &kind)) {
    return toUtf8(name);
  }
  wchar_t* text = nullptr;
  if (!::ConvertSidToStringSidW(sid, &text)) return "unknown";
  std::string result = toUtf8(text);
  ::LocalFree(text);
  return result;
}

}  // namespace quorvel
