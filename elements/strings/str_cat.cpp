// Joining two texts.
#include "elements/strings/str_cat.h"

void TKXStrCat::doStrCat(TData& value, uint16_t) {
  std::string joined = InputText(value, dataStr1, Str1);
  joined += InputText(value, dataStr2, Str2);
  FireEvent(onStrCat, std::move(joined));
}
