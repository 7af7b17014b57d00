// Texts placed inside a script that the SDK evaluates in a page: a reply's id and answer come from
// the page and the server, so each is escaped before it goes between quotes.
#pragma once

#include <string>
#include <string_view>

namespace velkor {

// The text as the contents of a single- or double-quoted script string: backslash, both quotes,
// control characters (line ends among them) and U+2028 / U+2029, which end a line in a script, are
// escaped; every other character stays as it is. "</script>" needs nothing: the reply is evaluated,
// never written into a page's markup.
std::string escapeScriptString(std::string_view text);

// "onMessageReceive('<id>', '<answer>')", both escaped: the page gets exactly the texts given.
std::string messageReceiveScript(std::string_view id, std::string_view answer);

}  // namespace velkor
