#include "saver/startup/settings_mode.h"

// The settings dialog is not built yet: settings mode ends quietly after the
// settings were loaded and the renderer was found.
void show_settings_dialog(HINSTANCE, Settings&, const std::string&) {}
