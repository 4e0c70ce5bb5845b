#include "targets/kwf/kwf_exporter.h"

KwfExporter::KwfExporter(TKXWin* parent) : TScheme(parent) {
  Port.SetInputCount(3);
  Port.onInput[0] = MakeLink<&KwfExporter::doClear>(*this);
  Port.onInput[1] = MakeLink<&KwfExporter::doAdd>(*this);
  Port.onInput[2] = MakeLink<&KwfExporter::doExport>(*this);
}

void KwfExporter::doClear(TData&, uint16_t) { pending_.clear(); }

void KwfExporter::doAdd(TData& value, uint16_t) { pending_.push_back(AsText(value)); }

void KwfExporter::doExport(TData&, uint16_t) {}
