#include "targets/hosts/hosts_exporter.h"

HostsExporter::HostsExporter(TKXWin* parent) : TScheme(parent) {
  Port.SetInputCount(3);
  Port.onInput[0] = MakeLink<&HostsExporter::doClear>(*this);
  Port.onInput[1] = MakeLink<&HostsExporter::doAdd>(*this);
  Port.onInput[2] = MakeLink<&HostsExporter::doExport>(*this);
}

void HostsExporter::doClear(TData&, uint16_t) { pending_.clear(); }

void HostsExporter::doAdd(TData& value, uint16_t) { pending_.push_back(AsText(value)); }

void HostsExporter::doExport(TData&, uint16_t) {}
