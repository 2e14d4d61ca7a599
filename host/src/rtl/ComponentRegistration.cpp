// RegisterComponents: the call through which a package's units reach the development
// environment's palette.

#include "Classes.h"

namespace vcl {

TRegisterComponentsProc RegisterComponentsProc;

// Outside a development environment nothing would take the classes; saying so beats
// dropping them silently.
void RegisterComponents(const AnsiString& Page, std::initializer_list<const TClassInfo*> ComponentClasses) {
  if (!RegisterComponentsProc) throw EComponentError(Consts::SRegisterError);
  RegisterComponentsProc(Page, std::vector<const TClassInfo*>(ComponentClasses));
}

}  // namespace vcl
