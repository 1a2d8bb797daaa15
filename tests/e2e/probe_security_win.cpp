// Who may open a named object of the program's, as the probe reads it.
#include "probe_security_win.h"

#include <aclapi.h>
#include <sddl.h>

#include <cstdio>
#include <string>

#include "json_text_win.h"

namespace {

// A SID as text, or null.
std::string sddl(PSID sid) {
  wchar_t* text = nullptr;
  if (!sid || !ConvertSidToStringSidW(sid, &text)) return "null";
  const std::string printed = json(text);
  LocalFree(text);
  return printed;
}

}  // namespace

// Each entry of the access list and of the label list: its kind, rights
// and SID; and this probe's own user.
int printSecurity(const wchar_t* name) {
  HANDLE mapping = OpenFileMappingW(READ_CONTROL, FALSE, name);
  PACL access = nullptr, label = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (mapping) {
    GetSecurityInfo(mapping, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION | LABEL_SECURITY_INFORMATION, nullptr,
                    nullptr, &access, &label, &descriptor);
    CloseHandle(mapping);
  }
  std::string entries;
  for (PACL list : {access, label}) {
    for (DWORD i = 0; list && i < list->AceCount; ++i) {
      void* entry = nullptr;
      GetAce(list, i, &entry);
      const auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(entry);  // a label has the same layout
      entries += (entries.empty() ? "[" : ", [") + std::to_string(allowed->Header.AceType) + ", " +
                 std::to_string(allowed->Mask) + ", " + sddl(const_cast<DWORD*>(&allowed->SidStart)) + "]";
    }
  }
  if (descriptor) LocalFree(descriptor);
  alignas(TOKEN_USER) unsigned char user[256];
  DWORD size = 0;
  HANDLE token = nullptr;
  OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
  const bool known = token && GetTokenInformation(token, TokenUser, user, sizeof user, &size);
  if (token) CloseHandle(token);
  std::printf("{\"entries\": [%s], \"user\": %s}\n", entries.c_str(),
              sddl(known ? reinterpret_cast<TOKEN_USER*>(user)->User.Sid : nullptr).c_str());
  return 0;
}

// Holds a file mapping of that name, open to the system alone, until the
// probe's input ends: a claim none of the user's programs may open.
int holdClaim(const wchar_t* name) {
  SECURITY_ATTRIBUTES systemOnly{sizeof systemOnly, nullptr, FALSE};
  HANDLE claim = nullptr;
  if (ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;GA;;;SY)", SDDL_REVISION_1,
                                                           &systemOnly.lpSecurityDescriptor, nullptr)) {
    claim = CreateFileMappingW(INVALID_HANDLE_VALUE, &systemOnly, PAGE_READWRITE, 0, 8, name);
    LocalFree(systemOnly.lpSecurityDescriptor);
  }
  std::printf("{\"held\": %s}\n", claim ? "true" : "false");
  std::fflush(stdout);
  while (claim && std::getchar() != EOF) {
  }
  if (claim) CloseHandle(claim);
  return claim ? 0 : 1;
}
