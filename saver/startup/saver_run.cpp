#include "saver/startup/saver_run.h"

std::string renderer_path(const std::string& program_folder) {
    return program_folder + "\\Ember_Lantern.dll";
}

std::string renderer_command_line(const std::string& renderer_path) {
    return "\"" + renderer_path + "\"";
}

bool RendererWatch::tick(bool renderer_window_present) {
    if (renderer_window_present) {
        seen_ = true;
        missing_ticks_ = 0;
        return false;
    }
    if (!seen_)
        return !renderer_started_ || ++ticks_waiting_ >= kTicksToAppear;
    return ++missing_ticks_ >= kMissingTicksToEnd;
}
