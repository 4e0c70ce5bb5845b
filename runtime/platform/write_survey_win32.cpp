// The survey on Windows: attributes read without following reparse points, the number of
// names of the file from its handle, and the access rules of every folder up from it.
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <memory>

#include "runtime/platform/code_page.h"
#include "runtime/platform/files.h"
#include "runtime/platform/write_survey.h"

namespace platform {
namespace {

bool g_trust_own_account = false;

// Rights by which a folder, or what it holds, changes: a file or folder made, renamed or
// removed in it, the folder itself removed, its attributes, access rules or owner changed.
constexpr ACCESS_MASK kFolderChange = FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY | FILE_DELETE_CHILD | DELETE | WRITE_DAC |
                                      WRITE_OWNER | FILE_WRITE_ATTRIBUTES | FILE_WRITE_EA;
// Every user may make a folder in the drive's root: what counts there is a change of what it
// holds already.
constexpr ACCESS_MASK kRootChange = FILE_DELETE_CHILD | WRITE_DAC | WRITE_OWNER;

struct LocalSid {
  PSID sid = nullptr;
  explicit LocalSid(const wchar_t* text) { ::ConvertStringSidToSidW(text, &sid); }
  ~LocalSid() { ::LocalFree(sid); }
  LocalSid(const LocalSid&) = delete;
  LocalSid& operator=(const LocalSid&) = delete;
};

// The user the process runs as, for tests that trust it.
bool IsOwnAccount(PSID sid) {
  HANDLE token = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  DWORD size = 0;
  ::GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::unique_ptr<BYTE[]> buffer(new BYTE[size > 0 ? size : 1]);
  const bool same = size > 0 && ::GetTokenInformation(token, TokenUser, buffer.get(), size, &size) &&
                    ::EqualSid(reinterpret_cast<TOKEN_USER*>(buffer.get())->User.Sid, sid);
  ::CloseHandle(token);
  return same;
}

// The accounts that may change the system's folders: administrators, the system itself, the
// installer service (TrustedInstaller, which owns most of them); and two stand-ins an access
// rule may name: the creator of a new file (which means nobody on the folder itself) and the
// folder's owner (who must be one of the three).
bool Trusted(PSID sid) {
  static const wchar_t* const kTrusted[] = {L"S-1-5-32-544", L"S-1-5-18",
                                            L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464",
                                            L"S-1-3-0", L"S-1-3-4"};
  if (!sid || !::IsValidSid(sid)) return false;
  for (const wchar_t* text : kTrusted) {
    const LocalSid trusted(text);
    if (trusted.sid && ::EqualSid(trusted.sid, sid)) return true;
  }
  return g_trust_own_account && IsOwnAccount(sid);
}

bool OthersMayChangeBy(PSECURITY_DESCRIPTOR security, ACCESS_MASK rights) {
  PSID owner = nullptr;
  BOOL defaulted = FALSE;
  // The owner may always rewrite the access rules.
  if (!::GetSecurityDescriptorOwner(security, &owner, &defaulted) || !Trusted(owner)) return true;
  BOOL present = FALSE;
  PACL dacl = nullptr;
  if (!::GetSecurityDescriptorDacl(security, &present, &dacl, &defaulted)) return true;
  if (!present || !dacl) return true;  // no access list lets everyone do everything
  ACL_SIZE_INFORMATION size{};
  if (!::GetAclInformation(dacl, &size, sizeof size, AclSizeInformation)) return true;
  GENERIC_MAPPING mapping = {FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE, FILE_ALL_ACCESS};
  for (DWORD i = 0; i < size.AceCount; ++i) {
    void* entry = nullptr;
    if (!::GetAce(dacl, i, &entry)) return true;
    const ACE_HEADER* header = static_cast<const ACE_HEADER*>(entry);
    // A rule only for what is made in the folder later says nothing of the folder itself,
    // and a denial takes rights away.
    if (header->AceFlags & INHERIT_ONLY_ACE) continue;
    if (header->AceType == ACCESS_DENIED_ACE_TYPE || header->AceType == ACCESS_DENIED_OBJECT_ACE_TYPE ||
        header->AceType == ACCESS_DENIED_CALLBACK_ACE_TYPE ||
        header->AceType == ACCESS_DENIED_CALLBACK_OBJECT_ACE_TYPE || header->AceType == SYSTEM_AUDIT_ACE_TYPE ||
        header->AceType == SYSTEM_ALARM_ACE_TYPE)
      continue;
    if (header->AceType != ACCESS_ALLOWED_ACE_TYPE && header->AceType != ACCESS_ALLOWED_CALLBACK_ACE_TYPE)
      return true;  // a kind of rule this reading does not know grants whatever it says
    const ACCESS_ALLOWED_ACE* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(entry);
    ACCESS_MASK mask = allowed->Mask;
    ::MapGenericMask(&mask, &mapping);
    if ((mask & rights) && !Trusted(const_cast<DWORD*>(&allowed->SidStart))) return true;
  }
  return false;
}

// Whether the folder's access rules, read through a handle, let others change it.
bool OpenFolder(HANDLE folder, ACCESS_MASK rights) {
  PSECURITY_DESCRIPTOR security = nullptr;
  if (::GetSecurityInfo(folder, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, nullptr,
                        nullptr, nullptr, nullptr, &security) != ERROR_SUCCESS)
    return true;
  const bool open = OthersMayChangeBy(security, rights);
  ::LocalFree(security);
  return open;
}

PathStep Look(const std::string& path, ACCESS_MASK folder_rights, uint64_t* id = nullptr) {
  PathStep step;
  const std::wstring wide = WideFromBytes(path);
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    step.kind = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? PathStep::Kind::Missing
                                                                               : PathStep::Kind::Other;
    return step;
  }
  step.read_only = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    step.kind = PathStep::Kind::Link;
    return step;
  }
  step.kind = PathStep::Kind::Other;
  HANDLE file = ::CreateFileW(wide.c_str(), READ_CONTROL | FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    // A folder whose rules cannot be read counts as open.
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
      step.kind = PathStep::Kind::Folder;
      step.open = true;
    }
    return step;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (::GetFileInformationByHandle(file, &info)) {
    if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
      step.kind = PathStep::Kind::Link;
    } else if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      step.kind = PathStep::Kind::Folder;
      step.open = OpenFolder(file, folder_rights);
    } else if (::GetFileType(file) == FILE_TYPE_DISK) {
      step.kind = PathStep::Kind::File;
      step.links = info.nNumberOfLinks;
      if (id) *id = (uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    }
  }
  ::CloseHandle(file);
  return step;
}

