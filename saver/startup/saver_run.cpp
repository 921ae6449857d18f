#include "saver/startup/saver_run.h"

#include "common/contract.h"

namespace startup {

std::string renderer_path(const std::string& program_folder) {
    return program_folder + contract::kRendererFileName;
}

std::string renderer_command_line(const std::string& renderer_path) {
    return "\"" + renderer_path + "\"";
}

bool RendererWatch::tick(bool window_present, bool process_running) {
    if (window_present) {
        seen_ = true;
        missing_ticks_ = 0;
        return false;
    }
    if (!process_running)
        return true;
    if (!seen_)
        return ++ticks_waiting_ >= kTicksToAppear;
    return ++missing_ticks_ >= kMissingTicksToEnd;
}

}  // namespace startup
