#pragma once
// Qt's accessibility asks the windows of the framework for their descriptions.

namespace vcl::backend {

// Makes Qt answer for custom-drawn windows with their WM_GETOBJECT descriptions. Needs the
// Qt application (Qt's own answers come first otherwise); later calls do nothing.
void InstallAccessibleFactory();

}  // namespace vcl::backend
