#include "targets/aof/aof_exporter.h"

AofExporter::AofExporter(TKXWin* parent) : TScheme(parent) {
  Port.SetInputCount(3);
  Port.onInput[0] = MakeLink<&AofExporter::doClear>(*this);
  Port.onInput[1] = MakeLink<&AofExporter::doAdd>(*this);
  Port.onInput[2] = MakeLink<&AofExporter::doExport>(*this);
}

void AofExporter::doClear(TData&, uint16_t) { pending_.clear(); }

void AofExporter::doAdd(TData& value, uint16_t) { pending_.push_back(AsText(value)); }

void AofExporter::doExport(TData&, uint16_t) {}