// A 32-bit program on 64-bit Windows sees System32 through the file system redirector:
// System32\drivers\etc is exempt from it, the folders above it are not (System32\drivers
// would be SysWOW64\drivers). The survey looks at the real folders, as the write reaches them.
class RealSystemFolders {
 public:
  RealSystemFolders() : off_(::Wow64DisableWow64FsRedirection(&old_)) {}
  ~RealSystemFolders() {
    if (off_) ::Wow64RevertWow64FsRedirection(old_);
  }
  RealSystemFolders(const RealSystemFolders&) = delete;
  RealSystemFolders& operator=(const RealSystemFolders&) = delete;

 private:
  PVOID old_ = nullptr;
  BOOL off_ = FALSE;
};

}  // namespace

bool OthersMayChange(const void* security, bool drive_root) {
  return OthersMayChangeBy(const_cast<void*>(security), drive_root ? kRootChange : kFolderChange);
}

void TrustOwnAccountForTests(bool trust) { g_trust_own_account = trust; }

WriteSurvey SurveyWrite(const std::string& path, const std::string& root, std::string_view bytes) {
  WriteSurvey survey;
  survey.refusal = CheckWindowsPath(path, root);
  if (survey.refusal != WriteRefusal::None) {
    survey.why = RefusalWords(survey.refusal);
    return survey;
  }
  const RealSystemFolders real_folders;
  WindowsWrite write;
  write.path = path;
  write.root = root;
  write.content = bytes;
  write.size = bytes.size();
  write.top = Look(path.substr(0, 3), kRootChange);
  PathStep last;
  uint64_t id = 0;
  for (std::string_view prefix : WindowsSteps(path)) {
    last = Look(std::string(prefix), kFolderChange, &id);
    write.steps.push_back(last);
  }
  survey.like = path;
  survey.id = id;
  if (last.kind == PathStep::Kind::Missing && WindowsProgramPath(path, root).kind == ProgramPath::Kind::HostsCopy) {
    survey.like = path.substr(0, path.size() - 4);
    survey.new_copy = true;
    write.sibling = Look(survey.like, kFolderChange, &survey.id);
    const std::optional<std::string> original =
        write.sibling.kind == PathStep::Kind::File ? ReadFile(survey.like) : std::nullopt;
    write.same_as_sibling = original && *original == bytes;
  }
  survey.refusal = CheckWindowsWrite(write);
  survey.why = RefusalWords(survey.refusal);
  return survey;
}

}  // namespace platform
