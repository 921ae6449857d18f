#include "saver/shared/texts.h"

namespace texts {

const char kProgramTitle[] = "Ember_Lantern (ScreenSaver)";
const char kRendererMissing[] = "Ember_Lantern.dllが同じﾌｫﾙﾀﾞに見つかりません！";

const char kSettingsFileName[] = "\\Ember_Lantern.ini";

const char kSection[] = "Section";
const char kKeyKind[] = "BGM区分";
const char kKeyRepeatTrack[] = "BGMﾘﾋﾟｰﾄ";
const char kKeyFile[] = "BGMﾌｧｲﾙ";

const char kPreviewCaption[] = "Preview Window";

}  // namespace texts
