#pragma once
// The form designer as design-time editors see it.

#include <memory>

namespace vcl {

// The designer of the form being edited. Editors hold it through a counted reference
// (IFormDesignerRef), so that it stays alive while a dialog of theirs is open.
class IFormDesigner {
public:
  virtual ~IFormDesigner() = default;
  // Marks the designed form as changed, so that it is saved again.
  virtual void Modified() = 0;
};

using IFormDesignerRef = std::shared_ptr<IFormDesigner>;

}  // namespace vcl
