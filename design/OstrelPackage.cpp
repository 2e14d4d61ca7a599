#include "OstrelPackage.h"

#include "DesignIntf.h"
#include "OstrelButtonsBar.h"
#include "OstrelDesignTime.h"

namespace ostrel {

const char* const OstrelPackageDescription = "Ostrel card view and letter index bar";

namespace {
bool Installed = false;
}  // namespace

void RegisterPackage() {
  if (Installed) return;
  try {
    OstrelButtonsBar::Register();
    OstrelDesignTime::Register();
  } catch (...) {
    vcl::UnregisterDesignEditors();
    throw;
  }
  Installed = true;
}

void UnregisterPackage() {
  vcl::UnregisterDesignEditors();
  Installed = false;
}

}  // namespace ostrel
