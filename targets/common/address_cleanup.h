// The clean-up that turns a line of a firewall configuration into the address it blocks.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// A line holding one value between `tag` and "</variable>" (the Kerio configurations): both
// become "."; the characters * ? / \ [ ] ( ) are removed; the text is trimmed of the bytes
// 1 to 32; leading and then trailing dots are removed. The result is an address only when
// it still holds a "." ("*.ads.example.com/*" gives ads.example.com, "localhost" nothing).
std::optional<std::string> CleanTaggedLine(std::string_view line, std::string_view tag);

// A site line of the Outpost configuration: trimmed, leading and then trailing dots removed,
// kept only when it still holds a ".". Nothing else is removed.
std::optional<std::string> CleanSiteLine(std::string_view line);
