// Builds the tree of a page from its characters.  Parsing never fails: tag
// soup is repaired the way browsers of the device's time did it (unclosed
// <p>, <li>, <td> and <tr> end where the next one starts, stray end tags are
// dropped, case and quoting of attributes do not matter), and what lies
// beyond the engine's limits is cut and noted in Document::cuts.
#pragma once
#include "html_document.h"

namespace html {

Document ParsePage(const std::wstring& source);

// Plain text as a page: characters escaped, line ends kept as breaks.
std::wstring PlainTextAsHtml(const wchar_t* text, size_t length);

}  // namespace html
