// The program's bytes and Qt's strings, through the program's one table and display rule.
#include "widgets/qt/cp1251.h"

#include "runtime/platform/code_page.h"
#include "widgets/shown_text.h"

namespace widgets {

QString DecodeText(std::string_view bytes) { return QString::fromStdWString(platform::WideFromText(bytes)); }

std::string EncodeTyped(const QString& text) { return platform::TextFromWide(text.toStdWString()); }

std::string BytesOfShown(const QString& shown, std::string_view set) {
  return BytesOfShownText(shown.toStdWString(), set);
}

}  // namespace widgets
