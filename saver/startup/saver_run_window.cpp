#include "saver/startup/saver_run_window.h"

bool LoadSaverRunWindow(HINSTANCE, const Settings&, const SaverRunStart&) {
    return false;
}
