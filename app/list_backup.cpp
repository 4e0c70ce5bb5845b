#include "app/list_backup.h"

#include "lists/list_catalog.h"
#include "lists/list_files.h"
#include "runtime/platform/files.h"

ListBackup::ListBackup(TKXWin* parent)
    : TScheme(parent), program_dir_(New<TKXGlobalVar>()), failed_(New<TKXMessage>()) {
  program_dir_.SetName("VELTR_dir");
  failed_.Caption = "Error:";
  failed_.Icon = kIconError;
  Port.SetInputCount(kInputCount);
  Port.onInput[kDoBackup] = MakeLink<&ListBackup::doBackup>(*this);
}

void ListBackup::doBackup(TData&, uint16_t) {
  const std::string dir = AsText(program_dir_.Value());
  std::string failures;
  for (const auto& list : kLists) {
    const std::string source = dir + "Lists\\" + list.name + ".txt";
    const std::string backup = dir + "Backup\\Lists\\" + list.name + ".bak";
    if (!platform::IsFile(source)) continue;
    // Read once: what is checked is what is copied. A list that is no 8-bit text (NUL bytes,
    // as a crash can leave them, or UTF-16) may be a damaged one: the backup of the last
    // start is the copy to keep.
    const platform::FileContent content = platform::ReadWholeFile(source);
    std::string why;
    if (content.result == platform::FileContent::Result::Read) {
      if (auto reason = NotTextReason(content.bytes)) {
        RecordFile file;
        file.state = RecordFile::State::NotText;
        file.why = std::move(*reason);
        failures += "\r\n" + NotWholeMessage(source, file, "Its backup of the last start was kept.");
        continue;
      }
      platform::AtomicFileWriter writer(backup, source);
      writer.Write(content.bytes.data(), content.bytes.size());
      if (writer.Commit(&why)) continue;
    } else {
      why = content.why;
    }
    failures += "\r\nCould not back up '" + platform::NativePath(source) + "' to '" + platform::NativePath(backup) +
                "': " + why + ".";
  }
  if (failures.empty()) return;
  TData text = MakeText("The lists were not all backed up:" + failures);
  failed_.doMessage(text, 0);
}
