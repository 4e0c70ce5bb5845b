#include "targets/kpf/kpf_importer.h"

#include "targets/kpf/kpf_config.h"

KpfImporter::KpfImporter(TKXWin* parent)
    : TTargetImporter(parent, "Kerio Personal Firewall Configuration File|update*.cfg", false) {}

std::vector<std::string> KpfImporter::Extract(const std::string& path, TScanSource& source) const {
  TKpfScan scan;
  source = ScanFile(path, scan);
  return std::move(scan.addresses);
}
