#pragma once
// The content lines of a vCard file (versions 2.1, 3.0 and 4.0), unfolded and split into
// group, name, parameters and value. Internal to the vCard reader and writer.

#include <string>
#include <string_view>
#include <vector>

namespace cards::vcard {

struct TProperty {
  std::string Group;               // "item1" of "item1.TEL", as written
  std::string Name;                // upper-case
  std::vector<std::string> Types;  // lower-case, from TYPE= and the bare types of 2.1
  bool Binary = false;             // base64 data, which no card line holds
  std::string Value;               // UTF-8, transfer encoding undone, text escapes kept
  int Line = 0;                    // where the property starts, 1-based
};

// Every property of Text in order, BEGIN and END included. Lines without a colon (the
// base64 bodies that vCard 2.1 writes unindented) are skipped.
std::vector<TProperty> ReadProperties(std::string_view Text);

// A text value with its escapes undone; line breaks stay line breaks.
std::string Unescape(std::string_view Value);
// The components of a structured value (N, ADR, ORG), split at unescaped ";" and unescaped.
std::vector<std::string> SplitComponents(std::string_view Value);
// A text value with "\", line breaks (CR too), "," and ";" escaped.
std::string Escape(std::string_view Value);

}  // namespace cards::vcard
