#pragma once
// Qt's accessibility asks the windows of the framework for their descriptions.

class QWidget;

namespace vcl::backend {

// Makes Qt answer for custom-drawn windows with their WM_GETOBJECT descriptions. Needs the
// Qt application (Qt's own answers come first otherwise); later calls do nothing.
void InstallAccessibleFactory();
// The window took the keyboard: once Qt has announced the window itself, announces the
// object of its description that has the focus, so that a screen reader lands on it.
void AnnounceFocusedObjectLater(QWidget* Widget);

}  // namespace vcl::backend
