// The Windows-1251 code page, both ways, through the program's one table.
#include "widgets/qt/cp1251.h"

#include "runtime/platform/code_page.h"

namespace widgets {

QString DecodeCp1251(std::string_view bytes) { return QString::fromStdWString(platform::WideFromBytes(bytes)); }

std::string EncodeCp1251(const QString& text) { return platform::BytesFromWide(text.toStdWString()); }

}  // namespace widgets
