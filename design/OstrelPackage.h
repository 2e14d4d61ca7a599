#pragma once
// The package of the card view library as a form designer installs it.

namespace ostrel {

// The line a designer shows in its list of installed packages.
extern const char* const OstrelPackageDescription;

// Runs the Register function of every unit that has one (the letter bar's, then the card
// view's design-time unit), once: later calls do nothing until UnregisterPackage. A call
// that fails (no designer listens to RegisterComponents) leaves the package uninstalled.
void RegisterPackage();
// Forgets the package's editor registrations, as a designer does when it unloads it.
void UnregisterPackage();

}  // namespace ostrel
