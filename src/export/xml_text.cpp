// Escaping of input texts for the LandXML document.
#include "export/xml_text.h"

namespace velkor {

std::string XmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        // Control bytes cannot stand in an XML 1.0 document, not even as character references;
        // they show as '?' like any byte the code page has no character for.
        out += (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') ? '?' : c;
    }
  }
  return out;
}

}  // namespace velkor
