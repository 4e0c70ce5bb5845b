#include "targets/kpf/kpf_exporter.h"

KpfExporter::KpfExporter(TKXWin* parent) : TScheme(parent) {
  Port.SetInputCount(3);
  Port.onInput[0] = MakeLink<&KpfExporter::doClear>(*this);
  Port.onInput[1] = MakeLink<&KpfExporter::doAdd>(*this);
  Port.onInput[2] = MakeLink<&KpfExporter::doExport>(*this);
}

void KpfExporter::doClear(TData&, uint16_t) { pending_.clear(); }

void KpfExporter::doAdd(TData& value, uint16_t) { pending_.push_back(AsText(value)); }

void KpfExporter::doExport(TData&, uint16_t) {}
