// Whether a folder's access rules let others than administrators change it, read from
// security descriptors as Windows gives them (SDDL): the default rules of System32\drivers\etc,
// of the drive's root, and rules that open them.
#include <windows.h>
#include <gtest/gtest.h>
#include <sddl.h>

#include <string>

#include "runtime/platform/write_survey.h"

namespace {

// TrustedInstaller, which owns most of the system's folders.
const std::wstring kInstaller = L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";

bool OthersMayChange(const std::wstring& sddl, bool drive_root = false) {
  PSECURITY_DESCRIPTOR security = nullptr;
  EXPECT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &security, nullptr))
      << ::GetLastError();
  const bool open = platform::OthersMayChange(security, drive_root);
  ::LocalFree(security);
  return open;
}

TEST(FolderRules, only_administrators_the_system_and_trusted_installer_may_change_a_closed_folder) {
  // drivers\etc as Windows 10 sets it up: users and the app packages may read and run.
  const std::wstring etc = L"O:" + kInstaller +
                           L"D:PAI(A;OICIIO;GA;;;CO)(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)"
                           L"(A;OICI;0x1200a9;;;BU)(A;OICI;FA;;;" +
                           kInstaller +
                           L")"
                           L"(A;OICI;0x1200a9;;;AC)";
  const struct {
    const char* what;
    std::wstring sddl;
    bool drive_root;
    bool open;
  } rows[] = {
      {"drivers\\etc as Windows sets it up", etc, false, false},
      {"owned by the system", L"O:SYD:(A;;FA;;;SY)(A;;0x1200a9;;;WD)", false, false},
      {"a denial of users", etc + L"(D;;FA;;;BU)", false, false},
      {"owned by users, who may change the rules", L"O:BUD:(A;;FA;;;SY)(A;;0x1200a9;;;BU)", false, true},
      {"no access list: everyone may do everything", L"O:BA", false, true},
      {"users may make files in it", etc + L"(A;;0x2;;;BU)", false, true},
      {"users may remove what it holds", etc + L"(A;;0x40;;;BU)", false, true},
      {"everyone may change its rules", etc + L"(A;;WD;;;WD)", false, true},
      {"authenticated users may write, by a generic right", etc + L"(A;;GW;;;AU)", false, true},
      {"a rule only for what is made in it later", etc + L"(A;OICIIO;FA;;;BU)", false, false},
      {"the drive's root, where users may make folders",
       L"O:" + kInstaller +
           L"D:(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)"
           L"(A;OICI;0x1200a9;;;BU)(A;;0x4;;;AU)(A;OICIIO;SDGXGWGR;;;AU)",
       true, false},
      {"the same rules on a folder below it", L"O:" + kInstaller + L"D:(A;OICI;FA;;;SY)(A;;0x4;;;AU)", false, true},
      {"a drive's root users may clear", L"O:BAD:(A;;FA;;;BA)(A;;0x40;;;BU)", true, true},
  };
  for (const auto& row : rows) EXPECT_EQ(OthersMayChange(row.sddl, row.drive_root), row.open) << row.what;
}

}  // namespace
