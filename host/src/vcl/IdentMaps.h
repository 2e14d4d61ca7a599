#pragma once
// Private to the framework: makes form files write and read colours, character sets and
// cursors by name. Safe to call any number of times; the class infos that have such
// properties call it before their first use.

namespace vcl {

void RegisterIdentMaps();

}  // namespace vcl
