#pragma once
// Collation by the user's locale (QLocale's default, so a program or a test can change
// it) for the framework's AnsiCompareStr and AnsiCompareText, and the sort keys that agree
// with AnsiCompareText.

namespace vcl::backend {

void InstallLocaleCompare();

}  // namespace vcl::backend
